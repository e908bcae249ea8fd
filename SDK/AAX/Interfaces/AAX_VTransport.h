// AAX_VTransport.h: forwards transport queries to the host's transport.
#pragma once

#include "AAX_IACFTransport.h"
#include "AAX_ITransport.h"
#include "ACFPtr.h"

// Version-1 operations answer -20004 without version 1, the newer ones -20009 without version 2.
class AAX_VTransport : public AAX_ITransport
{
public:
    // Queries the host object (the instance's controller; may be null).
    explicit AAX_VTransport (IACFUnknown* hostObject);

    AAX_Result GetCurrentTempo (double* beatsPerMinuteOut) const override;
    AAX_Result GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut) const override;
    AAX_Result IsTransportPlaying (bool* isPlayingOut) const override;
    AAX_Result GetCurrentTickPosition (int64_t* tickPositionOut) const override;
    AAX_Result GetCurrentLoopPosition (bool* isLoopingOut, int64_t* loopStartTickOut, int64_t* loopEndTickOut) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocationOut) const override;
    AAX_Result GetCustomTickPosition (int64_t* tickPositionOut, int64_t sampleLocation) const override;
    AAX_Result GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut,
                                   int64_t sampleLocation) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* ticksOut) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticksOut) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocationOut) const override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* frameRateOut, int32_t* offsetOut) const override;
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* feetFramesRateOut, int64_t* offsetOut) const override;
    AAX_Result IsMetronomeEnabled (int32_t* isEnabledOut) const override;

private:
    ACFPtr<AAX_IACFTransport> transportV1;
    ACFPtr<AAX_IACFTransport_V2> transportV2;
};
