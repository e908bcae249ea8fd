// HostPageTable.cpp: a recording page table with a page count.
#include "HostPageTable.h"

host::HostPageTable::HostPageTable (CallLog& log, Versions versions)
    : HostObject ("PageTable", log)
{
    offerVersions (*this, { uids::IID_IAAXPageTableV1, uids::IID_IAAXPageTableV2 }, versions);
}

int32_t host::HostPageTable::Clear()
{
    record (3, {});
    pageCount = 0;
    return resultOk;
}

int32_t host::HostPageTable::Empty (uint8_t* emptyOut)
{
    record (4, { CallLog::text (emptyOut) });
    if (emptyOut != nullptr)
        *emptyOut = pageCount == 0 ? 1 : 0;
    return resultOk;
}

int32_t host::HostPageTable::GetNumPages (int32_t* countOut)
{
    record (5, { CallLog::text (countOut) });
    if (countOut != nullptr)
        *countOut = pageCount;
    return resultOk;
}

int32_t host::HostPageTable::InsertPage (int32_t page)
{
    record (6, { CallLog::text (page) });
    ++pageCount;
    return resultOk;
}

int32_t host::HostPageTable::RemovePage (int32_t page)
{
    record (7, { CallLog::text (page) });
    if (pageCount > 0)
        --pageCount;
    return resultOk;
}

int32_t host::HostPageTable::GetNumMappedParameterIDs (int32_t page, int32_t* countOut)
{
    record (8, { CallLog::text (page), CallLog::text (countOut) });
    if (countOut != nullptr)
        *countOut = 0;
    return resultOk;
}

int32_t host::HostPageTable::ClearMappedParameter (int32_t page, int32_t index)
{
    record (9, { CallLog::text (page), CallLog::text (index) });
    return resultOk;
}

int32_t host::HostPageTable::GetMappedParameterID (int32_t page, int32_t index, void* idOut)
{
    record (10, { CallLog::text (page), CallLog::text (index), CallLog::text (idOut) });
    return resultOk;
}

int32_t host::HostPageTable::MapParameterID (const char* parameterID, int32_t page, int32_t index)
{
    record (11, { CallLog::text (parameterID), CallLog::text (page), CallLog::text (index) });
    return resultOk;
}

int32_t host::HostPageTable::GetNumParametersWithNameVariations (int32_t* countOut)
{
    record (12, { CallLog::text (countOut) });
    if (countOut != nullptr)
        *countOut = 0;
    return resultOk;
}

int32_t host::HostPageTable::GetNameVariationParameterIDAtIndex (int32_t index, void* idOut)
{
    record (13, { CallLog::text (index), CallLog::text (idOut) });
    return resultOk;
}

int32_t host::HostPageTable::GetNumNameVariationsForParameter (const char* parameterID, int32_t* countOut)
{
    record (14, { CallLog::text (parameterID), CallLog::text (countOut) });
    if (countOut != nullptr)
        *countOut = 0;
    return resultOk;
}

int32_t host::HostPageTable::GetParameterNameVariationAtIndex (const char* parameterID, int32_t index, void* nameOut, int32_t* lengthOut)
{
    record (15, { CallLog::text (parameterID), CallLog::text (index), CallLog::text (nameOut), CallLog::text (lengthOut) });
    return resultOk;
}

int32_t host::HostPageTable::GetParameterNameVariationOfLength (const char* parameterID, int32_t length, void* nameOut)
{
    record (16, { CallLog::text (parameterID), CallLog::text (length), CallLog::text (nameOut) });
    return resultOk;
}

int32_t host::HostPageTable::ClearParameterNameVariations()
{
    record (17, {});
    return resultOk;
}

int32_t host::HostPageTable::ClearNameVariationsForParameter (const char* parameterID)
{
    record (18, { CallLog::text (parameterID) });
    return resultOk;
}

int32_t host::HostPageTable::SetParameterNameVariation (const char* parameterID, const void* name, int32_t length)
{
    record (19, { CallLog::text (parameterID), CallLog::text (name), CallLog::text (length) });
    return resultOk;
}
