#pragma once
// Helpers of the sound tests: the memory output as a fixture, media made with Debian's tools
// and our own writers, and measurements of rendered sound.

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <vector>

#include "components/sound/zsound.h"
#include "testsupport.h"

constexpr int kRate = 44100;

// Opens the memory device for each test and closes it afterwards.
class MemoryOutputTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { ZSoundFree(); }
  // Renders `frames` frames and returns them (ZSoundOutputChannels() interleaved).
  std::vector<float> Render(int frames);
  // One channel of interleaved frames.
  static std::vector<float> Take(const std::vector<float>& frames, int channels, int which);

  ScratchFolder scratch_;
};

// A stereo sine written by ffmpeg with the given encoder arguments; fails the test if ffmpeg
// cannot make it. Returns the path.
QString MakeSine(const ScratchFolder& scratch, const QString& name, int frequency, double seconds,
                 const QStringList& encoder);
// A 16-bit stereo WAV whose frames come from `sample(frame, channel)`.
QString MakeWav(const ScratchFolder& scratch, const QString& name, int frames, int rate,
                int16_t (*sample)(int frame, int channel));
// A four-channel MOD tracker module with one pattern of 64 rows at speed 6, tempo 125
// (7.68 seconds).
QString MakeModule(const ScratchFolder& scratch, const QString& name);

// Tests run without a sound card: SDL's dummy driver, unless the caller chose another.
void UseDummyAudioDriver();

// Frequency of a mono signal from its rising zero crossings.
double ZeroCrossingFrequency(const std::vector<float>& mono, int rate);
double Rms(const std::vector<float>& mono, size_t from = 0, size_t to = SIZE_MAX);
double Decibels(double ratio);
