#include "trackermodules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr int kChannels = 2;
constexpr int kSampleLength = 32;  // one period of a square wave, looped
constexpr int kMiddleCRate = 8363;

int SampleValue(int i) {
  return i < kSampleLength / 2 ? 100 : -100;
}

// Little-endian fields, with patching for offsets known only later.
class Bytes {
 public:
  void U8(int value) { data_.append(static_cast<char>(value & 0xFF)); }
  void U16(int value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(int64_t value) {
    U16(static_cast<int>(value & 0xFFFF));
    U16(static_cast<int>(value >> 16));
  }
  void Text(const char* text, int size) {
    data_.append(QByteArray(text).leftJustified(size, '\0', true));
  }
  void Zeros(int count) { data_.append(QByteArray(count, '\0')); }
  void Append(const QByteArray& bytes) { data_.append(bytes); }
  void Align(int boundary) {
    while (data_.size() % boundary != 0) {
      U8(0);
    }
  }
  void Patch8(int at, int value) { data_[at] = static_cast<char>(value & 0xFF); }
  void Patch16(int at, int value) {
    Patch8(at, value);
    Patch8(at + 1, value >> 8);
  }
  void Patch32(int at, int64_t value) {
    Patch16(at, static_cast<int>(value & 0xFFFF));
    Patch16(at + 2, static_cast<int>(value >> 16));
  }
  int size() const { return static_cast<int>(data_.size()); }
  const QByteArray& data() const { return data_; }

 private:
  QByteArray data_;
};

// What one channel does on one row: strike the sample (channel 1, first row) and/or change
// speed (channel 1) or tempo (channel 2).
struct Cell {
  bool strike = false;
  bool speed = false;
  bool tempo = false;
  int value = 0;
  bool empty() const { return !strike && !speed && !tempo; }
};

Cell CellAt(const TrackerPattern& pattern, int row, int channel) {
  Cell cell;
  cell.strike = row == 0 && channel == 0;
  const std::map<int, int>& changes = channel == 0 ? pattern.speedAt : pattern.tempoAt;
  if (const auto change = changes.find(row); change != changes.end()) {
    (channel == 0 ? cell.speed : cell.tempo) = true;
    cell.value = change->second;
  }
  return cell;
}

// The effect numbers of the formats: MOD-style Fxx (speed below 32, tempo from 32) in XM and
// MTM, letters A (speed) and T (tempo) in S3M and IT.
constexpr int kModSetSpeedTempo = 0x0F;
constexpr int kLetterA = 1;
constexpr int kLetterT = 20;

int LetterCommand(const Cell& cell) {
  return cell.speed ? kLetterA : kLetterT;
}

QByteArray XmPattern(const TrackerPattern& pattern) {
  Bytes packed;
  for (int row = 0; row < pattern.rows; ++row) {
    for (int channel = 0; channel < kChannels; ++channel) {
      const Cell cell = CellAt(pattern, row, channel);
      const bool effect = cell.speed || cell.tempo;
      // A packed cell: a flag byte whose low bits say which of the five fields follow.
      packed.U8(0x80 | (cell.strike ? 0x03 : 0) | (effect ? 0x18 : 0));
      if (cell.strike) {
        packed.U8(49);  // C-4
        packed.U8(1);
      }
      if (effect) {
        packed.U8(kModSetSpeedTempo);
        packed.U8(cell.value);
      }
    }
  }
  return packed.data();
}

}  // namespace

double SongSeconds(const TrackerSong& song) {
  int speed = song.speed;
  int tempo = song.tempo;
  double seconds = 0;
  for (const int order : song.orders) {
    const TrackerPattern& pattern = song.patterns.at(order);
    for (int row = 0; row < pattern.rows; ++row) {
      speed = pattern.speedAt.contains(row) ? pattern.speedAt.at(row) : speed;
      tempo = pattern.tempoAt.contains(row) ? pattern.tempoAt.at(row) : tempo;
      seconds += speed * 2.5 / tempo;
    }
  }
  return seconds;
}

QByteArray WriteXm(const TrackerSong& song) {
  Bytes out;
  out.Text("Extended Module: ", 17);
  out.Text("length test", 20);
  out.U8(0x1A);
  out.Text("zephonic tests", 20);
  out.U16(0x0104);
  out.U32(276);  // header size from here on
  out.U16(static_cast<int>(song.orders.size()));
  out.U16(0);  // restart position
  out.U16(kChannels);
  out.U16(static_cast<int>(song.patterns.size()));
  out.U16(1);  // instruments
  out.U16(1);  // linear frequency table
  out.U16(song.speed);
  out.U16(song.tempo);
  for (int i = 0; i < 256; ++i) {
    out.U8(i < static_cast<int>(song.orders.size()) ? song.orders[i] : 0);
  }
  for (const TrackerPattern& pattern : song.patterns) {
    const QByteArray packed = XmPattern(pattern);
    out.U32(9);  // pattern header size
    out.U8(0);   // packing type
    out.U16(pattern.rows);
    out.U16(static_cast<int>(packed.size()));
    out.Append(packed);
  }
  // One instrument with one sample: keymap and envelopes all zero, no vibrato.
  out.U32(263);
  out.Text("square", 22);
  out.U8(0);
  out.U16(1);
  out.U32(40);  // sample header size
  out.Zeros(96 + 48 + 48 + 14);
  out.U16(0);  // fade-out
  out.Zeros(22);
  out.U32(kSampleLength);
  out.U32(0);              // loop start
  out.U32(kSampleLength);  // loop length
  out.U8(64);              // volume
  out.U8(0);               // finetune
  out.U8(1);               // forward loop, 8-bit
  out.U8(128);             // panning
  out.U8(0);               // relative note
  out.U8(0);
  out.Text("square", 22);
  // 8-bit samples are stored as differences from the previous one.
  int previous = 0;
  for (int i = 0; i < kSampleLength; ++i) {
    out.U8(SampleValue(i) - previous);
    previous = SampleValue(i);
  }
  return out.data();
}

QByteArray WriteIt(const TrackerSong& song) {
  const int orderCount = static_cast<int>(song.orders.size()) + 1;  // ended by 255
  const int patternCount = static_cast<int>(song.patterns.size());
  Bytes out;
  out.Text("IMPM", 4);
  out.Text("length test", 26);
  out.U16(0x1004);  // row highlights
  out.U16(orderCount);
  out.U16(0);  // instruments: notes name samples directly
  out.U16(1);  // samples
  out.U16(patternCount);
  out.U16(0x0214);  // made with
  out.U16(0x0214);  // compatible with
  out.U16(0x09);    // stereo, linear slides, no instruments
  out.U16(0);       // special
  out.U8(128);      // global volume
  out.U8(48);       // mix volume
  out.U8(song.speed);
  out.U8(song.tempo);
  out.U8(128);  // panning separation
  out.U8(0);    // pitch wheel depth
  out.U16(0);   // message length
  out.U32(0);   // message offset
  out.U32(0);
  for (int channel = 0; channel < 64; ++channel) {
    out.U8(32);  // centre
  }
  for (int channel = 0; channel < 64; ++channel) {
    out.U8(64);
  }
  for (const int order : song.orders) {
    out.U8(order);
  }
  out.U8(255);
  const int sampleOffsetAt = out.size();
  out.U32(0);
  const int patternOffsetsAt = out.size();
  out.Zeros(4 * patternCount);

  out.Patch32(sampleOffsetAt, out.size());
  out.Text("IMPS", 4);
  out.Text("square.raw", 12);
  out.U8(0);
  out.U8(64);    // global volume
  out.U8(0x11);  // sample present, looped, 8-bit mono
  out.U8(64);    // volume
  out.Text("square", 26);
  out.U8(0x01);  // signed samples
  out.U8(32);    // default pan
  out.U32(kSampleLength);
  out.U32(0);              // loop start
  out.U32(kSampleLength);  // loop end
  out.U32(kMiddleCRate);
  out.U32(0);  // sustain loop
  out.U32(0);
  const int samplePointerAt = out.size();
  out.U32(0);
  out.U32(0);  // vibrato

  for (int p = 0; p < patternCount; ++p) {
    const TrackerPattern& pattern = song.patterns[p];
    out.Patch32(patternOffsetsAt + 4 * p, out.size());
    Bytes packed;
    for (int row = 0; row < pattern.rows; ++row) {
      for (int channel = 0; channel < kChannels; ++channel) {
        const Cell cell = CellAt(pattern, row, channel);
        if (cell.empty()) {
          continue;
        }
        // Channel byte with its top bit set: a mask byte follows saying which fields do.
        packed.U8(0x80 | (channel + 1));
        packed.U8((cell.strike ? 0x03 : 0) | (cell.speed || cell.tempo ? 0x08 : 0));
        if (cell.strike) {
          packed.U8(60);  // C-5
          packed.U8(1);
        }
        if (cell.speed || cell.tempo) {
          packed.U8(LetterCommand(cell));
          packed.U8(cell.value);
        }
      }
      packed.U8(0);  // end of row
    }
    out.U16(packed.size());
    out.U16(pattern.rows);
    out.U32(0);
    out.Append(packed.data());
  }
  out.Patch32(samplePointerAt, out.size());
  for (int i = 0; i < kSampleLength; ++i) {
    out.U8(SampleValue(i));
  }
  return out.data();
}

QByteArray WriteS3m(const TrackerSong& song) {
  // Orders come in an even number, padded with "end of song" markers.
  const int orderCount = static_cast<int>(song.orders.size() + 2) / 2 * 2;
  const int patternCount = static_cast<int>(song.patterns.size());
  Bytes out;
  out.Text("length test", 28);
  out.U8(0x1A);
  out.U8(16);  // module type
  out.U16(0);
  out.U16(orderCount);
  out.U16(1);  // instruments
  out.U16(patternCount);
  out.U16(0);       // flags
  out.U16(0x1320);  // made with
  out.U16(2);       // unsigned samples
  out.Text("SCRM", 4);
  out.U8(64);  // global volume
  out.U8(song.speed);
  out.U8(song.tempo);
  out.U8(0xB0);  // master volume, stereo
  out.U8(0);
  out.U8(0);  // no panning table
  out.Zeros(8);
  out.U16(0);
  out.U8(0);  // left 1
  out.U8(8);  // right 1
  for (int channel = kChannels; channel < 32; ++channel) {
    out.U8(255);  // unused
  }
  for (int i = 0; i < orderCount; ++i) {
    out.U8(i < static_cast<int>(song.orders.size()) ? song.orders[i] : 255);
  }
  // Everything below is addressed in 16-byte paragraphs.
  const int instrumentPointerAt = out.size();
  out.U16(0);
  const int patternPointersAt = out.size();
  out.Zeros(2 * patternCount);

  out.Align(16);
  out.Patch16(instrumentPointerAt, out.size() / 16);
  const int instrumentAt = out.size();
  out.U8(1);  // sample
  out.Text("square.raw", 12);
  out.Zeros(3);  // paragraph of the sample data, patched below
  out.U32(kSampleLength);
  out.U32(0);              // loop start
  out.U32(kSampleLength);  // loop end
  out.U8(64);              // volume
  out.U8(0);
  out.U8(0);  // not packed
  out.U8(1);  // looped
  out.U32(kMiddleCRate);
  out.Zeros(12);
  out.Text("square", 28);
  out.Text("SCRS", 4);

  for (int p = 0; p < patternCount; ++p) {
    const TrackerPattern& pattern = song.patterns[p];
    EXPECT_EQ(pattern.rows, 64) << "S3M patterns have 64 rows";
    out.Align(16);
    out.Patch16(patternPointersAt + 2 * p, out.size() / 16);
    Bytes packed;
    for (int row = 0; row < 64; ++row) {
      for (int channel = 0; channel < kChannels; ++channel) {
        const Cell cell = CellAt(pattern, row, channel);
        if (cell.empty()) {
          continue;
        }
        const bool effect = cell.speed || cell.tempo;
        packed.U8(channel | (cell.strike ? 0x20 : 0) | (effect ? 0x80 : 0));
        if (cell.strike) {
          packed.U8(0x40);  // octave 4, C
          packed.U8(1);
        }
        if (effect) {
          packed.U8(LetterCommand(cell));
          packed.U8(cell.value);
        }
      }
      packed.U8(0);  // end of row
    }
    out.U16(packed.size() + 2);  // the length counts itself
    out.Append(packed.data());
  }
  out.Align(16);
  const int paragraph = out.size() / 16;
  out.Patch8(instrumentAt + 13, paragraph >> 16);
  out.Patch16(instrumentAt + 14, paragraph & 0xFFFF);
  for (int i = 0; i < kSampleLength; ++i) {
    out.U8(128 + SampleValue(i));
  }
  return out.data();
}

QByteArray WriteMtm(const TrackerSong& song) {
  EXPECT_EQ(song.speed, 6) << "MTM songs start at speed 6";
  EXPECT_EQ(song.tempo, 125) << "MTM songs start at tempo 125";
  constexpr int kRows = 64;  // tracks are stored with 64 rows each
  const int patternCount = static_cast<int>(song.patterns.size());
  Bytes out;
  out.Text("MTM", 3);
  out.U8(0x10);  // version 1.0
  out.Text("length test", 20);
  out.U16(patternCount * kChannels);  // one track per channel of each pattern
  out.U8(patternCount - 1);
  out.U8(static_cast<int>(song.orders.size()) - 1);
  out.U16(0);  // comment length
  out.U8(1);   // samples
  out.U8(0);
  out.U8(kRows);
  out.U8(kChannels);
  for (int channel = 0; channel < 32; ++channel) {
    out.U8(channel % 2 == 0 ? 3 : 12);  // pan, 0 (left) to 15 (right)
  }
  out.Text("square", 22);
  out.U32(kSampleLength);
  out.U32(0);              // loop start
  out.U32(kSampleLength);  // loop end
  out.U8(0);               // finetune
  out.U8(64);              // volume
  out.U8(0);               // 8-bit
  for (int i = 0; i < 128; ++i) {
    out.U8(i < static_cast<int>(song.orders.size()) ? song.orders[i] : 0);
  }
  for (const TrackerPattern& pattern : song.patterns) {
    EXPECT_EQ(pattern.rows, kRows) << "MTM patterns have one row count";
    for (int channel = 0; channel < kChannels; ++channel) {
      for (int row = 0; row < kRows; ++row) {
        // Six bits of note, six of sample number, four of effect, eight of parameter.
        const Cell cell = CellAt(pattern, row, channel);
        const int note = cell.strike ? 24 : 0;
        const int sample = cell.strike ? 1 : 0;
        const int effect = cell.speed || cell.tempo ? kModSetSpeedTempo : 0;
        out.U8(note << 2 | sample >> 4);
        out.U8((sample & 0x0F) << 4 | effect);
        out.U8(cell.value);
      }
    }
  }
  for (int p = 0; p < patternCount; ++p) {
    for (int channel = 0; channel < 32; ++channel) {
      out.U16(channel < kChannels ? p * kChannels + channel + 1 : 0);  // track 0 is silence
    }
  }
  for (int i = 0; i < kSampleLength; ++i) {
    out.U8(128 + SampleValue(i));
  }
  return out.data();
}
