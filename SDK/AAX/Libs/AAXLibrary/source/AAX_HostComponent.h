// AAX_HostComponent.h: creating a host component, through the host object's component factory, for a wrapper to hold.
#pragma once

#include "ACFPtr.h"
#include "IACFComponentFactory.h"

#include "AAX_UIDs.h"

// `hostObject`'s component factory; null when it has none.
inline ACFPtr<IACFComponentFactory> AAX_HostComponentFactory (IACFUnknown* hostObject)
{
    ACFPtr<IACFComponentFactory> factory;
    factory.query (hostObject, IID_IACFComponentFactory);
    return factory;
}

// Asks `factory` for a new component of `classID` and keeps its interface
// `iid` in `component`. On any failure `component` stays null, and an object
// a failed creation may have handed out is released.
template <class Interface>
void AAX_CreateHostComponent (IACFComponentFactory& factory, const acfCLSID& classID, const acfIID& iid,
                              ACFPtr<Interface>& component)
{
    if (factory.CreateInstance (classID, nullptr, iid, component.resetAndGetAddress()) != ACF_OK)
        component.reset();
}

// The same through `hostObject`'s component factory, which is returned at once.
template <class Interface>
void AAX_CreateHostComponent (IACFUnknown* hostObject, const acfCLSID& classID, const acfIID& iid, ACFPtr<Interface>& component)
{
    component.reset();
    if (const auto factory = AAX_HostComponentFactory (hostObject))
        AAX_CreateHostComponent (*factory.get(), classID, iid, component);
}
