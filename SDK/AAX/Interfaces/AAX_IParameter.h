// AAX_IParameterValue and AAX_IParameter: a parameter as the effect-parameters object sees it.
#pragma once

#include "AAX.h"
#include "AAX_CString.h"

/** How the host treats a parameter's values: as a few discrete steps or as a continuum. */
enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1
};

/** Which way a parameter's controls run: a combination of the flags below.
    The zero flags name the default directions, so they can be combined freely. */
using AAX_EParameterOrientation = int32_t;

enum : int32_t
{
    AAX_eParameterOrientation_Default = 0,
    AAX_eParameterOrientation_LeftMinRightMax = 0,
    AAX_eParameterOrientation_RightMinLeftMax = 0x01,
    AAX_eParameterOrientation_BottomMinTopMax = 0,
    AAX_eParameterOrientation_TopMinBottomMax = 0x02,
    AAX_eParameterOrientation_RotarySingleDotMode = 0,
    AAX_eParameterOrientation_RotaryLeftMinRightMax = 0,
    AAX_eParameterOrientation_RotaryRightMinLeftMax = 0x10
};

class AAX_IAutomationDelegate;
class AAX_ITaperDelegateBase;
class AAX_IDisplayDelegateBase;

/** A detached copy of a parameter's identifier and value. Each getter answers
    false, writing nothing, unless the value has the getter's type. */
class AAX_IParameterValue
{
public:
    virtual ~AAX_IParameterValue() = default;

    /** A new copy; the caller owns it. */
    virtual AAX_IParameterValue* Clone() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual bool GetValueAsBool (bool* value) const = 0;
    virtual bool GetValueAsInt32 (int32_t* value) const = 0;
    virtual bool GetValueAsFloat (float* value) const = 0;
    virtual bool GetValueAsDouble (double* value) const = 0;
    virtual bool GetValueAsString (AAX_IString* value) const = 0;
};

/** A host-automatable parameter. The host sees normalized values (doubles in
    [0, 1]); the plug-in works with real values of the parameter's own type.
    Typed operations answer false, writing nothing, for a type other than the
    parameter's. The order of the virtual functions is part of the interface. */
class AAX_IParameter
{
public:
    virtual ~AAX_IParameter() = default;

    // Identity and names
    /** A new copy of the identifier and current value; the caller owns it. */
    virtual AAX_IParameterValue* CloneValue() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual void SetName (const AAX_CString& name) = 0;
    virtual const AAX_CString& Name() const = 0;
    virtual void AddShortenedName (const AAX_IString& name) = 0;
    virtual const AAX_CString& ShortenedName (int32_t length) const = 0;
    virtual void ClearShortenedNames() = 0;

    // Automation
    virtual bool Automatable() const = 0;
    virtual void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;

    // Normalized values
    virtual void SetNormalizedValue (double normalizedValue) = 0;
    virtual double GetNormalizedValue() const = 0;
    virtual void SetNormalizedDefaultValue (double normalizedDefault) = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    virtual void SetToDefaultValue() = 0;

    // Steps
    virtual void SetNumberOfSteps (uint32_t numSteps) = 0;
    virtual uint32_t GetNumberOfSteps() const = 0;
    virtual uint32_t GetStepValue() const = 0;
    virtual double GetNormalizedValueFromStep (uint32_t step) const = 0;
    virtual uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const = 0;
    virtual void SetStepValue (uint32_t step) = 0;

    // Text of the current value
    virtual bool GetValueString (AAX_CString* valueString) const = 0;
    virtual bool GetValueString (int32_t maxNumChars, AAX_CString* valueString) const = 0;

    // Typed conversions to and from normalized values
    virtual bool GetNormalizedValueFromBool (bool value, double* normalizedValue) const = 0;
    virtual bool GetNormalizedValueFromInt32 (int32_t value, double* normalizedValue) const = 0;
    virtual bool GetNormalizedValueFromFloat (float value, double* normalizedValue) const = 0;
    virtual bool GetNormalizedValueFromDouble (double value, double* normalizedValue) const = 0;
    virtual bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const = 0;
    virtual bool GetBoolFromNormalizedValue (double normalizedValue, bool* value) const = 0;
    virtual bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* value) const = 0;
    virtual bool GetFloatFromNormalizedValue (double normalizedValue, float* value) const = 0;
    virtual bool GetDoubleFromNormalizedValue (double normalizedValue, double* value) const = 0;
    virtual bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const = 0;
    virtual bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars, AAX_CString& valueString) const = 0;
    virtual bool SetValueFromString (const AAX_CString& valueString) = 0;

    // Typed access to the current value
    virtual bool GetValueAsBool (bool* value) const = 0;
    virtual bool GetValueAsInt32 (int32_t* value) const = 0;
    virtual bool GetValueAsFloat (float* value) const = 0;
    virtual bool GetValueAsDouble (double* value) const = 0;
    virtual bool GetValueAsString (AAX_IString* value) const = 0;
    virtual bool SetValueWithBool (bool value) = 0;
    virtual bool SetValueWithInt32 (int32_t value) = 0;
    virtual bool SetValueWithFloat (float value) = 0;
    virtual bool SetValueWithDouble (double value) = 0;
    virtual bool SetValueWithString (const AAX_IString& value) = 0;

    // Presentation
    virtual void SetType (AAX_EParameterType type) = 0;
    virtual AAX_EParameterType GetType() const = 0;
    virtual void SetOrientation (AAX_EParameterOrientation orientation) = 0;
    virtual AAX_EParameterOrientation GetOrientation() const = 0;
    /** Replaces the taper with a copy of one for the parameter's type (others are ignored). */
    virtual void SetTaperDelegate (AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) = 0;
    /** Replaces the display delegate with a copy of one for the parameter's type (others are ignored). */
    virtual void SetDisplayDelegate (AAX_IDisplayDelegateBase& displayDelegate) = 0;

    /** The host's confirmed value; the only way a posted change reaches the stored value. */
    virtual void UpdateNormalizedValue (double normalizedValue) = 0;
};
