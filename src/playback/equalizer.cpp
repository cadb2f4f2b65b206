#include "playback/equalizer.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "base/text/textfile.h"
#include "config/config.h"
#include "playback/videoengine.h"
#include "playback/zsystem.h"

namespace {

constexpr std::array<float, kEqualizerBands> kCentres{60,   170,  310,   600,   1000,
                                                      3000, 6000, 12000, 14000, 16000};
constexpr std::array<const char*, kEqualizerBands> kLabels{
    "60 Hz", "170 Hz", "310 Hz", "600 Hz", "1 KHz", "3 KHz", "6 KHz", "12 KHz", "14 KHz", "16 KHz"};
constexpr float kBandwidth = 18.0f;

ZSoundHandle CreateEffect(ZSoundHandle channel, int band) {
  const ZSoundHandle effect = ZSoundAddEq(channel);
  ZSoundSetEq(effect, {kCentres[band], kBandwidth, 0.0f});
  return effect;
}

}  // namespace

TZEqualizer::TZEqualizer(TZSystem& system, TZConfig& config)
    : system_(system), config_(config), positions_(config.EQBand) {}

void TZEqualizer::SetEffectGain(ZSoundHandle effect, int position) const {
  ZSoundEqParameters parameters;
  if (ZSoundGetEq(effect, &parameters)) {
    parameters.gain = static_cast<float>(position - kZeroPosition);
    ZSoundSetEq(effect, parameters);
  }
}

void TZEqualizer::CreateEffects(TChannelGroup& group) {
  for (int band = 0; band < kEqualizerBands; ++band) {
    for (int h = 0; h < TChannelGroup::kMaxHandles; ++h) {
      group.Effects[band][h] = group.Handles[h] ? CreateEffect(group.Handles[h], band) : 0;
    }
  }
  ApplyEqualizer();
}

void TZEqualizer::CreateCdEffects() {
  for (int band = 0; band < kEqualizerBands; ++band) {
    system_.CdEffects[band] = CreateEffect(system_.CdChannel, band);
  }
  ApplyEqualizer();
}

void TZEqualizer::ApplyEqualizer() {
  const TMediaKind kind = system_.ItemLoaded ? system_.Kind : mkUnknown;
  for (int band = 0; band < kEqualizerBands; ++band) {
    const int p = positions_[band];
    if (IsGraphKind(kind)) {
      config_.EQBand[band] = p;
      if (video_) {
        video_->SetEqualizerBand(band, static_cast<int>(p * 200.0 / 24 - 100));
      }
    } else {
      SetBandGain(band, p);
    }
  }
}

void TZEqualizer::SetBandGain(int band, int position) {
  if (band < 0 || band >= kEqualizerBands) {
    return;
  }
  positions_[band] = position;
  config_.EQBand[band] = position;
  if (system_.CdChannel != 0) {
    SetEffectGain(system_.CdEffects[band], position);
  }
  for (ZSoundHandle effect : system_.ActiveGroup().Effects[band]) {
    if (effect != 0) {
      SetEffectGain(effect, position);
    }
  }
}

void TZEqualizer::DefaultPreset() {
  positions_.fill(kZeroPosition);
  config_.EQBand = positions_;
  if (BandsChanged) {
    BandsChanged();
  }
  ApplyEqualizer();
}

void TZEqualizer::LoadPreset(const QString& fileName) {
  QStringList lines;
  if (!ReadTextLines(fileName, &lines)) {
    throw TZPresetError("cannot read the preset file " + fileName.toStdString());
  }
  positions_ = ParsePresetLines(lines);
  config_.EQBand = positions_;
  if (BandsChanged) {
    BandsChanged();
  }
  ApplyEqualizer();
}

void TZEqualizer::SavePreset(const QString& fileName) const {
  if (!WriteTextLines(fileName, PresetLines(positions_))) {
    throw TZPresetError("cannot write the preset file " + fileName.toStdString());
  }
}

QString TZEqualizer::BandLabel(int band) {
  return band >= 0 && band < kEqualizerBands ? QString::fromLatin1(kLabels[band]) : QString();
}

QString TZEqualizer::GainLabel(int band) const {
  const int gain = positions_[band] - kZeroPosition;
  return gain >= 0 ? QStringLiteral("+%1 db").arg(gain) : QStringLiteral("%1 db").arg(gain);
}

QStringList PresetLines(const TZBandPositions& positions) {
  const QString rule(35, u'/');
  QStringList lines{rule, QStringLiteral("// Zephonic Equalizer Preset File"), rule};
  for (int band = 0; band < kEqualizerBands; ++band) {
    lines << QStringLiteral("EQBand%1 [ %2 ]")
                 .arg(band)
                 .arg(positions[band] - TZEqualizer::kZeroPosition);
  }
  return lines;
}

TZBandPositions ParsePresetLines(const QStringList& lines) {
  TZBandPositions positions;
  positions.fill(TZEqualizer::kZeroPosition);
  int band = 0;
  for (const QString& line : lines) {
    if (band == kEqualizerBands) {
      break;
    }
    if (line.isEmpty() || line.startsWith(u'/')) {
      continue;
    }
    // Like a scan of "EQBand<n> [ %d ]": the digits may follow blanks and a sign.
    static const QRegularExpression pattern(QStringLiteral(R"(^EQBand(\d+) \[\s*([+-]?\d{1,9}))"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (match.hasMatch() && match.captured(1) == QString::number(band)) {
      const int gain = std::clamp(match.captured(2).toInt(), -TZEqualizer::kZeroPosition,
                                  TZEqualizer::kMaxPosition - TZEqualizer::kZeroPosition);
      positions[band] = gain + TZEqualizer::kZeroPosition;
    }
    ++band;
  }
  return positions;
}
