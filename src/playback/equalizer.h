#pragma once
// The ten-band equalizer: band positions 0-24 (12 = 0 dB), the sound library's parametric
// effects on what plays, the graph's DSP equalizer, and ".zeqp" preset files.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <stdexcept>

#include "playback/channelgroup.h"

struct TZConfig;
struct TZSystem;
class TZVideoEngine;

using TZBandPositions = std::array<int, kEqualizerBands>;

// Raised when a preset file cannot be read or written.
class TZPresetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TZEqualizer {
 public:
  static constexpr int kZeroPosition = 12;
  static constexpr int kMaxPosition = 24;

  // Starts from the positions stored in the settings.
  TZEqualizer(TZSystem& system, TZConfig& config);
  void SetVideoEngine(TZVideoEngine* engine) { video_ = engine; }

  const TZBandPositions& Positions() const { return positions_; }

  // On opening a sound item: ten effects per handle at the band centres, then the gains.
  void CreateEffects(TChannelGroup& group);
  void CreateCdEffects();
  // All ten positions to what is loaded and to the settings.
  void ApplyEqualizer();
  // One band to the sound channels of what plays, and to the settings.
  void SetBandGain(int band, int position);
  void DefaultPreset();
  void LoadPreset(const QString& fileName);
  void SavePreset(const QString& fileName) const;

  static QString BandLabel(int band);
  QString GainLabel(int band) const;

  // Called when the positions changed other than through the bars (presets).
  std::function<void()> BandsChanged;

 private:
  void SetEffectGain(ZSoundHandle effect, int position) const;

  TZSystem& system_;
  TZConfig& config_;
  TZVideoEngine* video_ = nullptr;
  TZBandPositions positions_;
};

// The 13 lines of a preset file.
QStringList PresetLines(const TZBandPositions& positions);
// The positions of a preset's lines. Comment and empty lines are skipped; a band whose line does
// not match its pattern, or that is missing, gets 0 dB; gains are kept within -12 to +12 dB.
TZBandPositions ParsePresetLines(const QStringList& lines);
