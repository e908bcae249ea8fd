#include "Metering.h"

#include <gtest/gtest.h>

#include <limits>

using AudioDev::Metering::ClipDetector;
using AudioDev::Metering::MaxValueDetector;

TEST (ClipDetector, HoldsTheFlagForTwoTruncatedPeriods)
{
    ClipDetector<2> detector;
    detector.setPeriod (10.9); // hold of 2 x 10 samples

    detector.process (1.0);
    detector.process (-1.0);
    EXPECT_FALSE (detector.clipped);

    detector.process (-1.0000001);
    EXPECT_TRUE (detector.clipped);

    // The clipping sample counts as the first; the 20th clears the flag.
    for (int sample = 2; sample < 20; ++sample)
    {
        detector.process (0.5);
        ASSERT_TRUE (detector.clipped) << sample;
    }

    detector.process (0.5);
    EXPECT_FALSE (detector.clipped);

    // A clip within the hold starts the count again.
    detector.process (2.0);
    for (int i = 0; i < 15; ++i)
        detector.process (0.0);
    detector.process (1.5);
    for (int i = 0; i < 18; ++i)
        detector.process (0.0);
    EXPECT_TRUE (detector.clipped);
    detector.process (0.0);
    EXPECT_FALSE (detector.clipped);
}

TEST (ClipDetector, IgnoresPeriodsItCannotCount)
{
    ClipDetector<2> detector;
    detector.setPeriod (3.0);

    for (double bad : { -1.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), 1.0e300 })
    {
        detector.setPeriod (bad);
        EXPECT_EQ (detector.period, 3.0);
    }
}

TEST (MaxValueDetector, HoldsTheLoudestLevelInDecibels)
{
    MaxValueDetector<2, -96> detector;
    detector.setPeriod (5.0);

    detector.process (1.5e-5); // under the floor
    EXPECT_EQ (detector.maxDb, -96.0);

    detector.process (-0.5);
    EXPECT_NEAR (detector.maxDb, -6.0206, 1e-4);

    // A quieter sample or one equal to the held level does not restart the hold.
    detector.process (0.25);
    detector.process (0.5);
    for (int i = 0; i < 6; ++i)
        detector.process (0.0);
    EXPECT_NEAR (detector.maxDb, -6.0206, 1e-4);

    detector.process (0.0); // the 10th sample since the peak
    EXPECT_EQ (detector.maxDb, -96.0);

    detector.process (1.0);
    EXPECT_EQ (detector.maxDb, 0.0);
}
