#pragma once
// Helpers of the graph tests: media made at test time and waiting on the Qt event loop.

#include <QString>
#include <functional>

class ZGraph;

// A sine tone WAV file made with sox: `seconds` long, 44.1 kHz stereo 16-bit.
QString MakeToneFile(const QString& path, double seconds, int frequency = 1000);

// A DVD folder (VIDEO_TS) made with ffmpeg and dvdauthor: two seconds of a test picture with
// a tone in MPEG audio. Returns the path of its VIDEO_TS.IFO.
QString MakeDvd(const QString& folder);

// Runs the event loop until `done` or `limitMs` passed.
bool ProcessEventsUntil(const std::function<bool()>& done, int limitMs);

// Plays the graph and waits for the end of the stream; false on an error or a timeout.
bool PlayToEnd(ZGraph& graph, int limitMs);

// The plugin file the test suite builds.
QString TestPluginFile();
