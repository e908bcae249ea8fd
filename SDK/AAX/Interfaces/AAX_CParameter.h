// AAX_CParameterValue and AAX_CParameter: a typed parameter with taper, display text and host automation.
#pragma once

#include "AAX_Assert.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <type_traits>

/** Identifiers are stored inline: at most this many bytes including the terminator. */
enum { eParemeterDefaultMaxIdentifierSize = 32 };

namespace AAX_ParameterDetail
{
    /** Writes value to out when V is the parameter's type T; otherwise answers false. */
    template <typename V, typename T>
    bool assignIfSameType (V* out, const T& value) noexcept
    {
        if constexpr (std::is_same_v<V, T>)
        {
            if (out == nullptr)
                return false;

            *out = value;
            return true;
        }
        else
        {
            (void) out;
            (void) value;
            return false;
        }
    }
}

//==============================================================================
template <typename T>
class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    /** A longer identifier is reported and cut to its first 31 characters; null is empty. */
    AAX_CParameterValue (AAX_CParamID identifier, T value) : mValue (value)
    {
        const size_t len = identifier != nullptr ? std::strlen (identifier) : 0;
        AAX_ASSERT (len < eParemeterDefaultMaxIdentifierSize);

        const size_t kept = std::min (len, size_t (eParemeterDefaultMaxIdentifierSize - 1));
        std::memcpy (mIdentifier, identifier != nullptr ? identifier : "", kept);
        mIdentifier[kept] = '\0';
    }

    AAX_CParameterValue* Clone() const override { return new AAX_CParameterValue (mIdentifier, mValue); }
    AAX_CParamID Identifier() const override { return mIdentifier; }

    bool GetValueAsBool (bool* value) const override     { return AAX_ParameterDetail::assignIfSameType (value, mValue); }
    bool GetValueAsInt32 (int32_t* value) const override { return AAX_ParameterDetail::assignIfSameType (value, mValue); }
    bool GetValueAsFloat (float* value) const override   { return AAX_ParameterDetail::assignIfSameType (value, mValue); }
    bool GetValueAsDouble (double* value) const override { return AAX_ParameterDetail::assignIfSameType (value, mValue); }
    bool GetValueAsString (AAX_IString*) const override  { return false; }

    T Get() const noexcept { return mValue; }
    void Set (T value) noexcept { mValue = value; }

private:
    char mIdentifier[eParemeterDefaultMaxIdentifierSize];
    T mValue;
};

//==============================================================================
/** A parameter with real values of type T.

    Changes the plug-in asks for are posted: while an automation delegate is set
    they go to the host as a touch, a set-value request and a release, and the
    stored value changes only when the host answers through UpdateNormalizedValue.
    Without a delegate the update happens at once. */
template <typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier, const AAX_IString& name, T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate, const AAX_IDisplayDelegate<T>& displayDelegate,
                    bool automatable = false)
        : mName (name),
          mAutomatable (automatable),
          mTaperDelegate (taperDelegate.Clone()),
          mDisplayDelegate (displayDelegate.Clone()),
          mValue (identifier, T (0)),
          mDefaultValue (defaultValue)
    {
        SetToDefaultValue();
    }

    ~AAX_CParameter() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());
    }

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    // Identity and names ------------------------------------------------------
    AAX_CParameterValue<T>* CloneValue() const override { return mValue.Clone(); }
    AAX_CParamID Identifier() const override { return mValue.Identifier(); }
    void SetName (const AAX_CString& name) override { mName = name; }
    const AAX_CString& Name() const override { return mName; }

    /** Stored under its length, replacing a name of the same length. */
    void AddShortenedName (const AAX_IString& name) override { mShortenedNames[name.Length()] = AAX_CString (name); }
    void AddShortenedName (const char* name) { AddShortenedName (AAX_CString (name)); }

    /** The full name when it fits in length characters (or length is negative);
        else the longest shortened name that fits; else the shortest one. */
    const AAX_CString& ShortenedName (int32_t length) const override
    {
        if (length < 0 || mName.Length() <= static_cast<uint32_t> (length) || mShortenedNames.empty())
            return mName;

        const auto longerThanLength = mShortenedNames.upper_bound (static_cast<uint32_t> (length));
        return longerThanLength == mShortenedNames.begin() ? longerThanLength->second
                                                            : std::prev (longerThanLength)->second;
    }

    void ClearShortenedNames() override { mShortenedNames.clear(); }

    // Automation --------------------------------------------------------------
    bool Automatable() const override { return mAutomatable; }

    void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());

        mAutomationDelegate = automationDelegate;

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->RegisterParameter (Identifier());
    }

    void Touch() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostTouchRequest (Identifier());
    }

    void Release() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostReleaseRequest (Identifier());
    }

    // Normalized values -------------------------------------------------------
    void SetNormalizedValue (double normalizedValue) override
    {
        postValue (mTaperDelegate->RealToNormalized (mTaperDelegate->NormalizedToReal (normalizedValue)));
    }

    double GetNormalizedValue() const override { return mTaperDelegate->RealToNormalized (mValue.Get()); }

    void SetNormalizedDefaultValue (double normalizedDefault) override
    {
        mDefaultValue = mTaperDelegate->NormalizedToReal (normalizedDefault);
    }

    double GetNormalizedDefaultValue() const override { return mTaperDelegate->RealToNormalized (mDefaultValue); }
    void SetToDefaultValue() override { postValue (GetNormalizedDefaultValue()); }

    /** Posts a real value (as its normalized value under the current taper). */
    void SetValue (T value) { postValue (mTaperDelegate->RealToNormalized (value)); }

    // Steps -------------------------------------------------------------------
    /** Zero steps is reported and ignored: the count stays as it was. */
    void SetNumberOfSteps (uint32_t numSteps) override
    {
        AAX_ASSERT (0 < numSteps);

        if (0 < numSteps)
            mNumSteps = numSteps;
    }

    uint32_t GetNumberOfSteps() const override { return mNumSteps; }
    uint32_t GetStepValue() const override { return GetStepValueFromNormalizedValue (GetNormalizedValue()); }

    double GetNormalizedValueFromStep (uint32_t step) const override
    {
        if (mNumSteps < 2)
            return 0.0;

        return std::min (step * stepSize(), 1.0);
    }

    uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const override
    {
        if (mNumSteps < 2)
            return 0;

        const double step = normalizedValue / stepSize() + 0.5;

        // NaN fails the comparison and lands on step 0 rather than in the integer conversion.
        if (! (step > 0.0))
            return 0;

        return static_cast<uint32_t> (std::min (step, static_cast<double> (mNumSteps - 1)));
    }

    void SetStepValue (uint32_t step) override
    {
        if (mNumSteps >= 2)
            SetNormalizedValue (GetNormalizedValueFromStep (step));
    }

    // Text of the current value -----------------------------------------------
    bool GetValueString (AAX_CString* valueString) const override
    {
        return mDisplayDelegate->ValueToString (mValue.Get(), valueString);
    }

    /** The full text: the host cuts it to its own width. */
    bool GetValueString (int32_t, AAX_CString* valueString) const override { return GetValueString (valueString); }

    // Typed conversions -------------------------------------------------------
    bool GetNormalizedValueFromBool (bool value, double* normalizedValue) const override     { return normalizedFromReal (value, normalizedValue); }
    bool GetNormalizedValueFromInt32 (int32_t value, double* normalizedValue) const override { return normalizedFromReal (value, normalizedValue); }
    bool GetNormalizedValueFromFloat (float value, double* normalizedValue) const override   { return normalizedFromReal (value, normalizedValue); }
    bool GetNormalizedValueFromDouble (double value, double* normalizedValue) const override { return normalizedFromReal (value, normalizedValue); }

    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const override
    {
        T value {};

        if (normalizedValue == nullptr || ! mDisplayDelegate->StringToValue (valueString, &value))
            return false;

        *normalizedValue = mTaperDelegate->RealToNormalized (value);
        return true;
    }

    bool GetBoolFromNormalizedValue (double normalizedValue, bool* value) const override       { return realFromNormalized (normalizedValue, value); }
    bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* value) const override   { return realFromNormalized (normalizedValue, value); }
    bool GetFloatFromNormalizedValue (double normalizedValue, float* value) const override     { return realFromNormalized (normalizedValue, value); }
    bool GetDoubleFromNormalizedValue (double normalizedValue, double* value) const override   { return realFromNormalized (normalizedValue, value); }

    /** True only when the text was made for a value the taper can hold. */
    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const override
    {
        const T value = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (value, &valueString) && isWithinTaper (value);
    }

    bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars, AAX_CString& valueString) const override
    {
        const T value = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (value, maxNumChars, &valueString) && isWithinTaper (value);
    }

    /** Posts the value the text names; text that names none changes nothing. */
    bool SetValueFromString (const AAX_CString& valueString) override
    {
        T value {};

        if (! mDisplayDelegate->StringToValue (valueString, &value))
            return false;

        SetValue (value);
        return true;
    }

    // Typed access to the current value --------------------------------------
    bool GetValueAsBool (bool* value) const override     { return mValue.GetValueAsBool (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return mValue.GetValueAsInt32 (value); }
    bool GetValueAsFloat (float* value) const override   { return mValue.GetValueAsFloat (value); }
    bool GetValueAsDouble (double* value) const override { return mValue.GetValueAsDouble (value); }

    bool GetValueAsString (AAX_IString* value) const override
    {
        if (value == nullptr)
            return false;

        AAX_CString text;
        const bool made = GetValueString (&text);

        if (made)
            *value = text;

        return made;
    }

    bool SetValueWithBool (bool value) override     { return setIfSameType (value); }
    bool SetValueWithInt32 (int32_t value) override { return setIfSameType (value); }
    bool SetValueWithFloat (float value) override   { return setIfSameType (value); }
    bool SetValueWithDouble (double value) override { return setIfSameType (value); }
    bool SetValueWithString (const AAX_IString& value) override { return SetValueFromString (AAX_CString (value)); }

    // Presentation ------------------------------------------------------------
    void SetType (AAX_EParameterType type) override { mType = type; }
    AAX_EParameterType GetType() const override { return mType; }
    void SetOrientation (AAX_EParameterOrientation orientation) override { mOrientation = orientation; }
    AAX_EParameterOrientation GetOrientation() const override { return mOrientation; }

    /** With preserveValue the real value is posted again under the new taper;
        otherwise the normalized position is kept and the real value moves. */
    void SetTaperDelegate (AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) override
    {
        const auto* newTaper = dynamic_cast<const AAX_ITaperDelegate<T>*> (&taperDelegate);

        if (newTaper == nullptr)
            return;

        const double normalizedValue = GetNormalizedValue();
        mTaperDelegate.reset (newTaper->Clone());
        mNeedNotify = true;

        if (preserveValue)
            postValue (mTaperDelegate->RealToNormalized (mValue.Get()));
        else
            UpdateNormalizedValue (normalizedValue);
    }

    /** The host is told the current value again so that it refreshes the text. */
    void SetDisplayDelegate (AAX_IDisplayDelegateBase& displayDelegate) override
    {
        const auto* newDisplay = dynamic_cast<const AAX_IDisplayDelegate<T>*> (&displayDelegate);

        if (newDisplay == nullptr)
            return;

        mDisplayDelegate.reset (newDisplay->Clone());

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), GetNormalizedValue());
    }

    /** Stores the value unless it is unchanged and no notification is pending;
        a stored value is reported back to the host as the current value. */
    void UpdateNormalizedValue (double normalizedValue) override
    {
        const T value = mTaperDelegate->NormalizedToReal (normalizedValue);

        if (! mNeedNotify && value == mValue.Get())
            return;

        mValue.Set (value);

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), normalizedValue);

        mNeedNotify = false;
    }

private:
    static constexpr uint32_t kDefaultNumSteps = 128;

    void postValue (double normalizedValue)
    {
        if (mAutomationDelegate != nullptr)
        {
            Touch();
            mAutomationDelegate->PostSetValueRequest (Identifier(), normalizedValue);
            Release();
        }
        else
        {
            mNeedNotify = true;
            UpdateNormalizedValue (normalizedValue);
        }
    }

    double stepSize() const noexcept { return 1.0 / (mNumSteps - 1); }

    bool isWithinTaper (T value) const
    {
        const T a = mTaperDelegate->GetMinimumValue(), b = mTaperDelegate->GetMaximumValue();
        return std::min (a, b) <= value && value <= std::max (a, b);
    }

    template <typename V>
    bool normalizedFromReal (V value, double* normalizedValue) const
    {
        if constexpr (std::is_same_v<V, T>)
        {
            if (normalizedValue == nullptr)
                return false;

            *normalizedValue = mTaperDelegate->RealToNormalized (value);
            return true;
        }
        else
        {
            (void) value;
            (void) normalizedValue;
            return false;
        }
    }

    template <typename V>
    bool realFromNormalized (double normalizedValue, V* value) const
    {
        if constexpr (std::is_same_v<V, T>)
        {
            return AAX_ParameterDetail::assignIfSameType (value, mTaperDelegate->NormalizedToReal (normalizedValue));
        }
        else
        {
            (void) normalizedValue;
            (void) value;
            return false;
        }
    }

    template <typename V>
    bool setIfSameType (V value)
    {
        if constexpr (std::is_same_v<V, T>)
        {
            SetValue (value);
            return true;
        }
        else
        {
            (void) value;
            return false;
        }
    }

    AAX_CString mName;
    std::map<uint32_t, AAX_CString> mShortenedNames;
    bool mAutomatable;
    uint32_t mNumSteps = kDefaultNumSteps;
    AAX_EParameterType mType = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation mOrientation = AAX_eParameterOrientation_Default;
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplayDelegate;
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    bool mNeedNotify = true;
    AAX_CParameterValue<T> mValue;
    T mDefaultValue;
};
