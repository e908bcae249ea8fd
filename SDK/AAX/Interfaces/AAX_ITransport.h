// AAX_ITransport.h: the plug-in side's view of the host's transport: tempo, meter, play state, positions and time code.
#pragma once

#include "AAX.h"

// Time-code frame rates; the values are fixed, hosts and clients compare them.
enum AAX_EFrameRate : int32_t
{
    AAX_eFrameRate_Undeclared = 0,
    AAX_eFrameRate_24Frame = 1,
    AAX_eFrameRate_25Frame = 2,
    AAX_eFrameRate_2997NonDrop = 3,
    AAX_eFrameRate_2997DropFrame = 4,
    AAX_eFrameRate_30NonDrop = 5,
    AAX_eFrameRate_30DropFrame = 6,
    AAX_eFrameRate_23976 = 7,
    AAX_eFrameRate_47952 = 8,
    AAX_eFrameRate_48Frame = 9,
    AAX_eFrameRate_50Frame = 10,
    AAX_eFrameRate_5994NonDrop = 11,
    AAX_eFrameRate_5994DropFrame = 12,
    AAX_eFrameRate_60NonDrop = 13,
    AAX_eFrameRate_60DropFrame = 14,
    AAX_eFrameRate_100Frame = 15,
    AAX_eFrameRate_11988NonDrop = 16,
    AAX_eFrameRate_11988DropFrame = 17,
    AAX_eFrameRate_120NonDrop = 18,
    AAX_eFrameRate_120DropFrame = 19
};

// Film feet-and-frames rates.
enum AAX_EFeetFramesRate : int32_t
{
    AAX_eFeetFramesRate_23976 = 0,
    AAX_eFeetFramesRate_24 = 1,
    AAX_eFeetFramesRate_25 = 2
};

class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    virtual AAX_Result GetCurrentTempo (double* beatsPerMinuteOut) const = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut) const = 0;
    virtual AAX_Result IsTransportPlaying (bool* isPlayingOut) const = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* tickPositionOut) const = 0;
    virtual AAX_Result GetCurrentLoopPosition (bool* isLoopingOut, int64_t* loopStartTickOut, int64_t* loopEndTickOut) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocationOut) const = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* tickPositionOut, int64_t sampleLocation) const = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut,
                                           int64_t sampleLocation) const = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* ticksOut) const = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* ticksOut) const = 0;
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocationOut) const = 0;
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* frameRateOut, int32_t* offsetOut) const = 0;
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* feetFramesRateOut, int64_t* offsetOut) const = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* isEnabledOut) const = 0;
};
