// AAX_IDisplayDelegate: turns a parameter's real value into text and back.
#pragma once

#include "AAX_CString.h"

/** The type-independent base, so a parameter interface can take any display delegate. */
class AAX_IDisplayDelegateBase
{
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

/** Text conversions for real values of type T. Every operation answers whether it succeeded. */
template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    /** A new copy; the caller owns it. */
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString (T value, AAX_CString* valueString) const = 0;
    /** The text cut to at most maxNumChars characters. */
    virtual bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;
    virtual bool StringToValue (const AAX_CString& valueString, T* value) const = 0;
};
