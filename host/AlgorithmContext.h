// AlgorithmContext.h: one instance's algorithm context, laid out by the host from the component's fields, and the calls of its process procedure.
#pragma once

#include "EffectDescription.h"
#include "HostEffectInterfaces.h"
#include "HostInstance.h"

#include <cstdint>
#include <vector>

namespace host
{
    // The context is one pointer per field index: the audio fields point to
    // arrays of channel pointers, the buffer length to a 32-bit count, data
    // ports and private data to blocks the host owns.
    class AlgorithmContext
    {
    public:
        // The largest block AAX hosts hand the procedure (2^10 samples).
        static constexpr int maxBlockSize = 1024;

        explicit AlgorithmContext (const ComponentDescription& component);
        AlgorithmContext (const AlgorithmContext&) = delete;
        AlgorithmContext& operator= (const AlgorithmContext&) = delete;

        // Zero-fills every private block and lets the parameters object fill
        // it (ResetFieldData), as a host does once the instance is initialised.
        // Answers the first failure.
        int32_t resetPrivateData (IEffectParametersV4Slots& parameters);

        // Copies the latest packet posted to each data port into the port.
        void deliverPackets (const FieldBlock& posted);

        // Runs one block through the process procedure; the channel counts
        // are the component's. A block is at most maxBlockSize long, except
        // where a test plays a host that hands over longer ones.
        void process (const float* const* inputs, float* const* outputs, int numSamples);

        int inputChannels() const noexcept { return static_cast<int> (inputPointers.size()); }
        int outputChannels() const noexcept { return static_cast<int> (outputPointers.size()); }

    private:
        struct Block
        {
            uint32_t field;
            FieldDescription::Kind kind;
            std::vector<uint64_t> storage; // 8-byte aligned
            uint32_t size;
        };

        ProcessProcedure procedure = nullptr;
        std::vector<void*> fields;
        std::vector<Block> blocks;
        std::vector<float*> inputPointers, outputPointers;
        int32_t bufferLength = 0;
    };
}
