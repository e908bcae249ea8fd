// AAX_VPageTable.cpp: page-table operations forwarded to the version of the host table that has them.
#include "AAX_VPageTable.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VPageTable::AAX_VPageTable (IACFUnknown* hostPageTable)
{
    pageTableV1.query (hostPageTable, IID_IAAXPageTableV1);
    pageTableV2.query (hostPageTable, IID_IAAXPageTableV2);
}

AAX_Result AAX_VPageTable::Clear()
{
    return pageTableV1 ? pageTableV1->Clear() : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::Empty (AAX_CBoolean* emptyOut) const
{
    return pageTableV1 ? pageTableV1->Empty (emptyOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumPages (int32_t* pageCountOut) const
{
    return pageTableV1 ? pageTableV1->GetNumPages (pageCountOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::InsertPage (int32_t page)
{
    return pageTableV1 ? pageTableV1->InsertPage (page) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::RemovePage (int32_t page)
{
    return pageTableV1 ? pageTableV1->RemovePage (page) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumMappedParameterIDs (int32_t page, int32_t* countOut) const
{
    return pageTableV1 ? pageTableV1->GetNumMappedParameterIDs (page, countOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::ClearMappedParameter (int32_t page, int32_t index)
{
    return pageTableV1 ? pageTableV1->ClearMappedParameter (page, index) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetMappedParameterID (int32_t page, int32_t index, AAX_IString* parameterIDOut) const
{
    return pageTableV1 ? pageTableV1->GetMappedParameterID (page, index, parameterIDOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t index)
{
    return pageTableV1 ? pageTableV1->MapParameterID (parameterID, page, index) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumParametersWithNameVariations (int32_t* countOut) const
{
    return pageTableV2 ? pageTableV2->GetNumParametersWithNameVariations (countOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* parameterIDOut) const
{
    return pageTableV2 ? pageTableV2->GetNameVariationParameterIDAtIndex (index, parameterIDOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* countOut) const
{
    return pageTableV2 ? pageTableV2->GetNumNameVariationsForParameter (parameterID, countOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                             AAX_IString* nameOut, int32_t* lengthOut) const
{
    return pageTableV2 ? pageTableV2->GetParameterNameVariationAtIndex (parameterID, index, nameOut, lengthOut)
                       : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length, AAX_IString* nameOut) const
{
    return pageTableV2 ? pageTableV2->GetParameterNameVariationOfLength (parameterID, length, nameOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::ClearParameterNameVariations()
{
    return pageTableV2 ? pageTableV2->ClearParameterNameVariations() : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::ClearNameVariationsForParameter (AAX_CParamID parameterID)
{
    return pageTableV2 ? pageTableV2->ClearNameVariationsForParameter (parameterID) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VPageTable::SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length)
{
    return pageTableV2 ? pageTableV2->SetParameterNameVariation (parameterID, name, length) : AAX_ERROR_UNIMPLEMENTED;
}
