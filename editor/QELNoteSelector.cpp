#include "QELNoteSelector.h"

#include <cmath>

namespace
{
    constexpr int arrowWidth = 13;
    constexpr int arrowHeight = 10;
    constexpr int arrowRightMargin = 15;   // from the selector's right edge to the arrow's left
    constexpr int arrowEdgeMargin = 3;
    constexpr int chevronMargin = 6;       // the chevron's box is the button less this in each direction
    constexpr float chevronThickness = 2.0f;
    constexpr float separatorOffset = 2.0f;   // right of the selector's middle
    constexpr float noteTextHeightRatio = 0.42f;
    constexpr int noteTextShiftLeft = 10;
}

//==============================================================================
void QELNoteSelectorButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void QELNoteSelectorButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void QELNoteSelectorButton::mouseDown (const juce::MouseEvent&)
{
    if (onClick)
        onClick();

    repaint();
}

void QELNoteSelectorButton::paint (juce::Graphics& g)
{
    if (direction != up && direction != down)
        return;

    const auto w = getWidth();
    const auto h = getHeight();
    const auto bw = juce::jmax (0, w - chevronMargin);
    const auto bh = juce::jmax (0, h - chevronMargin);
    const auto x0 = w / 2 - bw / 2;
    const auto y0 = h / 2 - bh / 2;
    const auto tipY = direction == up ? y0 : y0 + bh;
    const auto baseY = direction == up ? y0 + bh : y0;

    juce::Path chevron;
    chevron.startNewSubPath ((float) x0, (float) baseY);
    chevron.lineTo ((float) (w / 2), (float) tipY);
    chevron.lineTo ((float) (x0 + bw), (float) baseY);

    g.setColour (juce::Colours::white.withAlpha (hovered && isEnabled() ? hoverAlpha : idleAlpha));
    g.strokePath (chevron, juce::PathStrokeType (chevronThickness, juce::PathStrokeType::curved,
                                                 juce::PathStrokeType::butt));
}

//==============================================================================
QELNoteSelector::QELNoteSelector (ParameterManager* manager, ParameterManager::ParamData data, int optionCount)
    : ParameterComponentDiscrete (manager, data, optionCount),
      noteManager (manager),
      noteData (std::move (data))
{
    upButton.direction = QELNoteSelectorButton::up;
    addAndMakeVisible (upButton);

    // Presses on the selector itself fall through to the knob beneath; the
    // arrows still take theirs.
    setInterceptsMouseClicks (false, true);

    const auto note = currentNote();
    upButton.setEnabled (note < highestNote);
    downButton.setEnabled (note > lowestNote);

    upButton.onClick = [this] { stepUp(); };

    downButton.direction = QELNoteSelectorButton::down;
    addAndMakeVisible (downButton);
    downButton.onClick = [this] { stepDown(); };
}

void QELNoteSelector::mouseDown (const juce::MouseEvent&)
{
}

void QELNoteSelector::resized()
{
    upButton.setBounds (getWidth() - arrowRightMargin, arrowEdgeMargin, arrowWidth, arrowHeight);
    downButton.setBounds (getWidth() - arrowRightMargin, getHeight() - arrowEdgeMargin - arrowHeight,
                          arrowWidth, arrowHeight);
}

double QELNoteSelector::currentNote() const
{
    // A value that is not a number steps from the lowest note.
    const auto note = (double) noteManager->getParameterValue (noteData.paramID);
    return std::isfinite (note) ? note : lowestNote;
}

void QELNoteSelector::stepUp()
{
    auto note = currentNote() + 1.0;
    upButton.setEnabled (true);
    downButton.setEnabled (true);

    if (note >= highestNote)
    {
        upButton.setEnabled (false);
        note = highestNote;
    }

    noteManager->setParameterValue (noteData.paramID, (float) note);
}

void QELNoteSelector::stepDown()
{
    auto note = currentNote() - 1.0;
    downButton.setEnabled (true);
    upButton.setEnabled (true);

    if (note <= lowestNote)
    {
        downButton.setEnabled (false);
        note = lowestNote;
    }

    noteManager->setParameterValue (noteData.paramID, (float) note);
}

void QELNoteSelector::draw (juce::Graphics& g, int noteIndex)
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();
    const auto separatorX = w / 2.0f + separatorOffset;

    g.setColour (juce::Colours::white.withAlpha (separatorAlpha));
    g.drawLine (separatorX, 0.0f, separatorX, h);
    g.drawLine (separatorX, h / 2.0f, w, h / 2.0f);

    g.setFont (noteFont);
    g.setColour (noteColour);

    const auto text = noteData.valueToTextFunction ? noteData.valueToTextFunction ((float) noteIndex)
                                                   : juce::String();
    const auto textHeight = (int) (h * noteTextHeightRatio);
    const auto textY = (int) (h / 2.0f - (float) (textHeight / 2));
    g.drawText (text, -noteTextShiftLeft, textY, (int) w, textHeight, juce::Justification::centred, true);
}
