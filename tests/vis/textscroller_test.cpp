#include <gtest/gtest.h>

#include <QFontMetrics>

#include "vis/textscroller.h"

namespace {

TScrollerCanvas MakeCanvas(int width, int height) {
  TScrollerCanvas canvas;
  canvas.picture = QImage(width, height, QImage::Format_RGB888);
  canvas.picture.fill(Qt::black);
  canvas.font = QFont(QStringLiteral("DejaVu Sans"), 10);
  return canvas;
}

int SampleHeight(const TScrollerCanvas& canvas) {
  return QFontMetrics(canvas.font, &canvas.picture).height();
}

// The brightest grey on the picture and the number of non-black pixels.
std::pair<int, int> Ink(const QImage& picture) {
  int brightest = 0;
  int lit = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const int level = qGray(picture.pixel(x, y));
      brightest = std::max(brightest, level);
      lit += level > 0;
    }
  }
  return {brightest, lit};
}

TEST(TextScroller, EmptyListNeverRestartsAndKeepsFalling) {
  TScrollerCanvas canvas = MakeCanvas(100, 40);
  TTextScroller scroller;
  InitScroller(scroller, canvas, 0);
  EXPECT_EQ(scroller.Position, 40);
  for (int step = 0; step < 100; ++step) {
    StepScroller(scroller, canvas);
  }
  EXPECT_EQ(scroller.Position, -60);
  EXPECT_EQ(Ink(canvas.picture).second, 0);
}

TEST(TextScroller, RestartsOnTheStepThatTheLastLineLeavesTheTop) {
  TScrollerCanvas canvas = MakeCanvas(100, 40);
  const int h = SampleHeight(canvas);
  for (quint8 mode : {quint8(0), quint8(1), quint8(2)}) {
    TTextScroller scroller;
    InitScroller(scroller, canvas, mode);
    scroller.Lines = {QStringLiteral("Zephonic"), QString(), QString()};
    // All three lines are h high (empty lines take the sample word's height), so the list has
    // left the top once Position + 3h < 0.
    scroller.Position = -3 * h;
    StepScroller(scroller, canvas);
    EXPECT_EQ(scroller.Position, -3 * h - 1) << int(mode);
    StepScroller(scroller, canvas);
    EXPECT_EQ(scroller.Position, 39) << int(mode);  // the next frame draws at H - 1
  }
}

TEST(TextScroller, ModesPlaceOrSuppressText) {
  for (quint8 mode : {quint8(0), quint8(1), quint8(2)}) {
    TScrollerCanvas canvas = MakeCanvas(200, 40);
    TTextScroller scroller;
    InitScroller(scroller, canvas, mode);
    scroller.Lines = {QStringLiteral("ab")};
    scroller.Position = 5;
    StepScroller(scroller, canvas);
    int left = canvas.picture.width();
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 200; ++x) {
        if (qGray(canvas.picture.pixel(x, y)) > 0) {
          left = std::min(left, x);
        }
      }
    }
    if (mode == 0) {
      EXPECT_GT(left, 80);
      EXPECT_LT(left, 100);
    } else if (mode == 1) {
      EXPECT_LT(left, 5);
    } else {
      EXPECT_EQ(left, 200);  // nothing drawn
    }
  }
}

TEST(TextScroller, FadeLevels) {
  // H = 100, Z = 20.
  EXPECT_EQ(ScrollerFadeLevel(0, 100, 20), 0);
  EXPECT_EQ(ScrollerFadeLevel(-5, 100, 20), 0);
  EXPECT_EQ(ScrollerFadeLevel(10, 100, 20), 127);
  EXPECT_EQ(ScrollerFadeLevel(20, 100, 20), 255);
  EXPECT_EQ(ScrollerFadeLevel(80, 100, 20), 255);
  EXPECT_EQ(ScrollerFadeLevel(90, 100, 20), 127);  // 255 - round(127.5), ties to even
  EXPECT_EQ(ScrollerFadeLevel(99, 100, 20), 13);   // 255 - round(242.25)
  EXPECT_EQ(ScrollerFadeLevel(100, 100, 20), 255);
}

TEST(TextScroller, FadeColoursTheTextByItsHeight) {
  TScrollerCanvas canvas = MakeCanvas(200, 200);
  canvas.fontColor = QColor(255, 0, 0);
  TTextScroller scroller;
  InitScroller(scroller, canvas, 1);
  scroller.Lines = {QStringLiteral("<b>Zephonic")};
  scroller.Position = 100;  // in the middle: white with fade, red without
  scroller.Fade = true;
  StepScroller(scroller, canvas);
  EXPECT_EQ(Ink(canvas.picture).first, 255);
  EXPECT_EQ(qRed(canvas.picture.pixel(0, 0)), 0);

  canvas.picture.fill(Qt::black);
  scroller.Position = 0;  // at the top edge: black
  StepScroller(scroller, canvas);
  EXPECT_EQ(Ink(canvas.picture).second, 0);

  canvas.picture.fill(Qt::black);
  scroller.Fade = false;
  scroller.Position = 0;
  StepScroller(scroller, canvas);
  bool red = false;
  for (int y = 0; y < 40 && !red; ++y) {
    for (int x = 0; x < 200 && !red; ++x) {
      const QRgb pixel = canvas.picture.pixel(x, y);
      red = qRed(pixel) > 200 && qGreen(pixel) == 0;
    }
  }
  EXPECT_TRUE(red);
}

TEST(TextScroller, MarkersAreNotDrawnAndStyleTheLine) {
  TScrollerCanvas plain = MakeCanvas(300, 40);
  TScrollerCanvas marked = MakeCanvas(300, 40);
  TTextScroller a;
  TTextScroller b;
  InitScroller(a, plain, 1);
  InitScroller(b, marked, 1);
  a.Lines = {QStringLiteral("Zephonic")};
  b.Lines = {QStringLiteral("<u>Zephonic")};
  a.Position = b.Position = 5;
  StepScroller(a, plain);
  StepScroller(b, marked);
  // The underlined line is the same text plus an underline: a superset of the plain pixels.
  const int plainInk = Ink(plain.picture).second;
  const int markedInk = Ink(marked.picture).second;
  EXPECT_GT(markedInk, plainInk);
  EXPECT_LT(markedInk, plainInk * 2);
}

}  // namespace
