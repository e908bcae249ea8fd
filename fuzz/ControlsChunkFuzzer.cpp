// The controls chunk's reader fed with any data, as a host restoring a
// damaged or foreign chunk would. Reads must stay inside the chunk (the
// record is allocated to its exact size), and the entries read must write and
// read back unchanged.

#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"
#include "FuzzSupport.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
    // A host-style record: the fixed header, then exactly dataSize bytes.
    class ChunkRecord
    {
    public:
        explicit ChunkRecord (std::size_t dataSize)
            : storage (kAAX_PlugInChunkHeaderSize + dataSize)
        {
            chunk().fSize = (int32_t) dataSize;
            chunk().fVersion = 1;
            chunk().fChunkID = 'elck';
        }

        AAX_SPlugInChunk& chunk() noexcept { return *reinterpret_cast<AAX_SPlugInChunk*> (storage.data()); }
        char* data() noexcept { return storage.data() + kAAX_PlugInChunkHeaderSize; }

    private:
        std::vector<char> storage;
    };

    bool sameEntry (const AAX_CChunkDataParser::DataValue& a, const AAX_CChunkDataParser::DataValue& b)
    {
        return a.mDataType == b.mDataType
            && a.mDataName == b.mDataName
            && a.mStringValue == b.mStringValue
            && std::memcmp (&a.mDoubleValue, &b.mDoubleValue, sizeof (double)) == 0;
    }

    // The entries of the kinds this system writes (double, integer, string),
    // added to a fresh list the way the plug-in builds its chunk.
    AAX_CChunkDataParser writableCopy (const AAX_CChunkDataParser& parser)
    {
        AAX_CChunkDataParser copy;

        for (const auto& entry : parser.GetEntries())
        {
            const auto* name = entry.mDataName.Get();

            switch (entry.mDataType)
            {
                case AAX_CChunkDataParser::eType_Double: copy.AddDouble (name, entry.mDoubleValue); break;
                case AAX_CChunkDataParser::eType_Int32:  copy.AddInt32 (name, entry.mIntValue); break;
                case AAX_CChunkDataParser::eType_String: copy.AddString (name, entry.mStringValue); break;
                default: break;
            }
        }

        return copy;
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size > (std::size_t) INT32_MAX)
        return 0;

    ChunkRecord record (size);
    if (size > 0)
        std::memcpy (record.data(), data, size);

    AAX_CChunkDataParser parser;
    parser.LoadChunk (&record.chunk());

    // Every entry read can be found by its identifier.
    for (const auto& entry : parser.GetEntries())
        FUZZ_EXPECT (parser.FindName (entry.mDataName.Get()) >= 0);

    // What was read writes and reads back unchanged. (Entries of other kinds
    // are kept in the list but never written: the plug-in's chunk is rebuilt
    // from its parameters.)
    auto copy = writableCopy (parser);
    const auto dataSize = copy.GetChunkDataSize();
    if (dataSize < 0)
        return 0;

    ChunkRecord rewritten ((std::size_t) dataSize);
    FUZZ_EXPECT (copy.GetChunkData (&rewritten.chunk()) == AAX_SUCCESS);
    FUZZ_EXPECT (rewritten.chunk().fSize == dataSize);

    AAX_CChunkDataParser reread;
    reread.LoadChunk (&rewritten.chunk());

    const auto& before = copy.GetEntries();
    const auto& after = reread.GetEntries();
    FUZZ_EXPECT (before.size() == after.size());

    for (std::size_t i = 0; i < before.size(); ++i)
        FUZZ_EXPECT (sameEntry (before[i], after[i]));

    return 0;
}
