// Feeds arbitrary bytes as an NRG image to the check of its footer and chunks, and every image
// the check lets through on to libcdio, which must then read it without crashing.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "components/sound/cd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string image(reinterpret_cast<const char*>(data), size);
  std::vector<int> dataTracks;
  if (CheckNrgLayout(image, 0, &dataTracks) != NrgLayout::Sound) {
    return 0;
  }
  static const std::string path = "/tmp/fuzz_nrg-" + std::to_string(getpid()) + ".nrg";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << image;
  const int count = CdTrackCount(path);
  for (int track = 0; track < count; ++track) {
    CdTrackBytes(path, track);
  }
  std::remove(path.c_str());
  return 0;
}
