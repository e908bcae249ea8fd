#include "TransientShaper.h"

#include <gtest/gtest.h>

TEST (TransientShaper, StepGainIsTheFollowersRatioRaisedToTheAmount)
{
    const double sampleRate = 48000.0, level = 0.5;

    for (double amount : { 1.0, 0.25, -0.5 })
    {
        TransientShaper shaper;
        shaper.prepare (sampleRate);
        shaper.amount = amount;

        for (int n = 1; n <= 2000; ++n)
        {
            // Step responses of the 0.5 ms and 10 ms followers (63 % per time constant).
            const double fast = level * (1.0 - std::exp (-1.00239343 * n / (0.5e-3 * sampleRate)));
            const double slow = level * (1.0 - std::exp (-1.00239343 * n / (10.0e-3 * sampleRate)));
            const double expectedGain = std::pow (fast / slow, amount);

            double l = level * 1.5, r = -level * 0.5; // the detector sees the mean magnitude
            shaper.process (l, r);
            ASSERT_NEAR (l / (level * 1.5), expectedGain, 1e-9 * expectedGain) << amount << " " << n;
            ASSERT_NEAR (r / (-level * 0.5), expectedGain, 1e-9 * expectedGain);
        }
    }

    TransientShaper silent; // both followers on the floor: unity gain, no NaN
    double l = 0.0, r = 0.0;
    silent.process (l, r);
    EXPECT_EQ (l, 0.0);
}
