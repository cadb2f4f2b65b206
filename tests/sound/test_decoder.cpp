// Opening every supported format, lengths, decoded content, positions and seeking, and files
// that are damaged or misnamed.

#include <QFile>
#include <cmath>

#include "soundtest.h"

namespace {

struct Format {
  const char* name;     // file name made by ffmpeg
  QStringList encoder;  // ffmpeg output arguments
  const char* copyAs;   // another extension the same data must open under, or nullptr
};

class FormatTest : public MemoryOutputTest {
 protected:
  // Opens, checks the length against `seconds` and the content against a 1 kHz sine.
  void CheckFile(const QString& path, double seconds) {
    SCOPED_TRACE(path.toStdString());
    const ZSoundHandle handle = ZSoundOpenFile(path.toStdString(), 0);
    ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
    const int64_t length = ZSoundGetLength(handle);
    EXPECT_EQ(length % 4, 0);
    EXPECT_NEAR(ZSoundBytesToSeconds(handle, length), seconds, 0.06);
    ZSoundAttributes attributes;
    ASSERT_TRUE(ZSoundGetAttributes(handle, &attributes));
    EXPECT_EQ(attributes.rate, kRate);
    ASSERT_TRUE(ZSoundPlay(handle, false));
    Render(4410);  // skip the encoder's start-up
    const std::vector<float> out = Render(kRate / 2);
    EXPECT_NEAR(ZeroCrossingFrequency(Take(out, 2, 0), kRate), 1000.0, 3.0);
    EXPECT_NEAR(ZeroCrossingFrequency(Take(out, 2, 1), kRate), 1000.0, 3.0);
    EXPECT_GT(Rms(Take(out, 2, 0)), 0.05);
    EXPECT_TRUE(ZSoundFreeChannel(handle));
  }
};

TEST_F(FormatTest, EveryStreamFormatOpensWithItsLengthAndContent) {
  const std::vector<Format> formats = {
      {"sine.wav", {"-c:a", "pcm_s16le"}, nullptr},
      {"sine.mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}, nullptr},
      {"sine.mp2", {"-c:a", "mp2", "-b:a", "192k"}, nullptr},
      {"sine.ogg", {"-c:a", "libvorbis", "-q:a", "4"}, nullptr},
      {"sine.aac", {"-c:a", "aac", "-b:a", "128k", "-f", "adts"}, nullptr},
      {"sine.m4a", {"-c:a", "aac", "-b:a", "128k", "-f", "mp4"}, "sine.m4e"},
      {"sine.mp4", {"-c:a", "aac", "-b:a", "128k", "-f", "mp4"}, nullptr},
  };
  for (const Format& format : formats) {
    const QString path = MakeSine(scratch_, format.name, 1000, 2.0, format.encoder);
    CheckFile(path, 2.0);
    if (format.copyAs) {
      const QString copy = scratch_.file(format.copyAs);
      ASSERT_TRUE(QFile::copy(path, copy));
      CheckFile(copy, 2.0);
    }
  }
}

TEST_F(FormatTest, MusepackOpensUnderAllItsExtensions) {
  ASSERT_TRUE(HaveProgram("mpcenc"))
      << "mpcenc is missing (scripts/install-deps.sh installs musepack-tools)";
  const QString wav = MakeSine(scratch_, "source.wav", 1000, 2.0, {"-c:a", "pcm_s16le"});
  const QString mpc = scratch_.file("sine.mpc");
  QString output;
  ASSERT_EQ(RunProgram("mpcenc", {"--silent", "--overwrite", wav, mpc}, &output), 0)
      << output.toStdString();
  CheckFile(mpc, 2.0);
  for (const char* other : {"sine.mpp", "sine.mp+"}) {
    ASSERT_TRUE(QFile::copy(mpc, scratch_.file(other)));
    CheckFile(scratch_.file(other), 2.0);
  }
}

TEST_F(FormatTest, MisnamedFileOpensByContent) {
  const QString mp3 = MakeSine(scratch_, "real.mp3", 1000, 1.0, {"-c:a", "libmp3lame"});
  ASSERT_TRUE(QFile::copy(mp3, scratch_.file("wrong.ogg")));
  CheckFile(scratch_.file("wrong.ogg"), 1.0);
}

TEST_F(MemoryOutputTest, TrackerModuleLengthAtCdRate) {
  const QString mod = MakeModule(scratch_, "tune.mod");
  const int64_t bytes = ZSoundModuleLength(mod.toStdString());
  // 64 rows x 6 ticks x 20 ms.
  EXPECT_NEAR(static_cast<double>(bytes) / 176400.0, 7.68, 0.03);
  EXPECT_EQ(bytes % 4, 0);
  EXPECT_EQ(ZSoundModuleLength(scratch_.file("missing.mod").toStdString()), -1);
  WriteBytes(scratch_.file("text.xm"), "this is not a module");
  EXPECT_EQ(ZSoundModuleLength(scratch_.file("text.xm").toStdString()), -1);
}

// A WAV whose every sample tells its own frame, so positions can be read from the output.
int16_t Counter(int frame, int channel) {
  return static_cast<int16_t>((frame % 16384) * (channel == 0 ? 1 : -1));
}

TEST_F(MemoryOutputTest, PositionsFollowTheByteArithmetic) {
  const QString wav = MakeWav(scratch_, "counter.wav", kRate * 3, kRate, Counter);
  const ZSoundHandle handle = ZSoundOpenFile(wav.toStdString(), 0);
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(ZSoundGetLength(handle), 3 * 176400);
  EXPECT_EQ(ZSoundSecondsToBytes(handle, 1.5), 264600);
  EXPECT_DOUBLE_EQ(ZSoundBytesToSeconds(handle, 176400), 1.0);
  EXPECT_EQ(ZSoundGetPosition(handle), 0);

  ASSERT_TRUE(ZSoundPlay(handle, false));
  Render(1000);
  EXPECT_EQ(ZSoundGetPosition(handle), 4000);

  // Seeking lands on the exact frame: the next sample rendered is that frame's.
  ASSERT_TRUE(ZSoundSetPosition(handle, 100001 * 4));
  EXPECT_EQ(ZSoundGetPosition(handle), 400004);
  const std::vector<float> out = Render(10);
  EXPECT_FLOAT_EQ(out[0] * 32768.0f, static_cast<float>(Counter(100001, 0)));
  EXPECT_FLOAT_EQ(out[1] * 32768.0f, static_cast<float>(Counter(100001, 1)));
  EXPECT_FLOAT_EQ(out[18] * 32768.0f, static_cast<float>(Counter(100010, 0)));
  EXPECT_EQ(ZSoundGetPosition(handle), 100011 * 4);

  EXPECT_FALSE(ZSoundSetPosition(handle, 4 * 176400));
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Position);

  // Near the end: the channel stops by itself, exactly at the length.
  ASSERT_TRUE(ZSoundSetPosition(handle, ZSoundGetLength(handle) - 400));
  Render(200);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
  EXPECT_EQ(ZSoundGetPosition(handle), ZSoundGetLength(handle));
  ZSoundFreeChannel(handle);
}

TEST_F(MemoryOutputTest, CompressedSeekMatchesDecodingFromTheStart) {
  const QString mp3 = MakeSine(scratch_, "seek.mp3", 440, 4.0, {"-c:a", "libmp3lame"});
  const int target = 123457;
  const ZSoundHandle whole = ZSoundOpenFile(mp3.toStdString(), 0);
  ASSERT_NE(whole, 0u);
  ASSERT_TRUE(ZSoundPlay(whole, false));
  Render(target);
  const std::vector<float> expected = Render(2048);
  ZSoundFreeChannel(whole);

  const ZSoundHandle seeked = ZSoundOpenFile(mp3.toStdString(), 0);
  ASSERT_TRUE(ZSoundSetPosition(seeked, int64_t{target} * 4));
  EXPECT_EQ(ZSoundGetPosition(seeked), int64_t{target} * 4);
  ASSERT_TRUE(ZSoundPlay(seeked, false));
  const std::vector<float> got = Render(2048);
  double worst = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    worst = std::max(worst, static_cast<double>(std::abs(got[i] - expected[i])));
  }
  EXPECT_LT(worst, 0.02);
  ZSoundFreeChannel(seeked);
}

TEST_F(MemoryOutputTest, DamagedAndForeignFilesFailCleanly) {
  const QString mp3 = MakeSine(scratch_, "good.mp3", 1000, 2.0, {"-c:a", "libmp3lame"});
  const QByteArray good = ReadBytes(mp3);

  EXPECT_EQ(ZSoundOpenFile(scratch_.file("absent.mp3").toStdString(), 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::FileOpen);
  WriteBytes(scratch_.file("empty.mp3"), QByteArray());
  EXPECT_EQ(ZSoundOpenFile(scratch_.file("empty.mp3").toStdString(), 0), 0u);
  WriteBytes(scratch_.file("text.wav"), QByteArray("RIFF but not really a wave file"));
  EXPECT_EQ(ZSoundOpenFile(scratch_.file("text.wav").toStdString(), 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Format);

  // A copy cut to a third opens (MP3 is a plain run of frames) and plays what is left of the
  // tone, about two thirds of a second, then stops.
  WriteBytes(scratch_.file("cut.mp3"), good.left(good.size() / 3));
  const ZSoundHandle cut = ZSoundOpenFile(scratch_.file("cut.mp3").toStdString(), 0);
  ASSERT_NE(cut, 0u) << ZSoundErrorText(ZSoundErrorCode());
  ASSERT_TRUE(ZSoundPlay(cut, false));
  std::vector<float> played;
  for (int i = 0; i < 500 && ZSoundIsActive(cut) != ZSoundActivity::Stopped; ++i) {
    const std::vector<float> block = Take(Render(441), 2, 0);
    played.insert(played.end(), block.begin(), block.end());
  }
  EXPECT_EQ(ZSoundIsActive(cut), ZSoundActivity::Stopped);
  EXPECT_NEAR(played.size() / double{kRate}, 2.0 / 3, 0.15);
  ASSERT_GT(played.size(), size_t{kRate / 2});
  EXPECT_NEAR(ZeroCrossingFrequency({played.begin(), played.begin() + kRate / 2}, kRate), 1000.0,
              3.0);
  ZSoundFreeChannel(cut);

  // Bit-flipped frames either fail as a format error or play out without harm.
  QByteArray flipped = good;
  for (int i = 200; i < flipped.size(); i += 97) {
    flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
  }
  WriteBytes(scratch_.file("flipped.mp3"), flipped);
  const ZSoundHandle handle = ZSoundOpenFile(scratch_.file("flipped.mp3").toStdString(), 0);
  if (handle == 0) {
    EXPECT_EQ(ZSoundErrorCode(), ZSoundError::Format);
    return;
  }
  ASSERT_TRUE(ZSoundPlay(handle, false));
  for (int i = 0; i < 120 && ZSoundIsActive(handle) != ZSoundActivity::Stopped; ++i) {
    Render(4096);
  }
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
  ZSoundFreeChannel(handle);
}

TEST(SoundWithoutDevice, CallsFailWithAnErrorCode) {
  EXPECT_EQ(ZSoundOpenFile("/nonexistent.mp3", 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::NotInitialized);
  EXPECT_FALSE(ZSoundPlay(42, false));
  EXPECT_EQ(ZSoundGetPosition(42), -1);
  std::vector<float> out;
  EXPECT_FALSE(ZSoundRenderMemory(100, &out));
}

}  // namespace
