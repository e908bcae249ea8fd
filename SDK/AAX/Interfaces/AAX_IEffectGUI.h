// AAX_IEffectGUI.h: the effect's window object: the host-facing interface on a reference-counted base.
#pragma once

#include "AAX_IACFEffectGUI.h"
#include "CACFUnknown.h"

/** The interface comes first, so the object's address is the interface
    pointer its lookup answers (unless a derived class answers another face);
    CACFUnknown counts references and answers lookups. */
class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown
{
public:
    ACF_DECLARE_STANDARD_UNKNOWN()

    // Declared here so that, after the host's operations, the table goes on
    // with the lookup and then the destructors.
    acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut) override = 0;
    ~AAX_IEffectGUI() override = default;
};
