// Audio CDs from a CD image written by the test: two audio tracks and a data track.

#include <cmath>
#include <numbers>

#include "soundtest.h"

namespace {

constexpr int kSectorBytes = 2352;
constexpr int kSectorsPerSecond = 75;

QByteArray SineSectors(double frequency, int seconds) {
  QByteArray bytes;
  const int frames = seconds * kSectorsPerSecond * kSectorBytes / 4;
  for (int i = 0; i < frames; ++i) {
    const auto value =
        static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * frequency * i / kRate));
    for (int channel = 0; channel < 2; ++channel) {
      bytes.append(static_cast<char>(value & 0xFF));
      bytes.append(static_cast<char>((value >> 8) & 0xFF));
    }
  }
  return bytes;
}

class CdImageTest : public MemoryOutputTest {
 protected:
  void SetUp() override {
    MemoryOutputTest::SetUp();
    QByteArray bin = SineSectors(440, 2) + SineSectors(1000, 3);
    bin.append(QByteArray(kSectorsPerSecond * kSectorBytes, '\0'));  // the data track
    WriteBytes(scratch_.file("disc.bin"), bin);
    WriteBytes(scratch_.file("disc.cue"),
               "FILE \"disc.bin\" BINARY\r\n"
               "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
               "  TRACK 02 AUDIO\r\n    INDEX 01 00:02:00\r\n"
               "  TRACK 03 MODE1/2352\r\n    INDEX 01 00:05:00\r\n");
    cue_ = scratch_.file("disc.cue").toStdString();
  }
  std::string cue_;
};

TEST_F(CdImageTest, TracksAndLengthsAreListed) {
  EXPECT_TRUE(ZSoundCdIsReady(cue_));
  ASSERT_EQ(ZSoundCdTrackCount(cue_), 3);
  EXPECT_EQ(ZSoundCdTrackLength(cue_, 0), 2 * 176400);
  EXPECT_EQ(ZSoundCdTrackLength(cue_, 1), 3 * 176400);
  EXPECT_LT(ZSoundCdTrackLength(cue_, 2), 0);  // data
  EXPECT_LT(ZSoundCdTrackLength(cue_, 3), 0);  // no such track

  EXPECT_FALSE(ZSoundCdIsReady(scratch_.file("none.cue").toStdString()));
  EXPECT_EQ(ZSoundCdTrackCount(scratch_.file("none.cue").toStdString()), -1);
  WriteBytes(scratch_.file("junk.cue"), "TRACK banana\r\nINDEX 99:99\r\n");
  EXPECT_FALSE(ZSoundCdIsReady(scratch_.file("junk.cue").toStdString()));
}

TEST_F(CdImageTest, TrackTwoPlaysAndSeeks) {
  const ZSoundHandle handle = ZSoundOpenCdTrack(cue_, 2, 0);
  ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
  EXPECT_EQ(ZSoundGetLength(handle), 3 * 176400);
  ASSERT_TRUE(ZSoundPlay(handle, false));
  const std::vector<float> out = Render(kRate / 2);
  EXPECT_NEAR(ZeroCrossingFrequency(Take(out, 2, 0), kRate), 1000.0, 2.0);
  EXPECT_NEAR(out[2 * 100], 8000 * std::sin(2 * std::numbers::pi * 1000.0 * 100 / kRate) / 32768,
              1e-4);

  // Seek into the middle of a sector: the samples continue from exactly there.
  const int frame = kRate + 123;
  ASSERT_TRUE(ZSoundSetPosition(handle, int64_t{frame} * 4));
  const std::vector<float> later = Render(4);
  EXPECT_NEAR(later[0] * 32768,
              static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * 1000.0 * frame / kRate)),
              0.01);
  ASSERT_TRUE(ZSoundSetPosition(handle, ZSoundGetLength(handle) - 4000));
  Render(2000);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
  ZSoundFreeChannel(handle);
}

TEST_F(CdImageTest, DataAndMissingTracksDoNotOpen) {
  EXPECT_EQ(ZSoundOpenCdTrack(cue_, 3, 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::NoTrack);
  EXPECT_EQ(ZSoundOpenCdTrack(cue_, 0, 0), 0u);
  EXPECT_EQ(ZSoundOpenCdTrack(cue_, 9, 0), 0u);
  EXPECT_EQ(ZSoundOpenCdTrack(scratch_.file("gone.cue").toStdString(), 1, 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::FileOpen);
}

}  // namespace
