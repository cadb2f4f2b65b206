// Formats Debian has no ordinary encoder for: MPEG-1 Layer I made by our own writer, and
// Monkey's Audio made by the Java encoder jmac. Each opens by content, reports its length in
// bytes at its own rate and plays what was put in.

#include <QFile>
#include <cmath>
#include <numbers>

#include "apeencoder.h"
#include "mp1writer.h"
#include "soundtest.h"

namespace {

constexpr int kLayerOneFrameSamples = 384;

class EncodedFormatTest : public MemoryOutputTest {
 protected:
  // Opens `path` and checks the source rate and the length (4 bytes per frame at that rate,
  // within `tolerance` frames). Returns the handle, or 0 after failing the test.
  ZSoundHandle OpenChecked(const QString& path, int rate, int64_t frames, int64_t tolerance) {
    const ZSoundHandle handle = ZSoundOpenFile(path.toStdString(), 0);
    if (handle == 0) {
      ADD_FAILURE() << path.toStdString() << ": " << ZSoundErrorText(ZSoundErrorCode());
      return 0;
    }
    ZSoundAttributes attributes;
    EXPECT_TRUE(ZSoundGetAttributes(handle, &attributes));
    EXPECT_EQ(attributes.rate, rate);
    const int64_t length = ZSoundGetLength(handle);
    EXPECT_EQ(length % 4, 0);
    EXPECT_NEAR(static_cast<double>(length / 4), static_cast<double>(frames),
                static_cast<double>(tolerance));
    EXPECT_NEAR(ZSoundBytesToSeconds(handle, length), static_cast<double>(frames) / rate,
                static_cast<double>(tolerance + 1) / rate);
    return handle;
  }

  // One output channel carries a sine of `frequency` at `rms`. The zero-crossing count over
  // half a second is exact to well under 1 Hz, the level to the quantisation noise of a coder.
  static void ExpectTone(const std::vector<float>& out, int channel, double frequency, double rms) {
    const std::vector<float> one = Take(out, 2, channel);
    EXPECT_NEAR(ZeroCrossingFrequency(one, kRate), frequency, 1.0) << "channel " << channel;
    EXPECT_NEAR(Rms(one), rms, 0.02) << "channel " << channel;
  }
};

struct LayerOneCase {
  int rate;
  int kbps;
  std::vector<Mp1Tone> tones;
  int frames;
};

TEST_F(EncodedFormatTest, LayerOneOpensAsMp1AndMisnamedAsMp3) {
  const double sineRms = 0.5 / std::numbers::sqrt2;
  const std::vector<LayerOneCase> cases = {
      // 384-byte frames without padding. Left lies in subband 1 (750-1500 Hz), whose spectrum
      // the synthesis mirrors; right in subband 4 (3000-3750 Hz), which it does not.
      {48000, 384, {{1000, 0.5}, {3375, 0.5}}, 125},
      // Single channel in subband 2 (1378-2067 Hz); one frame in four or so has a padding slot.
      {44100, 192, {{1800, 0.5}}, 100},
  };
  for (const LayerOneCase& c : cases) {
    const QByteArray stream = MakeMp1(c.rate, c.kbps, c.tones, c.frames);
    ASSERT_FALSE(stream.isEmpty());
    // Without a frame count in the file the demuxer reckons the length from its size and
    // bitrate, which can fall short by the padding of the last frames: less than one 4-byte
    // slot, i.e. 32 bits at the bitrate.
    const int64_t tolerance = 32 * int64_t{c.rate} / (c.kbps * 1000) + 1;
    for (const char* name : {"tone.mp1", "tone.mp3"}) {
      SCOPED_TRACE(std::string(name) + " at " + std::to_string(c.rate));
      const QString path = scratch_.file(name);
      WriteBytes(path, stream);
      const ZSoundHandle handle =
          OpenChecked(path, c.rate, int64_t{c.frames} * kLayerOneFrameSamples, tolerance);
      ASSERT_NE(handle, 0u);
      ASSERT_TRUE(ZSoundPlay(handle, false));
      Render(4410);  // past the synthesis filter's delay
      const std::vector<float> out = Render(kRate / 2);
      ExpectTone(out, 0, c.tones.front().frequency, sineRms);
      // A single channel sounds at full level on both speakers.
      ExpectTone(out, 1, c.tones.back().frequency, sineRms);
      EXPECT_TRUE(ZSoundFreeChannel(handle));
    }
  }
}

constexpr double kApeLevel = 12000;

int16_t TwoSines(int frame, int channel) {
  const double frequency = channel == 0 ? 1000.0 : 1500.0;
  return static_cast<int16_t>(
      std::lround(kApeLevel * std::sin(2.0 * std::numbers::pi * frequency * frame / kRate)));
}

TEST_F(EncodedFormatTest, MonkeysAudioPlaysBackLosslessly) {
  ASSERT_EQ(ApeEncoderMissing().toStdString(), "") << "scripts/install-deps.sh installs it";
  const int frames = kRate * 2;
  const QString wav = MakeWav(scratch_, "source.wav", frames, kRate, TwoSines);
  const QString ape = scratch_.file("tone.ape");
  ASSERT_EQ(EncodeApe(wav, ape).toStdString(), "");
  ASSERT_TRUE(QFile::copy(ape, scratch_.file("tone.mac")));

  for (const QString& path : {ape, scratch_.file("tone.mac")}) {
    SCOPED_TRACE(path.toStdString());
    // The header keeps the exact frame count.
    const ZSoundHandle handle = OpenChecked(path, kRate, frames, 0);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(ZSoundPlay(handle, false));
    const std::vector<float> out = Render(kRate / 2);
    int differing = 0;
    for (size_t i = 0; i < out.size(); ++i) {
      const auto expected = TwoSines(static_cast<int>(i / 2), static_cast<int>(i % 2));
      differing += out[i] * 32768.0f != static_cast<float>(expected);
    }
    EXPECT_EQ(differing, 0);
    ExpectTone(out, 0, 1000.0, kApeLevel / 32768.0 / std::numbers::sqrt2);
    ExpectTone(out, 1, 1500.0, kApeLevel / 32768.0 / std::numbers::sqrt2);
    EXPECT_TRUE(ZSoundFreeChannel(handle));
  }
}

TEST_F(EncodedFormatTest, MonkeysAudioMonoKeepsItsOwnRate) {
  ASSERT_EQ(ApeEncoderMissing().toStdString(), "") << "scripts/install-deps.sh installs it";
  const QString wav = scratch_.file("mono.wav");
  QString output;
  ASSERT_EQ(RunProgram("ffmpeg",
                       {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        "sine=frequency=700:sample_rate=22050:duration=1.5", "-ac", "1", "-c:a",
                        "pcm_s16le", wav},
                       &output),
            0)
      << output.toStdString();
  const QString mac = scratch_.file("mono.mac");
  ASSERT_EQ(EncodeApe(wav, mac).toStdString(), "");

  const ZSoundHandle handle = OpenChecked(mac, 22050, 33075, 0);
  ASSERT_NE(handle, 0u);
  ASSERT_TRUE(ZSoundPlay(handle, false));
  Render(4410);  // past the resampler's start
  const std::vector<float> out = Render(kRate / 2);
  // ffmpeg's sine source has an amplitude of 1/8.
  ExpectTone(out, 0, 700.0, 0.125 / std::numbers::sqrt2);
  ExpectTone(out, 1, 700.0, 0.125 / std::numbers::sqrt2);
  EXPECT_TRUE(ZSoundFreeChannel(handle));
}

}  // namespace
