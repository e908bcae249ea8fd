// AAX_VDescriptionHost.h: forwards registration-time questions about host features to the host's description host.
#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IDescriptionHost.h"
#include "ACFPtr.h"

class AAX_VDescriptionHost : public AAX_IDescriptionHost
{
public:
    // Queries the host object (may be null); does not keep the object itself.
    explicit AAX_VDescriptionHost (IACFUnknown* hostObject);

    // Null without a description host, on a host failure or when the host knows nothing of the feature.
    const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& featureID) const override;

    // True when the host offers a description host.
    bool Supported() const noexcept { return static_cast<bool> (descriptionHostV1); }
    IACFDefinition* HostDefinition() const noexcept { return definition.get(); }

private:
    ACFPtr<AAX_IACFDescriptionHost> descriptionHostV1;
    ACFPtr<IACFDefinition> definition;
};
