// AAX_Properties.h: property identifiers of descriptor property maps, and the values of the meter properties.
#pragma once

#include <cstdint>

// Property values are signed 32-bit integers (AAX_CPropertyValue); pointer
// properties (36 to 42) carry addresses or texts instead.
enum AAX_EProperty : int32_t
{
    AAX_eProperty_NoID = 0,
    AAX_eProperty_MinProp = 10, // the lowest identifier a property can have

    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_PlugInID_TI = 15,

    AAX_eProperty_NativeProcessProc = 36,
    AAX_eProperty_NativeInstanceInitProc = 37,
    AAX_eProperty_NativeBackgroundProc = 38,
    AAX_eProperty_TIDLLFileName = 39,
    AAX_eProperty_TIProcessProc = 40,
    AAX_eProperty_TIInstanceInitProc = 41,
    AAX_eProperty_TIBackgroundProc = 42,

    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_AudioBufferLength = 54,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_SupportsSideChainInput = 61,
    AAX_eProperty_SupportsSaveRestore = 62,

    AAX_eProperty_Meter_Type = 200,
    AAX_eProperty_Meter_Orientation = 201,

    AAX_eProperty_Constraint_AlwaysProcess = 302,
    AAX_eProperty_Constraint_DoNotApplyDefaultSettings = 303,
    AAX_eProperty_Constraint_MultiMonoSupport = 304,

    AAX_eProperty_MaxProp = 401 // the highest identifier a property can have
};

// Values of AAX_eProperty_Meter_Type.
enum AAX_EMeterType : int32_t
{
    AAX_eMeterType_Input = 0,
    AAX_eMeterType_Output = 1,
    AAX_eMeterType_CLGain = 2,
    AAX_eMeterType_EGGain = 3,
    AAX_eMeterType_Analysis = 4,
    AAX_eMeterType_Other = 5
};

// Values of AAX_eProperty_Meter_Orientation.
enum AAX_EMeterOrientation : int32_t
{
    AAX_eMeterOrientation_Default = 0,
    AAX_eMeterOrientation_BottomLeft = AAX_eMeterOrientation_Default,
    AAX_eMeterOrientation_TopRight = 1,
    AAX_eMeterOrientation_Center = 2
};
