// AAX_VPageTable.h: forwards page-table operations to a host page table.
#pragma once

#include "AAX_IACFPageTable.h"
#include "AAX_IPageTable.h"
#include "ACFPtr.h"

// Every operation answers -20009 when its version is missing, version 1 included.
class AAX_VPageTable : public AAX_IPageTable
{
public:
    // Takes references of its own to both versions of the host page table (may be null).
    explicit AAX_VPageTable (IACFUnknown* hostPageTable);

    // True when the host page table offers version 1.
    bool IsSupported() const noexcept { return static_cast<bool> (pageTableV1); }

    AAX_Result Clear() override;
    AAX_Result Empty (AAX_CBoolean* emptyOut) const override;
    AAX_Result GetNumPages (int32_t* pageCountOut) const override;
    AAX_Result InsertPage (int32_t page) override;
    AAX_Result RemovePage (int32_t page) override;
    AAX_Result GetNumMappedParameterIDs (int32_t page, int32_t* countOut) const override;
    AAX_Result ClearMappedParameter (int32_t page, int32_t index) override;
    AAX_Result GetMappedParameterID (int32_t page, int32_t index, AAX_IString* parameterIDOut) const override;
    AAX_Result MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t index) override;

    AAX_Result GetNumParametersWithNameVariations (int32_t* countOut) const override;
    AAX_Result GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* parameterIDOut) const override;
    AAX_Result GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* countOut) const override;
    AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                 AAX_IString* nameOut, int32_t* lengthOut) const override;
    AAX_Result GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length, AAX_IString* nameOut) const override;
    AAX_Result ClearParameterNameVariations() override;
    AAX_Result ClearNameVariationsForParameter (AAX_CParamID parameterID) override;
    AAX_Result SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length) override;

private:
    ACFPtr<AAX_IACFPageTable> pageTableV1;
    ACFPtr<AAX_IACFPageTable_V2> pageTableV2;
};
