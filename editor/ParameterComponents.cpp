#include "ParameterComponents.h"

#include <cmath>
#include <limits>

namespace ParameterValues
{
    float clampToRange (float value, const juce::NormalisableRange<float>& range) noexcept
    {
        if (! std::isfinite (value))
            return range.start;

        return juce::jlimit (range.start, range.end, value);
    }

    float normalise (float value, const juce::NormalisableRange<float>& range) noexcept
    {
        if (! (range.end > range.start))
            return 0.0f;

        return range.convertTo0to1 (clampToRange (value, range));
    }

    int optionIndex (float value, const juce::NormalisableRange<float>& range) noexcept
    {
        // The half is added in double precision: in float, a value just under
        // a half (0.49999997) would round up into the next option.
        const auto v = std::isfinite (value) ? (double) value : (double) range.start;
        constexpr auto limit = (double) std::numeric_limits<int>::max();
        return (int) juce::jlimit (-limit, limit, v + 0.5);
    }

    int numDecimalPlacesFor (float interval) noexcept
    {
        // Beyond this a float has no meaningful decimal digits left.
        constexpr int maxPlaces = std::numeric_limits<float>::digits10;

        if (! std::isfinite (interval) || interval <= 0.0f || interval >= 1.0f)
            return 0;

        float multiplier = 1.0f;
        int places = 0;

        do
        {
            multiplier *= 10.0f;
            ++places;
        }
        while (multiplier * interval < 1.0f && places < maxPlaces);

        return places;
    }
}

//==============================================================================
ParameterComponentContinuous::ParameterComponentContinuous (ParameterManager* manager,
                                                            ParameterManager::ParamData data)
    : value (data.defaultValue),
      dragStartValue (data.defaultValue),
      numDecimalPlaces (ParameterValues::numDecimalPlacesFor (data.range.interval)),
      parameterManager (manager),
      paramData (std::move (data))
{
}

void ParameterComponentContinuous::mouseDown (const juce::MouseEvent&)
{
    if (! isEnabled())
        return;

    dragStartValue = value;
}

void ParameterComponentContinuous::mouseDrag (const juce::MouseEvent& e)
{
    if (! isEnabled())
        return;

    const auto& range = paramData.range;
    const auto distance = (float) e.getDistanceFromDragStartY();   // positive downward
    const auto length = juce::jmax (range.end, range.start) - range.start;
    const auto start = std::isfinite (dragStartValue) ? dragStartValue : range.start;

    const auto moved = (double) start + ((double) distance / -(double) dragPixelsForFullRange) * (double) length;
    sendValue ((float) moved);
}

void ParameterComponentContinuous::mouseDoubleClick (const juce::MouseEvent&)
{
    if (! isEnabled())
        return;

    sendDefaultValue();
}

void ParameterComponentContinuous::paint (juce::Graphics& g)
{
    draw (g, ParameterValues::normalise (value, paramData.range));
}

void ParameterComponentContinuous::sendValue (float plainValue)
{
    parameterManager->setParameterValue (paramData.paramID,
                                         ParameterValues::clampToRange (plainValue, paramData.range));
}

void ParameterComponentContinuous::sendDefaultValue()
{
    sendValue (paramData.defaultValue);
}

//==============================================================================
ParameterComponentDiscrete::ParameterComponentDiscrete (ParameterManager* manager,
                                                        ParameterManager::ParamData data,
                                                        int optionCount)
    : numOptions (optionCount),
      parameterManager (manager),
      paramData (std::move (data))
{
}

void ParameterComponentDiscrete::mouseDown (const juce::MouseEvent&)
{
    if (! isEnabled())
        return;

    // A step past the last option subtracts the option count (not a remainder),
    // so a value read between options keeps its fraction.
    if (! std::isfinite (value))
        value = paramData.range.start;

    value += 1.0f;

    if ((double) value >= (double) numOptions)
        value -= (float) numOptions;

    const auto stepped = (float) ParameterValues::optionIndex (value, paramData.range);
    parameterManager->setParameterValue (paramData.paramID,
                                         ParameterValues::clampToRange (stepped, paramData.range));
}

void ParameterComponentDiscrete::paint (juce::Graphics& g)
{
    draw (g, ParameterValues::optionIndex (value, paramData.range));
}

void ParameterComponentDiscrete::refreshFromParameter()
{
    value = parameterManager->getParameterValue (paramData.paramID);
    repaint();
}

//==============================================================================
ParameterComponentMultiSwitch::ParameterComponentMultiSwitch (ParameterManager* manager,
                                                              ParameterManager::ParamData data,
                                                              int optionCount)
    : numOptions (optionCount),
      parameterManager (manager),
      paramData (std::move (data))
{
}

juce::String ParameterComponentMultiSwitch::labelFor (int optionIndex) const
{
    return juce::isPositiveAndBelow (optionIndex, labels.size()) ? labels[optionIndex]
                                                                 : juce::String ("?");
}

void ParameterComponentMultiSwitch::mouseDown (const juce::MouseEvent& e)
{
    if (! isEnabled())
        return;

    if (numOptions > 0)
    {
        const auto size = vertical ? getHeight() : getWidth();
        const auto position = vertical ? e.getPosition().y : e.getPosition().x;
        const auto cell = size / numOptions;

        // The first cell whose far edge is at or beyond the click; a click past
        // the last full cell keeps the value.
        for (int k = 0; k < numOptions; ++k)
        {
            if (position <= (k + 1) * cell)
            {
                value = (float) k;
                break;
            }
        }
    }

    value = ParameterValues::clampToRange (value, paramData.range);
    parameterManager->setParameterValue (paramData.paramID, value);
}

void ParameterComponentMultiSwitch::paint (juce::Graphics& g)
{
    if (numOptions <= 0)
        return;

    const auto selected = ParameterValues::optionIndex (value, paramData.range);
    g.setFont (font);

    if (vertical)
        paintVertical (g, selected);
    else
        paintHorizontal (g, selected);
}

void ParameterComponentMultiSwitch::paintVertical (juce::Graphics& g, int selected) const
{
    const auto cellHeight = getHeight() / numOptions;

    // The column is drawn once per option, which thickens the labels'
    // anti-aliased edges: this is the switch's look.
    for (int pass = 0; pass < numOptions; ++pass)
    {
        for (int i = 0; i < numOptions; ++i)
        {
            g.setColour (i == selected ? colour : colour.withAlpha (verticalUnselectedAlpha));
            g.drawText (labelFor (i), 0, i * cellHeight, getWidth(), cellHeight,
                        juce::Justification::centredRight, true);
        }
    }
}

void ParameterComponentMultiSwitch::paintHorizontal (juce::Graphics& g, int selected) const
{
    const auto cellWidth = getWidth() / numOptions;

    for (int i = 0; i < numOptions; ++i)
    {
        g.setColour (i == selected ? colour : colour.withAlpha (horizontalUnselectedAlpha));
        g.drawText (labelFor (i), i * cellWidth, 0, cellWidth, getHeight(),
                    juce::Justification::centred, true);
    }
}
