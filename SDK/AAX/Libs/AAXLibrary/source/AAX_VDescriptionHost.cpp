// AAX_VDescriptionHost.cpp: host features and their properties, wrapped for the description callback.
#include "AAX_VDescriptionHost.h"

#include "AAX_Errors.h"
#include "AAX_VFeatureInfo.h"

AAX_VDescriptionHost::AAX_VDescriptionHost (IACFUnknown* hostObject)
{
    descriptionHostV1.query (hostObject, IID_IAAXDescriptionHostV1);
    definition.query (hostObject, IID_IACFDefinition);
}

const AAX_IFeatureInfo* AAX_VDescriptionHost::AcquireFeatureProperties (const AAX_Feature_UID& featureID) const
{
    if (! descriptionHostV1)
        return nullptr;

    // The host's reference goes with `feature`, whatever the host answered.
    ACFPtr<IACFUnknown> feature;
    if (descriptionHostV1->AcquireFeatureProperties (featureID, reinterpret_cast<IACFUnknown**> (feature.resetAndGetAddress())) != AAX_SUCCESS
        || ! feature)
        return nullptr;

    return new AAX_VFeatureInfo (feature.get(), featureID);
}
