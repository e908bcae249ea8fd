// AlgorithmContext.cpp: laying out an instance's fields and calling its process procedure.
#include "AlgorithmContext.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

host::AlgorithmContext::AlgorithmContext (const ComponentDescription& component)
    : procedure (component.process),
      inputPointers (static_cast<size_t> (component.inputChannels()), nullptr),
      outputPointers (static_cast<size_t> (component.outputChannels()), nullptr)
{
    if (procedure == nullptr)
        throw std::runtime_error ("the component registered no native process procedure");

    uint32_t highestField = 0;
    for (const auto& field : component.fields)
        highestField = std::max (highestField, field.index);
    fields.assign (highestField + 1, nullptr);

    for (const auto& field : component.fields)
    {
        switch (field.kind)
        {
            case FieldDescription::Kind::audioIn: fields[field.index] = inputPointers.data(); break;
            case FieldDescription::Kind::audioOut: fields[field.index] = outputPointers.data(); break;
            case FieldDescription::Kind::audioBufferLength: fields[field.index] = &bufferLength; break;
            case FieldDescription::Kind::dataInPort:
            case FieldDescription::Kind::privateData:
                // At least one word, so even an empty block has an address.
                blocks.push_back ({ field.index, field.kind, std::vector<uint64_t> (std::max<size_t> (1, (field.size + 7) / 8), 0), field.size });
                break;
            case FieldDescription::Kind::other: break;
        }
    }

    // Addresses are taken once every block is in place.
    for (auto& block : blocks)
        fields[block.field] = block.storage.data();
}

int32_t host::AlgorithmContext::resetPrivateData (IEffectParametersV4Slots& parameters)
{
    for (auto& block : blocks)
    {
        if (block.kind != FieldDescription::Kind::privateData)
            continue;

        std::fill (block.storage.begin(), block.storage.end(), 0);
        if (const auto result = parameters.ResetFieldData (static_cast<int32_t> (block.field), block.storage.data(), block.size);
            result != resultOk)
            return result;
    }
    return resultOk;
}

void host::AlgorithmContext::deliverPackets (const FieldBlock& posted)
{
    for (auto& block : blocks)
    {
        if (block.kind != FieldDescription::Kind::dataInPort)
            continue;

        const auto packet = posted.port (static_cast<int32_t> (block.field));
        if (! packet.empty())
            std::memcpy (block.storage.data(), packet.data(), std::min<size_t> (packet.size(), block.size));
    }
}

void host::AlgorithmContext::process (const float* const* inputs, float* const* outputs, int numSamples)
{
    if (numSamples < 0)
        throw std::invalid_argument ("a block cannot have a negative length");

    for (size_t channel = 0; channel < inputPointers.size(); ++channel)
        inputPointers[channel] = const_cast<float*> (inputs[channel]);
    for (size_t channel = 0; channel < outputPointers.size(); ++channel)
        outputPointers[channel] = outputs[channel];
    bufferLength = numSamples;

    void* const instances[] = { fields.data() };
    procedure (instances, instances + 1);
}
