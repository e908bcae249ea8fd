// AAX_CNumberDisplayDelegate: a real value shown as a fixed-point number.
#pragma once

#include "AAX_IDisplayDelegate.h"

#include <algorithm>
#include <cstdint>
#include <limits>

/** Shows values with Precision digits after the point ("0.500" at 3) and reads
    back any text that starts with a number. Conversions use the "C" locale.

    SpaceAfter is kept for call-site compatibility; only 0 is supported. */
template <typename T, uint32_t Precision, uint32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
    static_assert (SpaceAfter == 0, "padding after the number is not supported");

public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;

        valueString->Clear();
        valueString->AppendNumber (static_cast<double> (value), static_cast<int32_t> (Precision));
        return true;
    }

    /** Keeps the first maxNumChars characters (none for a negative maximum) and
        drops a decimal point the cut left dangling at the end: 12.345 in 3
        characters is "12", not "12.". */
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (! ValueToString (value, valueString))
            return false;

        const auto maxLength = static_cast<uint32_t> (std::max (maxNumChars, int32_t (0)));

        if (valueString->Length() > maxLength)
            valueString->Erase (maxLength, valueString->Length() - maxLength);

        if (maxLength != 0 && valueString->Length() == maxLength && (*valueString)[maxLength - 1] == '.')
            valueString->Erase (maxLength - 1, 1);

        return true;
    }

    /** The number at the start of the text, clamped to T's range; 0 and false
        when the text does not start with one (or a null out pointer). */
    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        if (value == nullptr)
            return false;

        double number = 0.0;

        if (! valueString.ToDouble (&number))
        {
            *value = T (0);
            return false;
        }

        using Limits = std::numeric_limits<T>;
        *value = static_cast<T> (std::clamp (number, static_cast<double> (Limits::lowest()), static_cast<double> (Limits::max())));
        return true;
    }
};
