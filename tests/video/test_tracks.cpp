// Track captions, the default choice, the language table and the files found next to a video.

#include <gtest/gtest.h>

#include <QDir>

#include "playback/video/isolanguages.h"
#include "playback/video/sidefiles.h"
#include "playback/video/trackcaptions.h"
#include "testsupport.h"

namespace {

QString Caption(TZContainer container, TZTrackType type, const QString& code, const QString& title,
                int number = 1) {
  return TrackCaption(container, {type, code, title}, number).value_or(QStringLiteral("<none>"));
}

TEST(TrackCaptions, MatroskaNamesTracksByLanguageAndTitle) {
  EXPECT_EQ(Caption(ctMatroska, ttAudio, "eng", "Director"), "English - Director");
  EXPECT_EQ(Caption(ctMatroska, ttAudio, "ger", ""), "German");
  // Demuxers often give the two-letter form.
  EXPECT_EQ(Caption(ctMatroska, ttAudio, "de", ""), "German");
  // A title equal to the language adds nothing.
  EXPECT_EQ(Caption(ctMatroska, ttSubtitle, "fre", "French"), "French");
  EXPECT_EQ(Caption(ctMatroska, ttAudio, "xqz", ""), "Unknown (xqz)");
  EXPECT_EQ(Caption(ctMatroska, ttAudio, "", "Commentary"), "Commentary");
  EXPECT_EQ(Caption(ctMatroska, ttAudio, "", "", 2), "Audio Track 2");
  EXPECT_EQ(Caption(ctOther, ttSubtitle, "", "", 3), "Subtitle Track 3");
}

TEST(TrackCaptions, OggCutsItsWordsAndDropsTheOffStream) {
  EXPECT_EQ(Caption(ctOgg, ttAudio, "", "Ton: Deutsch"), "Deutsch");
  // The language wins over the name for sound.
  EXPECT_EQ(Caption(ctOgg, ttAudio, "eng", "Ton: Deutsch"), "English");
  EXPECT_EQ(Caption(ctOgg, ttAudio, "", "", 2), "Audio Track 2");
  EXPECT_EQ(Caption(ctOgg, ttSubtitle, "", "English subtitle"), "English");
  EXPECT_EQ(Caption(ctOgg, ttSubtitle, "", "Deutsche UNTERTITEL"), "Deutsche");
  // Only the first occurrence goes.
  EXPECT_EQ(Caption(ctOgg, ttSubtitle, "", "subtitle subtitle"), "subtitle");
  EXPECT_EQ(Caption(ctOgg, ttSubtitle, "", "Subtitles off"), "<none>");
  EXPECT_EQ(Caption(ctOgg, ttSubtitle, "ger", ""), "German");
  // The numbered fallback loses its word "Subtitle" like any other caption.
  EXPECT_EQ(Caption(ctOgg, ttSubtitle, "", "", 4), "Track 4");
}

TEST(TrackCaptions, ContainersAreKnownByTheirDemuxer) {
  EXPECT_EQ(ContainerOf("matroskademux"), ctMatroska);
  EXPECT_EQ(ContainerOf("Matroska"), ctMatroska);
  EXPECT_EQ(ContainerOf("oggdemux"), ctOgg);
  EXPECT_EQ(ContainerOf("qtdemux"), ctOther);
}

TEST(TrackCaptions, DefaultTracksFollowTheSettings) {
  const QStringList audio{"English - Director", "German"};
  EXPECT_EQ(DefaultAudioTrack(audio, "-"), 0);
  EXPECT_EQ(DefaultAudioTrack(audio, ""), 0);
  EXPECT_EQ(DefaultAudioTrack(audio, "ger"), 1);
  EXPECT_EQ(DefaultAudioTrack(audio, "GERMAN"), 1);
  EXPECT_EQ(DefaultAudioTrack(audio, "French"), 0);
  EXPECT_EQ(DefaultAudioTrack({}, "ger"), -1);

  const QStringList subtitles{"English", "German"};
  EXPECT_EQ(DefaultSubtitleTrack(subtitles, "germ", false), 1);
  EXPECT_EQ(DefaultSubtitleTrack(subtitles, "-", false), -1);
  EXPECT_EQ(DefaultSubtitleTrack(subtitles, "-", true), 0);
  EXPECT_EQ(DefaultSubtitleTrack(subtitles, "Klingon", true), 0);
  EXPECT_EQ(DefaultSubtitleTrack({}, "-", true), -1);
}

TEST(IsoLanguages, BothFormsAndBothThreeLetterVariantsAreFound) {
  for (const char* code : {"ger", "deu", "de", "GER"}) {
    ASSERT_NE(FindIsoLanguage(code), nullptr) << code;
    EXPECT_STREQ(FindIsoLanguage(code)->EnglishName, "German") << code;
  }
  EXPECT_STREQ(FindIsoLanguage("chi")->EnglishName, FindIsoLanguage("zho")->EnglishName);
  EXPECT_EQ(FindIsoLanguage("e"), nullptr);
  EXPECT_EQ(FindIsoLanguage("engl"), nullptr);
  // Rows without a two-letter code are not found by an empty one.
  EXPECT_EQ(FindIsoLanguage("  "), nullptr);
  EXPECT_EQ(IsoLanguageName(""), QString());
}

TEST(SideFiles, SubtitleFilesAreTakenInTheirOrder) {
  ScratchFolder scratch;
  const QString video = scratch.file("movie.mkv");
  EXPECT_TRUE(FindSubtitleFile(video).isEmpty());
  WriteBytes(scratch.file("movie.srt"), "1\n");
  EXPECT_EQ(FindSubtitleFile(video), scratch.file("movie.srt"));
  WriteBytes(scratch.file("movie.SUB"), "{1}{2}x\n");
  EXPECT_EQ(FindSubtitleFile(video), scratch.file("movie.SUB"));
  WriteBytes(scratch.file("movie.idx"), "# idx\n");
  EXPECT_EQ(FindSubtitleFile(video), scratch.file("movie.idx"));
  // Another video's files and folders of that name do not count.
  ScratchFolder other;
  QDir().mkpath(other.file("clip.srt"));
  WriteBytes(other.file("clip2.srt"), "1\n");
  EXPECT_TRUE(FindSubtitleFile(other.file("clip.avi")).isEmpty());
}

TEST(SideFiles, ScreenshotsTakeTheFirstFreeNumber) {
  ScratchFolder scratch;
  const QString folder = scratch.file("images/");
  EXPECT_EQ(NextScreenshotName(folder, "/media/film.mkv"), folder + "film.mkv.001.png");
  WriteBytes(folder + "film.mkv.001.png", "x");
  WriteBytes(folder + "film.mkv.003.png", "x");
  EXPECT_EQ(NextScreenshotName(folder, "/media/film.mkv"), folder + "film.mkv.002.png");
}

}  // namespace
