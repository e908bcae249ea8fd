// AAX_Exception.cpp: exception texts and the check of AAX_CheckedResult.
#include "AAX_Exception.h"

#include "AAX_CHostServices.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"

AAX::Exception::Any::Any (std::string messageToUse)
    : message (std::move (messageToUse))
{
}

AAX::Exception::ResultError::ResultError (AAX_Result resultToUse)
    : Any (AAX::AsStringResult (resultToUse) + " (" + std::to_string (resultToUse) + ")"),
      result (resultToUse)
{
}

AAX_CheckedResult::AAX_CheckedResult (AAX_Result result)
    : currentResult (result), acceptedResults { AAX_SUCCESS }
{
    Check();
}

AAX_CheckedResult& AAX_CheckedResult::operator= (AAX_Result result)
{
    currentResult = result;
    Check();
    return *this;
}

void AAX_CheckedResult::Check()
{
    if (acceptedResults.count (currentResult) != 0)
        return;

    const AAX::Exception::ResultError error (currentResult);
    lastError = currentResult;
    currentResult = AAX_SUCCESS;
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Normal, "AAX_CheckedResult - throwing %s", error.What().c_str());
    throw error;
}
