#pragma once
// What the spectrum analyser draws: every 45 ms, 512 values of what plays, drawn by TSpectrum
// into the analyser area and handed to the main window.

#include <QColor>
#include <QImage>
#include <array>
#include <memory>

#include "playback/player.h"

class TSpectrum;
struct TZConfig;

// The skin's analyser element.
struct TZAnalyzerSkin {
  QImage Picture;  // the analyser area's picture; its size is the area's
  int SpectrumHeight = 25;
  int BarWidth = 3;
  QColor LineColor = Qt::white;
  QColor PeakColor = Qt::yellow;
  int Align = 0;  // 0 bottom to top, 1 right to left
};

// What the analyser needs of the main window.
class TZAnalyzerView {
 public:
  virtual ~TZAnalyzerView() = default;
  // The skin's analyser is shown and the video is not fullscreen.
  virtual bool AnalyzerVisible() const = 0;
  virtual TZAnalyzerSkin AnalyzerSkin() const = 0;
  // Copies the finished area into the window (and the status picture over it when it lies
  // inside the area).
  virtual void ShowAnalyzer(const QImage& area) = 0;
};

using TZSpectrumValues = std::array<float, 512>;

// 512 values of what is loaded: the FFT of the sound channel, or the graph's DSP spectrum
// (each value > 0 divided by 1000) while its DSP is active; zeros otherwise.
TZSpectrumValues CollectSpectrum(const TZSystem& system, const TZVideoEngine* video);

class TZSpectrumAnalyzer : public TZAnalyzer {
 public:
  static constexpr int kTickInterval = 45;

  TZSpectrumAnalyzer(TSpectrum& spectrum, const TZSystem& system, const TZConfig& config,
                     TZAnalyzerView& view, TZTimerSource& timers);
  void SetVideoEngine(const TZVideoEngine* video) { video_ = video; }
  void SetProgramRunning(bool running) { running_ = running; }

  void ResetForItem() override;
  void DrawFrame() override;
  // The AnalyzerSLTimer tick: a frame while an item plays or is paused.
  void Tick();

 private:
  TSpectrum& spectrum_;
  const TZSystem& system_;
  const TZConfig& config_;
  TZAnalyzerView& view_;
  const TZVideoEngine* video_ = nullptr;
  std::unique_ptr<TZTimer> timer_;
  QImage area_;
  bool running_ = true;
};
