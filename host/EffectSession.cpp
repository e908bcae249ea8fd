// EffectSession.cpp: loading and registering a module; creating, driving and releasing its instances.
#include "EffectSession.h"

#include "HostString.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace
{
    constexpr int32_t monoStemFormat = 0x00000001;
    constexpr int32_t stereoStemFormat = 0x00010002;
    constexpr size_t chunkSizeOffset = 0;
    constexpr size_t chunkIDOffset = 20;
}

//==============================================================================
host::LoadedEffect::LoadedEffect (const std::string& modulePath)
    : module (modulePath)
{
    const auto& entry = module.entryPoints();
    started = entry.startup (testHost.hostUnknown()) == resultOk;

    IUnknownSlots* definition = nullptr;
    const auto result = entry.registerPlugin (testHost.hostUnknown(), &definition);
    if (definition != nullptr)
        definition->Release();

    auto described = describeRegisteredEffect (testHost.log().calls());
    if (result != resultOk || ! described)
    {
        shutdown();
        throw std::runtime_error (modulePath + " did not register an effect (result " + std::to_string (result) + ")");
    }
    effect = std::move (*described);
}

host::LoadedEffect::~LoadedEffect()
{
    shutdown();
}

void host::LoadedEffect::shutdown()
{
    if (std::exchange (started, false))
        module.entryPoints().shutdown (testHost.hostUnknown());
}

int32_t host::LoadedEffect::liveObjects() const
{
    return module.entryPoints().canUnloadNow (nullptr);
}

//==============================================================================
host::EffectInstance::EffectInstance (LoadedEffect& effect, int channels, float sampleRate, Window window)
    : numChannels (channels)
{
    const auto& description = effect.description();
    const auto* component = description.component (channels, channels);
    if (component == nullptr)
        throw std::runtime_error ("the effect has no " + std::to_string (channels) + "-channel configuration");

    instance = std::make_unique<HostInstance> (effect.host(), HostInstance::Procedures { description.createParameters,
                                                                       window == Window::wanted ? description.createGUI : nullptr });
    if (instance->parameters() == nullptr)
        throw std::runtime_error ("the effect's parameters object could not be created");

    auto& controller = instance->controller().controller();
    controller.sampleRate = sampleRate;
    controller.inputStemFormat = channels == 1 ? monoStemFormat : stereoStemFormat;
    controller.outputStemFormat = controller.inputStemFormat;

    if (const auto result = instance->initialize(); result != resultOk)
        throw std::runtime_error ("the effect could not be initialised (result " + std::to_string (result) + ")");

    context = std::make_unique<AlgorithmContext> (*component);
    if (const auto result = context->resetPrivateData (parameters()); result != resultOk)
        throw std::runtime_error ("the effect's private data could not be reset (result " + std::to_string (result) + ")");
}

host::EffectInstance::~EffectInstance()
{
    release();
}

void host::EffectInstance::release (Teardown teardown)
{
    context.reset();
    if (instance != nullptr)
        instance->release (teardown);
    instance.reset();
}

void host::EffectInstance::process (const float* const* inputs, float* const* outputs, int numSamples)
{
    std::vector<const float*> in (static_cast<size_t> (numChannels));
    std::vector<float*> out (static_cast<size_t> (numChannels));

    for (int start = 0; start < numSamples; start += AlgorithmContext::maxBlockSize)
    {
        const int length = std::min (AlgorithmContext::maxBlockSize, numSamples - start);
        for (size_t channel = 0; channel < in.size(); ++channel)
        {
            in[channel] = inputs[channel] + start;
            out[channel] = outputs[channel] + start;
        }

        instance->generateCoefficients();
        context->deliverPackets (instance->fieldBlock());
        context->process (in.data(), out.data(), length);
    }
}

host::HostViewContainer* host::EffectInstance::openWindow()
{
    if (instance->gui() == nullptr || instance->setViewContainer (HostViewContainer::Kind::x11Window) != resultOk)
        return nullptr;

    auto* container = instance->viewContainer();
    ViewSize size {};
    if (instance->gui()->GetViewSize (&size) == resultOk)
        container->SetViewSize (size);
    return container;
}

void host::EffectInstance::closeWindow()
{
    if (instance->gui() != nullptr)
        instance->clearViewContainer();
}

std::vector<host::HostParameter> host::EffectInstance::listParameters()
{
    std::vector<HostParameter> list;
    int32_t count = 0;
    if (parameters().GetNumberOfParameters (&count) != resultOk)
        return list;

    for (int32_t index = 0; index < count; ++index)
    {
        HostString id, name;
        if (parameters().GetParameterIDFromIndex (index, &id) != resultOk)
            continue;
        parameters().GetParameterName (id.Get(), &name);
        int32_t steps = 0;
        parameters().GetParameterNumberOfSteps (id.Get(), &steps);
        list.push_back ({ id.text(), name.text(), steps });
    }
    return list;
}

std::optional<host::HostParameter> host::EffectInstance::findParameterByName (const std::string& name)
{
    for (auto& parameter : listParameters())
        if (parameter.name == name)
            return parameter;
    return std::nullopt;
}

double host::EffectInstance::normalizedValue (const std::string& id)
{
    double value = 0.0;
    parameters().GetParameterNormalizedValue (id.c_str(), &value);
    return value;
}

std::string host::EffectInstance::valueText (const std::string& id, double normalized)
{
    HostString text;
    parameters().GetParameterStringFromValue (id.c_str(), normalized, &text, 32);
    return text.text();
}

std::optional<double> host::EffectInstance::normalizedFromText (const std::string& id, const std::string& text)
{
    HostString input (text);
    double value = 0.0;
    if (parameters().GetParameterValueFromString (id.c_str(), &value, &input) != resultOk)
        return std::nullopt;
    return value;
}

int32_t host::EffectInstance::automate (const std::string& id, double normalized)
{
    const auto result = parameters().SetParameterNormalizedValue (id.c_str(), normalized);
    instance->pumpAutomation();
    return result;
}

std::vector<uint32_t> host::EffectInstance::chunkIDs()
{
    std::vector<uint32_t> ids;
    int32_t count = 0;
    parameters().GetNumberOfChunks (&count);
    for (int32_t index = 0; index < count; ++index)
    {
        uint32_t id = 0;
        if (parameters().GetChunkIDFromIndex (index, &id) == resultOk)
            ids.push_back (id);
    }
    return ids;
}

std::vector<uint8_t> host::EffectInstance::fetchChunk (uint32_t chunkID)
{
    uint32_t size = 0;
    if (parameters().GetChunkSize (chunkID, &size) != resultOk)
        return {};

    std::vector<uint8_t> record (chunkHeaderSize + size, 0);
    const auto dataSize = static_cast<int32_t> (size);
    std::memcpy (record.data() + chunkSizeOffset, &dataSize, sizeof (dataSize));
    std::memcpy (record.data() + chunkIDOffset, &chunkID, sizeof (chunkID));
    if (parameters().GetChunk (chunkID, record.data()) != resultOk)
        return {};

    int32_t written = 0;
    std::memcpy (&written, record.data() + chunkSizeOffset, sizeof (written));
    record.resize (chunkHeaderSize + static_cast<size_t> (std::clamp<int32_t> (written, 0, dataSize)));
    return record;
}

int32_t host::EffectInstance::restoreChunk (uint32_t chunkID, const std::vector<uint8_t>& record)
{
    if (record.size() < chunkHeaderSize)
        return resultInvalidArgument;
    const auto result = parameters().SetChunk (chunkID, record.data());
    // Restored values reach the module's parameters as automation requests,
    // which the host confirms.
    instance->pumpAutomation();
    return result;
}
