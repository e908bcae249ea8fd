// The state chunk as hosts hand it back to the real module: texts the XML
// reader cannot take return at once and change nothing; blocks that real
// writers produce restore every value; what is restored saves and restores
// to the same values; no restore asks for more memory than its text needs.
#include "../../support/AllocationCounter.h"
#include "../../support/ModuleChecks.h"
#include "EffectSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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

    // What the module's reader reads at most: the 64 KB a previous release
    // read, and room for the parameters' values it may add.
    constexpr size_t readersLimit = 64 * 1024 + 1024;

    // A restore near the reader's limit holds a few megabytes at most (the
    // text, its element tree and value tree, and the longest form it would
    // save), none of it in one piece larger than a megabyte.
    constexpr size_t largestAllocation = 1024 * 1024;
    constexpr size_t heldMemory = 8 * 1024 * 1024;
    // Larger requests fail in the tests (the framework then throws
    // std::bad_alloc), rather than take gigabytes of a shared machine.
    constexpr size_t refusedAllocation = 64 * 1024 * 1024;

    // Normalised values come from the parameters' single precision.
    constexpr double valueTolerance = 1e-6;

    // What an interface call answers when it caught an exception.
    constexpr int32_t unknownException = -20042;

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

    std::string base64Attribute (const std::string& name, const std::string& declaredSize, const std::string& data = "")
    {
        return " base64:" + name + "=\"" + declaredSize + "." + data + "\"";
    }

    struct Restored
    {
        int32_t result = 0;
        size_t largestAllocation = 0, heldMemory = 0;
    };

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

        static void expectEveryValueFiniteAndInRange (const std::vector<double>& normalized)
        {
            for (const auto value : normalized)
            {
                EXPECT_TRUE (std::isfinite (value));
                EXPECT_GE (value, 0.0);
                EXPECT_LE (value, 1.0);
            }
        }

        // Restored, saved, restored elsewhere and saved again: the same
        // values each time.
        void expectRestoreAndSaveAgree (const std::vector<uint8_t>& block)
        {
            host::EffectInstance first (effect, 2, sampleRate);
            awayFromTheDefaults (first);
            EXPECT_EQ (restore (first, block), 0);
            const auto restored = values (first);
            expectEveryValueFiniteAndInRange (restored);

            const auto saved = first.fetchChunk (stateChunk);
            EXPECT_FALSE (saved.empty());
            host::EffectInstance second (effect, 2, sampleRate);
            EXPECT_EQ (second.restoreChunk (stateChunk, saved), 0);
            EXPECT_EQ (values (second), restored) << "restored from its saved form, the state means something else";

            host::EffectInstance third (effect, 2, sampleRate);
            awayFromTheDefaults (third);
            EXPECT_EQ (third.restoreChunk (stateChunk, second.fetchChunk (stateChunk)), 0);
            EXPECT_EQ (values (third), restored) << "saved a second time, the state means something else";
        }

        static void awayFromTheDefaults (host::EffectInstance& instance)
        {
            for (const auto& [id, normalized] : { std::pair { "Kick_SubId", 0.6 }, std::pair { "Kick_MidsId", 0.9 },
                                                  std::pair { "Kick_WidthId", 0.25 }, std::pair { "Kick_AirId", 0.3 } })
                instance.automate (id, normalized);
        }

        static int32_t restore (host::EffectInstance& instance, const std::vector<uint8_t>& block)
        {
            return restoreMeasured (instance, block).result;
        }

        // Restores on a thread of its own, counting what it allocates there.
        static Restored restoreMeasured (host::EffectInstance& instance, const std::vector<uint8_t>& block)
        {
            auto finished = std::make_shared<std::promise<Restored>>();
            auto result = finished->get_future();
            std::thread ([&instance, chunk = record (instance, block), finished] {
                Restored restored;
                {
                    testsupport::ScopedAllocationCounter allocations (refusedAllocation);
                    restored.result = instance.parameters().SetChunk (stateChunk, chunk.data());
                    restored.largestAllocation = allocations.getLargest();
                    restored.heldMemory = allocations.getPeakBytes();
                }
                // Restored values reach the parameters as requests the host confirms.
                instance.objects().pumpAutomation();
                finished->set_value (restored);
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

// The framework's tree reader takes an attribute named "base64:NAME" as a
// binary block whose text begins with its byte count and a point: a count of
// -1 threw std::bad_alloc out of the module, one of 400,000,000 held 1.3 GB
// for seconds. The module reads such an attribute as the text it is, so the
// parameters beside it restore.
TEST_F (StateChunk, Base64AttributesAskForNoMoreMemoryThanTheirText)
{
    const auto sub40 = param ("Kick_SubId", "40");
    const auto withRootAttribute = [&] (const std::string& attribute) {
        return "<" + rootTag + attribute + ">" + sub40 + "</" + rootTag + ">";
    };

    for (const auto& text : { withRootAttribute (base64Attribute ("n", "-1")),
                              withRootAttribute (base64Attribute ("n", "400000000")),
                              withRootAttribute (base64Attribute ("n", "2147483647")),
                              withRootAttribute (base64Attribute ("n", "99999999999999999999")),
                              withRootAttribute (base64Attribute ("n", "4", "AAAAAAAA")),
                              element ("<X" + base64Attribute ("value", "2147483647", "AAAA") + "/>" + sub40) })
    {
        SCOPED_TRACE (text);
        host::EffectInstance instance (effect, 2, sampleRate);
        const auto restored = restoreMeasured (instance, stateBlock (text));
        EXPECT_EQ (restored.result, 0);
        EXPECT_LE (restored.largestAllocation, largestAllocation);
        EXPECT_LE (restored.heldMemory, heldMemory);
        EXPECT_NEAR (instance.normalizedValue ("Kick_SubId"), 0.4, valueTolerance);
    }
}

// Whatever the state, restoring it, saving it and restoring that elsewhere
// give the same values, every one finite and in range, whichever element
// carries it: parameters bind to the last child of any type that names them.
TEST_F (StateChunk, WhatIsRestoredIsWhatIsSavedAndRestoredAgain)
{
    struct Case
    {
        std::string children;
        const char* id;
        double normalized; // what the state restores that parameter to
    };
    const auto sub40 = param ("Kick_SubId", "40");
    const Case cases[] = {
        { sub40, "Kick_SubId", 0.4 },
        // Read as text, the attribute is kept under its own name, which the
        // writer writes and the reader takes again.
        { "<PARAM id=\"Kick_SubId\" base64:value=\"50.AAAA\"/>", "Kick_SubId", 0.0 },
        { "<PARAM id=\"Kick_AirId\" base64:value=\"77.\"/>", "Kick_AirId", 0.0 },
        { "<PARAM id=\"Kick_MidsId\" base64:value=\"77.\"/>", "Kick_MidsId", 0.5 },
        // Not finite, whatever the element: the default.
        { "<X id=\"Kick_MidsId\" value=\"nan\"/>", "Kick_MidsId", 0.5 },
        { "<param id=\"Kick_WidthId\" value=\"inf\"/>", "Kick_WidthId", 0.5 },
        { "<PARAM id=\"Kick_WidthId\" value=\"-inf\"/>", "Kick_WidthId", 0.5 },
        { "<PARAM id=\"Kick_WidthId\" value=\"90\"/><X id=\"Kick_WidthId\" value=\"-nan\"/>", "Kick_WidthId", 0.5 },
        { "<a><b id=\"Kick_SubId\" value=\"nan\"/></a>" + sub40, "Kick_SubId", 0.4 },
        // Finite but out of any float's range, or of the parameter's: its nearest end.
        { "<X id=\"Kick_WidthId\" value=\"1e300\"/>", "Kick_WidthId", 1.0 },
        { "<X id=\"Kick_WidthId\" value=\"-1e300\"/>", "Kick_WidthId", 0.0 },
        { "<PARAM id=\"Kick_SubId\" value=\"250\"/>", "Kick_SubId", 1.0 },
        // Not a number: read as 0, as the framework reads it.
        { "<PARAM id=\"Kick_MidsId\" value=\"loud\"/>", "Kick_MidsId", 0.0 },
    };

    for (const auto& root : { std::string (" base64:=\"0.\""), std::string() })
        for (const auto& c : cases)
        {
            const auto text = "<" + rootTag + root + ">" + c.children + "</" + rootTag + ">";
            SCOPED_TRACE (text);
            expectRestoreAndSaveAgree (stateBlock (text));

            host::EffectInstance instance (effect, 2, sampleRate);
            awayFromTheDefaults (instance);
            restore (instance, stateBlock (text));
            EXPECT_NEAR (instance.normalizedValue (c.id), c.normalized, valueTolerance);
        }
}

// A previous release read up to 65,536 bytes of text and saved what it read:
// those states restore to the values they were saved with. A state counts as
// too long only by what the writer would really save from it.
TEST_F (StateChunk, StatesAPreviousReleaseSavedRestore)
{
    const auto everyParameter = savedValues (hostOrder, "");
    const auto withNoteOfLength = [&] (size_t textLength) {
        const auto empty = "<" + rootTag + " note=\"\">" + everyParameter + "</" + rootTag + ">";
        return "<" + rootTag + " note=\"" + std::string (textLength - empty.size(), 'x') + "\">" + everyParameter + "</" + rootTag + ">";
    };

    for (const auto length : { size_t { 65240 }, size_t { 65536 } })
    {
        SCOPED_TRACE (length);
        const auto text = withNoteOfLength (length);
        ASSERT_EQ (text.size(), length);
        expectRestoreAndSaveAgree (stateBlock (text));

        host::EffectInstance instance (effect, 2, sampleRate);
        restore (instance, stateBlock (text));
        EXPECT_NEAR (instance.normalizedValue ("Kick_SubId"), 0.33, valueTolerance);
        EXPECT_NEAR (instance.normalizedValue ("Kick_WidthId"), 0.94, valueTolerance);
    }

    // Only the last of the elements that name a parameter is written into:
    // 1,200 of them, 24 KB, are saved as about 24 KB.
    const auto manyNamingSub = element (repeated ("<X id=\"Kick_SubId\"/>", 1200) + param ("Kick_WidthId", "150"));
    expectRestoreAndSaveAgree (stateBlock (manyNamingSub));
    host::EffectInstance instance (effect, 2, sampleRate);
    restore (instance, stateBlock (manyNamingSub));
    EXPECT_NEAR (instance.normalizedValue ("Kick_WidthId"), 0.75, valueTolerance);
}

// The shapes the reader takes longest over, and asks the most memory for, as
// long as it reads them: each returns (the hang bound; kick_state_bench shows
// the time) within a few megabytes, none of them in one large piece.
TEST_F (StateChunk, StatesAtTheReadersLimitRestoreWithinAFewMegabytes)
{
    const auto filled = [] (const std::string& open, const std::function<std::string (int)>& part, const std::string& close) {
        std::string parts;
        for (int i = 0; open.size() + parts.size() + part (i).size() + close.size() <= readersLimit; ++i)
            parts += part (i);
        return open + parts + close;
    };
    const auto hex = [] (int i) {
        char text[16];
        std::snprintf (text, sizeof (text), "%x", i);
        return std::string (text);
    };
    const auto root = "<" + rootTag, end = "</" + rootTag + ">";

    for (const auto& text : { filled (root + ">", [&] (int i) { return "<n" + hex (i) + "/>"; }, end),
                              filled (root, [&] (int i) { return " n" + hex (i) + "=\"\""; }, ">" + end),
                              filled (root + ">", [] (int) { return std::string ("<a/>"); }, end),
                              filled (root + ">", [] (int) { return std::string ("<X id=\"Kick_SubId\"/>"); }, end),
                              filled (root + " note=\"", [] (int) { return std::string ("&#128512;"); }, "\"/>"),
                              filled (root + ">", [&] (int i) { return "<a" + base64Attribute ("n" + hex (i), "2147483647") + "/>"; }, end) })
    {
        SCOPED_TRACE (text.substr (0, 80));
        host::EffectInstance instance (effect, 2, sampleRate);
        const auto restored = restoreMeasured (instance, stateBlock (text));
        EXPECT_EQ (restored.result, 0);
        EXPECT_LE (restored.largestAllocation, largestAllocation);
        EXPECT_LE (restored.heldMemory, heldMemory);
    }
}

// The creation procedures the module registers are entry points too: with
// no memory for the object itself, each answers no object rather than
// throwing into the host, and the next instance is made as usual.
TEST_F (StateChunk, CreationProceduresAnswerNoObjectWhenMemoryRunsOut)
{
    const auto& description = effect.description();

    for (const auto procedure : { description.createParameters, description.createGUI })
    {
        ASSERT_NE (procedure, nullptr);
        void* object = &effect;
        {
            testsupport::ScopedAllocationFailure failure (1);
            EXPECT_NO_THROW (object = procedure());
            EXPECT_TRUE (failure.reached());
        }
        EXPECT_EQ (object, nullptr);
    }

    host::EffectInstance instance (effect, 2, sampleRate);
    restore (instance, stateBlock (element (param ("Kick_SubId", "70"))));
    EXPECT_NEAR (instance.normalizedValue ("Kick_SubId"), 0.7, valueTolerance);
}

// No exception leaves the module through an interface call: with memory
// running out at any one allocation inside the chunk calls, each answers
// either success or an error, and the instance works on afterwards.
TEST_F (StateChunk, ChunkCallsAnswerAnErrorWhenAnAllocationFails)
{
    host::EffectInstance instance (effect, 2, sampleRate);
    const auto chunk = record (instance, stateBlock (element (param ("Kick_SubId", "40") + "<X base64:n=\"-1.\"/>")));
    const auto isAnswer = [] (int32_t result) { return result == 0 || result == unknownException; };
    int refusedRestores = 0;

    for (long n = 1;; ++n)
    {
        SCOPED_TRACE (n);
        int32_t setResult = 0, sizeResult = 0, getResult = 0;
        uint32_t size = 0;
        std::vector<uint8_t> saved (host::chunkHeaderSize + 4096);
        bool reached = false;
        {
            testsupport::ScopedAllocationFailure failure (n);
            setResult = instance.parameters().SetChunk (stateChunk, chunk.data());
            sizeResult = instance.parameters().GetChunkSize (stateChunk, &size);
            const auto dataSize = static_cast<int32_t> (saved.size() - host::chunkHeaderSize);
            std::memcpy (saved.data(), &dataSize, sizeof (dataSize));
            getResult = instance.parameters().GetChunk (stateChunk, saved.data());
            reached = failure.reached();
        }
        instance.objects().pumpAutomation();
        EXPECT_TRUE (isAnswer (setResult)) << setResult;
        refusedRestores += setResult == unknownException ? 1 : 0;
        EXPECT_TRUE (isAnswer (sizeResult)) << sizeResult;
        EXPECT_TRUE (isAnswer (getResult) || getResult == 20700) << getResult; // a chunk not sized first on this thread

        if (! reached)
            break;
    }
    EXPECT_GT (refusedRestores, 0) << "no allocation failed inside SetChunk";

    restore (instance, stateBlock (element (param ("Kick_SubId", "70"))));
    EXPECT_NEAR (instance.normalizedValue ("Kick_SubId"), 0.7, valueTolerance);
}
