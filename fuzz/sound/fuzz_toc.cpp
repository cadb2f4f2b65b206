// Feeds arbitrary text to the rewriting of a cdrdao TOC file's data file names. Besides not
// crashing, the rewrite may only insert the folder (and a slash) in front of names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/sound/cd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string toc(reinterpret_cast<const char*>(data), size);
  const std::string folder = "/media/discs";
  const std::string out = AbsoluteTocText(toc, folder);
  const size_t inserted = out.size() - toc.size();
  if (out.size() < toc.size() || inserted % (folder.size() + 1) != 0) {
    std::abort();
  }
  return 0;
}
