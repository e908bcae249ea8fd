// The controls chunk's bytes: golden layouts, big-endian values, and a reader that never leaves the chunk.
#include "AAX_CEffectParametersTestSupport.h"

#include <AAX_CChunkDataParser.h>

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace chunk_test;

namespace
{
    const std::vector<uint8_t> headerWord = hex ("01 01 01 01");

    std::vector<uint8_t> writtenData (const AAX_CChunkDataParser& parser)
    {
        ChunkBuffer chunk (static_cast<size_t> (parser.GetChunkDataSize()));
        chunk.record()->fSize = -7;
        EXPECT_EQ (parser.GetChunkData (chunk.record()), AAX_SUCCESS);
        EXPECT_EQ (chunk.record()->fSize, parser.GetChunkDataSize());
        return chunk.data();
    }

    AAX_CChunkDataParser loaded (const std::vector<uint8_t>& data)
    {
        ChunkBuffer chunk (data);
        AAX_CChunkDataParser parser;
        parser.LoadChunk (chunk.record());
        return parser;
    }

    std::vector<std::string> names (const AAX_CChunkDataParser& parser)
    {
        std::vector<std::string> result;
        for (const auto& entry : parser.GetEntries())
            result.push_back (entry.mDataName.Get());
        return result;
    }
}

//==============================================================================
TEST (AAX_CChunkDataParser, WritesTheGoldenLayouts)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ (writtenData (parser), headerWord) << "no entries: the header word alone";

    parser.AddDouble ("Gain", 0.5);
    EXPECT_EQ (parser.GetChunkDataSize(), 20);
    EXPECT_EQ (writtenData (parser), headerWord + hex ("64 5F 47 61 69 6E 00 00  3F E0 00 00 00 00 00 00"));

    // Identifiers of 1 to 4 characters: tag, identifier and NUL padded to a word.
    AAX_CChunkDataParser identifiers;
    identifiers.AddInt32 ("a", -2);
    identifiers.AddInt32 ("ab", 1);
    identifiers.AddInt32 ("abc", 0x01020304);
    identifiers.AddInt32 ("abcd", 7);
    EXPECT_EQ (writtenData (identifiers), headerWord
                                              + hex ("6C 5F 61 00  FF FF FF FE")
                                              + hex ("6C 5F 61 62 00 00 00 00  00 00 00 01")
                                              + hex ("6C 5F 61 62 63 00 00 00  01 02 03 04")
                                              + hex ("6C 5F 61 62 63 64 00 00  00 00 00 07"));

    // Strings of 2 to 4 characters: the text and its NUL padded to a word.
    AAX_CChunkDataParser strings;
    strings.AddString ("s", AAX_CString ("ab"));
    strings.AddString ("s", AAX_CString ("abc"));
    strings.AddString ("s", AAX_CString ("abcd"));
    EXPECT_EQ (writtenData (strings), headerWord
                                          + hex ("72 5F 73 00  61 62 00 00")
                                          + hex ("72 5F 73 00  61 62 63 00")
                                          + hex ("72 5F 73 00  61 62 63 64 00 00 00 00"));

    EXPECT_EQ (strings.GetChunkData (nullptr), AAX_ERROR_NULL_ARGUMENT);
}

TEST (AAX_CChunkDataParser, ReadsEveryValueTypeBigEndianAndFindsByKind)
{
    auto parser = loaded (headerWord
                          + hex ("66 5F 66 00  3F C0 00 00")                     // f_f = 1.5f
                          + hex ("6C 5F 6C 00  FF FF FF FE")                     // l_l = -2
                          + hex ("64 5F 64 00  BF E0 00 00 00 00 00 00")         // d_d = -0.5
                          + hex ("73 5F 73 00  FF FD 00 00")                     // s_s = -3
                          + hex ("72 5F 72 00  68 65 79 00")                     // r_r = "hey"
                          + hex ("78 5F 78 00"));                                // x_x: no value

    const auto& entries = parser.GetEntries();
    ASSERT_EQ (entries.size(), 6u);
    EXPECT_EQ (entries[0].mDataType, AAX_CChunkDataParser::eType_Float);
    EXPECT_EQ (entries[0].mFloatValue, 1.5f);
    EXPECT_EQ (entries[3].mDataType, AAX_CChunkDataParser::eType_Int16);
    EXPECT_EQ (entries[3].mIntValue, -3);
    EXPECT_EQ (entries[5].mDataType, AAX_CChunkDataParser::eType_Unknown);
    EXPECT_EQ (names (parser), (std::vector<std::string> { "f", "l", "d", "s", "r", "x" }));

    int32_t integer = 0;
    double real = 0.0;
    AAX_CString string;
    EXPECT_TRUE (parser.FindInt32 ("l", &integer));
    EXPECT_EQ (integer, -2);
    EXPECT_TRUE (parser.FindDouble ("d", &real));
    EXPECT_EQ (real, -0.5);
    EXPECT_TRUE (parser.FindString ("r", &string));
    EXPECT_EQ (string, "hey");

    // Finds answer only for their own kind.
    EXPECT_FALSE (parser.FindDouble ("f", &real));
    EXPECT_FALSE (parser.FindInt32 ("s", &integer));
    EXPECT_FALSE (parser.FindInt32 ("missing", &integer));
    EXPECT_EQ (integer, -2) << "a failed find writes nothing";
    EXPECT_EQ (parser.GetChunkVersion(), 0);
}

TEST (AAX_CChunkDataParser, RoundTripsWhatItWritesAndFindsInWrittenOrderFromTheLastHit)
{
    AAX_CChunkDataParser writer;
    writer.AddString ("name", AAX_CString ("abcd"));
    writer.AddDouble ("nan", std::numeric_limits<double>::quiet_NaN());
    writer.AddInt32 ("min", std::numeric_limits<int32_t>::min());
    writer.AddDouble ("tiny", std::numeric_limits<double>::denorm_min());

    auto reader = loaded (writtenData (writer));
    EXPECT_EQ (names (reader), (std::vector<std::string> { "name", "nan", "min", "tiny" }))
        << "a string entry is followed directly by the next";

    EXPECT_EQ (reader.FindName ("name"), 0);
    EXPECT_EQ (reader.FindName ("nan"), 1);
    EXPECT_EQ (reader.FindName ("tiny"), 3);
    EXPECT_EQ (reader.FindName ("min"), 2) << "wraps around";
    EXPECT_EQ (reader.FindName ("absent"), -1);
    EXPECT_EQ (reader.FindName (nullptr), -1);

    double value = 0.0;
    int32_t integer = 0;
    EXPECT_TRUE (reader.FindDouble ("nan", &value));
    EXPECT_TRUE (std::isnan (value));
    EXPECT_TRUE (reader.FindInt32 ("min", &integer));
    EXPECT_EQ (integer, std::numeric_limits<int32_t>::min());
    EXPECT_TRUE (reader.FindDouble ("tiny", &value));
    EXPECT_EQ (value, std::numeric_limits<double>::denorm_min());
}

TEST (AAX_CChunkDataParser, RestoresNothingFromAShortChunkOrAWrongHeader)
{
    for (const auto& data : { std::vector<uint8_t> {}, headerWord, hex ("01 01 01 02  64 5F 61 00  00 00 00 00 00 00 00 00"),
                              hex ("01 01 01 01  64") })
        EXPECT_TRUE (loaded (data).GetEntries().empty()) << data.size() << " bytes";

    ChunkBuffer negative (headerWord + hex ("64 5F 61 00  00 00 00 00 00 00 00 00"));
    negative.record()->fSize = -1;
    AAX_CChunkDataParser parser;
    parser.LoadChunk (negative.record());
    EXPECT_TRUE (parser.GetEntries().empty());
    parser.LoadChunk (nullptr);
    EXPECT_TRUE (parser.GetEntries().empty());
}

TEST (AAX_CChunkDataParser, TakesAtMost255BytesOfTagAndIdentifier)
{
    // 255 bytes without a NUL count as the whole text; the value starts at the next word after them.
    const auto longText = text ("d_") + std::vector<uint8_t> (253, 'x');
    auto parser = loaded (headerWord + longText + hex ("00") + hex ("3F F0 00 00 00 00 00 00"));
    ASSERT_EQ (parser.GetEntries().size(), 1u);
    EXPECT_EQ (parser.GetEntries()[0].mDataName.Length(), 253u);
    EXPECT_EQ (parser.GetEntries()[0].mDoubleValue, 1.0);
}

//==============================================================================
// Robustness: whatever the bytes, the reader stays inside the chunk (run these
// under AddressSanitizer, where the buffer ends exactly at the data's end).
TEST (AAX_CChunkDataParserRobustness, KeepsTheEntriesBeforeTheFirstOneCutByEveryPrefix)
{
    AAX_CChunkDataParser writer;
    writer.AddDouble ("Gain", 0.25);
    writer.AddString ("Label", AAX_CString ("abcdef"));
    writer.AddInt32 ("Mode", 3);
    const auto full = writtenData (writer);
    // Where each entry's last byte that matters ends: a string needs its NUL, not its padding.
    const std::vector<size_t> entryEnds { 20, 35, 48 };

    for (size_t length = 0; length <= full.size(); ++length)
    {
        const auto parser = loaded ({ full.begin(), full.begin() + static_cast<std::ptrdiff_t> (length) });
        size_t complete = 0;
        while (complete < entryEnds.size() && entryEnds[complete] <= length)
            ++complete;

        EXPECT_EQ (parser.GetEntries().size(), complete) << "prefix of " << length << " bytes";
    }
}

TEST (AAX_CChunkDataParserRobustness, StopsAtIdentifiersAndStringsWithoutATerminator)
{
    EXPECT_TRUE (loaded (headerWord + text ("d_Gain")).GetEntries().empty());

    const auto kept = headerWord + hex ("64 5F 41 00  3F F0 00 00 00 00 00 00");
    EXPECT_EQ (names (loaded (kept + text ("r_S") + hex ("00") + text ("abcd"))), std::vector<std::string> { "A" })
        << "a string running into the end of the data";
    EXPECT_EQ (names (loaded (kept + hex ("64 5F 42 00  3F F0 00 00"))), std::vector<std::string> { "A" })
        << "a double cut in half";
    EXPECT_EQ (names (loaded (kept + text ("r_S") + hex ("00"))), std::vector<std::string> { "A" })
        << "a string whose value would start at the end";
    EXPECT_EQ (names (loaded (kept + text ("r_") + hex ("00"))), std::vector<std::string> { "A" })
        << "a string whose value would start past the end, after the padding";
    EXPECT_EQ (names (loaded (kept + text ("l_I") + hex ("00  00 00 07"))), std::vector<std::string> { "A" })
        << "an integer one byte short";
}

TEST (AAX_CChunkDataParserRobustness, SurvivesRandomBytes)
{
    std::mt19937 random (20261208);
    const std::string letters = "fldsrx_\0a";

    for (int round = 0; round < 3000; ++round)
    {
        std::vector<uint8_t> data (random() % 160);
        for (auto& byte : data)
            byte = (random() % 3 == 0) ? static_cast<uint8_t> (random()) : static_cast<uint8_t> (letters[random() % letters.size()]);
        if (data.size() >= 4 && random() % 4 != 0)
            std::fill (data.begin(), data.begin() + 4, 0x01);

        const auto parser = loaded (data);
        EXPECT_LE (parser.GetEntries().size() * 4, data.size());
    }
}
