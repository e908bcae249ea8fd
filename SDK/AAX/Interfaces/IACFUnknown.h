// IACFUnknown.h: the root of every host and plug-in interface, and the registration-time definitions.
#pragma once

#include "ACFBaseTypes.h"

// Interfaces are tables of operations called by position. Each is declared
// as a single-inheritance chain of pure virtual operations in table order,
// with no virtual destructor: one would take two slots of the table.
class IACFUnknown
{
public:
    virtual acfResult QueryInterface (const acfIID& iid, void** interfaceOut) = 0; // position 0
    virtual acfUInt32 AddRef() = 0;                                                 // position 1
    virtual acfUInt32 Release() = 0;                                                // position 2

protected:
    ~IACFUnknown() = default;
};

// What registration hands back to the host; only its IACFUnknown face is used.
class IACFPluginDefinition : public IACFUnknown
{
protected:
    ~IACFPluginDefinition() = default;
};

// What component registration hands back to the host; this module has none.
class IACFComponentDefinition : public IACFUnknown
{
protected:
    ~IACFComponentDefinition() = default;
};
