// The generated text data (font_data.cpp, written by tools/fontgen).
#pragma once

#include <cstdint>

namespace mub::text::data {

constexpr uint16_t kUnmapped = 0xFFFF;
constexpr int kTrailCount = 0xFC - 0x40 + 1;  // trail bytes 40..FC per lead byte

extern const uint16_t kCp932Single[256];  // by byte; lead bytes are kUnmapped
extern const uint16_t kCp932Double[];     // by lead index (81-9F, then E0-FC) * kTrailCount + trail - 0x40

// Glyphs sorted by code point; glyph i has its rows at kGlyphBits[kGlyphOffsets[i]],
// 16 rows of 1 (8 px wide) or 2 (16 px wide) bytes, leftmost pixel in the high bit.
extern const int kGlyphCount;
extern const uint16_t kGlyphCodes[];
extern const uint32_t kGlyphOffsets[];
extern const char kGlyphBits[];

}  // namespace mub::text::data
