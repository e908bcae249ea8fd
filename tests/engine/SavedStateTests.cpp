#include <gtest/gtest.h>

#include "support/WrapperDriver.h"

#include <cstring>
#include <utility>
#include <vector>

namespace
{
    using testsupport::WrapperDriver;

    // The longest text the reader reads: the 64 KB a previous release read,
    // and room for the values binding the parameters adds.
    constexpr size_t longestRead = 64 * 1024 + 1024;

    constexpr const char* freshXml =
        "<VANTO_GROUNDWORK_COMPLETE_1>"
        "<PARAM id=\"powerId\" value=\"1\"/>"
        "<PARAM id=\"graphModeId\" value=\"1\"/>"
        "<PARAM id=\"Kick_HarmonicsId\" value=\"0\"/>"
        "<PARAM id=\"Kick_PressureId\" value=\"0\"/>"
        "<PARAM id=\"Kick_SubId\" value=\"0\"/>"
        "<PARAM id=\"Kick_SubFreqId\" value=\"0\"/>"
        "<PARAM id=\"Kick_AirId\" value=\"0\"/>"
        "<PARAM id=\"Kick_MidsId\" value=\"100\"/>"
        "<PARAM id=\"Kick_TransId\" value=\"0\"/>"
        "<PARAM id=\"Kick_CompressionId\" value=\"0\"/>"
        "<PARAM id=\"Kick_WidthId\" value=\"100\"/>"
        "</VANTO_GROUNDWORK_COMPLETE_1>";

    // A block as the writer lays it out: magic, text length, text, zero byte.
    juce::MemoryBlock block (const juce::String& xml, bool withTerminator = true)
    {
        juce::MemoryOutputStream out;
        out.writeInt (0x21324356);
        out.writeInt ((int) xml.getNumBytesAsUTF8());
        out.write (xml.toRawUTF8(), xml.getNumBytesAsUTF8());

        if (withTerminator)
            out.writeByte (0);

        return out.getMemoryBlock();
    }

    juce::String xmlOf (const juce::MemoryBlock& chunk)
    {
        return juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8, (int) chunk.getSize() - 9);
    }

    juce::String stateWith (const juce::String& children, const juce::String& tag = "VANTO_GROUNDWORK_COMPLETE_1")
    {
        return "<" + tag + ">" + children + "</" + tag + ">";
    }

    float value (WrapperDriver& host, const char* id)
    {
        return host.processor().parameterManager.getParameterValue (id);
    }

    void setEveryParameterAwayFromItsDefault (WrapperDriver& host)
    {
        auto& manager = host.processor().parameterManager;
        manager.setParameterValue ("powerId", 0.0f);
        manager.setParameterValue ("graphModeId", 3.0f);
        manager.setParameterValue ("Kick_HarmonicsId", 11.0f);
        manager.setParameterValue ("Kick_PressureId", 22.0f);
        manager.setParameterValue ("Kick_SubId", 33.0f);
        manager.setParameterValue ("Kick_SubFreqId", 7.0f);
        manager.setParameterValue ("Kick_AirId", 44.0f);
        manager.setParameterValue ("Kick_MidsId", 155.0f);
        manager.setParameterValue ("Kick_TransId", 66.0f);
        manager.setParameterValue ("Kick_CompressionId", 77.0f);
        manager.setParameterValue ("Kick_WidthId", 188.0f);
    }

    TEST (SavedState, FreshProcessorWritesTheExactBlock)
    {
        WrapperDriver host;
        const auto chunk = host.getState();
        const auto* bytes = static_cast<const juce::uint8*> (chunk.getData());
        const auto xmlLength = std::strlen (freshXml);

        ASSERT_EQ (chunk.getSize(), xmlLength + 9);
        EXPECT_EQ (std::memcmp (bytes, "VC2!", 4), 0);
        EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes + 4), (juce::uint32) xmlLength);
        EXPECT_EQ (xmlOf (chunk), freshXml);
        EXPECT_EQ (bytes[chunk.getSize() - 1], 0);
    }

    // No message loop runs here, so the framework's timer never copies the
    // values into the tree: the writer must take the latest values itself.
    TEST (SavedState, RoundTripRestoresEveryValueWithoutAMessageLoop)
    {
        WrapperDriver saving, restoring;
        setEveryParameterAwayFromItsDefault (saving);
        const auto chunk = saving.getState();

        EXPECT_TRUE (xmlOf (chunk).contains ("<PARAM id=\"Kick_MidsId\" value=\"155\"/>"));

        restoring.setState (chunk);

        for (auto* parameter : saving.processor().getParameters())
        {
            const auto id = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID;
            EXPECT_EQ (value (restoring, id.toRawUTF8()), value (saving, id.toRawUTF8())) << id;
        }

        EXPECT_EQ (restoring.getState(), chunk);
    }

    // What a plug-in saving through the framework's stock path writes: an XML
    // declaration first, the parameters ordered by identifier, whole values
    // written as "155.0".
    TEST (SavedState, ABlockFromTheFrameworksStockWriterRestoresEveryValue)
    {
        WrapperDriver saving, restoring;
        setEveryParameterAwayFromItsDefault (saving);

        juce::StringArray ids;
        for (auto* parameter : saving.processor().getParameters())
            ids.add (dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID);
        ids.sort (false);

        // Characters the writer escapes as references ("&#233;&#9;&#128512;").
        juce::ValueTree tree ("VANTO_GROUNDWORK_COMPLETE_1");
        tree.setProperty ("note", juce::String (juce::CharPointer_UTF8 ("caf\xc3\xa9\t\xf0\x9f\x98\x80")), nullptr);
        for (const auto& id : ids)
            tree.appendChild ({ "PARAM", { { "id", id }, { "value", (double) value (saving, id.toRawUTF8()) } } }, nullptr);

        juce::MemoryBlock chunk;
        juce::AudioProcessor::copyXmlToBinary (*tree.createXml(), chunk);
        ASSERT_TRUE (xmlOf (chunk).startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?> <VANTO_GROUNDWORK_COMPLETE_1"
                                               " note=\"caf&#233;&#9;&#128512;\"><PARAM id=\"Kick_AirId\" value=\"44.0\"/>"))
            << xmlOf (chunk);

        restoring.setState (chunk);

        for (const auto& id : ids)
            EXPECT_EQ (value (restoring, id.toRawUTF8()), value (saving, id.toRawUTF8())) << id;
        EXPECT_TRUE (xmlOf (restoring.getState()).startsWith ("<VANTO_GROUNDWORK_COMPLETE_1 note=\"caf&#233;&#9;&#128512;\">"));
    }

    TEST (SavedState, MalformedBlocksAreIgnored)
    {
        WrapperDriver host;
        host.processor().parameterManager.setParameterValue ("Kick_SubId", 12.0f);
        const auto before = host.getState();

        const auto valid = block (stateWith ("<PARAM id=\"Kick_SubId\" value=\"90\"/>"));
        const auto* validBytes = static_cast<const char*> (valid.getData());

        auto swappedMagic = valid;
        std::memcpy (swappedMagic.getData(), "!2CV", 4);

        auto zeroLength = valid;
        std::memset (static_cast<char*> (zeroLength.getData()) + 4, 0, 4);

        auto topBitLength = valid;
        static_cast<juce::uint8*> (topBitLength.getData())[7] |= 0x80;

        const juce::MemoryBlock eightBytes (validBytes, 8);

        auto textStartsWithZero = valid;
        static_cast<char*> (textStartsWithZero.getData())[8] = 0;

        const juce::MemoryBlock cases[] = {
            eightBytes,
            swappedMagic,
            zeroLength,
            topBitLength,
            block ("<VANTO_GROUNDWORK_COMPLETE_1><PARAM id=\"Kick_SubId\" value=\"90\"/>"),
            block (stateWith ("<PARAM id=\"Kick_SubId\" value=\"90\"/>", "SOME_OTHER_STATE")),
            block (""),
            textStartsWithZero,
            // A document type could define entities; one that names itself would
            // recurse without end while the text is parsed.
            block ("<!DOCTYPE VANTO_GROUNDWORK_COMPLETE_1 [<!ENTITY x \"a&x;\">]>"
                   + stateWith ("<PARAM id=\"Kick_SubId\" value=\"90\" note=\"&x;\"/>")),
        };

        for (const auto& chunk : cases)
        {
            SCOPED_TRACE (&chunk - cases);
            host.setState (chunk);
            EXPECT_EQ (value (host, "Kick_SubId"), 12.0f);
        }

        host.setState (nullptr, 0);
        EXPECT_EQ (host.getState(), before);
    }

    // Hosts may restore chunks on threads with small stacks (512 KB on macOS).
    // The deepest state read restores there; one level more, or thousands, is
    // ignored without a crash.
    TEST (SavedState, NestingIsBoundedForAHostThreadsStack)
    {
        const auto nestedBeside = [] (int levels) {
            return block (stateWith ("<PARAM id=\"Kick_SubId\" value=\"90\"/>"
                                     + juce::String::repeatedString ("<a>", levels)
                                     + juce::String::repeatedString ("</a>", levels)));
        };
        constexpr int deepestInsideTheRoot = 63;

        for (const auto& [levels, restored] : { std::pair { deepestInsideTheRoot, true },
                                                std::pair { deepestInsideTheRoot + 1, false },
                                                std::pair { 5000, false } })
        {
            SCOPED_TRACE (levels);
            WrapperDriver host;
            const auto chunk = nestedBeside (levels);

            struct ChunkThread : juce::Thread
            {
                ChunkThread (WrapperDriver& h, const juce::MemoryBlock& c) : juce::Thread ("chunk", 512 * 1024), host (h), data (c) {}
                void run() override { host.setState (data); }
                WrapperDriver& host;
                const juce::MemoryBlock& data;
            } restoring (host, chunk);

            ASSERT_TRUE (restoring.startThread());
            ASSERT_TRUE (restoring.waitForThreadToExit (-1));
            EXPECT_EQ (value (host, "Kick_SubId"), restored ? 90.0f : 0.0f);
        }
    }

    // The XML reader slows with the square of the distinct names in a text;
    // texts longer than any state are not read. (The padding is a comment,
    // which the state does not keep, so only the text's own length counts.)
    TEST (SavedState, TextsFarLongerThanAStateAreIgnored)
    {
        const auto ofLength = [] (size_t bytes) {
            const auto head = stateWith ("<PARAM id=\"Kick_SubId\" value=\"90\"/><!---->");
            return block (head.replace ("<!---->", "<!--" + juce::String::repeatedString ("x", (int) (bytes - head.getNumBytesAsUTF8())) + "-->"));
        };

        for (const auto& [bytes, restored] : { std::pair { longestRead, true }, std::pair { longestRead + 1, false } })
        {
            SCOPED_TRACE (bytes);
            WrapperDriver host;
            host.setState (ofLength (bytes));
            EXPECT_EQ (value (host, "Kick_SubId"), restored ? 90.0f : 0.0f);
        }
    }

    // Characters the writer escapes, in runs as long as the reader takes: a
    // state is restored only when what the effect would then save, escaped
    // and with its parameters bound, is text the reader takes again. Restored,
    // saved and restored elsewhere, the longest such state keeps every value;
    // one character more leaves every value as it was. Both with every
    // parameter named, and with none, which binding then appends.
    TEST (SavedState, StatesWithLongRunsOfEscapedCharactersAreRestoredOnlyWhenTheirSavedFormIsReadBack)
    {
        struct Run
        {
            const char* name;
            const char* written; // as the restored text holds it
            const char* text;    // as the attribute holds it
            char quote;          // around the attribute that holds the run
        };
        constexpr auto controls = "\x01\x02\x03\x04\x05\x06\x07\x08\x0b\x0c\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f";
        const Run runs[] = {
            { "quote", "\"", "\"", '\'' },
            { "apostrophe", "'", "'", '"' },
            { "ampersand", "&amp;", "&", '"' },
            { "less-than", "&lt;", "<", '"' },
            { "greater-than", ">", ">", '"' },
            { "tab", "\t", "\t", '"' },
            { "control characters", controls, controls, '"' },
            { "2-byte UTF-8", "\xc3\xa9", "\xc3\xa9", '"' },
            { "3-byte UTF-8", "\xe2\x82\xac", "\xe2\x82\xac", '"' },
            { "4-byte UTF-8", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", '"' },
        };
        const juce::String everyParameter ("<PARAM id=\"powerId\" value=\"1\"/>"
                                           "<PARAM id=\"graphModeId\" value=\"2\"/>"
                                           "<PARAM id=\"Kick_HarmonicsId\" value=\"12\"/>"
                                           "<PARAM id=\"Kick_PressureId\" value=\"23\"/>"
                                           "<PARAM id=\"Kick_SubId\" value=\"34\"/>"
                                           "<PARAM id=\"Kick_SubFreqId\" value=\"5\"/>"
                                           "<PARAM id=\"Kick_AirId\" value=\"45\"/>"
                                           "<PARAM id=\"Kick_MidsId\" value=\"56\"/>"
                                           "<PARAM id=\"Kick_TransId\" value=\"67\"/>"
                                           "<PARAM id=\"Kick_CompressionId\" value=\"78\"/>"
                                           "<PARAM id=\"Kick_WidthId\" value=\"150\"/>");

        for (const auto& run : runs)
            for (const auto& children : { everyParameter, juce::String() })
            {
                SCOPED_TRACE (juce::String (run.name) + (children.isEmpty() ? ", no parameter" : ", every parameter"));
                const auto written = juce::String::fromUTF8 (run.written);
                const auto withRun = [&] (int length) {
                    const auto quote = juce::String::charToString (run.quote);
                    return block ("<VANTO_GROUNDWORK_COMPLETE_1 note=" + quote + juce::String::repeatedString (written, length) + quote
                                  + ">" + children + "</VANTO_GROUNDWORK_COMPLETE_1>");
                };
                // Restored over values away from both the state's and the defaults.
                const auto restores = [&] (const juce::MemoryBlock& chunk) {
                    WrapperDriver host;
                    setEveryParameterAwayFromItsDefault (host);
                    host.setState (chunk);
                    return value (host, "Kick_WidthId") != 188.0f;
                };

                // The longest run restored, between one character and a text the reader does not take.
                int longest = 1, refused = (int) (longestRead / written.getNumBytesAsUTF8()) + 1;
                ASSERT_TRUE (restores (withRun (longest)));
                ASSERT_FALSE (restores (withRun (refused)));
                while (refused - longest > 1)
                {
                    const auto middle = longest + (refused - longest) / 2;
                    (restores (withRun (middle)) ? longest : refused) = middle;
                }

                {
                    WrapperDriver host;
                    setEveryParameterAwayFromItsDefault (host);
                    const auto before = host.getState();
                    host.setState (withRun (longest + 1));
                    EXPECT_EQ (host.getState(), before) << "one more restored";
                }

                WrapperDriver first, second;
                first.setState (withRun (longest));
                const auto saved = first.getState();
                EXPECT_LE (saved.getSize() - 9, longestRead);
                setEveryParameterAwayFromItsDefault (second);
                second.setState (saved);
                for (auto* parameter : first.processor().getParameters())
                {
                    const auto id = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID;
                    EXPECT_EQ (value (second, id.toRawUTF8()), value (first, id.toRawUTF8())) << id;
                }
                EXPECT_EQ (value (second, "Kick_WidthId"), children.isEmpty() ? 100.0f : 150.0f);
                const auto savedXml = juce::XmlDocument::parse (xmlOf (saved));
                ASSERT_NE (savedXml, nullptr);
                EXPECT_EQ (savedXml->getStringAttribute ("note"), juce::String::repeatedString (juce::String::fromUTF8 (run.text), longest))
                    << "the run was not kept";
                first.setState (saved);
                EXPECT_EQ (first.getState(), saved);
            }
    }

    // A state that the reader takes but whose saved form it would not: all
    // eleven parameters and 12,000 quotes inside apostrophes, 12 KB that the
    // writer would save as 72 KB. It is refused, as a text too long to read
    // is, rather than restored and then lost at the next save.
    TEST (SavedState, AStateWhoseSavedFormWouldNotBeReadIsIgnored)
    {
        WrapperDriver host;
        setEveryParameterAwayFromItsDefault (host);
        const auto before = host.getState();

        const auto xml = xmlOf (WrapperDriver().getState())
                             .replace ("<VANTO_GROUNDWORK_COMPLETE_1>",
                                       "<VANTO_GROUNDWORK_COMPLETE_1 note='" + juce::String::repeatedString ("\"", 12000) + "'>");
        host.setState (block (xml));

        EXPECT_EQ (host.getState(), before);
    }

    TEST (SavedState, LenientBlocksAreAccepted)
    {
        const auto xml = stateWith ("<PARAM id=\"Kick_SubId\" value=\"90\"/>");

        // A stored length beyond the data, with the XML complete inside it.
        {
            WrapperDriver host;
            auto chunk = block (xml);
            const juce::uint32 tooLong = 100000;
            std::memcpy (static_cast<char*> (chunk.getData()) + 4, &tooLong, 4);
            host.setState (chunk);
            EXPECT_EQ (value (host, "Kick_SubId"), 90.0f);
        }

        // No final zero byte.
        {
            WrapperDriver host;
            host.setState (block (xml, false));
            EXPECT_EQ (value (host, "Kick_SubId"), 90.0f);
        }

        // A whole value written with a decimal point, as other writers do.
        {
            WrapperDriver host;
            host.setState (block (stateWith ("<PARAM id=\"Kick_SubId\" value=\"90.0\"/>")));
            EXPECT_EQ (value (host, "Kick_SubId"), 90.0f);
        }
    }

    TEST (SavedState, RootTagIsMatchedIgnoringCaseAndKeptAsRead)
    {
        WrapperDriver host;
        host.setState (block (stateWith ("<PARAM id=\"Kick_AirId\" value=\"3\"/>", "vanto_Groundwork_complete_1")));

        EXPECT_EQ (value (host, "Kick_AirId"), 3.0f);
        EXPECT_TRUE (xmlOf (host.getState()).startsWith ("<vanto_Groundwork_complete_1>"));
    }

    TEST (SavedState, MissingParametersReturnToTheirDefaultsAndReappear)
    {
        WrapperDriver saving, restoring;
        setEveryParameterAwayFromItsDefault (saving);
        setEveryParameterAwayFromItsDefault (restoring);
        const auto withoutWidth = xmlOf (saving.getState()).replace ("<PARAM id=\"Kick_WidthId\" value=\"188\"/>", "");

        restoring.setState (block (withoutWidth));

        EXPECT_EQ (value (restoring, "Kick_WidthId"), 100.0f);
        EXPECT_EQ (value (restoring, "Kick_MidsId"), 155.0f);
        EXPECT_EQ (value (restoring, "Kick_SubFreqId"), 7.0f);
        EXPECT_TRUE (xmlOf (restoring.getState()).contains ("<PARAM id=\"Kick_WidthId\" value=\"100\"/>"));
    }

    TEST (SavedState, UnknownContentIsKeptAndWrittenAgain)
    {
        WrapperDriver host;
        const auto xml = juce::String ("<VANTO_GROUNDWORK_COMPLETE_1 build=\"7\">"
                                       "<PARAM id=\"Kick_SubId\" value=\"20\" note=\"x\"/>"
                                       "<EXTRA a=\"b\" base64:c=\"-1.\" base64:=\"4.AAAAAA\"/>"
                                       "<PARAM id=\"retiredId\" value=\"nan\"/>"
                                       "</VANTO_GROUNDWORK_COMPLETE_1>");
        host.setState (block (xml));

        const auto written = xmlOf (host.getState());
        EXPECT_TRUE (written.startsWith ("<VANTO_GROUNDWORK_COMPLETE_1 build=\"7\">")) << written;
        EXPECT_TRUE (written.contains ("<PARAM id=\"Kick_SubId\" value=\"20\" note=\"x\"/>")) << written;
        // Attributes the framework would decode as binary blocks are text like any other.
        EXPECT_TRUE (written.contains ("<EXTRA a=\"b\" base64:c=\"-1.\" base64:=\"4.AAAAAA\"/>")) << written;
        EXPECT_TRUE (written.contains ("<PARAM id=\"retiredId\" value=\"nan\"/>")) << written;
        EXPECT_EQ (value (host, "Kick_SubId"), 20.0f);
    }

    TEST (SavedState, NonFiniteValuesBecomeTheDefault)
    {
        WrapperDriver host;
        setEveryParameterAwayFromItsDefault (host);
        host.setState (block (stateWith ("<PARAM id=\"Kick_MidsId\" value=\"nan\"/>"
                                         "<PARAM id=\"Kick_WidthId\" value=\"inf\"/>"
                                         "<PARAM id=\"Kick_SubId\" value=\"-1e999\"/>"
                                         "<PARAM id=\"Kick_AirId\" value=\"50\"/>")));

        EXPECT_EQ (value (host, "Kick_MidsId"), 100.0f);
        EXPECT_EQ (value (host, "Kick_WidthId"), 100.0f);
        EXPECT_EQ (value (host, "Kick_SubId"), 0.0f);
        EXPECT_EQ (value (host, "Kick_AirId"), 50.0f);
        EXPECT_TRUE (xmlOf (host.getState()).contains ("<PARAM id=\"Kick_MidsId\" value=\"100\"/>"));
    }

    // The text stops at the stored length even where a multi-byte character is
    // cut in two there; what follows in the data is never read into the text.
    TEST (SavedState, TextEndingInACutCharacterIsReadWithinItsLength)
    {
        WrapperDriver host;
        const juce::String head ("<VANTO_GROUNDWORK_COMPLETE_1><PARAM id=\"Kick_SubId\" value=\"30\"/></VANTO_GROUNDWORK_COMPLETE_1>");
        juce::MemoryOutputStream out;
        out.writeInt (0x21324356);
        out.writeInt ((int) head.getNumBytesAsUTF8() + 1);
        out.write (head.toRawUTF8(), head.getNumBytesAsUTF8());
        out.writeByte ((char) 0xe2); // the first byte of a three-byte character, at the end of the block

        // Exactly sized, so that a sanitiser build sees any read beyond the block.
        const std::vector<char> exact (static_cast<const char*> (out.getData()),
                                       static_cast<const char*> (out.getData()) + out.getDataSize());
        host.setState (exact.data(), (int) exact.size());
        EXPECT_EQ (value (host, "Kick_SubId"), 30.0f);
    }
}
