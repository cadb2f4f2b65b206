// Feeds arbitrary bytes as an NRG image to the check of its footer and chunks, and every image
// the check lets through on to libcdio, which must then read it without crashing. The check must
// judge the same from the chunk list on as from the whole file (the player reads only the end),
// and the disc it lets through must have a sane number of whole-sector tracks.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "components/sound/cd.h"

namespace {

constexpr int64_t kSectorBytes = 2352;

// A private folder for the image file, removed when the fuzzer exits.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fuzz_nrg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      abort();
    }
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

uint64_t BigEndian(const std::string& bytes, size_t at, size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  }
  return value;
}

// Where the footer says the chunk list starts.
uint64_t ChunkStart(const std::string& image) {
  return image.compare(image.size() - 12, 4, "NER5") == 0 ? BigEndian(image, image.size() - 8, 8)
                                                          : BigEndian(image, image.size() - 4, 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string image(reinterpret_cast<const char*>(data), size);
  std::vector<int> dataTracks;
  if (CheckNrgLayout(image, 0, &dataTracks) != NrgLayout::Sound) {
    return 0;
  }
  for (const int track : dataTracks) {
    if (track < 1 || track > 99) {
      abort();
    }
  }
  const uint64_t start = ChunkStart(image);
  std::vector<int> tailTracks;
  if (start > image.size() ||
      CheckNrgLayout(image.substr(start), start, &tailTracks) != NrgLayout::Sound ||
      tailTracks != dataTracks) {
    abort();
  }

  static const ScratchFolder folder;
  static const std::string path = folder.File("image.nrg");
  std::ofstream(path, std::ios::binary | std::ios::trunc) << image;
  const int count = CdTrackCount(path);
  if (count < -1 || count > 99) {
    abort();
  }
  for (int track = 0; track < count; ++track) {
    const int64_t bytes = CdTrackBytes(path, track);
    if (bytes != -1 && (bytes == 0 || bytes % kSectorBytes != 0)) {
      abort();
    }
  }
  return 0;
}
