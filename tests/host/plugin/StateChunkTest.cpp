// The state chunk as hosts hand it back to the real module: texts the XML
// reader cannot take return at once and change nothing; blocks that real
// writers produce restore every value.
#include "../../support/ModuleChecks.h"
#include "EffectSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
    using namespace std::chrono_literals;
    using testsupport::stateChunk;

    constexpr float sampleRate = 48000.0f;
    const std::string rootTag = "VANTO_GROUNDWORK_COMPLETE_1";

    // A restore that has not returned by then hangs: far beyond the slowest
    // (the deepest block, a few seconds at most under ThreadSanitizer on a
    // loaded machine). Ending the process with a message fails the test at
    // once instead of stalling the whole suite.
    constexpr auto hangDeadline = 120s;

    // The block layout: magic "VC2!", the text's length, the text, a zero byte.
    std::vector<uint8_t> stateBlock (const std::string& text)
    {
        std::vector<uint8_t> block { 0x56, 0x43, 0x32, 0x21 };
        const auto length = static_cast<uint32_t> (text.size());
        for (int shift = 0; shift < 32; shift += 8)
            block.push_back (static_cast<uint8_t> (length >> shift));
        block.insert (block.end(), text.begin(), text.end());
        block.push_back (0);
        return block;
    }

    std::string element (const std::string& children) { return "<" + rootTag + ">" + children + "</" + rootTag + ">"; }

    std::string param (const std::string& id, const std::string& value)
    {
        return "<PARAM id=\"" + id + "\" value=\"" + value + "\"/>";
    }

    std::string repeated (const std::string& text, int times)
    {
        std::string result;
        for (int i = 0; i < times; ++i)
            result += text;
        return result;
    }

    class StateChunk : public ::testing::Test
    {
    protected:
        ~StateChunk() override
        {
            testsupport::expectEverythingReturned (effect);
        }

        // The block inside a chunk record whose header the module wrote.
        static std::vector<uint8_t> record (host::EffectInstance& instance, const std::vector<uint8_t>& block)
        {
            auto result = instance.fetchChunk (stateChunk);
            result.resize (host::chunkHeaderSize);
            const auto size = static_cast<int32_t> (block.size());
            std::memcpy (result.data(), &size, sizeof (size));
            result.insert (result.end(), block.begin(), block.end());
            return result;
        }

        static int32_t restore (host::EffectInstance& instance, const std::vector<uint8_t>& block)
        {
            auto finished = std::make_shared<std::promise<int32_t>>();
            auto result = finished->get_future();
            std::thread ([&instance, chunk = record (instance, block), finished] {
                finished->set_value (instance.restoreChunk (stateChunk, chunk));
            }).detach();

            if (result.wait_for (hangDeadline) != std::future_status::ready)
            {
                std::fprintf (stderr, "restoring the state chunk did not return within %lld s\n",
                              static_cast<long long> (std::chrono::seconds (hangDeadline).count()));
                std::abort();
            }
            return result.get();
        }

        static std::vector<double> values (host::EffectInstance& instance)
        {
            std::vector<double> result;
            for (const auto& parameter : instance.listParameters())
                result.push_back (instance.normalizedValue (parameter.id));
            return result;
        }

        // Every parameter of the effect away from its default.
        static std::string savedValues (const std::vector<std::string>& order, const std::string& wholeSuffix)
        {
            const std::map<std::string, std::string> values {
                { "powerId", "0" },           { "graphModeId", "2" },  { "Kick_HarmonicsId", "11" },
                { "Kick_PressureId", "22" },  { "Kick_SubId", "33" },  { "Kick_SubFreqId", "7" },
                { "Kick_AirId", "44" },       { "Kick_MidsId", "155" }, { "Kick_TransId", "66" },
                { "Kick_CompressionId", "77" }, { "Kick_WidthId", "188" }
            };
            std::string children;
            for (const auto& id : order)
                children += param (id, values.at (id) + wholeSuffix);
            return children;
        }

        const std::vector<std::string> hostOrder { "powerId", "graphModeId", "Kick_HarmonicsId", "Kick_PressureId",
                                                   "Kick_SubId", "Kick_SubFreqId", "Kick_AirId", "Kick_MidsId",
                                                   "Kick_TransId", "Kick_CompressionId", "Kick_WidthId" };

        host::LoadedEffect effect { KICK_MODULE_PATH };
    };
}

// The framework's reader skips a processing instruction inside an element,
// finds text after it, steps back before it and tries again, for ever.
TEST_F (StateChunk, AProcessingInstructionBeforeTextInsideAnElementReturnsAndChangesNothing)
{
    host::EffectInstance instance (effect, 2, sampleRate);
    instance.automate ("Kick_SubId", 0.6);
    instance.automate ("Kick_WidthId", 0.25);
    const auto before = values (instance);

    // As found: "VC2!", length 9, "<A><??>b" and the zero byte.
    const std::vector<uint8_t> found { 0x56, 0x43, 0x32, 0x21, 0x09, 0x00, 0x00, 0x00, 0x3c,
                                       0x41, 0x3e, 0x3c, 0x3f, 0x3f, 0x3e, 0x62, 0x00 };
    restore (instance, found);
    EXPECT_EQ (values (instance), before);

    const auto subAt90 = param ("Kick_SubId", "90");
    for (const auto& text : { element ("<?pi?>text"),
                              element (subAt90 + "<?x y?> 1"),
                              element (subAt90 + " <?x?>\n b"),
                              element ("a<?x?>b" + subAt90),
                              element ("<a><b>" + subAt90 + "<?x?>b</b></a>"),
                              element (repeated ("<a>", 20) + "<?x?>b" + repeated ("</a>", 20)),
                              "<?xml version=\"1.0\"?>" + element ("<!-- c --><?x?>b") })
    {
        SCOPED_TRACE (text);
        restore (instance, stateBlock (text));
        EXPECT_EQ (values (instance), before);
    }
}

// What a framework's stock writer saves: an XML declaration first, the
// parameters ordered by identifier, whole values written as "60.0".
TEST_F (StateChunk, ABlockFromTheStockWriterRestoresEveryValue)
{
    std::vector<std::string> byIdentifier = hostOrder;
    std::sort (byIdentifier.begin(), byIdentifier.end());
    const auto stock = "<?xml version=\"1.0\" encoding=\"UTF-8\"?> " + element (savedValues (byIdentifier, ".0"));

    host::EffectInstance fromStock (effect, 2, sampleRate);
    const auto defaults = values (fromStock);
    restore (fromStock, stateBlock (stock));

    host::EffectInstance fromOwn (effect, 2, sampleRate);
    restore (fromOwn, stateBlock (element (savedValues (hostOrder, ""))));

    const auto restored = values (fromStock);
    EXPECT_EQ (restored, values (fromOwn));
    for (size_t i = 0; i < hostOrder.size(); ++i)
        EXPECT_NE (restored[i], defaults[i]) << hostOrder[i] << " kept its default";
}

// Content no parameter uses stays in the state; however much of it there is
// side by side, the values around it restore.
TEST_F (StateChunk, ABlockWithHundredsOfUnknownSiblingsRestores)
{
    std::string siblings;
    for (int i = 0; i < 300; ++i)
        siblings += "<Unknown n=\"" + std::to_string (i) + "\"><Inner/></Unknown>";

    host::EffectInstance withSiblings (effect, 2, sampleRate);
    restore (withSiblings, stateBlock (element (siblings + savedValues (hostOrder, "") + siblings)));

    host::EffectInstance plain (effect, 2, sampleRate);
    restore (plain, stateBlock (element (savedValues (hostOrder, ""))));

    EXPECT_EQ (values (withSiblings), values (plain));
    EXPECT_NE (withSiblings.fetchChunk (stateChunk), plain.fetchChunk (stateChunk)) << "the siblings were dropped";
}

// Nested far deeper than any state, deep enough to exhaust a host thread's
// stack in the reader's recursion.
TEST_F (StateChunk, ABlockNestedTooDeepIsIgnored)
{
    host::EffectInstance instance (effect, 2, sampleRate);
    const auto before = values (instance);

    const int depth = 100000;
    restore (instance, stateBlock (element (param ("Kick_SubId", "90") + repeated ("<a>", depth) + repeated ("</a>", depth))));
    EXPECT_EQ (values (instance), before);
}
