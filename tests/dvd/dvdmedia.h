#pragma once
// A small DVD made at test time with ffmpeg, spumux and dvdauthor: a title menu with two
// buttons (left starts title 1, right title 2), title 1 of three three-second chapters and title 2
// of one two-second chapter, each with two AC-3 audio streams (English 440 Hz and German 880 Hz in
// title 1) and a French subtitle stream in title 1: a white bar shown for most of each second. The
// menu's subpicture outlines the selected button in white. Title 1's titleset has a root,
// subtitle, audio, angle and chapter menu, each a still of its own plain colour; title 2's
// titleset has no menus. Also the same disc as an ISO image.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

struct TestDvd {
  QString Folder;  // holds VIDEO_TS
  QString Ifo;     // VIDEO_TS/VIDEO_TS.IFO
  QString Image;   // the .iso, empty until MakeImage
  // Centres of the menu buttons in the picture's pixels.
  static constexpr QPoint kTitle1Button{200, 140};
  static constexpr QPoint kTitle2Button{500, 140};
  // The white outlines the menu's subpicture draws around the selected button.
  static constexpr QRect kTitle1Frame{96, 96, 208, 88};
  static constexpr QRect kTitle2Frame{396, 96, 208, 88};
  static constexpr int kFrameWidth = 4;
  // Inside the subtitle's white bar.
  static constexpr QPoint kSubtitlePoint{300, 400};
  // Title 1's menus: their dvdauthor entry and the colour of their picture.
  struct Menu {
    const char* Entry;
    QRgb Colour;
  };
  static constexpr Menu kMenus[] = {{"root", 0xff0000},
                                    {"subtitle", 0x00ff00},
                                    {"audio", 0xff00ff},
                                    {"angle", 0x00ffff},
                                    {"ptt", 0xffff00}};
  static constexpr int kWidth = 720;
  static constexpr int kHeight = 480;
};

// The disc, made on first use below a folder that lives as long as the test program; null (and
// the calling test failed with the reason) when it could not be made.
const TestDvd* SharedTestDvd();
// Makes the disc once per test program below `folder` (kept for the program's life); the
// failure's text in *error.
bool MakeTestDvd(const QString& folder, TestDvd* dvd, QString* error);
// Writes the disc's ISO image (genisoimage with the DVD-Video layout).
bool MakeTestDvdImage(TestDvd* dvd, QString* error);
