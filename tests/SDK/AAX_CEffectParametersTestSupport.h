// Shared helpers for the effect-parameters and controls-chunk tests: chunk buffers, byte dumps and parameters.
#pragma once

#include <AAX_CEffectParameters.h>
#include <AAX_CLinearTaperDelegate.h>
#include <AAX_CNumberDisplayDelegate.h>
#include <AAX_CParameter.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace chunk_test
{
    // A chunk record in a heap block of exactly header + data bytes, so that
    // AddressSanitizer reports any read or write past the data.
    class ChunkBuffer
    {
    public:
        explicit ChunkBuffer (size_t dataSize)
            : block (static_cast<uint8_t*> (std::calloc (kAAX_PlugInChunkHeaderSize + dataSize, 1))),
              capacity (dataSize)
        {
            record()->fSize = static_cast<int32_t> (dataSize);
        }

        // A chunk holding `data`, its size field the data's length.
        explicit ChunkBuffer (const std::vector<uint8_t>& data) : ChunkBuffer (data.size())
        {
            if (! data.empty())
                std::memcpy (block.get() + kAAX_PlugInChunkHeaderSize, data.data(), data.size());
        }

        AAX_SPlugInChunk* record() noexcept { return reinterpret_cast<AAX_SPlugInChunk*> (block.get()); }
        const uint8_t* bytes() const noexcept { return block.get(); }

        std::vector<uint8_t> data() const
        {
            const auto* start = block.get() + kAAX_PlugInChunkHeaderSize;
            return { start, start + capacity };
        }

    private:
        struct Free
        {
            void operator() (uint8_t* memory) const noexcept { std::free (memory); }
        };

        std::unique_ptr<uint8_t, Free> block;
        size_t capacity;
    };

    // "01 02 AB" -> { 0x01, 0x02, 0xAB }; spaces are ignored.
    inline std::vector<uint8_t> hex (const std::string& text)
    {
        std::vector<uint8_t> bytes;
        std::istringstream stream (text);
        std::string pair;
        while (stream >> pair)
            bytes.push_back (static_cast<uint8_t> (std::stoul (pair, nullptr, 16)));
        return bytes;
    }

    inline std::vector<uint8_t> operator+ (std::vector<uint8_t> a, const std::vector<uint8_t>& b)
    {
        a.insert (a.end(), b.begin(), b.end());
        return a;
    }

    inline std::vector<uint8_t> text (const std::string& characters) { return { characters.begin(), characters.end() }; }

    // A float parameter on [0, 1] as JUCE's wrapper publishes them.
    inline std::unique_ptr<AAX_CParameter<float>> floatParameter (const char* identifier, float value, bool automatable = true)
    {
        return std::make_unique<AAX_CParameter<float>> (identifier, AAX_CString (identifier), value,
                                                        AAX_CLinearTaperDelegate<float, 0>(),
                                                        AAX_CNumberDisplayDelegate<float, 3>(), automatable);
    }

    // A parameters object whose parameters are added before (or without) initialisation.
    class TestEffect : public AAX_CEffectParameters
    {
    public:
        void add (std::unique_ptr<AAX_IParameter> parameter) { mParameterManager.AddParameter (parameter.release()); }
        AAX_CParameterManager& registry() noexcept { return mParameterManager; }
        int32_t changeCounter() const noexcept { return mNumPlugInChanges; }
    };

    // Size request then chunk request, as a host saves the controls chunk.
    inline std::unique_ptr<ChunkBuffer> saveControlsChunk (AAX_CEffectParameters& effect, AAX_Result* result = nullptr)
    {
        uint32_t size = 0;
        auto chunk = std::make_unique<ChunkBuffer> (0);

        if (auto sizeResult = effect.GetChunkSize (ControlsChunkID, &size); sizeResult != AAX_SUCCESS)
        {
            if (result != nullptr)
                *result = sizeResult;
            return chunk;
        }

        chunk = std::make_unique<ChunkBuffer> (size);
        chunk->record()->fChunkID = ControlsChunkID;
        const auto chunkResult = effect.GetChunk (ControlsChunkID, chunk->record());

        if (result != nullptr)
            *result = chunkResult;
        return chunk;
    }
}
