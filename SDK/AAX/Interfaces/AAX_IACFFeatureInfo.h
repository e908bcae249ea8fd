// AAX_IACFFeatureInfo.h: the host's feature-info interface as its table of operations.
#pragma once

#include "AAX_IFeatureInfo.h"
#include "IACFUnknown.h"

class AAX_IACFFeatureInfo : public IACFUnknown
{
public:
    virtual AAX_Result SupportLevel (AAX_ESupportLevel* supportLevelOut) = 0;                          // 3
    // Answers the host's property map of the feature (one reference for the caller).
    virtual AAX_Result AcquireProperties (IACFUnknown** propertyMapOut) = 0;                           // 4

protected:
    ~AAX_IACFFeatureInfo() = default;
};
