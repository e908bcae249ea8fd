// The saved state read and written near the reader's limit (65 KB): the effect's own state, and the shapes whose cost grows fastest.
#include "PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <array>
#include <functional>

namespace
{
    const juce::String rootTag ("VANTO_GROUNDWORK_COMPLETE_1");
    // Short of the 65 KB the reader reads by the room binding may add, so that
    // each state is restored and saved.
    constexpr int textBytes = 66000;

    juce::MemoryBlock block (const juce::String& xml)
    {
        juce::MemoryOutputStream out;
        out.writeInt (0x21324356);
        out.writeInt ((int) xml.getNumBytesAsUTF8());
        out.write (xml.toRawUTF8(), xml.getNumBytesAsUTF8());
        out.writeByte (0);
        return out.getMemoryBlock();
    }

    juce::String withNote (const juce::String& quotedNote)
    {
        return "<" + rootTag + " note=" + quotedNote + "/>";
    }

    // The root with as many parts (numbered from 0) as fit in textBytes, as
    // its attributes or as its children.
    juce::String filled (bool asAttributes, const std::function<juce::String (int)>& part)
    {
        juce::String parts;
        const auto empty = "<" + rootTag + "></" + rootTag + ">";

        for (int i = 0; empty.length() + parts.length() + part (i).length() <= textBytes; ++i)
            parts += part (i);

        return asAttributes ? "<" + rootTag + parts + "></" + rootTag + ">"
                            : "<" + rootTag + ">" + parts + "</" + rootTag + ">";
    }

    struct Shape
    {
        const char* name;
        std::function<juce::String()> text; // empty: the effect's own state
    };

    const std::array<Shape, 8> shapes { {
        { "own state", {} },
        { "quotes, saved near 64 KB", [] { return withNote ("'" + juce::String::repeatedString ("\"", 10790) + "'"); } },
        { "character references", [] { return withNote ("\"" + juce::String::repeatedString ("&#128512;", 6600) + "\""); } },
        { "elements", [] { return filled (false, [] (int) { return juce::String ("<a/>"); }); } },
        { "distinct element names", [] { return filled (false, [] (int i) { return "<n" + juce::String::toHexString (i) + "/>"; }); } },
        { "distinct attribute names", [] { return filled (true, [] (int i) { return " n" + juce::String::toHexString (i) + "=\"\""; }); } },
        { "binary attributes declaring 2 GB", [] { return filled (false, [] (int i) { return "<a base64:n" + juce::String::toHexString (i) + "=\"2147483647.\"/>"; }); } },
        { "elements naming one parameter", [] { return filled (false, [] (int) { return juce::String ("<X id=\"Kick_SubId\"/>"); }); } },
    } };

    juce::MemoryBlock chunkOf (TemplateEffectAudioProcessor& processor, const Shape& shape)
    {
        if (shape.text)
            return block (shape.text());

        juce::MemoryBlock own;
        processor.getStateInformation (own);
        return own;
    }

    void restore (benchmark::State& state)
    {
        const auto& shape = shapes[(size_t) state.range (0)];
        TemplateEffectAudioProcessor processor;
        const auto chunk = chunkOf (processor, shape);
        state.SetLabel (shape.name);

        for (auto _ : state)
            processor.setStateInformation (chunk.getData(), (int) chunk.getSize());

        state.SetBytesProcessed (state.iterations() * (int64_t) chunk.getSize());
    }

    void save (benchmark::State& state)
    {
        const auto& shape = shapes[(size_t) state.range (0)];
        TemplateEffectAudioProcessor processor;
        const auto chunk = chunkOf (processor, shape);
        processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
        state.SetLabel (shape.name);

        for (auto _ : state)
        {
            juce::MemoryBlock saved;
            processor.getStateInformation (saved);
            benchmark::DoNotOptimize (saved.getData());
        }
    }
}

BENCHMARK (restore)->DenseRange (0, (int) shapes.size() - 1)->Unit (benchmark::kMillisecond);
BENCHMARK (save)->DenseRange (0, (int) shapes.size() - 1)->Unit (benchmark::kMillisecond);

BENCHMARK_MAIN();
