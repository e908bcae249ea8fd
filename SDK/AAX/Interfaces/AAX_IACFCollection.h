// AAX_IACFCollection.h: the host's collection interface as its table of operations.
#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

class AAX_IACFCollection : public IACFUnknown
{
public:
    // Positions 3 to 6 are the host's own; this module never calls them.
    virtual AAX_Result UnusedOperation3() = 0;                                                         // 3
    virtual AAX_Result UnusedOperation4() = 0;                                                         // 4
    virtual AAX_Result UnusedOperation5() = 0;                                                         // 5
    virtual AAX_Result UnusedOperation6() = 0;                                                         // 6
    virtual AAX_Result AddEffect (const char* effectID, IACFUnknown* effectDescriptor) = 0;            // 7
    virtual AAX_Result SetManufacturerName (const char* name) = 0;                                     // 8
    virtual AAX_Result AddPackageName (const char* name) = 0;                                          // 9
    virtual AAX_Result SetPackageVersion (uint32_t version) = 0;                                       // 10
    virtual AAX_Result SetProperties (IACFUnknown* properties) = 0;                                    // 11

protected:
    ~AAX_IACFCollection() = default;
};
