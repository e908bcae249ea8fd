// AAX_IString: the string interface that crosses every host and plug-in interface.
#pragma once

#include <cstdint>

/** A byte string as seen through an interface. Only the operations below are
    shared across the boundary; AAX_CString is the implementation. The order of
    the virtual functions is part of the binary interface. */
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    virtual const char* Get() const = 0;
    virtual void Set (const char* iString) = 0;
    virtual AAX_IString& operator= (const AAX_IString& iOther) = 0;
    virtual AAX_IString& operator= (const char* iString) = 0;

protected:
    AAX_IString() = default;
    AAX_IString (const AAX_IString&) = default;
};
