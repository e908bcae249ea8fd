// AAX_VFeatureInfo.h: forwards questions about one host feature to the host's feature-info object.
#pragma once

#include "AAX_IACFFeatureInfo.h"
#include "AAX_IFeatureInfo.h"
#include "ACFPtr.h"

class AAX_VFeatureInfo : public AAX_IFeatureInfo
{
public:
    // Takes a reference of its own to the host's feature object.
    AAX_VFeatureInfo (IACFUnknown* hostFeature, const AAX_Feature_UID& featureID);

    // -20004 without the host's feature info.
    AAX_Result SupportLevel (AAX_ESupportLevel& supportLevelOut) const override;
    const AAX_IPropertyMap* AcquireProperties() const override;
    const AAX_Feature_UID& ID() const override { return featureID; }

private:
    const AAX_Feature_UID featureID;
    ACFPtr<AAX_IACFFeatureInfo> featureInfoV1;
};
