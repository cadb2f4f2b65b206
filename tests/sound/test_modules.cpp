// Playback lengths of XM, IT, S3M and MTM modules written by the test, each with a song whose
// length follows from its rows, speeds, tempos and order list.

#include <QFile>
#include <random>

#include "soundtest.h"
#include "trackermodules.h"

namespace {

constexpr double kBytesPerSecond = 176400;

struct ModuleKind {
  const char* extension;
  QByteArray (*write)(const TrackerSong& song);
  TrackerSong song;
  QByteArray magic;  // what a reader recognises the format by, and where
  int magicAt;
};

// Tempos 125, 150 and 250 make every tick a whole number of samples at 44.1 and 48 kHz, so the
// length a player counts in samples has no rounding in it.
TrackerSong XmSong() {
  TrackerSong song;
  song.patterns = {{16, {}, {}}, {32, {{0, 3}}, {{16, 150}}}};
  song.orders = {0, 1};
  return song;  // 1.92 + 0.96 + 0.8 s
}

TrackerSong ItSong() {
  TrackerSong song;
  song.speed = 4;
  song.tempo = 150;
  song.patterns = {{64, {}, {{32, 250}}}};
  song.orders = {0, 0};  // the second time through at tempo 250 all along
  return song;
}

TrackerSong S3mSong() {
  TrackerSong song;
  song.speed = 5;
  song.patterns = {{64, {}, {}}, {64, {{0, 3}}, {{0, 150}}}};
  song.orders = {0, 1};
  return song;
}

// MultiTracker (as libopenmpt plays it) puts the tempo back to 125 when the speed is set, and
// the speed back to 6 when the tempo is; this song only sets one while the other has its
// starting value, so it plays the same either way.
TrackerSong MtmSong() {
  TrackerSong song;
  song.patterns = {{64, {{0, 3}, {32, 6}}, {}}, {64, {}, {{16, 250}}}};
  song.orders = {0, 1};
  return song;
}

const std::vector<ModuleKind>& Kinds() {
  static const std::vector<ModuleKind> kinds = {
      {"xm", WriteXm, XmSong(), "Extended Module: ", 0},
      {"it", WriteIt, ItSong(), "IMPM", 0},
      {"s3m", WriteS3m, S3mSong(), "SCRM", 44},
      {"mtm", WriteMtm, MtmSong(), "MTM\x10", 0},
  };
  return kinds;
}

class ModuleTest : public ::testing::Test {
 protected:
  int64_t LengthOf(const QByteArray& bytes, const QString& name) {
    WriteBytes(scratch_.file(name), bytes);
    return ZSoundModuleLength(scratch_.file(name).toStdString());
  }

  ScratchFolder scratch_;
};

TEST_F(ModuleTest, LengthFollowsSpeedTempoAndOrders) {
  for (const ModuleKind& kind : Kinds()) {
    SCOPED_TRACE(kind.extension);
    const double seconds = SongSeconds(kind.song);
    // FFmpeg hands the length over in microseconds and we round it to whole frames: one frame
    // (4 bytes) is all that may be lost on the way.
    EXPECT_NEAR(LengthOf(kind.write(kind.song), QStringLiteral("song.") + kind.extension),
                seconds * kBytesPerSecond, 4);
  }
  EXPECT_DOUBLE_EQ(SongSeconds(XmSong()), 3.68);
}

// Module players tell the format from the content, whatever the file is called.
TEST_F(ModuleTest, MisnamedModulesAreReadByContent) {
  for (size_t i = 0; i < Kinds().size(); ++i) {
    const ModuleKind& kind = Kinds()[i];
    const ModuleKind& other = Kinds()[(i + 1) % Kinds().size()];
    SCOPED_TRACE(kind.extension);
    const double bytes = SongSeconds(kind.song) * kBytesPerSecond;
    EXPECT_NEAR(LengthOf(kind.write(kind.song), QStringLiteral("misnamed.") + other.extension),
                bytes, 4);
    EXPECT_NEAR(LengthOf(kind.write(kind.song), QStringLiteral("misnamed.wav")), bytes, 4);
  }
  // ...and a sound file named like a module is no module.
  const QString wav = MakeSine(scratch_, QStringLiteral("tone.wav"), 1000, 1.5, {});
  QFile::rename(wav, scratch_.file(QStringLiteral("tone.xm")));
  EXPECT_EQ(ZSoundModuleLength(scratch_.file(QStringLiteral("tone.xm")).toStdString()), -1);
}

TEST_F(ModuleTest, CutAndGarbledModulesFailCleanly) {
  std::mt19937 random(2024);
  for (const ModuleKind& kind : Kinds()) {
    SCOPED_TRACE(kind.extension);
    const QString name = QStringLiteral("broken.") + kind.extension;
    // A cut file may still load with what is left (players fill in missing patterns), but it
    // must never crash; none of the fixed headers fits in 64 bytes.
    const QByteArray whole = kind.write(kind.song);
    for (qsizetype size = 0; size < whole.size(); size += size < 128 ? 1 : 13) {
      const int64_t bytes = LengthOf(whole.left(size), name);
      if (size < 64) {
        EXPECT_EQ(bytes, -1) << size;
      } else {
        EXPECT_TRUE(bytes == -1 || (bytes > 0 && bytes % 4 == 0)) << size << ": " << bytes;
      }
    }
    // The format's signature in the right place, noise around it.
    QByteArray noise(4096, '\0');
    for (char& byte : noise) {
      byte = static_cast<char>(random());
    }
    noise.replace(kind.magicAt, kind.magic.size(), kind.magic);
    EXPECT_EQ(LengthOf(noise, name), -1);
  }
  EXPECT_EQ(ZSoundModuleLength(scratch_.file("missing.it").toStdString()), -1);
}

}  // namespace
