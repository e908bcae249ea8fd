// A plug-in module whose description callback registers the effect the way the
// framework's AAX wrapper does, so the host tests can check the whole road:
// entry point, collection wrapper, descriptors and the host's call log.
#include <AAX_Exports.cpp>

#include "../../SDK/AAX_VFrameworkShapedRegistration.h"

namespace
{
    void AAX_CALLBACK createParameters() {}
    void AAX_CALLBACK createGUI() {}
    void AAX_CALLBACK processBlocks (framework_shaped::AlgorithmContext* const[], const void* const) {}
}

AAX_Result GetEffectDescriptions (AAX_ICollection* collection)
{
    return framework_shaped::describe (*collection, { reinterpret_cast<void*> (&createGUI),
                                                      reinterpret_cast<void*> (&createParameters), &processBlocks });
}
