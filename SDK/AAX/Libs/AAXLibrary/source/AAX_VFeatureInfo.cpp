// AAX_VFeatureInfo.cpp: one host feature's support level and properties.
#include "AAX_VFeatureInfo.h"

#include "AAX_Errors.h"
#include "AAX_VPropertyMap.h"

AAX_VFeatureInfo::AAX_VFeatureInfo (IACFUnknown* hostFeature, const AAX_Feature_UID& id)
    : featureID (id)
{
    featureInfoV1.query (hostFeature, IID_IAAXFeatureInfoV1);
}

AAX_Result AAX_VFeatureInfo::SupportLevel (AAX_ESupportLevel& supportLevelOut) const
{
    return featureInfoV1 ? featureInfoV1->SupportLevel (&supportLevelOut) : AAX_ERROR_NULL_OBJECT;
}

const AAX_IPropertyMap* AAX_VFeatureInfo::AcquireProperties() const
{
    if (! featureInfoV1)
        return nullptr;

    ACFPtr<IACFUnknown> properties;
    if (featureInfoV1->AcquireProperties (reinterpret_cast<IACFUnknown**> (properties.resetAndGetAddress())) != AAX_SUCCESS
        || ! properties)
        return nullptr;

    return AAX_VPropertyMap::Acquire (properties.get()).release();
}
