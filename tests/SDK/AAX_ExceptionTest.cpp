// Exception texts and the checked result that registration relies on to turn
// failures into result codes.
#include "AAX_Errors.h"
#include "AAX_Exception.h"

#include <gtest/gtest.h>

TEST (AAX_Exception, TextsNameTheResultWithItsSignedValue)
{
    EXPECT_EQ (AAX::Exception::ResultError (AAX_ERROR_NULL_OBJECT).What(), "AAX_ERROR_NULL_OBJECT (-20004)");
    EXPECT_EQ (AAX::Exception::ResultError (1).What(), "<unknown error code> (1)");
    EXPECT_EQ (AAX::Exception::Any ("description failed").What(), "description failed");

    const AAX::Exception::ResultError error (AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (error.Result(), -20009);
    // Catchable as the root class, keeping its text.
    const AAX::Exception::Any& root = error;
    EXPECT_EQ (root.What(), "AAX_ERROR_UNIMPLEMENTED (-20009)");
}

TEST (AAX_CheckedResult, AcceptsSuccessOnly)
{
    EXPECT_NO_THROW (AAX_CheckedResult { AAX_SUCCESS });

    try
    {
        AAX_CheckedResult checked (AAX_ERROR_UNIMPLEMENTED);
        FAIL() << "a failure code must throw";
    }
    catch (const AAX::Exception::ResultError& error)
    {
        EXPECT_EQ (error.Result(), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (error.What(), "AAX_ERROR_UNIMPLEMENTED (-20009)");
    }

    // Positive results are not successes either.
    EXPECT_THROW (AAX_CheckedResult { 1 }, AAX::Exception::ResultError);
}

TEST (AAX_CheckedResult, AssigningAFailureThrowsAndLeavesTheErrorBehind)
{
    AAX_CheckedResult checked (AAX_SUCCESS);
    EXPECT_EQ (checked.LastError(), 0);

    EXPECT_THROW (checked = AAX_ERROR_UNIMPLEMENTED, AAX::Exception::ResultError);
    EXPECT_EQ (checked.Result(), AAX_SUCCESS);
    EXPECT_EQ (checked.LastError(), AAX_ERROR_UNIMPLEMENTED);

    // It stays usable: a later success is quietly accepted.
    EXPECT_NO_THROW (checked = AAX_SUCCESS);
    EXPECT_EQ (checked.LastError(), AAX_ERROR_UNIMPLEMENTED);
}
