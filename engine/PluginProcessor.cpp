#include "PluginProcessor.h"

#include "EffectRouting.h"
#include "PluginEditor.h"

#include <limits>

namespace
{
    const juce::String processorName { "VANTO Groundwork Kick" };
    const juce::String processorShortName { "VANTOGroundworkKick" };

    constexpr int waveformPoints = 999;
    // Each point of the view covers about 2 ms. The constant is single precision
    // on purpose: 44100 Hz gives 88 samples per point, 48000 Hz 96.
    constexpr float waveformSecondsPerPoint = 0.002f;
    constexpr float waveformMixGain = 0.5f;
    // The view's mix buffer holds the longest block AAX hosts hand over. A
    // longer block, for which the wrapper prepares again on the audio thread,
    // is mixed a chunk at a time, so the buffer never has to grow there.
    constexpr int waveformMixCapacity = 1024;

    const juce::Colour waveformBackground { 0x00ffffffu };
    const juce::Colour waveformForeground { 0xb3ac644cu };

    // False for a rate no host sends (not a number, negative, or so high that
    // the count would overflow), which leaves the view as it was.
    bool waveformSamplesPerPoint (double sampleRate, int& samplesPerPoint) noexcept
    {
        const auto samples = sampleRate * (double) waveformSecondsPerPoint;

        if (! (samples >= 0.0 && samples <= (double) std::numeric_limits<int>::max()))
            return false;

        samplesPerPoint = (int) samples;
        return true;
    }
}

TemplateEffectAudioProcessor::TemplateEffectAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), false)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), false)),
      parameterManager (*this, this)
{
    waveformView.setColours (waveformBackground, waveformForeground);
    waveformView.setOpaque (false);
    // The view's shape is fixed here, once: reshaping it later would reallocate
    // its history while the message thread may be painting it.
    waveformView.setBufferSize (waveformPoints);
    // The mix buffer's storage, allocated here and kept by every prepare; the
    // buffer itself stays empty until the first.
    waveformBuffer.setSize (1, waveformMixCapacity);
    waveformBuffer.setSize (0, 0, false, false, true);

    describeParameters();

    for (const auto* description : parameterDescriptions())
        parameterManager.addNew (*description);

    // Only after every parameter exists: giving the tree binds the parameters to it.
    parameterManager.valueTreeState.state = createStateTree();

    lifecycleExclusion.release();
}

// A host may destroy the processor on any thread, while the waveform view's
// repaint timer and the parameter tree's flush timer fire on the message thread.
TemplateEffectAudioProcessor::~TemplateEffectAudioProcessor()
{
    lifecycleExclusion.acquire();
}

const juce::String TemplateEffectAudioProcessor::getName() const { return processorName; }

juce::StringArray TemplateEffectAudioProcessor::getAlternateDisplayNames() const { return { processorShortName }; }

void TemplateEffectAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    // May run on the audio thread: only settings that reallocate nothing.
    if (int samplesPerPoint = 0; waveformSamplesPerPoint (sampleRate, samplesPerPoint))
        waveformView.setSamplesPerBlock (samplesPerPoint);

    waveformView.clear();

    waveformBuffer.setSize (1, juce::jlimit (0, waveformMixCapacity, samplesPerBlock), false, true, true);

    // Every queued change reaches the chain before it is prepared.
    parameterManager.dispatchPending();
    effect.prepare (sampleRate);
}

void TemplateEffectAudioProcessor::releaseResources() {}

void TemplateEffectAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const juce::ScopedNoDenormals noDenormals;

    parameterManager.dispatchPending();

    if (buffer.getNumChannels() == 0)
        return;

    processThroughEffect (effect, buffer);
    pushToWaveformView (buffer);
}

void TemplateEffectAudioProcessor::pushToWaveformView (const juce::AudioBuffer<float>& output)
{
    // The mix is built in the scratch buffer, a chunk at a time, so a block longer
    // than the prepared size (or one before any prepare) cannot overrun it.
    const auto chunkSize = waveformBuffer.getNumSamples();

    if (chunkSize == 0)
        return;

    const float* const mix[] = { waveformBuffer.getReadPointer (0) };

    for (int start = 0; start < output.getNumSamples(); start += chunkSize)
    {
        const auto length = juce::jmin (chunkSize, output.getNumSamples() - start);

        waveformBuffer.clear (0, 0, length);

        for (int channel = 0; channel < output.getNumChannels(); ++channel)
            waveformBuffer.addFrom (0, 0, output, channel, start, length);

        // Half whatever the channel count: a mono signal shows at half amplitude.
        waveformBuffer.applyGain (0, 0, length, waveformMixGain);
        waveformView.pushBuffer (mix, 1, length);
    }
}

double TemplateEffectAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool TemplateEffectAudioProcessor::acceptsMidi() const { return false; }
bool TemplateEffectAudioProcessor::producesMidi() const { return false; }
bool TemplateEffectAudioProcessor::isMidiEffect() const { return false; }

juce::AudioProcessorEditor* TemplateEffectAudioProcessor::createEditor()
{
    return new TemplateEffectAudioProcessorEditor (*this);
}

bool TemplateEffectAudioProcessor::hasEditor() const { return true; }

int TemplateEffectAudioProcessor::getNumPrograms() { return 1; }
int TemplateEffectAudioProcessor::getCurrentProgram() { return 0; }
void TemplateEffectAudioProcessor::setCurrentProgram (int) {}
const juce::String TemplateEffectAudioProcessor::getProgramName (int) { return {}; }
void TemplateEffectAudioProcessor::changeProgramName (int, const juce::String&) {}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TemplateEffectAudioProcessor();
}
