#include "AudioDevEffect.h"

#include <cmath>

namespace
{
    // Settings of the three pressure-band compressors: low, mid, high.
    struct BandCompressorSettings
    {
        double ratio, attackMs, releaseMs;
    };

    constexpr std::array<BandCompressorSettings, 3> pressureBandSettings { {
        { 2.4, 47.8, 282.0 },
        { 4.0, 52.0, 282.0 },
        { 3.5, 27.0, 132.0 },
    } };

    constexpr double pressureCompressorMix = 0.8;
    constexpr double smoothingTimeMs = 20.0;

    void setFrequencies (LinkwitzRileyCrossover& crossover, double lowHz, double highHz) noexcept
    {
        crossover.setLowFrequency (lowHz);
        crossover.setHighFrequency (highHz);
    }

    void negate (LinkwitzRileyCrossover::StereoSample& band) noexcept
    {
        band.left = -band.left;
        band.right = -band.right;
    }

    void scale (LinkwitzRileyCrossover::StereoSample& band, double gain) noexcept
    {
        band.left *= gain;
        band.right *= gain;
    }

    // Recombines bands whose mid band has already been negated.
    void sum (const LinkwitzRileyCrossover::Bands& bands, double& left, double& right) noexcept
    {
        left = bands.low.left + bands.mid.left + bands.high.left;
        right = bands.low.right + bands.mid.right + bands.high.right;
    }
}

AudioDevEffect::AudioDevEffect() noexcept
{
    setFrequencies (pressureCrossover, 47.5, 2500.0);

    for (size_t band = 0; band < pressureCompressors.size(); ++band)
    {
        auto& compressor = pressureCompressors[band];
        compressor.ratio = pressureBandSettings[band].ratio;
        compressor.setAttack (pressureBandSettings[band].attackMs);
        compressor.setRelease (pressureBandSettings[band].releaseMs);
        compressor.mix = pressureCompressorMix;
    }

    setFrequencies (transientCrossover, 120.0, 2000.0);
    setFrequencies (widthCrossover, 307.0, 2400.0);
}

void AudioDevEffect::prepare (double newSampleRate) noexcept
{
    if (! AudioDev::isUsableSampleRate (newSampleRate))
        return;

    harmonicsStage1.prepare (newSampleRate);
    harmonicsStage2.prepare (newSampleRate);

    pressureCrossover.prepare (newSampleRate);

    for (auto& compressor : pressureCompressors)
        compressor.prepare (newSampleRate);

    for (auto* gain : { &pressureInputGain, &pressureLowGain, &pressureMidGain,
                        &pressureHighGain, &pressureLowMakeupGain, &pressureOutputGain })
        gain->smoother.prepare (newSampleRate);

    subEq.prepare (newSampleRate);
    airEq.prepare (newSampleRate);
    midEq.prepare (newSampleRate);

    transientShaper.prepare (newSampleRate);
    transientCrossover.prepare (newSampleRate);
    transientMidShaper.prepare (newSampleRate);
    transientHighShaper.prepare (newSampleRate);

    kickCompressor.prepare (newSampleRate);
    compressionMakeupGain.smoother.prepare (newSampleRate);
    glueSaturation.prepare (newSampleRate);

    // The blend restarts from full stereo at every prepare, with its short time.
    auto& blend = widthMonoBlend.smoother;
    blend.timeMs = smoothingTimeMs;
    blend.decayExponent = AudioDev::defaultDecayExponent;
    blend.current = 0.0;
    blend.prepare (newSampleRate);
    widthSideGain.smoother.prepare (newSampleRate);

    widthCrossover.prepare (newSampleRate);

    sampleRate = newSampleRate;
    spectrum.prepare (newSampleRate);
    meters.prepare (newSampleRate);

    powerMix.prepare (newSampleRate);
}

void AudioDevEffect::processHarmonics (double& left, double& right) noexcept
{
    auto wetLeft = left, wetRight = right;
    harmonicsStage1.process (wetLeft, wetRight);
    harmonicsStage2.process (wetLeft, wetRight);

    left = wetLeft * harmonicsWetGain + left * harmonicsDryGain;
    right = wetRight * harmonicsWetGain + right * harmonicsDryGain;
}

void AudioDevEffect::processPressure (double& left, double& right) noexcept
{
    const auto inputGain = pressureInputGain.next();
    auto bands = pressureCrossover.split (left * inputGain, right * inputGain);
    negate (bands.mid);

    scale (bands.low, pressureLowGain.next());
    scale (bands.mid, pressureMidGain.next());
    scale (bands.high, pressureHighGain.next());

    pressureCompressors[0].process (bands.low.left, bands.low.right);
    pressureCompressors[1].process (bands.mid.left, bands.mid.right);
    pressureCompressors[2].process (bands.high.left, bands.high.right);

    scale (bands.low, pressureLowMakeupGain.next());
    sum (bands, left, right);

    const auto outputGain = pressureOutputGain.next();
    left *= outputGain;
    right *= outputGain;
}

void AudioDevEffect::processTransients (double& left, double& right) noexcept
{
    transientShaper.process (left, right);

    auto bands = transientCrossover.split (left, right);
    negate (bands.mid);
    transientMidShaper.process (bands.mid.left, bands.mid.right);
    transientHighShaper.process (bands.high.left, bands.high.right);
    sum (bands, left, right);
}

void AudioDevEffect::processCompression (double& left, double& right) noexcept
{
    glueSaturation.process (left, right);
    kickCompressor.process (left, right);

    const auto makeupGain = compressionMakeupGain.next();
    left *= makeupGain;
    right *= makeupGain;
}

// The full band gets the width operation once, then the mid and high bands get
// it once more each; the low band keeps the result of the first.
void AudioDevEffect::processWidth (double& left, double& right) noexcept
{
    applyWidth (left, right);

    auto bands = widthCrossover.split (left, right);
    negate (bands.mid);
    applyWidth (bands.mid.left, bands.mid.right);
    applyWidth (bands.high.left, bands.high.right);
    sum (bands, left, right);
}

// Blends both channels towards their mean, then scales the side signal.
void AudioDevEffect::applyWidth (double& left, double& right) noexcept
{
    const auto blend = widthMonoBlend.next();
    const auto mean = (left + right) * 0.5;
    left = left * (1.0 - blend) + mean * blend;
    right = right * (1.0 - blend) + mean * blend;

    const auto sideGain = widthSideGain.next();
    const auto mid = (left + right) * 0.5;
    const auto side = (left - right) * 0.5 * sideGain;
    left = mid + side;
    right = mid - side;
}

int AudioDevEffect::getNumBins() const noexcept
{
    return SpectrumAnalyser::numBins;
}

int AudioDevEffect::getSampleRate() const noexcept
{
    return (int) sampleRate;
}

float AudioDevEffect::getBinLevelDecibels (int binIndex) const noexcept
{
    return spectrum.getBinLevelDecibels (binIndex);
}

double AudioDevEffect::getPeakAndReset() noexcept
{
    return meters.getPeakAndReset();
}

float AudioDevEffect::getLevel (int channel, int) const noexcept
{
    return meters.getLevel (channel);
}

bool AudioDevEffect::isClipping (int channel, int) const noexcept
{
    return meters.isClipping (channel);
}
