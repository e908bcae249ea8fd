#include "PluginProcessor.h"

#include <cmath>

// Turns one changed parameter into settings of the kick chain. Percentages
// map through x = v / 100; gains in dB become linear before they reach the
// chain, and smoothed gains only receive new targets.
namespace
{
    // Parameter changes are rare, so they keep the library's exact pow rather
    // than the chain's inline per-sample conversion.
    double gainFromDecibels (double decibels) noexcept
    {
        return std::pow (10.0, decibels / 20.0);
    }

    void mapHarmonics (AudioDevEffect& chain, double v) noexcept
    {
        const auto x = v / 100.0;
        chain.harmonicsOn = v > 0.0;
        chain.harmonicsStage1.amount = x;
        chain.harmonicsStage2.amount = x;
        chain.harmonicsDryGain = gainFromDecibels (-4.0 * x);
        chain.harmonicsWetGain = gainFromDecibels (60.0 * std::sqrt (x) - 60.0);
    }

    void mapPressure (AudioDevEffect& chain, double v) noexcept
    {
        const auto x = v / 100.0;
        chain.pressureOn = v > 0.0;
        chain.pressureInputGain.target = gainFromDecibels (10.0 * x);
        chain.pressureLowGain.target = gainFromDecibels (27.0 * x);
        chain.pressureMidGain.target = gainFromDecibels (20.0 * x);
        chain.pressureHighGain.target = gainFromDecibels (19.0 * x);
        chain.pressureLowMakeupGain.target = gainFromDecibels (6.0 * x);
        chain.pressureOutputGain.target = gainFromDecibels (-15.0 * x);

        const auto depth = std::sqrt (x);
        chain.pressureCompressors[0].setThreshold (-11.0 * depth);
        chain.pressureCompressors[1].setThreshold (-20.0 * depth);
        chain.pressureCompressors[2].setThreshold (-19.3 * depth);
    }

    void mapEqualiserGain (bool& stageOn, StereoBiquad& equaliser, double v) noexcept
    {
        stageOn = v > 0.0;
        equaliser.gainDb = 10.0 * (v / 100.0);
        equaliser.update();
    }

    // v is a note index above C1 (32.7032 Hz), one semitone per step.
    void mapSubFrequency (AudioDevEffect& chain, double v) noexcept
    {
        chain.subEq.frequency = 32.7032 * std::pow (2.0, v / 12.0);
        chain.subEq.update();
    }

    // 100 is neutral and switches the stage off; below cuts with a narrow
    // band, above boosts with a wide one.
    void mapMid (AudioDevEffect& chain, double v) noexcept
    {
        const auto y = v / 200.0;
        chain.midOn = v != 100.0;
        chain.midEq.gainDb = 23.0 * y - 15.0;
        chain.midEq.q = 4.0 - 3.5 * y;
        chain.midEq.update();
    }

    void mapTransients (AudioDevEffect& chain, double v) noexcept
    {
        chain.transientsOn = v > 0.0;
        chain.transientShaper.amount = v / 400.0;
        chain.transientMidShaper.amount = v / 200.0;
        chain.transientHighShaper.amount = v / 200.0;
    }

    void mapCompression (AudioDevEffect& chain, double v) noexcept
    {
        const auto c = 0.75 * (v / 100.0);
        chain.compressionOn = v > 0.0;
        chain.glueSaturation.amount = c;
        chain.kickCompressor.setThreshold (-32.0 * c);
        chain.compressionMakeupGain.target = gainFromDecibels (12.0 * c);
    }

    // 100 is neutral and switches the stage off; below blends towards mono
    // (and past it, at 50 and less, towards swapped channels), above raises
    // the side signal by up to 12 dB per width operation.
    void mapWidth (AudioDevEffect& chain, double v) noexcept
    {
        chain.widthOn = v != 100.0;

        if (v < 100.0)
        {
            chain.widthMonoBlend.target = (200.0 - 2.0 * v) / 100.0;
            chain.widthSideGain.target = 1.0;
        }
        else
        {
            chain.widthMonoBlend.target = 0.0;
            chain.widthSideGain.target = gainFromDecibels (((v - 100.0) * 2.0 / 100.0) * 6.0);
        }
    }
}

void TemplateEffectAudioProcessor::onParameterChanged (juce::String paramID)
{
    // A value that is not a number would poison the chain: it counts as the default.
    const auto valueOf = [this] (const ParameterManager::ParamData& description)
    {
        const auto value = parameterManager.getParameterValue (description.paramID);
        return (double) (std::isfinite (value) ? value : description.defaultValue);
    };

    if (paramID == powerParam.paramID)
        effect.powerOn = valueOf (powerParam) >= 0.5;
    else if (paramID == graphModeParam.paramID)
        return; // the graph mode only concerns the editor
    else if (paramID == kickHarmonicsParam.paramID)
        mapHarmonics (effect, valueOf (kickHarmonicsParam));
    else if (paramID == kickPressureParam.paramID)
        mapPressure (effect, valueOf (kickPressureParam));
    else if (paramID == kickSubParam.paramID)
        mapEqualiserGain (effect.subOn, effect.subEq, valueOf (kickSubParam));
    else if (paramID == kickSubFreqParam.paramID)
        mapSubFrequency (effect, valueOf (kickSubFreqParam));
    else if (paramID == kickAirParam.paramID)
        mapEqualiserGain (effect.airOn, effect.airEq, valueOf (kickAirParam));
    else if (paramID == kickMidsParam.paramID)
        mapMid (effect, valueOf (kickMidsParam));
    else if (paramID == kickTransParam.paramID)
        mapTransients (effect, valueOf (kickTransParam));
    else if (paramID == kickCompressionParam.paramID)
        mapCompression (effect, valueOf (kickCompressionParam));
    else if (paramID == kickWidthParam.paramID)
        mapWidth (effect, valueOf (kickWidthParam));
}
