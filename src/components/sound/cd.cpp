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

CdioPtr OpenDisc(const std::string& drive) {
  static const bool quiet = (cdio_log_set_handler(QuietLog), true);
  (void)quiet;
  std::error_code ignored;
  if (drive.empty() || !std::filesystem::exists(drive, ignored)) {
    return nullptr;
  }
  if (IsTocPath(drive)) {
    return OpenToc(drive);
  }
  return CdioPtr(cdio_open(drive.c_str(), DRIVER_UNKNOWN));
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

bool FindTrack(CdIo_t* cdio, int number, TrackRange* range) {
  const track_t first = cdio_get_first_track_num(cdio);
  const track_t count = cdio_get_num_tracks(cdio);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || number < first ||
      number >= first + count) {
    return false;
  }
  const auto track = static_cast<track_t>(number);
  range->first = cdio_get_track_lsn(cdio, track);
  range->last = cdio_get_track_last_lsn(cdio, track);
  range->audio = cdio_get_track_format(cdio, track) == TRACK_FORMAT_AUDIO;
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
  CdioPtr cdio = OpenDisc(drive);
  if (!cdio) {
    return -1;
  }
  const track_t count = cdio_get_num_tracks(cdio.get());
  return count == CDIO_INVALID_TRACK ? -1 : count;
}

int64_t CdTrackBytes(const std::string& drive, int index) {
  CdioPtr cdio = OpenDisc(drive);
  TrackRange range;
  if (!cdio || index < 0 ||
      !FindTrack(cdio.get(), cdio_get_first_track_num(cdio.get()) + index, &range)) {
    return -1;
  }
  const int64_t bytes = static_cast<int64_t>(range.last - range.first + 1) * CDIO_CD_FRAMESIZE_RAW;
  return range.audio ? bytes : -bytes;
}

std::unique_ptr<SoundSource> OpenCdSource(const std::string& drive, int number,
                                          ZSoundError* error) {
  CdioPtr cdio = OpenDisc(drive);
  if (!cdio) {
    *error = ZSoundError::FileOpen;
    return nullptr;
  }
  TrackRange range;
  if (!FindTrack(cdio.get(), number, &range) || !range.audio) {
    *error = ZSoundError::NoTrack;
    return nullptr;
  }
  return std::make_unique<CdSource>(std::move(cdio), range);
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
