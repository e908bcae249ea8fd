// AAX_IACFDescriptionHost.h: the host's description-host interface as its table of operations, and its definition interface.
#pragma once

#include "AAX_UIDs.h"
#include "AAX.h"
#include "IACFUnknown.h"

class AAX_IACFDescriptionHost : public IACFUnknown
{
public:
    // Answers the host's feature-info object (one reference for the caller).
    virtual AAX_Result AcquireFeatureProperties (const AAX_Feature_UID& featureID, IACFUnknown** featureInfoOut) = 0; // 3

protected:
    ~AAX_IACFDescriptionHost() = default;
};

// The host's definition interface; the module only keeps it for the plug-in.
class IACFDefinition : public IACFUnknown
{
protected:
    ~IACFDefinition() = default;
};
