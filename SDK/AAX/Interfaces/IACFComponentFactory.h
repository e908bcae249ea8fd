// IACFComponentFactory.h: the host's component factory, through which the module creates host components.
#pragma once

#include "IACFUnknown.h"

class IACFComponentFactory : public IACFUnknown
{
public:
    // Position 3: creates a component of class `classID` and answers its
    // interface `iid` (one reference owned by the caller).
    virtual acfResult CreateInstance (const acfCLSID& classID, IACFUnknown* outerUnknown,
                                      const acfIID& iid, void** interfaceOut) = 0;

protected:
    ~IACFComponentFactory() = default;
};
