// AAX_IFeatureInfo.h: what the host says about one of its features: how far it supports it, and the feature's properties.
#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

class AAX_IPropertyMap;

enum AAX_ESupportLevel : int32_t
{
    AAX_eSupportLevel_Uninitialized = 0,
    AAX_eSupportLevel_Unsupported = 1,
    AAX_eSupportLevel_Supported = 2,
    AAX_eSupportLevel_Disabled = 3,
    // Supported in parts: the feature's property map says which.
    AAX_eSupportLevel_ByProperty = 4
};

class AAX_IFeatureInfo
{
public:
    virtual ~AAX_IFeatureInfo() = default;

    virtual AAX_Result SupportLevel (AAX_ESupportLevel& supportLevelOut) const = 0;
    // A new map that the caller owns and deletes, or null.
    virtual const AAX_IPropertyMap* AcquireProperties() const = 0;
    virtual const AAX_Feature_UID& ID() const = 0;
};
