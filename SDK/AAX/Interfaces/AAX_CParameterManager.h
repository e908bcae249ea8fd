// AAX_CParameterManager: the effect's registry of parameters, in the order the host indexes them.
#pragma once

#include "AAX.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

/** Owns every registered parameter. A parameter's index is its position in
    registration order; identifiers are unique. */
class AAX_CParameterManager
{
public:
    AAX_CParameterManager() = default;
    ~AAX_CParameterManager();

    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    /** The delegate handed to parameters added from now on; not owned. */
    void Initialize (AAX_IAutomationDelegate* automationDelegate) noexcept;

    /** Takes ownership and connects the parameter to the automation delegate.
        A null parameter, or one whose identifier is registered already, is
        refused and stays the caller's. */
    void AddParameter (AAX_IParameter* parameter);

    /** Deletes every parameter (each unregisters from the automation delegate). */
    void RemoveAllParameters();

    int32_t NumParameters() const noexcept { return static_cast<int32_t> (mParameters.size()); }

    /** Null for a null or unknown identifier. */
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;

    /** -1 for a null or unknown identifier. */
    int32_t GetParameterIndex (AAX_CParamID identifier) const;

    /** Null for an index outside [0, NumParameters()). */
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::vector<std::unique_ptr<AAX_IParameter>> mParameters;
    std::map<std::string, AAX_IParameter*> mParametersByID;
};
