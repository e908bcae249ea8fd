// AAX_CChunkDataParser: the typed name/value list of the controls chunk, and its byte layout.
#pragma once

#include "AAX_CString.h"
#include "AAX_PlugInChunk.h"

#include <vector>

/** Holds an ordered list of named values and turns it into chunk data and back.

    Chunk data: the header word 01 01 01 01, then one entry per value, each
    starting at a multiple of 4 from the data start: a two-byte tag ("d_",
    "l_", "r_", ...), the identifier and its NUL, zero padding, then the value
    big-endian (a string with its NUL, padded to a multiple of 4). */
class AAX_CChunkDataParser
{
public:
    enum EDataType : int32_t
    {
        eType_Unknown = 0,
        eType_Float = 1,
        eType_Int32 = 2,
        eType_Double = 3,
        eType_Int16 = 4,
        eType_String = 5
    };

    struct DataValue
    {
        EDataType mDataType = eType_Unknown;
        AAX_CString mDataName;
        union
        {
            double mDoubleValue;
            float mFloatValue;
            int32_t mIntValue;
        };
        AAX_CString mStringValue;   // eType_String only

        DataValue() : mDoubleValue (0.0) {}
    };

    /** What GetChunkData answers when the data cannot be written. */
    static constexpr AAX_Result kWriteFailed = -333;
    static constexpr uint32_t kHeaderWord = 0x01010101;
    /** The longest tag-and-identifier text the reader takes, terminator excluded. */
    static constexpr uint32_t kMaxTextLength = 255;

    AAX_CChunkDataParser() = default;
    virtual ~AAX_CChunkDataParser() = default;

    /** Empties the list; the version goes back to -1. */
    void Clear();

    /** Append an entry; an identifier already in the list is not checked for. */
    void AddDouble (AAX_CParamID identifier, double value);
    void AddInt32 (AAX_CParamID identifier, int32_t value);
    void AddString (AAX_CParamID identifier, const AAX_CString& value);

    /** True, writing the value, when the identifier's entry holds that type. */
    bool FindDouble (AAX_CParamID identifier, double* value);
    bool FindInt32 (AAX_CParamID identifier, int32_t* value);
    bool FindString (AAX_CParamID identifier, AAX_IString* value);

    /** The index of the identifier's entry, or -1. The search starts after the
        last hit and wraps, so looking values up in the order they were written
        finds each at the first comparison. */
    int32_t FindName (AAX_CParamID identifier);

    /** Bytes of data the list needs; -1 when that exceeds a signed 32-bit size. */
    int32_t GetChunkDataSize() const;

    /** Writes the data into the chunk (which must hold GetChunkDataSize bytes)
        and then its size field. Answers kWriteFailed, leaving the size field,
        when the entries do not fit. */
    AAX_Result GetChunkData (AAX_SPlugInChunk* chunk) const;

    /** Replaces the list with the chunk's entries. Reads stay inside the
        chunk's data: at the first entry that does not fit, reading stops and
        the entries before it are kept. A short chunk or a wrong header word
        gives an empty list. */
    void LoadChunk (const AAX_SPlugInChunk* chunk);

    int32_t GetChunkVersion() const noexcept { return mChunkVersion; }
    const std::vector<DataValue>& GetEntries() const noexcept { return mDataValues; }

private:
    int32_t mLastFoundIndex = -1;
    int32_t mChunkVersion = -1;
    std::vector<DataValue> mDataValues;
};
