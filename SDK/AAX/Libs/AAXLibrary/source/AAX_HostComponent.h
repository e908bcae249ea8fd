// AAX_HostComponent.h: creating a host component, through the host object's component factory, for a wrapper to hold.
#pragma once

#include "ACFPtr.h"
#include "IACFComponentFactory.h"

#include "AAX_UIDs.h"

// Asks `hostObject`'s component factory for a new component of `classID` and
// keeps its interface `iid` in `component`. On any failure `component` stays
// null, and an object a failed creation may have handed out is released.
template <class Interface>
void AAX_CreateHostComponent (IACFUnknown* hostObject, const acfCLSID& classID, const acfIID& iid, ACFPtr<Interface>& component)
{
    component.reset();
    ACFPtr<IACFComponentFactory> factory;
    if (factory.query (hostObject, IID_IACFComponentFactory) != ACF_OK || ! factory)
        return;

    if (factory->CreateInstance (classID, nullptr, iid, component.resetAndGetAddress()) != ACF_OK)
        component.reset();
}
