// Audio CDs from CD images written by the test: a CUE sheet, a cdrdao TOC file and a Nero image,
// each with audio tracks of different sines and, where libcdio reads it right, a data track.

#include <cmath>
#include <ostream>

#include "cdimages.h"
#include "components/sound/cd.h"
#include "soundtest.h"

namespace {

constexpr int kSecond = kCdSectorsPerSecond;
constexpr CdTrack kData{false, 0, kSecond};

struct ImageKind {
  const char* name;
  QString (*write)(const ScratchFolder& folder, const CdLayout& layout);
  CdLayout layout;  // its second track is audio
};

void PrintTo(const ImageKind& kind, std::ostream* out) {
  *out << kind.name;
}

const ImageKind kImageKinds[] = {
    {"cue", WriteCueImage, {{true, 440, 2 * kSecond}, {true, 1000, 3 * kSecond}, kData}},
    // libcdio places a TOC data track that follows audio tracks at the wrong sectors, so this
    // disc starts with it; libcdio gets that track's length wrong too, but still calls it data.
    {"toc", WriteTocImage, {kData, {true, 440, 2 * kSecond}, {true, 1000, 3 * kSecond}}},
    {"nrg", WriteNrgImage, {{true, 440, 2 * kSecond}, {true, 1000, 3 * kSecond}, kData}},
};

class CdImageTest : public MemoryOutputTest, public ::testing::WithParamInterface<ImageKind> {
 protected:
  void SetUp() override {
    MemoryOutputTest::SetUp();
    drive_ = GetParam().write(scratch_, layout()).toStdString();
  }
  const CdLayout& layout() const { return GetParam().layout; }
  std::string Missing() const {
    return scratch_.file(QStringLiteral("gone.") + GetParam().name).toStdString();
  }

  std::string drive_;
};

TEST_P(CdImageTest, TracksAndLengthsAreListed) {
  EXPECT_TRUE(ZSoundCdIsReady(drive_));
  ASSERT_EQ(ZSoundCdTrackCount(drive_), static_cast<int>(layout().size()));
  for (size_t i = 0; i < layout().size(); ++i) {
    SCOPED_TRACE(i);
    const int64_t bytes = ZSoundCdTrackLength(drive_, static_cast<int>(i));
    if (layout()[i].audio) {
      EXPECT_EQ(bytes, int64_t{layout()[i].sectors} * kCdSectorBytes);
    } else {
      EXPECT_LT(bytes, 0);
    }
  }
  EXPECT_LT(ZSoundCdTrackLength(drive_, static_cast<int>(layout().size())), 0);
  EXPECT_LT(ZSoundCdTrackLength(drive_, -1), 0);

  EXPECT_FALSE(ZSoundCdIsReady(Missing()));
  EXPECT_EQ(ZSoundCdTrackCount(Missing()), -1);
}

TEST_P(CdImageTest, TrackTwoPlaysAndSeeks) {
  const CdTrack& track = layout()[1];
  const ZSoundHandle handle = ZSoundOpenCdTrack(drive_, 2, 0);
  ASSERT_NE(handle, 0u) << ZSoundErrorText(ZSoundErrorCode());
  EXPECT_EQ(ZSoundGetLength(handle), int64_t{track.sectors} * kCdSectorBytes);
  ASSERT_TRUE(ZSoundPlay(handle, false));
  const std::vector<float> out = Render(kRate / 2);
  EXPECT_NEAR(ZeroCrossingFrequency(Take(out, 2, 0), kRate), track.frequency, 2.0);
  EXPECT_NEAR(out[2 * 100] * 32768, CdSineSample(track.frequency, 100), 0.01);

  // Seek into the middle of a sector: the samples continue from exactly there.
  const int frame = kRate + 123;
  ASSERT_TRUE(ZSoundSetPosition(handle, int64_t{frame} * 4));
  const std::vector<float> later = Render(4);
  EXPECT_NEAR(later[0] * 32768, CdSineSample(track.frequency, frame), 0.01);
  ASSERT_TRUE(ZSoundSetPosition(handle, ZSoundGetLength(handle) - 4000));
  Render(2000);
  EXPECT_EQ(ZSoundIsActive(handle), ZSoundActivity::Stopped);
  ZSoundFreeChannel(handle);
}

TEST_P(CdImageTest, DataAndMissingTracksDoNotOpen) {
  for (size_t i = 0; i < layout().size(); ++i) {
    if (!layout()[i].audio) {
      EXPECT_EQ(ZSoundOpenCdTrack(drive_, static_cast<int>(i + 1), 0), 0u);
      EXPECT_EQ(ZSoundErrorCode(), ZSoundError::NoTrack);
    }
  }
  EXPECT_EQ(ZSoundOpenCdTrack(drive_, 0, 0), 0u);
  EXPECT_EQ(ZSoundOpenCdTrack(drive_, static_cast<int>(layout().size()) + 1, 0), 0u);
  EXPECT_EQ(ZSoundOpenCdTrack(Missing(), 1, 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::FileOpen);
}

TEST_P(CdImageTest, GarbageIsNotADisc) {
  const std::string junk = scratch_.file(QStringLiteral("junk.") + GetParam().name).toStdString();
  WriteBytes(QString::fromStdString(junk), "TRACK banana\r\nINDEX 99:99\r\nNER5\x01\x02");
  EXPECT_FALSE(ZSoundCdIsReady(junk));
  EXPECT_EQ(ZSoundCdTrackCount(junk), -1);
  EXPECT_EQ(ZSoundOpenCdTrack(junk, 1, 0), 0u);
  EXPECT_EQ(ZSoundErrorCode(), ZSoundError::FileOpen);
}

INSTANTIATE_TEST_SUITE_P(Images, CdImageTest, ::testing::ValuesIn(kImageKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// An NRG image is found from its footer; a copy that lost it, cut anywhere, is no disc.
TEST(NrgImage, CutImagesAreNotReady) {
  ScratchFolder scratch;
  const QByteArray whole = ReadBytes(WriteNrgImage(scratch, {{true, 440, 10}, {true, 1000, 5}}));
  const QString cut = scratch.file("cut.nrg");
  for (qsizetype size = 0; size < whole.size(); size += size < whole.size() - 200 ? 997 : 1) {
    WriteBytes(cut, whole.left(size));
    EXPECT_FALSE(ZSoundCdIsReady(cut.toStdString())) << size;
  }
}

// libcdio finds a TOC file's data only by absolute names, so relative ones are rewritten; the
// rest of the text must come through untouched.
TEST(TocText, RelativeFileNamesBecomeAbsolute) {
  const std::string toc =
      "CD_DA // FILE \"comment.raw\"\n"
      "CD_TEXT { LANGUAGE 0 { TITLE \"FILE\" } }\n"
      "TRACK AUDIO\nFILE \"a b.raw\" 0 00:02:00\n"
      "TRACK AUDIO\nAUDIOFILE \"/abs/c.raw\" 0\nFILE \"-\" 0\n"
      "TRACK MODE1\nDATAFILE\"sub/d.bin\"\n";
  EXPECT_EQ(AbsoluteTocText(toc, "/discs"),
            "CD_DA // FILE \"comment.raw\"\n"
            "CD_TEXT { LANGUAGE 0 { TITLE \"FILE\" } }\n"
            "TRACK AUDIO\nFILE \"/discs/a b.raw\" 0 00:02:00\n"
            "TRACK AUDIO\nAUDIOFILE \"/abs/c.raw\" 0\nFILE \"-\" 0\n"
            "TRACK MODE1\nDATAFILE\"/discs/sub/d.bin\"\n");
  EXPECT_EQ(AbsoluteTocText(toc, "/my \"discs\""), toc);
  EXPECT_EQ(AbsoluteTocText("FILE \"open", "/d"), "FILE \"/d/open");
}

// libcdio trusts an NRG image's chunks and crashes on damaged ones; such images are refused.
TEST(NrgImage, DamagedChunksAreRefused) {
  ScratchFolder scratch;
  const QByteArray whole = ReadBytes(WriteNrgImage(scratch, {{true, 440, 10}, {true, 1000, 5}}));
  EXPECT_EQ(CheckNrgLayout(whole.toStdString(), 0), NrgLayout::Sound);
  EXPECT_EQ(CheckNrgLayout(whole.right(whole.size() - 1000).toStdString(), 1000), NrgLayout::Sound);
  EXPECT_EQ(CheckNrgLayout(ReadBytes(WriteCueImage(scratch, {{true, 440, 10}})).toStdString(), 0),
            NrgLayout::None);

  const qsizetype cues = whole.indexOf("CUEX");
  const qsizetype tracks = whole.indexOf("DAOX");
  const struct {
    const char* what;
    qsizetype at;
    QByteArray bytes;
  } damages[] = {
      {"cue chunk longer than the file", cues + 4, "\xE9\x00\x00\x40"},
      {"lead-in moved", cues + 8 + 7, QByteArray(1, 0)},
      {"track ending inside the chunks", tracks + 8 + 22 + 42 + 34, "\x7F"},
      {"one track more than listed", tracks + 8 + 21, "\x03"},
      {"chunks beyond the end", whole.size() - 5, "\x7F"},
      {"no end chunk", whole.indexOf("END!"), "ENDS"},
  };
  const QString path = scratch.file("damaged.nrg");
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.what);
    QByteArray bytes = whole;
    bytes.replace(damage.at, damage.bytes.size(), damage.bytes);
    EXPECT_EQ(CheckNrgLayout(bytes.toStdString(), 0), NrgLayout::Damaged);
    WriteBytes(path, bytes);
    EXPECT_FALSE(ZSoundCdIsReady(path.toStdString()));
  }
}

}  // namespace
