// AAX_CChunkDataParser: building, writing and reading the controls chunk's data.
#include "AAX_CChunkDataParser.h"

#include "AAX_Assert.h"
#include "AAX_Errors.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace
{
    constexpr uint64_t tagSize = 2;
    constexpr const char* overflowText = "aborting: chunk data will overflow buffer";

    constexpr uint64_t padToWord (uint64_t position) noexcept { return (position + 3) & ~uint64_t (3); }

    char tagLetter (AAX_CChunkDataParser::EDataType type) noexcept
    {
        switch (type)
        {
            case AAX_CChunkDataParser::eType_Float:  return 'f';
            case AAX_CChunkDataParser::eType_Int32:  return 'l';
            case AAX_CChunkDataParser::eType_Double: return 'd';
            case AAX_CChunkDataParser::eType_Int16:  return 's';
            case AAX_CChunkDataParser::eType_String: return 'r';
            case AAX_CChunkDataParser::eType_Unknown: break;
        }
        return '\0';
    }

    AAX_CChunkDataParser::EDataType typeOfTag (uint8_t letter) noexcept
    {
        switch (letter)
        {
            case 'f': return AAX_CChunkDataParser::eType_Float;
            case 'l': return AAX_CChunkDataParser::eType_Int32;
            case 'd': return AAX_CChunkDataParser::eType_Double;
            case 's': return AAX_CChunkDataParser::eType_Int16;
            case 'r': return AAX_CChunkDataParser::eType_String;
            default: break;
        }
        return AAX_CChunkDataParser::eType_Unknown;
    }

    // Bytes the value takes in the data, padding included.
    uint64_t valueExtent (const AAX_CChunkDataParser::DataValue& value) noexcept
    {
        switch (value.mDataType)
        {
            case AAX_CChunkDataParser::eType_Float:
            case AAX_CChunkDataParser::eType_Int32:
            case AAX_CChunkDataParser::eType_Int16:  return 4;
            case AAX_CChunkDataParser::eType_Double: return 8;
            case AAX_CChunkDataParser::eType_String: return padToWord (uint64_t (value.mStringValue.Length()) + 1);
            case AAX_CChunkDataParser::eType_Unknown: break;
        }
        return 0;
    }

    // Bytes of the whole entry: tag, identifier and NUL padded to a word, then the value.
    uint64_t entryExtent (const AAX_CChunkDataParser::DataValue& value) noexcept
    {
        return padToWord (tagSize + value.mDataName.Length() + 1) + valueExtent (value);
    }

    void writeBigEndian (uint8_t* destination, uint64_t value, int byteCount) noexcept
    {
        for (int i = byteCount - 1; i >= 0; --i, value >>= 8)
            destination[i] = static_cast<uint8_t> (value & 0xFF);
    }

    uint64_t readBigEndian (const uint8_t* source, int byteCount) noexcept
    {
        uint64_t value = 0;
        for (int i = 0; i < byteCount; ++i)
            value = (value << 8) | source[i];
        return value;
    }

    template <typename To, typename From>
    To bitsAs (From from) noexcept
    {
        static_assert (sizeof (To) == sizeof (From));
        To to;
        std::memcpy (&to, &from, sizeof (to));
        return to;
    }

    void writeValue (uint8_t* destination, const AAX_CChunkDataParser::DataValue& value) noexcept
    {
        switch (value.mDataType)
        {
            case AAX_CChunkDataParser::eType_Float:  writeBigEndian (destination, bitsAs<uint32_t> (value.mFloatValue), 4); break;
            case AAX_CChunkDataParser::eType_Int32:  writeBigEndian (destination, static_cast<uint32_t> (value.mIntValue), 4); break;
            case AAX_CChunkDataParser::eType_Double: writeBigEndian (destination, bitsAs<uint64_t> (value.mDoubleValue), 8); break;
            case AAX_CChunkDataParser::eType_Int16:  writeBigEndian (destination, static_cast<uint16_t> (value.mIntValue), 2); break;
            case AAX_CChunkDataParser::eType_String: std::memcpy (destination, value.mStringValue.Get(), value.mStringValue.Length()); break;
            case AAX_CChunkDataParser::eType_Unknown: break;
        }
    }

    // Reads a fixed-size value; the caller has checked that its bytes are inside the data.
    void readValue (const uint8_t* source, AAX_CChunkDataParser::DataValue& value) noexcept
    {
        switch (value.mDataType)
        {
            case AAX_CChunkDataParser::eType_Float:  value.mFloatValue = bitsAs<float> (static_cast<uint32_t> (readBigEndian (source, 4))); break;
            case AAX_CChunkDataParser::eType_Int32:  value.mIntValue = static_cast<int32_t> (readBigEndian (source, 4)); break;
            case AAX_CChunkDataParser::eType_Double: value.mDoubleValue = bitsAs<double> (readBigEndian (source, 8)); break;
            case AAX_CChunkDataParser::eType_Int16:  value.mIntValue = static_cast<int16_t> (readBigEndian (source, 2)); break;
            case AAX_CChunkDataParser::eType_String:
            case AAX_CChunkDataParser::eType_Unknown: break;
        }
    }

    // The length of the NUL-terminated text at `text`, looking at most `limit`
    // bytes; `limit` when no terminator is among them.
    uint64_t boundedLength (const uint8_t* text, uint64_t limit) noexcept
    {
        const auto* end = static_cast<const uint8_t*> (std::memchr (text, 0, static_cast<size_t> (limit)));
        return end != nullptr ? static_cast<uint64_t> (end - text) : limit;
    }

    // The typed lookups: the identifier's entry (searched even without an out
    // value, which moves the search's starting point) when it holds `type`.
    template <typename Stored, typename Out>
    bool findValue (AAX_CChunkDataParser& parser, AAX_CParamID identifier, AAX_CChunkDataParser::EDataType type,
                    Stored AAX_CChunkDataParser::DataValue::* field, Out* value)
    {
        const auto index = parser.FindName (identifier);

        if (value == nullptr || index < 0)
            return false;

        const auto& entry = parser.GetEntries()[static_cast<size_t> (index)];

        if (entry.mDataType != type)
            return false;

        *value = entry.*field;
        return true;
    }
}

//==============================================================================
void AAX_CChunkDataParser::Clear()
{
    mDataValues.clear();
    mLastFoundIndex = -1;
    mChunkVersion = -1;
}

void AAX_CChunkDataParser::AddDouble (AAX_CParamID identifier, double value)
{
    DataValue entry;
    entry.mDataType = eType_Double;
    entry.mDataName = AAX_CString (identifier);
    entry.mDoubleValue = value;
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::AddInt32 (AAX_CParamID identifier, int32_t value)
{
    DataValue entry;
    entry.mDataType = eType_Int32;
    entry.mDataName = AAX_CString (identifier);
    entry.mIntValue = value;
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::AddString (AAX_CParamID identifier, const AAX_CString& value)
{
    DataValue entry;
    entry.mDataType = eType_String;
    entry.mDataName = AAX_CString (identifier);
    entry.mStringValue = value;
    mDataValues.push_back (std::move (entry));
}

//==============================================================================
int32_t AAX_CChunkDataParser::FindName (AAX_CParamID identifier)
{
    const auto count = static_cast<int32_t> (mDataValues.size());

    if (identifier == nullptr || count == 0)
        return -1;

    if (mLastFoundIndex >= count - 1)
        mLastFoundIndex = -1;

    for (int32_t step = 1; step <= count; ++step)
    {
        const int32_t index = (mLastFoundIndex + step) % count;

        if (mDataValues[static_cast<size_t> (index)].mDataName == identifier)
        {
            mLastFoundIndex = index;
            return index;
        }
    }

    return -1;
}

bool AAX_CChunkDataParser::FindDouble (AAX_CParamID identifier, double* value)
{
    return findValue (*this, identifier, eType_Double, &DataValue::mDoubleValue, value);
}

bool AAX_CChunkDataParser::FindInt32 (AAX_CParamID identifier, int32_t* value)
{
    return findValue (*this, identifier, eType_Int32, &DataValue::mIntValue, value);
}

bool AAX_CChunkDataParser::FindString (AAX_CParamID identifier, AAX_IString* value)
{
    return findValue (*this, identifier, eType_String, &DataValue::mStringValue, value);
}

//==============================================================================
int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    uint64_t size = sizeof (kHeaderWord);

    for (const auto& entry : mDataValues)
        size += entryExtent (entry);

    return size <= static_cast<uint64_t> (std::numeric_limits<int32_t>::max()) ? static_cast<int32_t> (size) : -1;
}

AAX_Result AAX_CChunkDataParser::GetChunkData (AAX_SPlugInChunk* chunk) const
{
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const int32_t size = GetChunkDataSize();

    if (size < static_cast<int32_t> (sizeof (kHeaderWord)))
        return kWriteFailed;

    try
    {
        auto* data = reinterpret_cast<uint8_t*> (chunk->fData);
        std::memset (data, 0, static_cast<size_t> (size));
        writeBigEndian (data, kHeaderWord, 4);

        uint64_t position = sizeof (kHeaderWord);

        for (const auto& entry : mDataValues)
        {
            if (position + entryExtent (entry) > static_cast<uint64_t> (size))
                throw std::out_of_range (overflowText);

            if (const char letter = tagLetter (entry.mDataType))
            {
                data[position] = static_cast<uint8_t> (letter);
                data[position + 1] = '_';
            }

            std::memcpy (data + position + tagSize, entry.mDataName.Get(), entry.mDataName.Length());
            position = padToWord (position + tagSize + entry.mDataName.Length() + 1);

            writeValue (data + position, entry);
            position += valueExtent (entry);
        }
    }
    catch (const std::out_of_range& error)
    {
        AAX_TRACE (AAX_eTracePriorityHost_High, "AAX_CChunkDataParser::GetChunkData ERROR: %s", error.what());
        return kWriteFailed;
    }
    catch (...)
    {
        return kWriteFailed;
    }

    chunk->fSize = size;
    return AAX_SUCCESS;
}

//==============================================================================
void AAX_CChunkDataParser::LoadChunk (const AAX_SPlugInChunk* chunk)
{
    Clear();

    if (chunk == nullptr)
        return;

    mChunkVersion = chunk->fVersion;

    if (chunk->fSize <= static_cast<int32_t> (sizeof (kHeaderWord)))
        return;

    const auto* data = reinterpret_cast<const uint8_t*> (chunk->fData);
    const auto size = static_cast<uint64_t> (chunk->fSize);

    if (readBigEndian (data, 4) != kHeaderWord)
        return;

    for (uint64_t position = sizeof (kHeaderWord); position < size;)
    {
        const auto* text = data + position;
        const uint64_t available = size - position;
        const uint64_t textLength = boundedLength (text, std::min<uint64_t> (kMaxTextLength, available));

        // A text that runs into the end of the data is cut off: the entry does not fit.
        if (textLength == available)
            break;

        DataValue entry;
        entry.mDataType = textLength > 0 ? typeOfTag (text[0]) : eType_Unknown;

        if (textLength > tagSize)
            entry.mDataName = AAX_CString (std::string (reinterpret_cast<const char*> (text + tagSize),
                                                        static_cast<size_t> (textLength - tagSize)).c_str());

        const uint64_t valueStart = padToWord (position + textLength + 1);
        uint64_t valueSize = 0;

        if (entry.mDataType == eType_String)
        {
            if (valueStart >= size)
                break;

            const uint64_t stringLength = boundedLength (data + valueStart, size - valueStart);

            if (stringLength == size - valueStart)
                break;

            entry.mStringValue = AAX_CString (reinterpret_cast<const char*> (data + valueStart));
            valueSize = padToWord (stringLength + 1);
        }
        else if (entry.mDataType != eType_Unknown)
        {
            valueSize = valueExtent (entry);

            if (valueStart + valueSize > size)
                break;

            readValue (data + valueStart, entry);
        }

        mDataValues.push_back (std::move (entry));
        position = valueStart + valueSize;
    }
}
