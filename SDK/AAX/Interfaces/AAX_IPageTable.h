// AAX_IPageTable.h: the plug-in side's view of a host page table, which maps parameters to control-surface pages.
#pragma once

#include "AAX.h"

class AAX_IString;

class AAX_IPageTable
{
public:
    virtual ~AAX_IPageTable() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result Empty (AAX_CBoolean* emptyOut) const = 0;
    virtual AAX_Result GetNumPages (int32_t* pageCountOut) const = 0;
    virtual AAX_Result InsertPage (int32_t page) = 0;
    virtual AAX_Result RemovePage (int32_t page) = 0;
    virtual AAX_Result GetNumMappedParameterIDs (int32_t page, int32_t* countOut) const = 0;
    virtual AAX_Result ClearMappedParameter (int32_t page, int32_t index) = 0;
    virtual AAX_Result GetMappedParameterID (int32_t page, int32_t index, AAX_IString* parameterIDOut) const = 0;
    virtual AAX_Result MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t index) = 0;

    virtual AAX_Result GetNumParametersWithNameVariations (int32_t* countOut) const = 0;
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* parameterIDOut) const = 0;
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* countOut) const = 0;
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                         AAX_IString* nameOut, int32_t* lengthOut) const = 0;
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length, AAX_IString* nameOut) const = 0;
    virtual AAX_Result ClearParameterNameVariations() = 0;
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID parameterID) = 0;
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length) = 0;
};
