#pragma once
// Internet streams: a live Shoutcast/Icecast stream, or a file served over HTTP, decoded while a
// thread of its own downloads it.

#include <memory>
#include <string>

#include "components/sound/http.h"
#include "components/sound/source.h"

// Connects, reads the response head and opens a decoder on what follows. An answer with a
// Content-Length and no ICY headers is a file: it seeks and has a length. Blocks until the
// decoder has what it needs to start; every wait for the server is bounded by the time-outs.
std::unique_ptr<SoundSource> OpenUrlSource(const std::string& url, bool metadata,
                                           ZSoundDownloadCallback download,
                                           const NetTimeouts& timeouts, ZSoundError* error);
