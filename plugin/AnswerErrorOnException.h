// AnswerErrorOnException.h: the last line of every host call into the module's objects.
#pragma once

#include <AAX_Errors.h>

namespace kick
{
    // Runs one host operation. An exception that reaches here would unwind
    // into the host, which ends its process: it is answered as an error.
    template <typename Operation>
    AAX_Result answerErrorOnException (Operation&& operation) noexcept
    {
        try
        {
            return operation();
        }
        catch (...)
        {
            return AAX_ERROR_UNKNOWN_EXCEPTION;
        }
    }
}
