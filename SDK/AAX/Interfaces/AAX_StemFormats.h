// AAX_StemFormats.h: channel layouts (stem formats) as 32-bit codes: a signed layout index in the top 16 bits, the channel count in the low 16.
#pragma once

#include <cstdint>

#define AAX_STEM_FORMAT(index, channelCount) \
    static_cast<int32_t> ((static_cast<uint32_t> (index) << 16) | (static_cast<uint32_t> (channelCount) & 0xFFFFu))
// The layout index, with sign: "none" and "any" have negative indices.
#define AAX_STEM_FORMAT_INDEX(stemFormat) (static_cast<int32_t> (stemFormat) >> 16)
#define AAX_STEM_FORMAT_CHANNEL_COUNT(stemFormat) (static_cast<uint16_t> (static_cast<uint32_t> (stemFormat) & 0xFFFFu))

enum AAX_EStemFormat : int32_t
{
    AAX_eStemFormat_Mono = AAX_STEM_FORMAT (0, 1),
    AAX_eStemFormat_Stereo = AAX_STEM_FORMAT (1, 2),
    AAX_eStemFormat_LCR = AAX_STEM_FORMAT (2, 3),
    AAX_eStemFormat_LCRS = AAX_STEM_FORMAT (3, 4),
    AAX_eStemFormat_Quad = AAX_STEM_FORMAT (4, 4),
    AAX_eStemFormat_5_0 = AAX_STEM_FORMAT (5, 5),
    AAX_eStemFormat_5_1 = AAX_STEM_FORMAT (6, 6),
    AAX_eStemFormat_6_0 = AAX_STEM_FORMAT (7, 6),
    AAX_eStemFormat_6_1 = AAX_STEM_FORMAT (8, 7),
    AAX_eStemFormat_7_0_SDDS = AAX_STEM_FORMAT (9, 7),
    AAX_eStemFormat_7_1_SDDS = AAX_STEM_FORMAT (10, 8),
    AAX_eStemFormat_7_0_DTS = AAX_STEM_FORMAT (11, 7),
    AAX_eStemFormat_7_1_DTS = AAX_STEM_FORMAT (12, 8),
    // Layouts from index 13 on are newer than the classic set every host knows.
    AAX_eStemFormat_7_0_2 = AAX_STEM_FORMAT (13, 9),
    AAX_eStemFormat_7_1_2 = AAX_STEM_FORMAT (14, 10),
    AAX_eStemFormat_Ambi_1_ACN = AAX_STEM_FORMAT (15, 4),
    AAX_eStemFormat_Ambi_2_ACN = AAX_STEM_FORMAT (16, 9),
    AAX_eStemFormat_Ambi_3_ACN = AAX_STEM_FORMAT (17, 16),
    AAX_eStemFormat_Reserved_1 = AAX_STEM_FORMAT (18, 0),
    AAX_eStemFormat_Reserved_2 = AAX_STEM_FORMAT (19, 0),
    AAX_eStemFormat_Reserved_3 = AAX_STEM_FORMAT (20, 0),
    // The number of layout indices above.
    AAX_eStemFormatNum = 21,

    AAX_eStemFormat_None = AAX_STEM_FORMAT (-1, 0), // 0xFFFF0000
    AAX_eStemFormat_Any = AAX_STEM_FORMAT (-100, 0), // 0xFF9C0000
    AAX_eStemFormat_INT32_MAX = INT32_MAX
};

// The last layout index a host without per-format support information accepts.
constexpr int32_t AAX_kLastClassicStemFormatIndex = 12;
