#include "QELRotaryControlNew.h"

#include "EditorColours.h"

#include <cmath>

namespace
{
    namespace Palette
    {
        const juce::Colour disc { 0xFF5D5856u };
        const juce::Colour ringRight { 0xFFE67D3Cu };
        const juce::Colour ringLeft { 0xFFC65337u };
        const juce::Colour arc = juce::Colours::white.withAlpha ((juce::uint8) 0x4C);
        const juce::Colour innerDisc { 0xFF2B2B2Bu };
        const juce::Colour valueText { 0xFF895C31u };
        const juce::Colour unitText { 0x7F744F2Au };
        const juce::Colour transparent { 0x00FFFFFFu };
        constexpr juce::uint8 highlightAlpha = 0x7F;
    }

    constexpr float pi = juce::MathConstants<float>::pi;
    constexpr float arcStartAngle = -0.75f * pi;   // clockwise from twelve o'clock
    constexpr float arcSweep = 1.5f * pi;
    constexpr float arcThickness = 4.0f;
    constexpr float ringInset = 4.0f;
    constexpr float arcInset = 6.0f;
    constexpr float innerDiscInset = 8.0f;
    constexpr float dotDiameter = 5.0f;
    constexpr float iconInset = 19.0f;
    constexpr float iconAreaShrink = 22.0f;
    constexpr float iconAlpha = 0.5f;
    constexpr float captionHeight = 17.0f;
    constexpr float captionTopFromBottom = 15.0f;
    constexpr float captionAreaWidth = 90.0f;
    constexpr float captionAreaHeight = 10.0f;
    constexpr float valueHeight = 14.0f;
    constexpr float unitHeight = 10.0f;
    constexpr int valueDrop = 2;            // the number sits this far below the box's top
    constexpr int unitDrop = 4;             // and the unit two pixels lower still
    constexpr float valueBoxDefaultHeight = 12.0f;
}

//==============================================================================
QELTextEditor::QELTextEditor()
    : juce::TextEditor ({}, 0)
{
}

void QELTextEditor::mouseDown (const juce::MouseEvent& e)
{
    if (isEnabled())
        juce::TextEditor::mouseDown (e);
}

void QELTextEditor::mouseDrag (const juce::MouseEvent& e)
{
    if (isEnabled())
        juce::TextEditor::mouseDrag (e);
}

void QELTextEditor::mouseDoubleClick (const juce::MouseEvent& e)
{
    if (isEnabled())
        juce::TextEditor::mouseDoubleClick (e);
}

//==============================================================================
QELRotaryControlNew::QELRotaryControlNew (ParameterManager* manager,
                                          ParameterManager::ParamData data,
                                          juce::Component* companion)
    : ParameterComponentContinuous (manager, std::move (data)),
      dragCompanion (companion)
{
    if (dragCompanion != nullptr)
    {
        showIcon = false;
        showValue = false;
    }

    valueBox.setColour (juce::TextEditor::backgroundColourId, Palette::transparent);
    valueBox.setColour (juce::TextEditor::textColourId, juce::Colours::white);
    valueBox.setColour (juce::TextEditor::highlightColourId, valueBoxHighlightColour.withAlpha (Palette::highlightAlpha));
    valueBox.setColour (juce::TextEditor::highlightedTextColourId, juce::Colours::white);
    valueBox.setColour (juce::TextEditor::outlineColourId, Palette::transparent);
    valueBox.setColour (juce::TextEditor::focusedOutlineColourId, Palette::transparent);
    valueBox.setFont (juce::Font (juce::Font::getDefaultSansSerifFontName(), valueBoxDefaultHeight, juce::Font::plain));
    valueBox.setJustification (juce::Justification::centred);
    valueBox.setInputRestrictions (maxTypedCharacters, typedCharacters);
    valueBox.setMultiLine (false);
    valueBox.setReadOnly (false);
    valueBox.setWantsKeyboardFocus (true);
    valueBox.setSelectAllWhenFocused (true);
    valueBox.addListener (this);
    addAndMakeVisible (valueBox);
    valueBox.setVisible (false);

    setWantsKeyboardFocus (true);
}

void QELRotaryControlNew::place (int x, int y, int iconOffset)
{
    nameAreaHeight = placedNameAreaHeight;
    iconOffsetY = iconOffset;

    setBounds (x, y, knobWidth, knobHeight);
    valueBox.setBounds (0, valueBoxY, getWidth(), valueBoxHeight);
    valueBox.setFont (valueFont.withHeight (valueHeight));

    if (icon != nullptr)
    {
        icon->setVisible (true);
        addChildComponent (icon);
    }
}

void QELRotaryControlNew::refreshFromParameter()
{
    const auto current = parameterManager->getParameterValue (paramData.paramID);

    // NaN on either side counts as a change.
    if (! (value == current))
    {
        value = current;
        repaint();
    }
}

//==============================================================================
void QELRotaryControlNew::mouseEnter (const juce::MouseEvent&)
{
    if (dragCompanion == nullptr)
    {
        showIcon = false;
        repaint();
    }
}

void QELRotaryControlNew::mouseExit (const juce::MouseEvent&)
{
    if (dragCompanion == nullptr)
    {
        showIcon = true;
        repaint();
    }
}

void QELRotaryControlNew::showCompanion (bool shouldBeShown)
{
    if (dragCompanion != nullptr)
    {
        dragCompanion->setVisible (shouldBeShown);
        showValue = ! shouldBeShown;
    }
}

void QELRotaryControlNew::mouseDown (const juce::MouseEvent& e)
{
    if (! isEnabled())
        return;

    showCompanion (false);
    ParameterComponentContinuous::mouseDown (e);
}

void QELRotaryControlNew::mouseDrag (const juce::MouseEvent& e)
{
    if (! isEnabled())
        return;

    showCompanion (false);
    ParameterComponentContinuous::mouseDrag (e);
}

void QELRotaryControlNew::mouseUp (const juce::MouseEvent&)
{
    if (isEnabled())
        showCompanion (true);
}

void QELRotaryControlNew::mouseDoubleClick (const juce::MouseEvent& e)
{
    // The knob with a companion offers neither typing nor reset.
    if (dragCompanion != nullptr || ! isEnabled())
        return;

    if (valueBox.getBounds().contains (e.getPosition()))
        openValueBox();
    else
        sendDefaultValue();
}

void QELRotaryControlNew::openValueBox()
{
    showCentre = false;
    showIcon = false;
    repaint();

    const auto shown = std::isfinite (value) ? value : paramData.range.start;
    valueBox.setVisible (true);
    valueBox.setText (juce::String ((double) shown, numDecimalPlaces), juce::dontSendNotification);
    valueBox.grabKeyboardFocus();
}

void QELRotaryControlNew::textEditorReturnKeyPressed (juce::TextEditor&)
{
    commitTypedValue();
}

void QELRotaryControlNew::textEditorFocusLost (juce::TextEditor&)
{
    commitTypedValue();
}

void QELRotaryControlNew::commitTypedValue()
{
    if (! valueBox.isVisible())
        return;

    showCentre = true;
    repaint();
    valueBox.setVisible (false);

    // Text without a leading number reads 0.
    sendValue ((float) valueBox.getText().getDoubleValue());
}

//==============================================================================
void QELRotaryControlNew::draw (juce::Graphics& g, float normalisedValue)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const auto discHeight = h - (float) nameAreaHeight;

    g.setColour (Palette::disc);
    g.fillEllipse (0.0f, 0.0f, w, discHeight);

    g.setGradientFill (juce::ColourGradient (Palette::ringRight, w, 0.0f, Palette::ringLeft, 0.0f, 0.0f, false));
    g.fillEllipse (ringInset, ringInset,
                   juce::jmax (0.0f, w - 2.0f * ringInset), juce::jmax (0.0f, discHeight - 2.0f * ringInset));

    const auto radius = juce::jmax (0.0f, w - 2.0f * arcInset) / 2.0f;
    const auto endAngle = arcStartAngle + normalisedValue * arcSweep;

    juce::Path arc;
    arc.addCentredArc (w / 2.0f, discHeight / 2.0f, radius, radius, 0.0f, arcStartAngle, endAngle, true);
    g.setColour (Palette::arc);
    g.strokePath (arc, juce::PathStrokeType (arcThickness, juce::PathStrokeType::curved, juce::PathStrokeType::butt));

    g.setColour (Palette::innerDisc);
    g.fillEllipse (innerDiscInset, innerDiscInset,
                   juce::jmax (0.0f, w - 2.0f * innerDiscInset), juce::jmax (0.0f, discHeight - 2.0f * innerDiscInset));

    g.setFont (nameFont.withHeight (captionHeight));
    g.setColour (nameColour);
    g.drawText (name, juce::Rectangle<float> (0.0f, h - captionTopFromBottom, captionAreaWidth, captionAreaHeight), juce::Justification::centred, true);

    const auto dotAngle = endAngle - pi / 2.0f;
    const auto dotX = arcInset + radius + radius * std::cos (dotAngle);
    const auto dotY = arcInset + juce::jmax (0.0f, discHeight - 2.0f * arcInset) / 2.0f + radius * std::sin (dotAngle);
    g.setColour (dotColour);
    g.fillEllipse (dotX - dotDiameter / 2.0f, dotY - dotDiameter / 2.0f, dotDiameter, dotDiameter);

    if (showCentre)
        drawCentre (g, discHeight);
}

void QELRotaryControlNew::drawCentre (juce::Graphics& g, float discHeight)
{
    if (showIcon)
    {
        if (icon != nullptr)
        {
            const auto w = (float) getWidth();
            const juce::Rectangle<float> area (iconInset, (float) iconOffsetY + iconInset,
                                               juce::jmax (0.0f, juce::jmax (0.0f, w - 2.0f * innerDiscInset) - iconAreaShrink),
                                               juce::jmax (0.0f, juce::jmax (0.0f, discHeight - 2.0f * innerDiscInset) - iconAreaShrink));
            icon->setAlpha (iconAlpha);
            icon->setTransformToFit (area, juce::RectanglePlacement::centred);
            icon->setVisible (true);
        }

        return;
    }

    if (icon != nullptr)
        icon->setVisible (false);

    drawValue (g);
}

void QELRotaryControlNew::drawValue (juce::Graphics& g)
{
    const auto shown = std::isfinite (value) ? value : paramData.range.start;
    const auto text = paramData.valueToTextFunction ? paramData.valueToTextFunction (shown)
                                                    : juce::String ((double) shown, 0);
    const auto valueFontSized = valueFont.withHeight (valueHeight);
    const auto unitFont = valueFontSized.withHeight (unitHeight);
    const auto& unit = paramData.labelText;
    const auto textWidth = (int) std::ceil (valueFontSized.getStringWidthFloat (text));
    const auto unitWidth = (int) std::ceil (unitFont.getStringWidthFloat (unit));

    g.setColour (Palette::valueText);
    g.setFont (valueFontSized);

    if (! showValue)
        return;

    // The number is centred on the box and the unit follows it, two pixels lower.
    const auto box = valueBox.getBounds();
    const auto textX = box.getX() + (box.getWidth() - unitWidth - textWidth) / 2 + unitWidth / 2;
    const auto rowHeight = juce::jmax (0, box.getHeight() - valueDrop);

    g.drawText (text, textX, box.getY() + valueDrop, textWidth, rowHeight, juce::Justification::centred, true);

    g.setColour (Palette::unitText);
    g.setFont (unitFont);
    g.drawText (unit, textX + textWidth, box.getY() + unitDrop, unitWidth, rowHeight, juce::Justification::centred, true);
}
