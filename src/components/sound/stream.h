#pragma once
// Internet radio: an HTTP connection to a Shoutcast/Icecast server whose audio is decoded while
// a thread of its own downloads it.

#include <memory>
#include <string>

#include "components/sound/source.h"

struct NetTimeouts {
  int connectMs = 5000;
  int readMs = 10000;
};

// Connects, reads the response head and opens a decoder on the audio that follows. Blocks for
// at most the connect time-out plus a few read time-outs.
std::unique_ptr<SoundSource> OpenUrlSource(const std::string& url, bool metadata,
                                           ZSoundDownloadCallback download,
                                           const NetTimeouts& timeouts, ZSoundError* error);
