#pragma once
// Readable names of the codes that describe a media stream, for the item editor.

#include <QString>
#include <cstddef>
#include <cstdint>

// The description of a video four-character code (first character in the lowest byte), or
// "Unknown (<signed decimal value>)".
QString CodecName(uint32_t code);
// The description of an audio wave format tag, or "Unknown (<value>)".
QString WaveFormatName(int tag);

// The four-character code of a text such as "XVID"; missing characters are zero bytes.
template <std::size_t N>
constexpr uint32_t FourCC(const char (&text)[N]) {
  static_assert(N <= 5, "a four-character code has at most four characters");
  uint32_t code = 0;
  for (std::size_t i = 0; i + 1 < N; ++i) {
    code |= uint32_t(uint8_t(text[i])) << (8 * i);
  }
  return code;
}

// The number of rows of each table.
int VideoCodecCount();
int WaveFormatCount();
