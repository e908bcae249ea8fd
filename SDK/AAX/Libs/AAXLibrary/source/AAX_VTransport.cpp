// AAX_VTransport.cpp: transport queries forwarded to the version of the host's transport that has them.
#include "AAX_VTransport.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VTransport::AAX_VTransport (IACFUnknown* hostObject)
{
    transportV1.query (hostObject, IID_IAAXTransportV1);
    transportV2.query (hostObject, IID_IAAXTransportV2);
}

AAX_Result AAX_VTransport::GetCurrentTempo (double* beatsPerMinuteOut) const
{
    return transportV1 ? transportV1->GetCurrentTempo (beatsPerMinuteOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut) const
{
    return transportV1 ? transportV1->GetCurrentMeter (numeratorOut, denominatorOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::IsTransportPlaying (bool* isPlayingOut) const
{
    return transportV1 ? transportV1->IsTransportPlaying (isPlayingOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentTickPosition (int64_t* tickPositionOut) const
{
    return transportV1 ? transportV1->GetCurrentTickPosition (tickPositionOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition (bool* isLoopingOut, int64_t* loopStartTickOut, int64_t* loopEndTickOut) const
{
    return transportV1 ? transportV1->GetCurrentLoopPosition (isLoopingOut, loopStartTickOut, loopEndTickOut)
                       : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation (int64_t* sampleLocationOut) const
{
    return transportV1 ? transportV1->GetCurrentNativeSampleLocation (sampleLocationOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCustomTickPosition (int64_t* tickPositionOut, int64_t sampleLocation) const
{
    return transportV1 ? transportV1->GetCustomTickPosition (tickPositionOut, sampleLocation) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut,
                                               int64_t sampleLocation) const
{
    return transportV1 ? transportV1->GetBarBeatPosition (barsOut, beatsOut, displayTicksOut, sampleLocation)
                       : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetTicksPerQuarter (uint32_t* ticksOut) const
{
    return transportV1 ? transportV1->GetTicksPerQuarter (ticksOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat (uint32_t* ticksOut) const
{
    return transportV1 ? transportV1->GetCurrentTicksPerBeat (ticksOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition (int64_t* sampleLocationOut) const
{
    return transportV2 ? transportV2->GetTimelineSelectionStartPosition (sampleLocationOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VTransport::GetTimeCodeInfo (AAX_EFrameRate* frameRateOut, int32_t* offsetOut) const
{
    return transportV2 ? transportV2->GetTimeCodeInfo (frameRateOut, offsetOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* feetFramesRateOut, int64_t* offsetOut) const
{
    return transportV2 ? transportV2->GetFeetFramesInfo (feetFramesRateOut, offsetOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VTransport::IsMetronomeEnabled (int32_t* isEnabledOut) const
{
    return transportV2 ? transportV2->IsMetronomeEnabled (isEnabledOut) : AAX_ERROR_UNIMPLEMENTED;
}
