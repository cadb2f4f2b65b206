#pragma once
// FFmpeg decoding of files and byte streams into 16-bit stereo frames.

#include <cstdint>
#include <memory>
#include <string>

#include "components/sound/source.h"

// A blocking source of raw bytes (an internet stream).
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Up to size bytes; 0 at the end of the data, -1 on failure or time-out.
  virtual int Read(uint8_t* buffer, int size) = 0;
  // Readers of a resource of known size (a file served over HTTP) can also seek: Size() is
  // then the size in bytes, else -1.
  virtual int64_t Size() const { return -1; }
  // Moves the next Read to `offset` (0 to Size()); false when that fails.
  virtual bool SeekTo(int64_t) { return false; }
};

std::unique_ptr<SoundSource> OpenFileDecoder(const std::string& path, ZSoundError* error);

// `formatHint` is an FFmpeg demuxer name ("mp3", "aac", "ogg") or empty to probe. The source
// seeks when the reader does.
std::unique_ptr<SoundSource> OpenStreamDecoder(std::shared_ptr<ByteReader> reader,
                                               const std::string& formatHint, ZSoundError* error);

// Playback length of a tracker module in seconds, rendered at 44.1 kHz, or a negative value when
// the file is not a module (whatever its name says) or cannot be opened.
double ModuleDurationSeconds(const std::string& path);
