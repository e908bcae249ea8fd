// AAX_Exception.h: the library's exception classes and AAX_CheckedResult, which turns a rejected result into one.
#pragma once

#include "AAX.h"

#include <set>
#include <string>

namespace AAX
{
    namespace Exception
    {
        // Root of the library's exceptions (deliberately not a std::exception:
        // registration catches the two families separately).
        class Any
        {
        public:
            explicit Any (std::string message);
            virtual ~Any() = default;

            const std::string& What() const noexcept { return message; }

        private:
            std::string message;
        };

        // A result code that was not accepted; its text is the code's name
        // and value, for example "AAX_ERROR_NULL_OBJECT (-20004)".
        class ResultError : public Any
        {
        public:
            explicit ResultError (AAX_Result result);

            AAX_Result Result() const noexcept { return result; }

        private:
            AAX_Result result;
        };
    }
}

// Holds a result and throws AAX::Exception::ResultError (after tracing
// "AAX_CheckedResult - throwing ...") as soon as it holds one that is not
// accepted. Only AAX_SUCCESS is accepted.
class AAX_CheckedResult
{
public:
    AAX_CheckedResult (AAX_Result result = AAX_Result {});
    AAX_CheckedResult& operator= (AAX_Result result);

    AAX_Result Result() const noexcept { return currentResult; }
    AAX_Result LastError() const noexcept { return lastError; }
    operator AAX_Result() const noexcept { return currentResult; }

private:
    void Check();

    AAX_Result currentResult;
    AAX_Result lastError = 0;
    std::set<AAX_Result> acceptedResults;
};
