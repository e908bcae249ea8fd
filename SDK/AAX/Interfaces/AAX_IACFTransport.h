// AAX_IACFTransport.h: the host's transport interface, versions 1 and 2, as tables of operations.
#pragma once

#include "AAX_ITransport.h"
#include "IACFUnknown.h"

class AAX_IACFTransport : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo (double* beatsPerMinuteOut) = 0;                                  // 3
    virtual AAX_Result GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut) = 0;             // 4
    virtual AAX_Result IsTransportPlaying (bool* isPlayingOut) = 0;                                      // 5
    virtual AAX_Result GetCurrentTickPosition (int64_t* tickPositionOut) = 0;                            // 6
    virtual AAX_Result GetCurrentLoopPosition (bool* isLoopingOut, int64_t* loopStartTickOut,
                                               int64_t* loopEndTickOut) = 0;                             // 7
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocationOut) = 0;                  // 8
    virtual AAX_Result GetCustomTickPosition (int64_t* tickPositionOut, int64_t sampleLocation) = 0;     // 9
    virtual AAX_Result GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut,
                                           int64_t sampleLocation) = 0;                                  // 10
    virtual AAX_Result GetTicksPerQuarter (uint32_t* ticksOut) = 0;                                      // 11
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* ticksOut) = 0;                                  // 12

protected:
    ~AAX_IACFTransport() = default;
};

class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocationOut) = 0;               // 13
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* frameRateOut, int32_t* offsetOut) = 0;           // 14
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* feetFramesRateOut, int64_t* offsetOut) = 0; // 15
    virtual AAX_Result IsMetronomeEnabled (int32_t* isEnabledOut) = 0;                                   // 16

protected:
    ~AAX_IACFTransport_V2() = default;
};
