// AAX_CString: the library's string object, an AAX_IString holding its own text.
#pragma once

#include "AAX_IString.h"

#include <string>

/** A byte string that owns its text. Text conversions (AppendNumber, ToDouble)
    always use the classic "C" locale, whatever locale the host process runs in,
    so a value reads and prints the same everywhere. Positions and counts beyond
    the end are clipped, never an error. */
class AAX_CString : public AAX_IString
{
public:
    /** The longest text the string reports it can hold. */
    static constexpr uint32_t kMaxLength = 0xFFFFFFFEu;

    AAX_CString() = default;
    AAX_CString (const char* iString);   // implicit: call sites pass C strings; null gives ""
    AAX_CString (const AAX_CString& iOther) = default;
    AAX_CString (AAX_CString&& iOther) noexcept = default;
    explicit AAX_CString (const AAX_IString& iOther);
    ~AAX_CString() override = default;

    // AAX_IString
    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* iString) override;
    AAX_IString& operator= (const AAX_IString& iOther) override;
    AAX_IString& operator= (const char* iString) override;

    AAX_CString& operator= (const AAX_CString& iOther);
    AAX_CString& operator= (AAX_CString&& iOther) noexcept;

    void Clear() noexcept;
    /** Removes up to iCount characters from iPos; stops at the end of the text. */
    void Erase (uint32_t iPos, uint32_t iCount);
    const char* CString() const noexcept;

    /** Appends iNumber in fixed notation with iPrecision digits after the point. */
    void AppendNumber (double iNumber, int32_t iPrecision);

    /** Reads one number from the start of the text (leading white space skipped,
        anything after the number ignored). On failure writes 0.0 and answers false;
        a null out pointer answers false. */
    bool ToDouble (double* oValue) const;

    /** Up to iCount characters from iPos into oString (empty past the end). */
    void SubString (uint32_t iPos, uint32_t iCount, AAX_IString* oString) const;

    bool operator== (const AAX_CString& iOther) const noexcept;
    bool operator!= (const AAX_CString& iOther) const noexcept;
    bool operator== (const char* iString) const noexcept;   // null compares as ""
    bool operator!= (const char* iString) const noexcept;

    /** The character at iIndex, or '\0' at or past the end. */
    char operator[] (uint32_t iIndex) const noexcept;

private:
    std::string mString;
};
