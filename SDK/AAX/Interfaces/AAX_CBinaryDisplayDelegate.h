// AAX_CBinaryDisplayDelegate: shows a two-state value as one of two texts.
#pragma once

#include "AAX_IDisplayDelegate.h"

#include <algorithm>

/** Shows an off value (zero or below) as the false text and an on value as the
    true text; reads back exactly those two texts. */
template <typename T>
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CBinaryDisplayDelegate (const char* falseString, const char* trueString)
        : mFalseString (falseString), mTrueString (trueString) {}

    AAX_CBinaryDisplayDelegate* Clone() const override { return new AAX_CBinaryDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;

        *valueString = value > T (0) ? mTrueString : mFalseString;
        return true;
    }

    /** The text cut to at most maxNumChars characters (none for a negative maximum). */
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (! ValueToString (value, valueString))
            return false;

        valueString->Erase (static_cast<uint32_t> (std::max (maxNumChars, int32_t (0))), valueString->Length());
        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        if (value == nullptr)
            return false;

        if (valueString == mTrueString)  { *value = T (1); return true; }
        if (valueString == mFalseString) { *value = T (0); return true; }

        return false;
    }

private:
    AAX_CString mFalseString;
    AAX_CString mTrueString;
};
