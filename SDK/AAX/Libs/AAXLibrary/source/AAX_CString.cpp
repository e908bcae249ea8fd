// AAX_CString: text storage, clipping edits and locale-independent number conversions.
#include "AAX_CString.h"

#include <cstring>
#include <iomanip>
#include <locale>
#include <sstream>

namespace
{
    const char* orEmpty (const char* s) noexcept { return s != nullptr ? s : ""; }
}

AAX_CString::AAX_CString (const char* iString) : mString (orEmpty (iString)) {}

AAX_CString::AAX_CString (const AAX_IString& iOther) : mString (orEmpty (iOther.Get())) {}

uint32_t AAX_CString::Length() const { return static_cast<uint32_t> (mString.size()); }

uint32_t AAX_CString::MaxLength() const { return kMaxLength; }

const char* AAX_CString::Get() const { return mString.c_str(); }

void AAX_CString::Set (const char* iString) { mString = orEmpty (iString); }

AAX_IString& AAX_CString::operator= (const AAX_IString& iOther)
{
    if (&iOther != this)
        Set (iOther.Get());

    return *this;
}

AAX_IString& AAX_CString::operator= (const char* iString)
{
    Set (iString);
    return *this;
}

AAX_CString& AAX_CString::operator= (const AAX_CString& iOther)
{
    mString = iOther.mString;
    return *this;
}

AAX_CString& AAX_CString::operator= (AAX_CString&& iOther) noexcept
{
    mString = std::move (iOther.mString);
    return *this;
}

void AAX_CString::Clear() noexcept { mString.clear(); }

void AAX_CString::Erase (uint32_t iPos, uint32_t iCount)
{
    if (iPos < mString.size())
        mString.erase (iPos, iCount);   // std::string clips the count at the end
}

const char* AAX_CString::CString() const noexcept { return mString.c_str(); }

void AAX_CString::AppendNumber (double iNumber, int32_t iPrecision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());
    stream << std::fixed << std::setprecision (iPrecision) << iNumber;
    mString += stream.str();
}

bool AAX_CString::ToDouble (double* oValue) const
{
    if (oValue == nullptr)
        return false;

    std::istringstream stream (mString);
    stream.imbue (std::locale::classic());

    double value = 0.0;

    // An out-of-range number also fails here (the stream reports it, and its
    // clamped value is not a number the text holds).
    if (! (stream >> value))
    {
        *oValue = 0.0;
        return false;
    }

    *oValue = value;
    return true;
}

void AAX_CString::SubString (uint32_t iPos, uint32_t iCount, AAX_IString* oString) const
{
    if (oString == nullptr)
        return;

    oString->Set (iPos < mString.size() ? mString.substr (iPos, iCount).c_str() : "");
}

bool AAX_CString::operator== (const AAX_CString& iOther) const noexcept
{
    return std::strcmp (Get(), iOther.Get()) == 0;
}

bool AAX_CString::operator!= (const AAX_CString& iOther) const noexcept { return ! (*this == iOther); }

bool AAX_CString::operator== (const char* iString) const noexcept
{
    return std::strcmp (Get(), orEmpty (iString)) == 0;
}

bool AAX_CString::operator!= (const char* iString) const noexcept { return ! (*this == iString); }

char AAX_CString::operator[] (uint32_t iIndex) const noexcept
{
    return iIndex < mString.size() ? mString[iIndex] : '\0';
}
