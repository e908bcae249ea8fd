// AAX_Enums.h: enumerations shared by the plug-in side and the host side of the interface.
#pragma once

#include "AAX.h"

// Priority words that accompany trace lines sent to the host.
enum AAX_ETracePriorityHost : int32_t
{
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_High = 0x08000000
};

// Who asked for a parameter value the host confirms; the library passes it through.
enum AAX_EUpdateSource : int32_t
{
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3
};

// The colour a host asks the window to highlight a parameter's control with.
enum AAX_EHighlightColor : int32_t
{
    AAX_eHighlightColor_Red = 0,
    AAX_eHighlightColor_Blue = 1,
    AAX_eHighlightColor_Green = 2,
    AAX_eHighlightColor_Yellow = 3,
    AAX_eHighlightColor_Num = 4   // the number of colours, not a colour
};

// The curves a host may ask an effect to draw, as four-character codes.
enum AAX_ECurveType : AAX_CTypeID
{
    AAX_eCurveType_None = 0,
    AAX_eCurveType_EQ = 'AXeq',
    AAX_eCurveType_Dynamics = 'AXdy',
    AAX_eCurveType_Reduction = 'AXdr'
};

// Notifications the host sends to an effect's objects, as four-character codes.
enum AAX_ENotificationEvent : AAX_CTypeID
{
    AAX_eNotificationEvent_ASPreviewState = 'ASPv',       // data: a 32-bit word, non-zero while previewing
    AAX_eNotificationEvent_ASProcessingState = 'ASPr',    // data: an AAX_EProcessingState
    AAX_eNotificationEvent_TrackNameChanged = 'TrNm',     // data: the track's name as an AAX_IString
    AAX_eNotificationEvent_SideChainBeingConnected = 'SCcn',
    AAX_eNotificationEvent_SideChainBeingDisconnected = 'SCdc',
    AAX_eNotificationEvent_EnteringOfflineMode = 'OfIn',
    AAX_eNotificationEvent_ExitingOfflineMode = 'OfOt'
};

// The stages of an offline (AudioSuite) render that the host reports.
enum AAX_EProcessingState : int32_t
{
    AAX_eProcessingState_None = 0,
    AAX_eProcessingState_StartPass = 1,
    AAX_eProcessingState_StopPass = 2,
    AAX_eProcessingState_BeginPassGroup = 3,
    AAX_eProcessingState_EndPassGroup = 4
};
