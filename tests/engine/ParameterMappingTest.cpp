#include "support/WrapperDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
    double dB (double decibels) { return std::pow (10.0, decibels / 20.0); }

    class ParameterMapping : public ::testing::Test
    {
    protected:
        AudioDevEffect& chain() { return driver.processor().effect; }

        // Sets the parameter as the editor would and lets the next block deliver it.
        void set (const char* id, float value)
        {
            driver.processor().parameterManager.setParameterValue (id, value);
            juce::AudioBuffer<float> block (2, 16);
            block.clear();
            driver.process (block);
        }

        void expectDesignedFrom (const StereoBiquad& eq, double frequency, double q, double gainDb)
        {
            EXPECT_DOUBLE_EQ (eq.frequency, frequency);
            EXPECT_DOUBLE_EQ (eq.q, q);
            EXPECT_DOUBLE_EQ (eq.gainDb, gainDb);

            // The equaliser's memories are clear while its stage is off or
            // silent, so a copy's impulse response shows the designed section.
            auto designed = eq;
            StereoBiquad reference { BiquadType::peak, frequency, q, gainDb };
            reference.prepare (driver.getSampleRate());

            for (int n = 0; n < 8; ++n)
            {
                double l = n == 0 ? 1.0 : 0.0, r = l, expectedL = l, expectedR = l;
                designed.process (l, r);
                reference.process (expectedL, expectedR);
                ASSERT_EQ (l, expectedL) << n;
                ASSERT_EQ (r, expectedR) << n;
            }
        }

        testsupport::WrapperDriver driver { 2, 48000.0 };
    };
}

TEST_F (ParameterMapping, InitialValuesLeaveOnlyPowerOnWithTheDefaultEqualiserDesigns)
{
    EXPECT_TRUE (chain().powerOn);
    for (auto on : { chain().harmonicsOn, chain().pressureOn, chain().subOn, chain().airOn, chain().midOn,
                     chain().transientsOn, chain().compressionOn, chain().widthOn })
        EXPECT_FALSE (on);

    expectDesignedFrom (chain().subEq, 32.7032, 1.0, 0.0);
    expectDesignedFrom (chain().midEq, 130.0, 2.25, -3.5);
}

TEST_F (ParameterMapping, PowerAndGraphMode)
{
    set ("powerId", 0.0f);
    EXPECT_FALSE (chain().powerOn);
    set ("graphModeId", 3.0f);
    EXPECT_FALSE (chain().powerOn);
    set ("powerId", 1.0f);
    EXPECT_TRUE (chain().powerOn);
}

TEST_F (ParameterMapping, HarmonicsSetBothClipAmountsAndTheDryWetGains)
{
    set ("Kick_HarmonicsId", 25.0f);
    EXPECT_TRUE (chain().harmonicsOn);
    EXPECT_DOUBLE_EQ (chain().harmonicsStage1.amount, 0.25);
    EXPECT_DOUBLE_EQ (chain().harmonicsStage2.amount, 0.25);
    EXPECT_DOUBLE_EQ (chain().harmonicsDryGain, dB (-1.0));
    EXPECT_DOUBLE_EQ (chain().harmonicsWetGain, dB (-30.0));

    set ("Kick_HarmonicsId", 100.0f);
    EXPECT_DOUBLE_EQ (chain().harmonicsWetGain, 1.0);

    set ("Kick_HarmonicsId", 0.0f);
    EXPECT_FALSE (chain().harmonicsOn);
}

TEST_F (ParameterMapping, PressureSetsSixGainTargetsAndThreeHardKneeThresholds)
{
    set ("Kick_PressureId", 64.0f);
    EXPECT_TRUE (chain().pressureOn);
    EXPECT_DOUBLE_EQ (chain().pressureInputGain.target, dB (6.4));
    EXPECT_DOUBLE_EQ (chain().pressureLowGain.target, dB (27.0 * 0.64));
    EXPECT_DOUBLE_EQ (chain().pressureMidGain.target, dB (20.0 * 0.64));
    EXPECT_DOUBLE_EQ (chain().pressureHighGain.target, dB (19.0 * 0.64));
    EXPECT_DOUBLE_EQ (chain().pressureLowMakeupGain.target, dB (6.0 * 0.64));
    EXPECT_DOUBLE_EQ (chain().pressureOutputGain.target, dB (-15.0 * 0.64));

    const double thresholds[] { -11.0 * 0.8, -20.0 * 0.8, -19.3 * 0.8 };
    for (size_t band = 0; band < 3; ++band)
    {
        const auto& compressor = chain().pressureCompressors[band];
        EXPECT_DOUBLE_EQ (compressor.getThresholdDb(), thresholds[band]);
        EXPECT_EQ (compressor.getKneeWidthDb(), 0.0);
        EXPECT_EQ (compressor.getKneeLowerDb(), compressor.getKneeUpperDb());
    }

    set ("Kick_PressureId", 0.0f);
    EXPECT_FALSE (chain().pressureOn);
}

TEST_F (ParameterMapping, SubAndAirSetGainAndRedesign)
{
    set ("Kick_SubId", 30.0f);
    EXPECT_TRUE (chain().subOn);
    expectDesignedFrom (chain().subEq, 32.7032, 1.0, 3.0);

    set ("Kick_AirId", 100.0f);
    EXPECT_TRUE (chain().airOn);
    expectDesignedFrom (chain().airEq, 12000.0, 0.3, 10.0);
}

TEST_F (ParameterMapping, SubFrequencyRedesignsEvenWhileTheStageIsOff)
{
    set ("Kick_SubFreqId", 11.0f);
    EXPECT_FALSE (chain().subOn);
    EXPECT_NEAR (chain().subEq.frequency, 61.735, 1e-3);
    expectDesignedFrom (chain().subEq, 32.7032 * std::pow (2.0, 11.0 / 12.0), 1.0, 0.0);

    set ("Kick_SubId", 100.0f);
    expectDesignedFrom (chain().subEq, 32.7032 * std::pow (2.0, 11.0 / 12.0), 1.0, 10.0);
}

TEST_F (ParameterMapping, MidIsOffOnlyAtItsCentre)
{
    set ("Kick_MidsId", 99.0f);
    EXPECT_TRUE (chain().midOn);
    expectDesignedFrom (chain().midEq, 130.0, 4.0 - 3.5 * 0.495, 23.0 * 0.495 - 15.0);
    EXPECT_NEAR (chain().midEq.gainDb, -3.615, 1e-9);

    set ("Kick_MidsId", 200.0f);
    expectDesignedFrom (chain().midEq, 130.0, 0.5, 8.0);

    set ("Kick_MidsId", 0.0f);
    expectDesignedFrom (chain().midEq, 130.0, 4.0, -15.0);

    set ("Kick_MidsId", 100.0f);
    EXPECT_FALSE (chain().midOn);
}

TEST_F (ParameterMapping, TransientsSetTheFullBandAndPerBandAmounts)
{
    set ("Kick_TransId", 60.0f);
    EXPECT_TRUE (chain().transientsOn);
    EXPECT_DOUBLE_EQ (chain().transientShaper.amount, 0.15);
    EXPECT_DOUBLE_EQ (chain().transientMidShaper.amount, 0.3);
    EXPECT_DOUBLE_EQ (chain().transientHighShaper.amount, 0.3);
}

TEST_F (ParameterMapping, CompressionSetsGlueThresholdWithSoftKneeAndMakeup)
{
    set ("Kick_CompressionId", 100.0f);
    EXPECT_TRUE (chain().compressionOn);
    EXPECT_DOUBLE_EQ (chain().glueSaturation.amount, 0.75);
    EXPECT_DOUBLE_EQ (chain().kickCompressor.getThresholdDb(), -24.0);
    EXPECT_DOUBLE_EQ (chain().kickCompressor.getKneeLowerDb(), -27.0);
    EXPECT_DOUBLE_EQ (chain().kickCompressor.getKneeUpperDb(), -21.0);
    EXPECT_DOUBLE_EQ (chain().compressionMakeupGain.target, dB (9.0));

    set ("Kick_CompressionId", 0.0f);
    EXPECT_FALSE (chain().compressionOn);
}

TEST_F (ParameterMapping, WidthBlendsBelowItsCentreAndRaisesTheSideAbove)
{
    const struct { float value; double blend, side; } cases[] {
        { 0.0f, 2.0, 1.0 }, { 50.0f, 1.0, 1.0 }, { 99.0f, 0.02, 1.0 },
        { 150.0f, 0.0, dB (6.0) }, { 200.0f, 0.0, dB (12.0) },
    };

    for (const auto& c : cases)
    {
        set ("Kick_WidthId", c.value);
        EXPECT_TRUE (chain().widthOn) << c.value;
        EXPECT_DOUBLE_EQ (chain().widthMonoBlend.target, c.blend) << c.value;
        EXPECT_DOUBLE_EQ (chain().widthSideGain.target, c.side) << c.value;
    }

    set ("Kick_WidthId", 100.0f);
    EXPECT_FALSE (chain().widthOn);
}

TEST_F (ParameterMapping, SeveralChangesBeforeOneBlockMapTheLatestValue)
{
    auto& manager = driver.processor().parameterManager;
    manager.setParameterValue ("Kick_TransId", 10.0f);
    manager.setParameterValue ("Kick_TransId", 80.0f);
    set ("Kick_SubId", 0.0f);
    EXPECT_DOUBLE_EQ (chain().transientShaper.amount, 0.2);
}

TEST_F (ParameterMapping, ANonFiniteParameterValueCountsAsItsDefault)
{
    set ("Kick_WidthId", 150.0f);
    set ("Kick_HarmonicsId", 50.0f);

    for (const auto* id : { "Kick_WidthId", "Kick_HarmonicsId" })
    {
        auto* parameter = driver.processor().parameterManager.valueTreeState.getParameter (id);
        ASSERT_NE (parameter, nullptr);
        parameter->setValueNotifyingHost (std::numeric_limits<float>::quiet_NaN());
    }

    ASSERT_TRUE (std::isnan (driver.processor().parameterManager.getParameterValue ("Kick_WidthId")));

    set ("Kick_SubId", 0.0f);
    EXPECT_FALSE (chain().widthOn);
    EXPECT_FALSE (chain().harmonicsOn);
    EXPECT_TRUE (std::isfinite (chain().harmonicsWetGain));
    EXPECT_TRUE (std::isfinite (chain().widthSideGain.target));
}
