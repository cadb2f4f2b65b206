#pragma once
// Writers of CD images in three layouts that stand for a disc: a CUE sheet with its BIN file,
// a cdrdao TOC file with its raw data and a Nero NRG image. Audio tracks hold sines.

#include <QByteArray>
#include <QString>
#include <vector>

#include "testsupport.h"

constexpr int kCdSectorBytes = 2352;  // one CD sector of audio: 1/75 s of 44.1 kHz 16-bit stereo
constexpr int kCdSectorsPerSecond = 75;
constexpr int kCdSineAmplitude = 8000;

struct CdTrack {
  bool audio = true;
  double frequency = 0;  // Hz, for audio tracks
  int sectors = 0;
};
using CdLayout = std::vector<CdTrack>;

enum class SampleOrder { LittleEndian, BigEndian };

// Frame `frame` of a track's sine, as written to every image.
int16_t CdSineSample(double frequency, int frame);
// `sectors` sectors of a stereo sine starting at phase 0.
QByteArray CdSineSectors(double frequency, int sectors, SampleOrder order);

// Each writes the image into the folder and returns the path that names the drive.
QString WriteCueImage(const ScratchFolder& folder, const CdLayout& layout);
// Raw audio in a TOC image is big-endian, as cdrdao defines it. A data track must come first:
// libcdio places a data track that follows audio tracks at the wrong sectors.
QString WriteTocImage(const ScratchFolder& folder, const CdLayout& layout);
// A disc-at-once image (Nero 5.5 chunks, "NER5" footer) with the two-second pregap of the first
// track stored, as Nero writes it; audio little-endian, as a drive delivers it.
QString WriteNrgImage(const ScratchFolder& folder, const CdLayout& layout);
