// AAX_IEffectParameters: the effect's parameters object as the library's own classes reach it.
#pragma once

#include "AAX.h"

class AAX_IParameter;

/** What the packet dispatcher needs of the object that owns it: the parameter
    object of an identifier (null and a non-zero result when there is none). */
class AAX_IEffectParameters
{
public:
    virtual AAX_Result GetParameter (AAX_CParamID parameterID, AAX_IParameter** parameterOut) = 0;

protected:
    ~AAX_IEffectParameters() = default;
};
