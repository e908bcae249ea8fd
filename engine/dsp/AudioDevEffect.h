#pragma once

#include "Clippers.h"
#include "Compressors.h"
#include "DataSources.h"
#include "Effect.h"
#include "Filters.h"
#include "LevelMeters.h"
#include "Smoothing.h"
#include "Spectrum.h"
#include "TransientShaper.h"

#include <array>
#include <cmath>

// A target written by the parameter mapping and the one-pole smoother that
// follows it; each use in the chain advances the smoother by one step.
struct SmoothedValue
{
    SmoothedValue (double initialTarget, double initialValue, double timeMs = 20.0) noexcept
        : target (initialTarget), smoother (initialValue, timeMs) {}

    double next() noexcept { return smoother.next (target); }
    void nextBlock (double* values, int numValues) noexcept { smoother.nextBlock (target, values, numValues); }

    double target;
    AudioDev::Smoothing::SmootherGeneric<double> smoother;
};

// The kick chain: one stereo sample at a time through eight switchable stages
// (harmonics, pressure, sub, air and mid equalisers, transients, compression,
// width), a power crossfade with the dry input, and then the spectrum and the
// level meters of the output.
//
// The switches and settings are public: the parameter mapping writes them
// between blocks on the audio thread. A stage whose switch is off does not
// run at all, so its smoothers hold their values until it runs again.
class AudioDevEffect final : public Effect,
                             public QELPeakMeter::DataSource,
                             public QELSpectrum::DataSource,
                             public BrightfenWaveMeter::DataSource
{
public:
    AudioDevEffect() noexcept;

    // Effect
    void prepare (double newSampleRate) noexcept override;
    void process (double* left, double* right, int numChannels) noexcept override;

    // The same as process on every sample in turn, faster: see processChunk.
    void processBlock (double* left, double* right, int numSamples, int numChannels) noexcept;

    // QELSpectrum::DataSource
    int getNumBins() const noexcept override;
    int getSampleRate() const noexcept override;
    float getBinLevelDecibels (int binIndex) const noexcept override;

    // BrightfenWaveMeter::DataSource
    double getPeakAndReset() noexcept override;

    // QELPeakMeter::DataSource
    float getLevel (int channel, int) const noexcept override;
    bool isClipping (int channel, int) const noexcept override;

    bool powerOn = true;
    bool harmonicsOn = false;
    bool pressureOn = false;
    bool subOn = false;
    bool airOn = false;
    bool midOn = false;
    bool transientsOn = false;
    bool widthOn = false;
    bool compressionOn = false;

    Kick_Harmonics::ClipStage_1 harmonicsStage1;
    Kick_Harmonics::ClipStage_2 harmonicsStage2;
    double harmonicsWetGain = 0.0;
    double harmonicsDryGain = 0.0;

    LinkwitzRileyCrossover pressureCrossover;
    std::array<AudioDev::Compression::CompressorStereo, 3> pressureCompressors; // low, mid, high band
    SmoothedValue pressureInputGain { 1.0, 1.0 };
    SmoothedValue pressureLowGain { 1.0, 1.0 };
    SmoothedValue pressureMidGain { 1.0, 1.0 };
    SmoothedValue pressureHighGain { 1.0, 1.0 };
    SmoothedValue pressureLowMakeupGain { 1.0, 1.0 };
    SmoothedValue pressureOutputGain { 1.0, 1.0 };

    StereoBiquad subEq { BiquadType::peak, 32.0, 1.0, 0.0 };
    StereoBiquad airEq { BiquadType::peak, 12000.0, 0.3, 0.0 };
    StereoBiquad midEq { BiquadType::peak, 130.0, 0.0, 0.0 };

    TransientShaper transientShaper;
    LinkwitzRileyCrossover transientCrossover;
    TransientShaper transientMidShaper;
    TransientShaper transientHighShaper;

    Kick_Compression::GlueSaturation glueSaturation;
    Kick_Compression::Compressor kickCompressor;
    SmoothedValue compressionMakeupGain { 1.0, 1.0 };

    SmoothedValue widthMonoBlend { 0.0, 0.0, 500.0 };
    SmoothedValue widthSideGain { 1.0, 0.0 };
    LinkwitzRileyCrossover widthCrossover;

    AudioDev::Smoothing::SmootherGeneric<double> powerMix { 0.0 };

private:
    // One bad sample would otherwise poison every filter memory and the
    // spectrum until the next prepare.
    static double finiteOrSilence (double sample) noexcept { return std::isfinite (sample) ? sample : 0.0; }

    // At most AudioDev::maxBlockSize samples; the band stages take whole chunks.
    void processChunk (double* left, double* right, int numSamples, int numChannels) noexcept;
    void processHarmonics (double* left, double* right, int numSamples) noexcept;
    void processPressure (double* left, double* right, int numSamples) noexcept;
    void processTransients (double* left, double* right, int numSamples) noexcept;
    void processCompression (double* left, double* right, int numSamples) noexcept;
    void processWidth (double* left, double* right, int numSamples) noexcept;

    double sampleRate = 44100.0;
    SpectrumAnalyser spectrum;
    LevelMeters meters;
};
