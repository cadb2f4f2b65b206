// The mixer on the memory output's sample clock: slides, crossfades, pan, rate, equalizer bands,
// FFT data and speaker routing; and the SDL2 output on the dummy driver.

#include <cmath>
#include <numbers>

#include "soundtest.h"

namespace {

constexpr int kBlock = 1024;

int16_t HalfScaleDc(int, int) {
  return 16384;
}

int16_t Sine1k(int frame, int) {
  return static_cast<int16_t>(8192 * std::sin(2 * std::numbers::pi * 1000.0 * frame / kRate));
}

int16_t Sine4k(int frame, int) {
  return static_cast<int16_t>(8192 * std::sin(2 * std::numbers::pi * 4000.0 * frame / kRate));
}

class MixerTest : public MemoryOutputTest {
 protected:
  ZSoundHandle Open(int16_t (*sample)(int, int), double seconds, uint32_t flags = 0) {
    const QString path = MakeWav(scratch_, QString("w%1.wav").arg(files_++),
                                 static_cast<int>(seconds * kRate), kRate, sample);
    const ZSoundHandle handle = ZSoundOpenFile(path.toStdString(), flags);
    EXPECT_NE(handle, 0u);
    return handle;
  }
  int files_ = 0;
};

TEST_F(MixerTest, VolumeSlideIsSmoothAndEndsOnTime) {
  const ZSoundHandle handle = Open(HalfScaleDc, 3.0);
  ASSERT_TRUE(ZSoundSetAttributes(handle, kZSoundKeep, 0, kZSoundKeep));
  ASSERT_TRUE(ZSoundPlay(handle, false));
  ASSERT_TRUE(ZSoundSlideAttributes(handle, kZSoundKeep, 100, kZSoundKeep, 1000));
  std::vector<float> left;
  int blocks = 0;
  while (ZSoundIsSliding(handle) && blocks < 100) {
    const std::vector<float> out = Render(kBlock);
    const std::vector<float> l = Take(out, 2, 0);
    left.insert(left.end(), l.begin(), l.end());
    ++blocks;
  }
  // 1000 ms is 44100 frames: the slide ends in the block that holds frame 44100.
  EXPECT_EQ(blocks, (kRate + kBlock - 1) / kBlock);
  ZSoundAttributes attributes;
  ASSERT_TRUE(ZSoundGetAttributes(handle, &attributes));
  EXPECT_EQ(attributes.volume, 100);
  EXPECT_NEAR(left[kRate / 2], 0.25, 0.002);  // half way: half the volume
  EXPECT_NEAR(left[kRate + 10], 0.5, 0.001);
  // No step anywhere: neighbouring samples differ by at most one slide step.
  for (size_t i = 1; i < left.size(); ++i) {
    ASSERT_LE(std::abs(left[i] - left[i - 1]), 0.5f / kRate * 1.5f) << "at " << i;
  }
}

TEST_F(MixerTest, CrossfadeOverlapsAsScheduled) {
  const ZSoundHandle old = Open(HalfScaleDc, 3.0);
  const ZSoundHandle next = Open(HalfScaleDc, 3.0);
  ZSoundSetAttributes(old, kZSoundKeep, 100, -100);  // left only
  ZSoundSetAttributes(next, kZSoundKeep, 0, 100);    // right only
  ZSoundPlay(old, false);
  ZSoundPlay(next, false);
  ZSoundSlideAttributes(old, kZSoundKeep, 0, kZSoundKeep, 500);
  ZSoundSlideAttributes(next, kZSoundKeep, 100, kZSoundKeep, 500);
  const std::vector<float> out = Render(kRate);
  const std::vector<float> left = Take(out, 2, 0);
  const std::vector<float> right = Take(out, 2, 1);
  const int half = kRate / 2;  // 500 ms
  EXPECT_NEAR(left[0], 0.5, 0.001);
  EXPECT_NEAR(right[0], 0.0, 0.001);
  EXPECT_NEAR(left[half / 2], 0.25, 0.002);
  EXPECT_NEAR(right[half / 2], 0.25, 0.002);
  EXPECT_NEAR(left[half + 1], 0.0, 0.001);
  EXPECT_NEAR(right[half + 1], 0.5, 0.001);
  // Together the two stay at full level all through the fade (linear crossfade of equal DC).
  for (int i = 0; i < kRate; i += 97) {
    ASSERT_NEAR(left[i] + right[i], 0.5, 0.002) << "at " << i;
  }
}

TEST_F(MixerTest, PanAndVolumeScaleEachSide) {
  const ZSoundHandle handle = Open(HalfScaleDc, 1.0);
  ZSoundPlay(handle, false);
  ZSoundSetAttributes(handle, kZSoundKeep, 100, -100);
  Render(kBlock);  // past the click-free glide
  std::vector<float> out = Render(16);
  EXPECT_NEAR(out[0], 0.5, 1e-4);
  EXPECT_NEAR(out[1], 0.0, 1e-4);
  ZSoundSetAttributes(handle, kZSoundKeep, 50, 50);
  Render(kBlock);
  out = Render(16);
  EXPECT_NEAR(out[0], 0.125, 1e-4);  // half volume, left at half for pan +50
  EXPECT_NEAR(out[1], 0.25, 1e-4);
}

TEST_F(MixerTest, RateChangesSpeedAndPitch) {
  const ZSoundHandle handle = Open(Sine1k, 4.0);
  ZSoundPlay(handle, false);
  ZSoundSetAttributes(handle, 2 * kRate, kZSoundKeep, kZSoundKeep);
  const std::vector<float> out = Render(kRate / 2);
  EXPECT_NEAR(ZeroCrossingFrequency(Take(out, 2, 0), kRate), 2000.0, 4.0);
  EXPECT_EQ(ZSoundGetPosition(handle), int64_t{kRate} * 4);  // twice as fast through the file
  ZSoundSetAttributes(handle, kRate / 4, kZSoundKeep, kZSoundKeep);
  const std::vector<float> slow = Render(kRate / 2);
  EXPECT_NEAR(ZeroCrossingFrequency(Take(slow, 2, 0), kRate), 250.0, 2.0);
  ZSoundAttributes attributes;
  ZSoundGetAttributes(handle, &attributes);
  EXPECT_EQ(attributes.rate, kRate / 4);
}

TEST_F(MixerTest, EqualizerBandLiftsItsCentreOnly) {
  using Sample = int16_t (*)(int, int);
  for (auto [sample, expectedDb] : {std::pair<Sample, double>{Sine1k, 12.0}, {Sine4k, 0.0}}) {
    const ZSoundHandle plain = Open(sample, 2.0);
    ZSoundPlay(plain, false);
    const double before = Rms(Take(Render(kRate / 2), 2, 0), 4096);
    ZSoundFreeChannel(plain);

    const ZSoundHandle lifted = Open(sample, 2.0);
    const ZSoundHandle band = ZSoundAddEq(lifted);
    ASSERT_NE(band, 0u);
    ASSERT_TRUE(ZSoundSetEq(band, {1000.0f, 12.0f, 12.0f}));
    ZSoundEqParameters read;
    ASSERT_TRUE(ZSoundGetEq(band, &read));
    EXPECT_FLOAT_EQ(read.gain, 12.0f);
    ZSoundPlay(lifted, false);
    const double after = Rms(Take(Render(kRate / 2), 2, 0), 4096);
    EXPECT_NEAR(Decibels(after / before), expectedDb, 1.0);
    ZSoundFreeChannel(lifted);
    EXPECT_FALSE(ZSoundSetEq(band, {1000.0f, 12.0f, 0.0f}));  // went with its channel
  }
}

TEST_F(MixerTest, EqualizerChangeWhilePlayingDoesNotClick) {
  const ZSoundHandle handle = Open(Sine1k, 2.0);
  const ZSoundHandle band = ZSoundAddEq(handle);
  ZSoundSetEq(band, {1000.0f, 18.0f, 0.0f});
  ZSoundPlay(handle, false);
  const double before = Rms(Take(Render(kBlock), 2, 0));
  ZSoundSetEq(band, {1000.0f, 18.0f, 12.0f});
  const std::vector<float> left = Take(Render(kRate / 4), 2, 0);
  // The level glides: from one 10 ms window to the next it moves by less than 4 dB, while the
  // whole change of 12 dB arrives within a tenth of a second.
  const size_t window = kRate / 100;
  EXPECT_LT(Decibels(Rms(left, 0, window) / before), 4.0);
  for (size_t at = window; at + window <= left.size(); at += window) {
    const double step = Decibels(Rms(left, at, at + window) / Rms(left, at - window, at));
    ASSERT_LT(std::abs(step), 4.0) << "at " << at;
  }
  EXPECT_NEAR(Decibels(Rms(left, 10 * window, 12 * window) / before), 12.0, 1.0);
}

TEST_F(MixerTest, FftOfASinePeaksInItsBin) {
  const ZSoundHandle handle = Open(Sine1k, 1.0);
  ZSoundPlay(handle, false);
  Render(2048);
  std::vector<float> magnitudes;
  ASSERT_TRUE(ZSoundGetFft(handle, &magnitudes));
  ASSERT_EQ(magnitudes.size(), 512u);
  const auto peak = std::max_element(magnitudes.begin(), magnitudes.end()) - magnitudes.begin();
  EXPECT_EQ(peak, std::lround(1000.0 * 1024 / kRate));
  EXPECT_NEAR(magnitudes[peak], 0.25 * 0.5, 0.04);  // amplitude 1/4, Hann window
  EXPECT_LT(magnitudes[200], magnitudes[peak] / 100);
  // Paused, the data stays what it last was.
  ZSoundPause(handle);
  Render(2048);
  std::vector<float> paused;
  ZSoundGetFft(handle, &paused);
  EXPECT_EQ(paused, magnitudes);
}

TEST_F(MixerTest, TransportStates) {
  const ZSoundHandle handle = Open(HalfScaleDc, 1.0);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
  ZSoundPlay(handle, false);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Playing);
  Render(1000);
  ZSoundPause(handle);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Paused);
  Render(1000);
  EXPECT_EQ(ZSoundGetPosition(handle), 4000);  // a paused channel does not move
  ZSoundPlay(handle, false);
  Render(1000);
  EXPECT_EQ(ZSoundGetPosition(handle), 8000);
  ZSoundPlay(handle, true);
  EXPECT_EQ(ZSoundGetPosition(handle), 0);
  ZSoundStop(handle);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
  EXPECT_TRUE(ZSoundFreeChannel(handle));
  EXPECT_FALSE(ZSoundFreeChannel(handle));
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Handle);
}

TEST(SpeakerOutput, FlagsRouteToTheirPair) {
  ScratchFolder scratch;
  ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, kRate, kZSoundInitSpeakers));
  EXPECT_EQ(ZSoundSpeakerCount(), 8);
  const QString wav = MakeWav(scratch, "dc.wav", kRate, kRate, HalfScaleDc);
  const std::pair<uint32_t, int> routes[] = {{0, 0},
                                             {kZSoundSpeakerFront, 0},
                                             {kZSoundSpeakerCenterLfe, 2},
                                             {kZSoundSpeakerRear, 4},
                                             {kZSoundSpeakerRear2, 6}};
  for (auto [flag, pair] : routes) {
    const ZSoundHandle handle = ZSoundOpenFile(wav.toStdString(), flag);
    ZSoundPlay(handle, false);
    std::vector<float> out;
    ASSERT_TRUE(ZSoundRenderMemory(64, &out));
    for (int c = 0; c < 8; ++c) {
      EXPECT_NEAR(out[8 * 10 + c], (c == pair || c == pair + 1) ? 0.5 : 0.0, 1e-4)
          << "flag " << flag << " speaker " << c;
    }
    ZSoundFreeChannel(handle);
  }
  ZSoundFree();
}

TEST(SdlOutput, DummyDeviceOpensListsAndPlays) {
  UseDummyAudioDriver();
  ScratchFolder scratch;
  std::string name;
  ASSERT_TRUE(ZSoundDeviceDescription(1, &name));
  EXPECT_FALSE(name.empty());
  EXPECT_FALSE(ZSoundDeviceDescription(0, &name));
  EXPECT_FALSE(ZSoundInit(99, kRate, 0));
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Device);

  ASSERT_TRUE(ZSoundInit(1, kRate, kZSoundInitSpeakers)) << ZSoundErrorText(ZSoundErrorCode());
  EXPECT_GE(ZSoundSpeakerCount(), 2);
  EXPECT_FALSE(ZSoundInit(1, kRate, 0));
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::AlreadyInitialized);
  const QString wav = MakeWav(scratch, "dc.wav", kRate * 5, kRate, HalfScaleDc);
  const ZSoundHandle handle = ZSoundOpenFile(wav.toStdString(), 0);
  ASSERT_TRUE(ZSoundPlay(handle, false));
  // The dummy driver runs on its own clock; wait (bounded) until it has taken some sound.
  WaitFor([&] { return ZSoundGetPosition(handle) > 0; }, 20000);
  EXPECT_GT(ZSoundGetPosition(handle), 0);
  std::vector<float> out;
  EXPECT_FALSE(ZSoundRenderMemory(10, &out));  // only the memory device renders on demand
  ZSoundFree();
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
}

}  // namespace
