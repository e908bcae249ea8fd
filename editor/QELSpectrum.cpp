#include "QELSpectrum.h"

#include <cmath>

namespace Editor
{
const juce::Colour QELSpectrum::strokeColour { 0xFFAC644Cu };
const juce::Colour QELSpectrum::fillColour { 0x99B17C1Eu };

QELSpectrum::QELSpectrum (const DataSource* dataSource) noexcept
    : source (dataSource)
{
}

float QELSpectrum::columnFrequency (int x, int width) noexcept
{
    // The column's share of the axis goes onto the 20 Hz .. 20 kHz range and
    // back in single precision; the curve keeps the rounding of that trip.
    constexpr auto rangeHz = highestFrequency - lowestFrequency;
    const auto share = (float) x / (float) width;
    const auto exponent = (share * rangeHz + lowestFrequency - lowestFrequency) / rangeHz;
    return (float) (lowestFrequency * std::pow (highestFrequency / lowestFrequency, (double) exponent));
}

float QELSpectrum::binPosition (float frequency, int numBins, int sampleRate) noexcept
{
    if (numBins < 2 || ! std::isfinite (frequency))
        return 0.0f;

    const auto binHz = (float) sampleRate / (float) numBins;
    const auto lastBin = numBins / 2 - 1;
    const auto binFrequency = [binHz] (int bin) { return (float) bin * binHz; };

    if (! (binHz > 0.0f) || frequency > binFrequency (lastBin))
        return (float) lastBin;

    // The first bin at or above the frequency (found from an estimate rather
    // than by scanning up from bin 0), then the position between it and the
    // bin below, in single precision.
    auto above = juce::jlimit (0, lastBin, (int) (frequency / binHz));
    while (above > 0 && binFrequency (above - 1) >= frequency)
        --above;
    while (binFrequency (above) < frequency)
        ++above;

    const auto below = above - 1;
    return (float) below + (frequency - binFrequency (below)) / (binFrequency (above) - binFrequency (below));
}

double QELSpectrum::tiltDecibels (float frequency) noexcept
{
    return tiltPerOctave * std::log2 ((double) frequency / tiltPivotFrequency);
}

float QELSpectrum::levelToY (float decibels, int height) noexcept
{
    const auto span = (float) height + 2.0f;
    return juce::jlimit (-span, 2.0f * span, decibels / -rangeDecibels * span);
}

float QELSpectrum::levelOfBin (int binIndex, int numBins) const noexcept
{
    if (numBins < 1)
        return floorDecibels;
    const auto level = source->getBinLevelDecibels (juce::jlimit (0, numBins - 1, binIndex));
    return std::isfinite (level) ? level : floorDecibels;
}

void QELSpectrum::paint (juce::Graphics& g)
{
    curve.clear();
    if (source == nullptr)
        return;

    const auto height = getHeight();
    for (auto x = 0; x < getWidth(); ++x)
    {
        const auto frequency = columnFrequency (x, getWidth());
        const auto numBins = source->getNumBins();
        const auto position = binPosition (frequency, numBins, source->getSampleRate());

        const auto bin = (int) position;
        const auto tilt = tiltDecibels (frequency);
        const auto lower = (float) (levelOfBin (bin, numBins) + tilt);
        const auto upper = (float) (levelOfBin ((int) (position + 1.0f), numBins) + tilt);
        const auto fraction = position - (float) bin;
        const auto y = levelToY (fraction * upper + (1.0f - fraction) * lower, height);

        if (x == 0)
            curve.startNewSubPath (0.0f, y);
        else
            curve.lineTo ((float) x, y);
    }
    if (curve.isEmpty())
        return;

    g.setColour (strokeColour);
    g.strokePath (curve, juce::PathStrokeType (strokeThickness, juce::PathStrokeType::curved,
                                               juce::PathStrokeType::butt));

    // Close the area under the curve down to the display's bottom as seen
    // from its parent, and fill it with a gradient fading out downwards.
    const auto base = (float) getBottom();
    curve.lineTo ((float) getWidth() + 1.0f, base);
    curve.lineTo (0.0f, base);
    curve.closeSubPath();
    g.setGradientFill (juce::ColourGradient (fillColour, 0.0f, fillInset,
                                             fillColour.withAlpha ((juce::uint8) 0), 0.0f,
                                             (float) height - fillInset, false));
    g.fillPath (curve);
}
}
