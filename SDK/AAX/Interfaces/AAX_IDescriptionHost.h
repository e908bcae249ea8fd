// AAX_IDescriptionHost.h: the plug-in side's view of the host during registration: which host features exist.
#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

class AAX_IFeatureInfo;

class AAX_IDescriptionHost
{
public:
    virtual ~AAX_IDescriptionHost() = default;

    // A new object that the caller owns and deletes, or null when the host
    // says nothing about the feature.
    virtual const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& featureID) const = 0;
};
