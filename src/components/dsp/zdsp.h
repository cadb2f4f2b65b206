#pragma once
// The program's own audio DSP filter for filter graphs: the ten-band equalizer (the same bands
// and biquads as the sound library's effects) and the analyser's spectrum frames of what passes.
// It is an element of its own ("Zephonic DSP Filter"), put into graphs like any other filter.

#include <array>

#include "components/graph/zgraph.h"

class TZDspState;

inline constexpr int kDspBands = 10;
inline constexpr int kDspSpectrumSize = 512;

// The factory's long name.
inline const QString kDspFilterName = QStringLiteral("Zephonic DSP Filter");

// Registers the element factory once; false when GStreamer is not there.
bool ZDspRegister();

class TZDspFilter {
 public:
  // Makes the element; Filter() is null when that failed.
  TZDspFilter();
  const ZFilter& Filter() const { return filter_; }

  // Channel 0, band 0-9, value -100 (-12 dB) to 100 (+12 dB).
  void SetEqualizerBand(int band, int value);
  int EqualizerBand(int band) const;
  void SetEqualizerEnabled(bool enabled);
  // Capture of the analyser's data.
  void SetVisualEnabled(bool enabled);
  // Off, the filter passes everything through untouched.
  void SetProcessing(bool enabled);

  // The 512 values of the last spectrum frame (magnitudes × 1000, taken before the equalizer,
  // one frame per 40 ms of audio); false while capture is off or before the first frame.
  bool SpectrumData(std::array<int, kDspSpectrumSize>* data) const;
  void ClearSpectrumData();

 private:
  ZFilter filter_;
  TZDspState* state_ = nullptr;  // lives in the element, which filter_ keeps
};
