// HostPageTable.h: the host's page table, made through the component factory for the module's page-table copies.
#pragma once

#include "HostRuntimeInterfaces.h"
#include "HostVersions.h"

namespace host
{
    // Records every operation; keeps a page count so Empty and GetNumPages
    // answer consistently. Strings the module passes in are left untouched.
    class HostPageTable final : public HostObject<IPageTableV2Slots>
    {
    public:
        HostPageTable (CallLog& log, Versions versions);

        int32_t Clear() override;
        int32_t Empty (uint8_t* emptyOut) override;
        int32_t GetNumPages (int32_t* countOut) override;
        int32_t InsertPage (int32_t page) override;
        int32_t RemovePage (int32_t page) override;
        int32_t GetNumMappedParameterIDs (int32_t page, int32_t* countOut) override;
        int32_t ClearMappedParameter (int32_t page, int32_t index) override;
        int32_t GetMappedParameterID (int32_t page, int32_t index, void* idOut) override;
        int32_t MapParameterID (const char* parameterID, int32_t page, int32_t index) override;

        int32_t GetNumParametersWithNameVariations (int32_t* countOut) override;
        int32_t GetNameVariationParameterIDAtIndex (int32_t index, void* idOut) override;
        int32_t GetNumNameVariationsForParameter (const char* parameterID, int32_t* countOut) override;
        int32_t GetParameterNameVariationAtIndex (const char* parameterID, int32_t index, void* nameOut, int32_t* lengthOut) override;
        int32_t GetParameterNameVariationOfLength (const char* parameterID, int32_t length, void* nameOut) override;
        int32_t ClearParameterNameVariations() override;
        int32_t ClearNameVariationsForParameter (const char* parameterID) override;
        int32_t SetParameterNameVariation (const char* parameterID, const void* name, int32_t length) override;

    private:
        std::atomic<int32_t> pageCount { 0 };
    };
}
