#include "playbacktest.h"

#include <cmath>

#include "base/text/textfile.h"
#include "base/zdebug.h"

namespace {

constexpr int kBlockFrames = kRate / 50;  // 20 ms

}  // namespace

void PlayerTest::SetUp() {
  ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, kRate, 0));
  SetZDebug(std::make_unique<TZDebug>(scratch_.file("zephonic.log")));
  config_.Fader = {false, 1000};
  config_.VolumeFader = {false, 500};
  config_.OFPReadID3Tag = false;
  config_.SwapMemoryMngt = false;
  player_ = std::make_unique<TZPlayer>(playlist_, windows_, config_, clock_);
  player_->SetDeviceSpeakers(ZSoundSpeakerCount());
}

void PlayerTest::TearDown() {
  player_.reset();
  ZSoundFree();
  SetZDebug(nullptr);
}

void PlayerTest::Run(int ms) {
  std::vector<float> block;
  for (int done = 0; done < ms; done += kStepMs) {
    ASSERT_TRUE(ZSoundRenderMemory(kRate * kStepMs / 1000, &block));
    capture_.insert(capture_.end(), block.begin(), block.end());
    clock_.Advance(kStepMs);
  }
}

bool PlayerTest::RunUntil(const std::function<bool()>& done, int limitMs) {
  for (int waited = 0; waited < limitMs; waited += kStepMs) {
    if (done()) {
      return true;
    }
    Run(kStepMs);
  }
  return done();
}

QString PlayerTest::Tone(const QString& name, int frequency, double seconds) {
  const QString path = scratch_.file(name);
  EXPECT_EQ(RunProgram("sox", {"-n", "-r", QString::number(kRate), "-c", "2", "-b", "16", path,
                               "synth", QString::number(seconds), "sine",
                               QString::number(frequency), "vol", "0.5"}),
            0);
  return path;
}

void PlayerTest::AddTone(int frequency, double seconds) {
  const QString name = QStringLiteral("tone%1.wav").arg(frequency);
  playlist_.Add(name, Tone(name, frequency, seconds), false, "00", "00:00:00");
}

QStringList PlayerTest::LogLines() const {
  QStringList lines;
  ReadTextLines(scratch_.file("zephonic.log"), &lines);
  return lines;
}

std::vector<double> PlayerTest::Levels(int frequency) const {
  std::vector<double> levels;
  const size_t frames = capture_.size() / 2;
  for (size_t start = 0; start + kBlockFrames <= frames; start += kBlockFrames) {
    double re = 0;
    double im = 0;
    for (int i = 0; i < kBlockFrames; ++i) {
      const double phase = 2 * M_PI * frequency * i / kRate;
      const double x = capture_[(start + i) * 2];
      re += x * std::cos(phase);
      im += x * std::sin(phase);
    }
    levels.push_back(2 * std::hypot(re, im) / kBlockFrames);
  }
  return levels;
}

int PlayerTest::FirstBlock(const std::vector<double>& levels, double threshold) {
  for (size_t i = 0; i < levels.size(); ++i) {
    if (levels[i] > threshold) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int PlayerTest::LastBlock(const std::vector<double>& levels, double threshold) {
  for (size_t i = levels.size(); i-- > 0;) {
    if (levels[i] > threshold) {
      return static_cast<int>(i);
    }
  }
  return -1;
}
