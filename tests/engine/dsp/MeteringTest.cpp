#include "Metering.h"

#include <gtest/gtest.h>

#include <limits>

TEST (ClipDetector, HoldsTheFlagForTwoTruncatedPeriods)
{
    AudioDev::Metering::ClipDetector<2> detector;
    detector.setPeriod (10.9); // a hold of 2 x 10 samples
    detector.setPeriod (std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ (detector.period, 10.9);

    detector.process (1.0);
    EXPECT_FALSE (detector.clipped);
    detector.process (-1.0000001);
    EXPECT_TRUE (detector.clipped);

    // The clipping sample counts as the first; the 20th clears the flag,
    // and a clip within the hold starts the count again.
    for (int i = 0; i < 15; ++i)
        detector.process (0.5);
    detector.process (1.5);
    for (int sample = 2; sample < 20; ++sample)
        detector.process (0.0);
    EXPECT_TRUE (detector.clipped);
    detector.process (0.0);
    EXPECT_FALSE (detector.clipped);
}

TEST (MaxValueDetector, HoldsTheLoudestLevelInDecibels)
{
    AudioDev::Metering::MaxValueDetector<2, -96> detector;
    detector.setPeriod (5.0);

    detector.process (1.5e-5); // under the floor
    EXPECT_EQ (detector.maxDb, -96.0);

    detector.process (-0.5);
    detector.process (0.25);
    detector.process (0.5); // equal to the held level: no restart
    for (int sample = 4; sample < 10; ++sample)
        detector.process (0.0);
    EXPECT_NEAR (detector.maxDb, -6.0206, 1e-4);

    detector.process (0.0);
    EXPECT_EQ (detector.maxDb, -96.0);
}
