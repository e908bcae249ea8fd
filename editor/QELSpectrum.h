#pragma once

#include "DataSources.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace Editor
{
// The frequency view: the engine's smoothed output spectrum as one curve over
// a logarithmic axis from 20 Hz to 20 kHz, tilted by 4.5 dB per octave around
// 1 kHz, with a translucent gradient under it. Reads the data source on the
// message thread without a lock; a frame replaced during a paint at worst
// mixes two consecutive frames in one curve.
//
// The engine's interface is QELSpectrum::DataSource, a namespace of its own,
// so this component lives in the editor's namespace and names the interface
// as its nested DataSource.
class QELSpectrum : public juce::Component
{
public:
    using DataSource = ::QELSpectrum::DataSource;

    explicit QELSpectrum (const DataSource* source) noexcept;
    ~QELSpectrum() override = default;

    void paint (juce::Graphics&) override;
    void resized() override {}

    // The shape of the last paint: one vertex per column (the stroked curve),
    // then the two corners that close the filled area under it.
    const juce::Path& getCurve() const noexcept { return curve; }

    // Column x of a display w pixels wide shows 20 x 1000^(x / w) Hz.
    static float columnFrequency (int x, int width) noexcept;

    // Fractional bin showing frequency f: f / (sampleRate / numBins), as far as
    // bin numBins / 2 - 1. Frequencies beyond it show that last bin, so a low
    // sample rate never draws the DC level at the top of the axis. 0 with
    // fewer than two bins.
    static float binPosition (float frequency, int numBins, int sampleRate) noexcept;

    // The display's tilt, in dB: 0 at 1 kHz, +4.5 dB per octave above.
    static double tiltDecibels (float frequency) noexcept;

    // A tilted level's height: 0 dB on the top edge, -96 dB two pixels below
    // the bottom, limited to a band around the display so that no extreme
    // level turns into an absurd coordinate.
    static float levelToY (float decibels, int height) noexcept;

    static constexpr float lowestFrequency = 20.0f;
    static constexpr float highestFrequency = 20000.0f;
    static constexpr double tiltPerOctave = 4.5;
    static constexpr double tiltPivotFrequency = 1000.0;
    static constexpr float rangeDecibels = 96.0f;
    static constexpr float floorDecibels = -144.0f;     // stands in for a level that is not finite

    static const juce::Colour strokeColour;
    static const juce::Colour fillColour;
    static constexpr float strokeThickness = 2.0f;
    static constexpr float fillInset = 30.0f;

private:
    float levelOfBin (int binIndex, int numBins) const noexcept;

    const DataSource* source;   // not owned; the processor's chain outlives the editor
    juce::Path curve;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELSpectrum)
};
}
