#include "components/sound/cd.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

constexpr int kFramesPerSector = CDIO_CD_FRAMESIZE_RAW / kBytesPerFrame;  // 588

struct CdioDestroyer {
  void operator()(CdIo_t* cdio) const { cdio_destroy(cdio); }
};
struct DriveCloser {
  void operator()(cdrom_drive_t* drive) const { cdio_cddap_close_no_free_cdio(drive); }
};
struct ParanoiaFreer {
  void operator()(cdrom_paranoia_t* paranoia) const { cdio_paranoia_free(paranoia); }
};
using CdioPtr = std::unique_ptr<CdIo_t, CdioDestroyer>;

constexpr std::uintmax_t kMaxTocBytes = 1 << 20;  // TOC files are a few kilobytes of text
constexpr size_t kMaxNrgTailBytes = 1 << 20;      // NRG chunks take a few kilobytes

// libcdio reports unreadable images on stderr by default; we report through our own errors.
void QuietLog(cdio_log_level_t, const char*) {}

bool IsTocPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return extension == ".toc";
}

// A temporary TOC file, removed when this goes.
class TemporaryToc {
 public:
  explicit TemporaryToc(const std::string& text) {
    std::error_code error;
    std::string name =
        (std::filesystem::temp_directory_path(error) / "zephonic-XXXXXX.toc").string();
    const int fd = error ? -1 : mkstemps(name.data(), 4);
    if (fd < 0) {
      return;
    }
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (written) {
      path_ = name;
    } else {
      unlink(name.c_str());
    }
  }
  ~TemporaryToc() {
    if (!path_.empty()) {
      unlink(path_.c_str());
    }
  }
  TemporaryToc(const TemporaryToc&) = delete;
  TemporaryToc& operator=(const TemporaryToc&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// libcdio looks for the files a TOC file names in the current folder instead of beside the TOC
// file, so it reads a copy that names them by absolute path.
CdioPtr OpenToc(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxTocBytes) {
    return nullptr;
  }
  std::string text(size, '\0');
  std::ifstream in(path, std::ios::binary);
  if (!in.read(text.data(), static_cast<std::streamsize>(size))) {
    return nullptr;
  }
  const std::string folder = std::filesystem::absolute(path, error).parent_path().string();
  const TemporaryToc copy(error ? text : AbsoluteTocText(text, folder));
  return copy.path().empty() ? nullptr : CdioPtr(cdio_open_cdrdao(copy.path().c_str()));
}

// A disc and the tracks that are data although libcdio calls them audio: it gives every track
// of a disc-at-once NRG image the kind of the first, while the image's cue points tell.
struct Disc {
  CdioPtr cdio;
  std::vector<int> dataTracks;
};

// libcdio looks for an NRG footer in every file it is given, whatever its name.
bool IsDamagedNrg(const std::string& path, std::vector<int>* dataTracks) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    return false;
  }
  const std::uintmax_t tailSize = std::min<std::uintmax_t>(size, kMaxNrgTailBytes);
  std::string tail(tailSize, '\0');
  std::ifstream in(path, std::ios::binary);
  if (!in.seekg(static_cast<std::streamoff>(size - tailSize)) ||
      !in.read(tail.data(), static_cast<std::streamsize>(tailSize))) {
    return true;
  }
  return CheckNrgLayout(tail, size - tailSize, dataTracks) == NrgLayout::Damaged;
}

Disc OpenDisc(const std::string& drive) {
  static const bool quiet = (cdio_log_set_handler(QuietLog), true);
  (void)quiet;
  Disc disc;
  std::error_code ignored;
  if (drive.empty() || !std::filesystem::exists(drive, ignored)) {
    return disc;
  }
  if (IsTocPath(drive)) {
    disc.cdio = OpenToc(drive);
  } else if (!std::filesystem::is_regular_file(drive, ignored) ||
             !IsDamagedNrg(drive, &disc.dataTracks)) {
    disc.cdio.reset(cdio_open(drive.c_str(), DRIVER_UNKNOWN));
  }
  return disc;
}

bool IsImage(CdIo_t* cdio) {
  const driver_id_t driver = cdio_get_driver_id(cdio);
  return driver == DRIVER_BINCUE || driver == DRIVER_CDRDAO || driver == DRIVER_NRG;
}

// A track as sector range; false when the disc has no such (audio) track.
struct TrackRange {
  lsn_t first = 0;
  lsn_t last = 0;
  bool audio = false;
};

bool FindTrack(const Disc& disc, int number, TrackRange* range) {
  CdIo_t* cdio = disc.cdio.get();
  const track_t first = cdio_get_first_track_num(cdio);
  const track_t count = cdio_get_num_tracks(cdio);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || number < first ||
      number >= first + count) {
    return false;
  }
  const auto track = static_cast<track_t>(number);
  range->first = cdio_get_track_lsn(cdio, track);
  range->last = cdio_get_track_last_lsn(cdio, track);
  range->audio =
      cdio_get_track_format(cdio, track) == TRACK_FORMAT_AUDIO &&
      std::find(disc.dataTracks.begin(), disc.dataTracks.end(), number) == disc.dataTracks.end();
  return range->first != CDIO_INVALID_LSN && range->last != CDIO_INVALID_LSN &&
         range->last >= range->first;
}

class CdSource : public SoundSource {
 public:
  CdSource(CdioPtr cdio, TrackRange range)
      : cdio_(std::move(cdio)),
        range_(range),
        bigEndian_(cdio_get_driver_id(cdio_.get()) == DRIVER_CDRDAO) {
    if (!IsImage(cdio_.get())) {
      // Real drives: read through paranoia, which corrects jitter and read errors.
      drive_.reset(cdio_cddap_identify_cdio(cdio_.get(), CDDA_MESSAGE_FORGETIT, nullptr));
      if (drive_ && cdio_cddap_open(drive_.get()) == 0) {
        paranoia_.reset(cdio_paranoia_init(drive_.get()));
        cdio_paranoia_modeset(paranoia_.get(), PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
      }
    }
    Seek(0);
  }

  int Read(int16_t* frames, int maxFrames) override {
    int done = 0;
    while (done < maxFrames) {
      if (sectorUsed_ >= kFramesPerSector) {
        if (next_ > range_.last) {
          break;
        }
        if (!ReadSector()) {
          return done > 0 ? done : -1;
        }
        sectorUsed_ = skip_;
        skip_ = 0;
      }
      const int take = std::min(maxFrames - done, kFramesPerSector - sectorUsed_);
      std::memcpy(frames + done * 2, sector_ + sectorUsed_ * 2, take * kBytesPerFrame);
      sectorUsed_ += take;
      done += take;
    }
    return done;
  }

  bool Seek(int64_t frame) override {
    if (frame < 0 || frame > LengthFrames()) {
      return false;
    }
    next_ = range_.first + static_cast<lsn_t>(frame / kFramesPerSector);
    skip_ = static_cast<int>(frame % kFramesPerSector);
    sectorUsed_ = kFramesPerSector;
    if (paranoia_) {
      cdio_paranoia_seek(paranoia_.get(), next_, SEEK_SET);
    }
    return true;
  }

  bool Seekable() const override { return true; }
  int Rate() const override { return 44100; }
  int64_t LengthFrames() const override {
    return static_cast<int64_t>(range_.last - range_.first + 1) * kFramesPerSector;
  }

 private:
  bool ReadSector() {
    if (paranoia_) {
      const int16_t* data = cdio_paranoia_read(paranoia_.get(), nullptr);
      if (!data) {
        return false;
      }
      std::memcpy(sector_, data, CDIO_CD_FRAMESIZE_RAW);
    } else if (cdio_read_audio_sectors(cdio_.get(), sector_, next_, 1) != DRIVER_OP_SUCCESS) {
      return false;
    } else if (bigEndian_) {
      FromBigEndian();
    }
    ++next_;
    return true;
  }

  // cdrdao keeps raw audio most significant byte first; libcdio hands the file's bytes over.
  void FromBigEndian() {
    for (int16_t& sample : sector_) {
      const auto* bytes = reinterpret_cast<const uint8_t*>(&sample);
      sample = static_cast<int16_t>(bytes[0] << 8 | bytes[1]);
    }
  }

  CdioPtr cdio_;
  std::unique_ptr<cdrom_drive_t, DriveCloser> drive_;
  std::unique_ptr<cdrom_paranoia_t, ParanoiaFreer> paranoia_;
  TrackRange range_;
  bool bigEndian_;
  lsn_t next_ = 0;
  int skip_ = 0;
  int sectorUsed_ = kFramesPerSector;
  int16_t sector_[CDIO_CD_FRAMESIZE_RAW / 2] = {};
};

}  // namespace

std::vector<std::string> CdDriveList() {
  std::vector<std::string> drives;
  char** devices = cdio_get_devices(DRIVER_DEVICE);
  for (char** at = devices; at && *at; ++at) {
    drives.emplace_back(*at);
  }
  if (devices) {
    cdio_free_device_list(devices);
  }
  return drives;
}

bool CdReady(const std::string& drive) {
  return CdTrackCount(drive) > 0;
}

int CdTrackCount(const std::string& drive) {
  const Disc disc = OpenDisc(drive);
  if (!disc.cdio) {
    return -1;
  }
  const track_t count = cdio_get_num_tracks(disc.cdio.get());
  return count == CDIO_INVALID_TRACK ? -1 : count;
}

int64_t CdTrackBytes(const std::string& drive, int index) {
  const Disc disc = OpenDisc(drive);
  TrackRange range;
  if (!disc.cdio || index < 0 ||
      !FindTrack(disc, cdio_get_first_track_num(disc.cdio.get()) + index, &range)) {
    return -1;
  }
  const int64_t bytes = static_cast<int64_t>(range.last - range.first + 1) * CDIO_CD_FRAMESIZE_RAW;
  return range.audio ? bytes : -bytes;
}

std::unique_ptr<SoundSource> OpenCdSource(const std::string& drive, int number,
                                          ZSoundError* error) {
  Disc disc = OpenDisc(drive);
  if (!disc.cdio) {
    *error = ZSoundError::FileOpen;
    return nullptr;
  }
  TrackRange range;
  if (!FindTrack(disc, number, &range) || !range.audio) {
    *error = ZSoundError::NoTrack;
    return nullptr;
  }
  return std::make_unique<CdSource>(std::move(disc.cdio), range);
}

std::string AbsoluteTocText(const std::string& toc, const std::string& folder) {
  // Such a folder would need escapes in a TOC string; the text stays as it was.
  if (folder.empty() || folder.find_first_of("\"\\\r\n") != std::string::npos) {
    return toc;
  }
  auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  std::string out;
  out.reserve(toc.size() + folder.size());
  std::string word;
  std::string keyword;  // the last word before a string
  size_t at = 0;
  while (at < toc.size()) {
    const char c = toc[at];
    if (isWordChar(c)) {
      word += c;
      out += c;
      ++at;
      continue;
    }
    if (!word.empty()) {
      keyword = std::move(word);
      word.clear();
    }
    if (toc.compare(at, 2, "//") == 0) {  // a comment runs to the end of its line
      const size_t end = std::min(toc.find('\n', at), toc.size());
      out.append(toc, at, end - at);
      at = end;
    } else if (c == '"') {
      size_t close = at + 1;
      while (close < toc.size() && toc[close] != '"') {
        close += toc[close] == '\\' ? 2 : 1;
      }
      close = std::min(close, toc.size());
      const std::string_view name(toc.data() + at + 1, close - at - 1);
      const bool isFile = keyword == "FILE" || keyword == "AUDIOFILE" || keyword == "DATAFILE";
      out += '"';
      // "-" is standard input; absolute names stay as they are.
      if (isFile && !name.empty() && name[0] != '/' && name != "-") {
        out += folder + '/';
      }
      const size_t end = std::min(close + 1, toc.size());
      out.append(toc, at + 1, end - at - 1);
      at = end;
      keyword.clear();
    } else {
      out += c;
      ++at;
    }
  }
  return out;
}

namespace {

uint64_t BigEndianAt(const std::string& bytes, size_t at, size_t size) {
  uint64_t value = 0;
  for (size_t i = 0; i < size; ++i) {
    value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  }
  return value;
}

// The chunks whose contents libcdio reads: a fixed head, then entries of a fixed size.
enum class NrgEntries { None, CueSectors, CueTimes, TrackList, Extents };
struct NrgChunkRule {
  const char* id;
  size_t head;
  size_t entry;
  NrgEntries kind;
  size_t width;  // of the file offsets in the entries, or of a cue point's position
};
constexpr NrgChunkRule kNrgChunkRules[] = {
    {"CUEX", 0, 8, NrgEntries::CueSectors, 4},  {"CUES", 0, 8, NrgEntries::CueTimes, 4},
    {"DAOX", 22, 42, NrgEntries::TrackList, 8}, {"DAOI", 22, 30, NrgEntries::TrackList, 4},
    {"ETN2", 0, 32, NrgEntries::Extents, 8},    {"ETNF", 0, 20, NrgEntries::Extents, 4},
    {"SINF", 4, 0, NrgEntries::None, 0},
};
constexpr int32_t kLeadInSector = -150;

// Disc-at-once track lists: one entry for each track from the first to the last, each with the
// file offsets of its pregap, its start and its end in that order, all before the chunks.
bool NrgTrackListIsSound(const NrgChunkRule& rule, const std::string& tail, size_t at,
                         size_t entries, uint64_t chunkStart) {
  const unsigned first = static_cast<uint8_t>(tail[at + 20]);
  const unsigned last = static_cast<uint8_t>(tail[at + 21]);
  if (first < 1 || last > 99 || last < first || last - first + 1 != entries) {
    return false;
  }
  for (size_t i = 0; i < entries; ++i) {
    const size_t offsets = at + rule.head + i * rule.entry + 18;
    const uint64_t pregap = BigEndianAt(tail, offsets, rule.width);
    const uint64_t start = BigEndianAt(tail, offsets + rule.width, rule.width);
    const uint64_t end = BigEndianAt(tail, offsets + 2 * rule.width, rule.width);
    if (pregap > start || start > end || end > chunkStart) {
      return false;
    }
  }
  return true;
}

// Track-at-once extents: an offset and a length each, inside the file before the chunks.
bool NrgExtentsAreSound(const NrgChunkRule& rule, const std::string& tail, size_t at,
                        size_t entries, uint64_t chunkStart) {
  for (size_t i = 0; i < entries; ++i) {
    const size_t entry = at + i * rule.entry;
    const uint64_t offset = BigEndianAt(tail, entry, rule.width);
    const uint64_t length = BigEndianAt(tail, entry + rule.width, rule.width);
    if (offset > chunkStart || length > chunkStart - offset) {
      return false;
    }
  }
  return true;
}

bool NrgChunkIsSound(const NrgChunkRule& rule, const std::string& tail, size_t at, size_t size,
                     uint64_t chunkStart) {
  if (size < rule.head || (rule.entry == 0 ? size != rule.head : (size - rule.head) % rule.entry)) {
    return false;
  }
  const size_t entries = rule.entry == 0 ? 0 : (size - rule.head) / rule.entry;
  switch (rule.kind) {
    case NrgEntries::CueSectors:
    case NrgEntries::CueTimes: {
      // The first cue point is the lead-in, two seconds before the disc's first sector: given
      // as that sector, or as minutes, seconds and frames that are all zero.
      const auto position = static_cast<int32_t>(BigEndianAt(tail, at + 4, rule.width));
      return entries > 0 && position == (rule.kind == NrgEntries::CueSectors ? kLeadInSector : 0);
    }
    case NrgEntries::TrackList:
      return NrgTrackListIsSound(rule, tail, at, entries, chunkStart);
    case NrgEntries::Extents:
      return NrgExtentsAreSound(rule, tail, at, entries, chunkStart);
    case NrgEntries::None:
      return true;
  }
  return false;
}

// Cue points carry their track's control bits, where bit 6 marks data; the lead-out (track
// AA) and the lead-in (track 0) are no tracks.
void AddNrgDataTracks(const std::string& tail, size_t at, size_t size, std::vector<int>* tracks) {
  for (size_t entry = at; entry + 8 <= at + size; entry += 8) {
    const auto control = static_cast<uint8_t>(tail[entry]);
    const auto bcd = static_cast<uint8_t>(tail[entry + 1]);
    const int track = (bcd >> 4) * 10 + (bcd & 0x0F);
    if (tail[entry + 2] == 1 && (control & 0x40) != 0 && track >= 1 && track <= 99) {
      tracks->push_back(track);
    }
  }
}

}  // namespace

NrgLayout CheckNrgLayout(const std::string& tail, uint64_t tailOffset,
                         std::vector<int>* dataTracks) {
  size_t footer = 0;
  uint64_t chunkStart = 0;
  if (tail.size() >= 12 && tail.compare(tail.size() - 12, 4, "NER5") == 0) {
    footer = tail.size() - 12;
    chunkStart = BigEndianAt(tail, footer + 4, 8);
  } else if (tail.size() >= 8 && tail.compare(tail.size() - 8, 4, "NERO") == 0) {
    footer = tail.size() - 8;
    chunkStart = BigEndianAt(tail, footer + 4, 4);
  } else {
    return NrgLayout::None;
  }
  if (chunkStart < tailOffset || chunkStart > tailOffset + footer) {
    return NrgLayout::Damaged;
  }
  size_t at = chunkStart - tailOffset;
  while (footer - at >= 8) {
    const std::string id = tail.substr(at, 4);
    const uint64_t size = BigEndianAt(tail, at + 4, 4);
    at += 8;
    if (size > footer - at) {
      return NrgLayout::Damaged;
    }
    if (id == "END!") {
      return NrgLayout::Sound;
    }
    for (const NrgChunkRule& rule : kNrgChunkRules) {
      if (id != rule.id) {
        continue;
      }
      if (!NrgChunkIsSound(rule, tail, at, size, chunkStart)) {
        return NrgLayout::Damaged;
      }
      const bool cues = rule.kind == NrgEntries::CueSectors || rule.kind == NrgEntries::CueTimes;
      if (cues && dataTracks) {
        AddNrgDataTracks(tail, at, size, dataTracks);
      }
    }
    at += size;
  }
  return NrgLayout::Damaged;  // no end chunk
}
