// AAX_IEffectParameters.h: the effect's parameters object: the host-facing interface on a reference-counted base.
#pragma once

#include "AAX_IACFEffectParameters.h"
#include "CACFUnknown.h"

/** The interface comes first, so the object's address is the interface
    pointer the host holds; CACFUnknown counts references and answers lookups. */
class AAX_IEffectParameters : public AAX_IACFEffectParameters_V4, public CACFUnknown
{
public:
    ACF_DECLARE_STANDARD_UNKNOWN()

    // Declared here so that, after the host's operations, the table goes on
    // with the lookup and then the destructors.
    acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut) override = 0;
    ~AAX_IEffectParameters() override = default;
};
