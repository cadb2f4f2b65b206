#include "cdimages.h"

#include <QtEndian>
#include <cmath>
#include <numbers>

namespace {

constexpr int kPregapSectors = 150;  // two seconds before the first track
constexpr int kDataSectorBytes = 2048;

// Minutes, seconds and sectors, the way cue sheets and TOC files count.
QByteArray Msf(int sectors) {
  return QString::asprintf("%02d:%02d:%02d", sectors / (60 * kCdSectorsPerSecond),
                           sectors / kCdSectorsPerSecond % 60, sectors % kCdSectorsPerSecond)
      .toLatin1();
}

// The bytes of a track as stored in a BIN or TOC data file: audio or 2352-byte data sectors.
QByteArray RawTrack(const CdTrack& track, SampleOrder order) {
  return track.audio ? CdSineSectors(track.frequency, track.sectors, order)
                     : QByteArray(track.sectors * kCdSectorBytes, '\0');
}

// Big-endian fields of the NRG chunks.
class BigEndian {
 public:
  template <typename T>
  void Put(T value) {
    const auto big = qToBigEndian(value);
    data_.append(reinterpret_cast<const char*>(&big), sizeof big);
  }
  void Append(const QByteArray& bytes) { data_.append(bytes); }
  const QByteArray& data() const { return data_; }

 private:
  QByteArray data_;
};

QByteArray NrgChunk(const char* id, const QByteArray& body) {
  BigEndian chunk;
  chunk.Append(QByteArray(id, 4));
  chunk.Put<uint32_t>(body.size());
  chunk.Append(body);
  return chunk.data();
}

uint8_t Bcd(int value) {
  return static_cast<uint8_t>(value / 10 * 16 + value % 10);
}

// ADR 1 with the control bits: data tracks have bit 6 set.
uint8_t NrgControl(const CdTrack& track) {
  return track.audio ? 0x01 : 0x41;
}

// One cue point: control, track and index in BCD, and its sector (the lead-in is negative).
void PutCuePoint(BigEndian* cues, uint8_t control, uint8_t track, uint8_t index, int32_t sector) {
  cues->Put<uint8_t>(control);
  cues->Put<uint8_t>(track);
  cues->Put<uint8_t>(index);
  cues->Put<uint8_t>(0);
  cues->Put<int32_t>(sector);
}

}  // namespace

int16_t CdSineSample(double frequency, int frame) {
  return static_cast<int16_t>(kCdSineAmplitude *
                              std::sin(2 * std::numbers::pi * frequency * frame / 44100));
}

QByteArray CdSineSectors(double frequency, int sectors, SampleOrder order) {
  QByteArray bytes;
  const int frames = sectors * kCdSectorBytes / 4;
  bytes.reserve(frames * 4);
  for (int frame = 0; frame < frames; ++frame) {
    const auto value = static_cast<uint16_t>(CdSineSample(frequency, frame));
    const char low = static_cast<char>(value & 0xFF);
    const char high = static_cast<char>(value >> 8);
    for (int channel = 0; channel < 2; ++channel) {
      bytes.append(order == SampleOrder::LittleEndian ? low : high);
      bytes.append(order == SampleOrder::LittleEndian ? high : low);
    }
  }
  return bytes;
}

QString WriteCueImage(const ScratchFolder& folder, const CdLayout& layout) {
  QByteArray bin;
  QByteArray cue = "FILE \"disc.bin\" BINARY\r\n";
  for (size_t i = 0; i < layout.size(); ++i) {
    cue += QString::asprintf("  TRACK %02zu %s\r\n    INDEX 01 ", i + 1,
                             layout[i].audio ? "AUDIO" : "MODE1/2352")
               .toLatin1() +
           Msf(static_cast<int>(bin.size() / kCdSectorBytes)) + "\r\n";
    bin += RawTrack(layout[i], SampleOrder::LittleEndian);
  }
  WriteBytes(folder.file("disc.bin"), bin);
  WriteBytes(folder.file("disc.cue"), cue);
  return folder.file("disc.cue");
}

QString WriteTocImage(const ScratchFolder& folder, const CdLayout& layout) {
  QByteArray raw;
  bool data = false;
  QByteArray body;
  for (const CdTrack& track : layout) {
    const int start = static_cast<int>(raw.size() / kCdSectorBytes);
    if (track.audio) {
      body += "\nTRACK AUDIO\nFILE \"disc.raw\" " + Msf(start) + " " + Msf(track.sectors) + "\n";
    } else {
      data = true;
      body += "\nTRACK MODE1_RAW\nDATAFILE \"disc.raw\" #" + QByteArray::number(raw.size()) + " " +
              Msf(track.sectors) + "\n";
    }
    raw += RawTrack(track, SampleOrder::BigEndian);
  }
  WriteBytes(folder.file("disc.raw"), raw);
  WriteBytes(folder.file("disc.toc"), (data ? "CD_ROM\n" : "CD_DA\n") + body);
  return folder.file("disc.toc");
}

QString WriteNrgImage(const ScratchFolder& folder, const CdLayout& layout) {
  QByteArray image(kPregapSectors * kCdSectorBytes, '\0');
  BigEndian cues;
  BigEndian tracks;
  PutCuePoint(&cues, NrgControl(layout.front()), 0, 0, -kPregapSectors);
  int sector = 0;
  for (size_t i = 0; i < layout.size(); ++i) {
    const CdTrack& track = layout[i];
    const auto number = static_cast<int>(i + 1);
    const uint64_t index0 = i == 0 ? 0 : image.size();
    const uint64_t index1 = image.size();
    image += track.audio ? CdSineSectors(track.frequency, track.sectors, SampleOrder::LittleEndian)
                         : QByteArray(track.sectors * kDataSectorBytes, '\0');
    PutCuePoint(&cues, NrgControl(track), Bcd(number), 0, i == 0 ? -kPregapSectors : sector);
    PutCuePoint(&cues, NrgControl(track), Bcd(number), 1, sector);
    sector += track.sectors;

    // Per track: ISRC, sector size, mode (7 audio, 0 mode 1), then the file offsets of the
    // pregap, the track and its end.
    tracks.Append(QByteArray(12, '\0'));
    tracks.Put<uint16_t>(track.audio ? kCdSectorBytes : kDataSectorBytes);
    tracks.Put<uint32_t>(track.audio ? 0x07000001 : 0x00000001);
    tracks.Put<uint64_t>(index0);
    tracks.Put<uint64_t>(index1);
    tracks.Put<uint64_t>(image.size());
  }
  PutCuePoint(&cues, NrgControl(layout.back()), 0xAA, 1, sector);  // lead-out

  constexpr int kDaoHeaderBytes = 22;
  BigEndian dao;
  dao.Put<uint32_t>(kDaoHeaderBytes + tracks.data().size());
  dao.Append(QByteArray(14, '\0'));  // UPC
  dao.Put<uint16_t>(0);              // TOC type: CD-DA or mode 1
  dao.Put<uint8_t>(1);               // first track
  dao.Put<uint8_t>(static_cast<uint8_t>(layout.size()));
  dao.Append(tracks.data());

  BigEndian count;
  count.Put<uint32_t>(static_cast<uint32_t>(layout.size()));
  BigEndian mediaType;
  mediaType.Put<uint32_t>(1);

  const uint64_t firstChunk = image.size();
  image += NrgChunk("CUEX", cues.data()) + NrgChunk("DAOX", dao.data()) +
           NrgChunk("SINF", count.data()) + NrgChunk("MTYP", mediaType.data()) +
           NrgChunk("END!", {});
  BigEndian footer;
  footer.Append("NER5");
  footer.Put<uint64_t>(firstChunk);
  image += footer.data();
  WriteBytes(folder.file("disc.nrg"), image);
  return folder.file("disc.nrg");
}
