// AAX_IACFPageTable.h: the host's page-table interface, versions 1 and 2, as tables of operations.
#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

class AAX_IString;

class AAX_IACFPageTable : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;                                                                    // 3
    virtual AAX_Result Empty (AAX_CBoolean* emptyOut) = 0;                                             // 4
    virtual AAX_Result GetNumPages (int32_t* pageCountOut) = 0;                                        // 5
    virtual AAX_Result InsertPage (int32_t page) = 0;                                                  // 6
    virtual AAX_Result RemovePage (int32_t page) = 0;                                                  // 7
    virtual AAX_Result GetNumMappedParameterIDs (int32_t page, int32_t* countOut) = 0;                 // 8
    virtual AAX_Result ClearMappedParameter (int32_t page, int32_t index) = 0;                         // 9
    virtual AAX_Result GetMappedParameterID (int32_t page, int32_t index, AAX_IString* parameterIDOut) = 0; // 10
    virtual AAX_Result MapParameterID (AAX_CParamID parameterID, int32_t page, int32_t index) = 0;     // 11

protected:
    ~AAX_IACFPageTable() = default;
};

class AAX_IACFPageTable_V2 : public AAX_IACFPageTable
{
public:
    virtual AAX_Result GetNumParametersWithNameVariations (int32_t* countOut) = 0;                      // 12
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t index, AAX_IString* parameterIDOut) = 0; // 13
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID parameterID, int32_t* countOut) = 0; // 14
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID parameterID, int32_t index,
                                                         AAX_IString* nameOut, int32_t* lengthOut) = 0;  // 15
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID parameterID, int32_t length,
                                                          AAX_IString* nameOut) = 0;                     // 16
    virtual AAX_Result ClearParameterNameVariations() = 0;                                              // 17
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID parameterID) = 0;                  // 18
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID parameterID, const AAX_IString& name, int32_t length) = 0; // 19

protected:
    ~AAX_IACFPageTable_V2() = default;
};
