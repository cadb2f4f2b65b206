#pragma once
// The filter-graph side of the player core (video files, filter-graph audio, network video and
// DVDs). The video window's engine implements it; without one those kinds fail to open.

#include <QString>
#include <array>
#include <optional>

#include "playlist/mediakind.h"

struct TZPlaylistEntry;

// An error of the catalogue, raised after the player has restored the title line.
struct TZOpenError {
  int Id = 0;
  QString Tag;
  QString Detail;
  // The engine has told the user already (a graph script's errors): the open path ends silently.
  bool Reported = false;
};

class TZVideoEngine {
 public:
  virtual ~TZVideoEngine() = default;

  // Builds and runs the graph of the entry; nothing on success.
  virtual std::optional<TZOpenError> Open(TMediaKind kind, const TZPlaylistEntry& entry) = 0;
  // Clears and deactivates the graph, empties the dynamic filter list, disables the "Video"
  // menu, resets the video window (and its DVD state for a DVD), hides it when asked.
  virtual void Free(TMediaKind kind, bool hideVideo) = 0;
  virtual void Pause() = 0;
  virtual void Run() = 0;
  virtual bool Active() const = 0;
  // The graph played to its end (streams have no duration to run out of).
  virtual bool Ended() const { return false; }
  // Positions and durations in 100-nanosecond units.
  virtual qint64 Position() const = 0;
  virtual qint64 Duration() const = 0;

  // Audio of the graph: volume and balance in hundredths of a decibel.
  virtual void SetVolume(int hundredthsDb) = 0;
  virtual void SetBalance(int hundredthsDb) = 0;
  // Playback rate; false without media seeking.
  virtual bool SetRate(double rate) = 0;
  // Moves to stop position × p ÷ m; false without media seeking.
  virtual bool SeekFraction(qint64 p, qint64 m) = 0;
  // DVD: plays at the given time; false without a DVD control.
  virtual bool SeekDvdTime(qint64 milliseconds) = 0;

  // The DSP equalizer of the graph: channel 0, band, value -100 to 100.
  virtual void SetEqualizerBand(int band, int value) = 0;
  // The 512 values last delivered by the DSP spectrum component; false when the DSP is off.
  virtual bool SpectrumData(std::array<int, 512>* data) const = 0;
  virtual void ClearSpectrumData() = 0;
};
