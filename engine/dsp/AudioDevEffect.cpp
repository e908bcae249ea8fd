#include "AudioDevEffect.h"

#include <algorithm>
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

    // One band (or the wet copy) of a chunk, both channels, for the stages
    // that run their blocks over whole chunks.
    struct BandChunk
    {
        double left[AudioDev::maxBlockSize];
        double right[AudioDev::maxBlockSize];
    };

    void storeBands (const LinkwitzRileyCrossover::Bands& bands, BandChunk& low, BandChunk& mid, BandChunk& high, int i) noexcept
    {
        low.left[i] = bands.low.left;
        low.right[i] = bands.low.right;
        mid.left[i] = bands.mid.left;
        mid.right[i] = bands.mid.right;
        high.left[i] = bands.high.left;
        high.right[i] = bands.high.right;
    }

    // Blends both channels towards their mean, then scales the side signal.
    void applyWidth (double& left, double& right, double blend, double sideGain) noexcept
    {
        const auto mean = (left + right) * 0.5;
        left = left * (1.0 - blend) + mean * blend;
        right = right * (1.0 - blend) + mean * blend;

        const auto mid = (left + right) * 0.5;
        const auto side = (left - right) * 0.5 * sideGain;
        left = mid + side;
        right = mid - side;
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

void AudioDevEffect::process (double* left, double* right, int numChannels) noexcept
{
    processChunk (left, right, 1, numChannels);
}

void AudioDevEffect::processBlock (double* left, double* right, int numSamples, int numChannels) noexcept
{
    for (int start = 0; start < numSamples; start += AudioDev::maxBlockSize)
        processChunk (left + start, right + start, std::min (AudioDev::maxBlockSize, numSamples - start), numChannels);
}

// Each stage runs over the whole chunk before the next one starts. A stage's
// samples depend on each other only through its own memories, so the
// processor can overlap consecutive samples instead of waiting on the long
// chain of one sample through every stage. Nothing that steers a stage
// changes within a chunk (the mapping runs between blocks), so every sample
// meets exactly the states and settings it would meet going through all
// stages before the next sample starts.
void AudioDevEffect::processChunk (double* left, double* right, int numSamples, int numChannels) noexcept
{
    double dryLeft[AudioDev::maxBlockSize], dryRight[AudioDev::maxBlockSize];

    for (int i = 0; i < numSamples; ++i)
    {
        left[i] = finiteOrSilence (left[i]);
        right[i] = finiteOrSilence (right[i]);
        dryLeft[i] = left[i];
        dryRight[i] = numChannels == 1 ? left[i] : right[i];
    }

    const auto forEachSample = [&] (auto&& stage)
    {
        for (int i = 0; i < numSamples; ++i)
            stage (left[i], right[i]);
    };

    if (harmonicsOn)
        processHarmonics (left, right, numSamples);

    if (pressureOn)
        processPressure (left, right, numSamples);

    if (subOn)
        forEachSample ([this] (double& l, double& r) { subEq.process (l, r); });

    if (airOn)
        forEachSample ([this] (double& l, double& r) { airEq.process (l, r); });

    if (midOn)
        forEachSample ([this] (double& l, double& r) { midEq.process (l, r); });

    if (transientsOn)
        processTransients (left, right, numSamples);

    if (compressionOn)
        processCompression (left, right, numSamples);

    if (widthOn)
        processWidth (left, right, numSamples);

    // Power off keeps every stage running and only fades their output out.
    const auto powerTarget = powerOn ? 1.0 : 0.0;

    if (powerMix.isSettledAt (powerTarget))
    {
        // A settled crossfade steps to its target every sample, and a mix of
        // 1 or 0 passes one side exactly; only the other side needs copying.
        if (powerTarget == 0.0)
        {
            std::copy (dryLeft, dryLeft + numSamples, left);
            std::copy (dryRight, dryRight + numSamples, right);
        }
    }
    else
    {
        for (int i = 0; i < numSamples; ++i)
        {
            const auto power = powerMix.next (powerTarget);
            left[i] = (1.0 - power) * dryLeft[i] + power * left[i];
            right[i] = (1.0 - power) * dryRight[i] + power * right[i];
        }
    }

    spectrum.pushBlock (left, right, numSamples);
    meters.processBlock (left, right, numSamples);
}

void AudioDevEffect::processHarmonics (double* left, double* right, int numSamples) noexcept
{
    BandChunk wet;
    std::copy (left, left + numSamples, wet.left);
    std::copy (right, right + numSamples, wet.right);

    harmonicsStage1.processBlock (wet.left, wet.right, numSamples);
    harmonicsStage2.processBlock (wet.left, wet.right, numSamples);

    for (int i = 0; i < numSamples; ++i)
    {
        left[i] = wet.left[i] * harmonicsWetGain + left[i] * harmonicsDryGain;
        right[i] = wet.right[i] * harmonicsWetGain + right[i] * harmonicsDryGain;
    }
}

void AudioDevEffect::processPressure (double* left, double* right, int numSamples) noexcept
{
    double inputGains[AudioDev::maxBlockSize], lowGains[AudioDev::maxBlockSize], midGains[AudioDev::maxBlockSize],
           highGains[AudioDev::maxBlockSize], makeupGains[AudioDev::maxBlockSize], outputGains[AudioDev::maxBlockSize];
    pressureInputGain.nextBlock (inputGains, numSamples);
    pressureLowGain.nextBlock (lowGains, numSamples);
    pressureMidGain.nextBlock (midGains, numSamples);
    pressureHighGain.nextBlock (highGains, numSamples);
    pressureLowMakeupGain.nextBlock (makeupGains, numSamples);
    pressureOutputGain.nextBlock (outputGains, numSamples);

    BandChunk low, mid, high;

    for (int i = 0; i < numSamples; ++i)
    {
        auto bands = pressureCrossover.split (left[i] * inputGains[i], right[i] * inputGains[i]);
        negate (bands.mid);

        scale (bands.low, lowGains[i]);
        scale (bands.mid, midGains[i]);
        scale (bands.high, highGains[i]);
        storeBands (bands, low, mid, high, i);
    }

    pressureCompressors[0].processBlock (low.left, low.right, numSamples);
    pressureCompressors[1].processBlock (mid.left, mid.right, numSamples);
    pressureCompressors[2].processBlock (high.left, high.right, numSamples);

    for (int i = 0; i < numSamples; ++i)
    {
        left[i] = (low.left[i] * makeupGains[i] + mid.left[i] + high.left[i]) * outputGains[i];
        right[i] = (low.right[i] * makeupGains[i] + mid.right[i] + high.right[i]) * outputGains[i];
    }
}

void AudioDevEffect::processTransients (double* left, double* right, int numSamples) noexcept
{
    transientShaper.processBlock (left, right, numSamples);

    BandChunk low, mid, high;

    for (int i = 0; i < numSamples; ++i)
    {
        auto bands = transientCrossover.split (left[i], right[i]);
        negate (bands.mid);
        storeBands (bands, low, mid, high, i);
    }

    transientMidShaper.processBlock (mid.left, mid.right, numSamples);
    transientHighShaper.processBlock (high.left, high.right, numSamples);

    for (int i = 0; i < numSamples; ++i)
    {
        left[i] = low.left[i] + mid.left[i] + high.left[i];
        right[i] = low.right[i] + mid.right[i] + high.right[i];
    }
}

void AudioDevEffect::processCompression (double* left, double* right, int numSamples) noexcept
{
    glueSaturation.processBlock (left, right, numSamples);
    kickCompressor.processBlock (left, right, numSamples);

    double makeupGains[AudioDev::maxBlockSize];
    compressionMakeupGain.nextBlock (makeupGains, numSamples);

    for (int i = 0; i < numSamples; ++i)
    {
        left[i] *= makeupGains[i];
        right[i] *= makeupGains[i];
    }
}

// The full band gets the width operation once, then the mid and high bands get
// it once more each; the low band keeps the result of the first. Both glides
// therefore advance three times per sample.
void AudioDevEffect::processWidth (double* left, double* right, int numSamples) noexcept
{
    constexpr int stepsPerSample = 3;
    double blends[stepsPerSample * AudioDev::maxBlockSize], sideGains[stepsPerSample * AudioDev::maxBlockSize];
    widthMonoBlend.nextBlock (blends, stepsPerSample * numSamples);
    widthSideGain.nextBlock (sideGains, stepsPerSample * numSamples);

    for (int i = 0; i < numSamples; ++i)
    {
        const auto* blend = blends + stepsPerSample * i;
        const auto* sideGain = sideGains + stepsPerSample * i;

        applyWidth (left[i], right[i], blend[0], sideGain[0]);

        auto bands = widthCrossover.split (left[i], right[i]);
        negate (bands.mid);
        applyWidth (bands.mid.left, bands.mid.right, blend[1], sideGain[1]);
        applyWidth (bands.high.left, bands.high.right, blend[2], sideGain[2]);
        sum (bands, left[i], right[i]);
    }
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
