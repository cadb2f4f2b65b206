// The picture control on its own: frames handed over from a streaming thread, the digital zoom,
// the on-screen text's size and places, and the pointer in video pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <chrono>
#include <thread>
#include <vector>

#include "ui/video/videopicture.h"

namespace {

QImage Filled(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

TEST(VideoPicture, OnlyTheNewestFrameReachesTheScreenAndClearingShowsBlack) {
  TZVideoPicture picture;
  picture.resize(320, 240);
  std::thread streaming([&] {
    picture.PresentFrame(Filled({64, 48}, Qt::red));
    picture.PresentFrame(Filled({64, 48}, Qt::green));
    picture.PresentFrame(Filled({64, 48}, Qt::blue));
  });
  streaming.join();
  EXPECT_TRUE(picture.Frame().isNull()) << "frames are taken on the GUI thread only";
  QApplication::processEvents();
  ASSERT_FALSE(picture.Frame().isNull());
  EXPECT_EQ(picture.Frame().pixelColor(0, 0), QColor(Qt::blue));
  EXPECT_EQ(picture.DroppedFrames(), 2);

  QImage shown(picture.size(), QImage::Format_RGB32);
  picture.render(&shown);
  EXPECT_EQ(shown.pixelColor(160, 120), QColor(Qt::blue));

  picture.ClearFrame();
  QApplication::processEvents();
  EXPECT_TRUE(picture.Frame().isNull());
  picture.render(&shown);
  EXPECT_EQ(shown.pixelColor(160, 120), QColor(Qt::black));
}

// Notes the colour of every new picture a paint put on screen.
class PaintedColours : public TZVideoPicture {
 public:
  std::vector<QColor> painted;

 protected:
  void paintEvent(QPaintEvent* event) override {
    TZVideoPicture::paintEvent(event);
    if (!Frame().isNull() && (painted.empty() || painted.back() != Frame().pixelColor(0, 0))) {
      painted.push_back(Frame().pixelColor(0, 0));
    }
  }
};

// Frames at a video's pace (10 ms apart) while the GUI thread does not take any.
void PresentPaced(TZVideoPicture& picture, const std::vector<QColor>& colours) {
  std::thread streaming([&] {
    for (const QColor& colour : colours) {
      picture.PresentFrame(Filled({64, 48}, colour));
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  streaming.join();
}

TEST(VideoPicture, FramesThatWaitedForABusyGuiThreadAreEachPaintedThenTheOldestGo) {
  PaintedColours picture;
  picture.resize(64, 48);
  picture.show();
  QApplication::processEvents();

  PresentPaced(picture, {Qt::red, Qt::green, Qt::blue});
  EXPECT_TRUE(QTest::qWaitFor([&] { return picture.painted.size() == 3; }, 2000));
  EXPECT_EQ(picture.painted, (std::vector<QColor>{Qt::red, Qt::green, Qt::blue}));
  EXPECT_EQ(picture.DroppedFrames(), 0);

  // Three may wait; of five, the two oldest never reach the screen.
  picture.painted.clear();
  PresentPaced(picture, {Qt::cyan, Qt::magenta, Qt::yellow, Qt::gray, Qt::white});
  EXPECT_TRUE(QTest::qWaitFor([&] { return picture.painted.size() == 3; }, 2000));
  EXPECT_EQ(picture.painted, (std::vector<QColor>{Qt::yellow, Qt::gray, Qt::white}));
  EXPECT_EQ(picture.DroppedFrames(), 2);
}

TEST(VideoPicture, AspectRectangleLeavesBlackBarsAndFollowsResizes) {
  TZVideoPicture picture;
  picture.SetAspectLayout([](QSize area) {
    // 2:1 letter box.
    const int height = area.width() / 2;
    return QRect(0, (area.height() - height) / 2, area.width(), height);
  });
  picture.resize(400, 400);
  EXPECT_EQ(picture.PictureRect(), QRect(0, 100, 400, 200));
  picture.PresentFrame(Filled({200, 100}, Qt::white));
  QApplication::processEvents();
  QImage shown(picture.size(), QImage::Format_RGB32);
  picture.render(&shown);
  EXPECT_EQ(shown.pixelColor(200, 50), QColor(Qt::black));
  EXPECT_EQ(shown.pixelColor(200, 200), QColor(Qt::white));
  EXPECT_EQ(shown.pixelColor(200, 350), QColor(Qt::black));
  picture.resize(200, 300);
  EXPECT_EQ(picture.PictureRect(), QRect(0, 100, 200, 100));
}

TEST(VideoPicture, DigitalZoomShowsTheMiddleAndRefusesValuesOutsideItsRange) {
  TZVideoPicture picture;
  picture.resize(200, 100);
  // Left half red, right half blue: zoomed to the middle fifth, the edges show the middle.
  QImage frame = Filled({200, 100}, Qt::red);
  QPainter(&frame).fillRect(100, 0, 100, 100, Qt::blue);
  picture.PresentFrame(frame);
  QApplication::processEvents();
  picture.SetDigitalZoom(80);
  EXPECT_EQ(picture.DigitalZoom(), 80);
  QImage shown(picture.size(), QImage::Format_RGB32);
  picture.render(&shown);
  EXPECT_EQ(shown.pixelColor(5, 50), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(195, 50), QColor(Qt::blue));

  for (int bad : {100, -1, 250}) {
    try {
      picture.SetDigitalZoom(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const TZDigitalZoomError& error) {
      EXPECT_EQ(std::string(error.what()),
                QStringLiteral("Value %1 out of range. Value must bee between 0 -> 99")
                    .arg(bad)
                    .toStdString());
    }
  }
  EXPECT_EQ(picture.DigitalZoom(), 80);
}

TEST(VideoPicture, PointerIsReportedInVideoPixelsThroughAspectAndZoom) {
  TZVideoPicture picture;
  picture.SetAspectLayout([](QSize area) { return QRect(0, 50, area.width(), 200); });
  picture.resize(400, 300);
  picture.PresentFrame(Filled({720, 576}, Qt::gray));
  QApplication::processEvents();
  EXPECT_EQ(picture.VideoPoint({200, 150}), QPointF(360, 288));
  EXPECT_EQ(picture.VideoPoint({0, 50}), QPointF(0, 0));
  EXPECT_FALSE(picture.VideoPoint({200, 20}).has_value()) << "black bar";
  picture.SetDigitalZoom(50);
  EXPECT_EQ(picture.VideoPoint({0, 50}), QPointF(180, 144));
}

TEST(OsdText, FontHeightDividesByFiftyLessSizeAndNeverByZero) {
  EXPECT_EQ(OsdFontHeight(480, 38), 40);
  EXPECT_EQ(OsdFontHeight(768, 12), 20);
  EXPECT_EQ(OsdFontHeight(768, 50), 768);
  EXPECT_EQ(OsdFontHeight(768, 70), 768);
  EXPECT_EQ(OsdFontHeight(600, -10), 10);
}

TEST(OsdText, NinePlacesOfTheText) {
  const QSize area(800, 400);
  const QSize text(101, 21);
  EXPECT_EQ(OsdTextOrigin(opTopLeft, area, text), QPoint(0, 0));
  EXPECT_EQ(OsdTextOrigin(opTopRight, area, text), QPoint(699, 0));
  EXPECT_EQ(OsdTextOrigin(opBottomLeft, area, text), QPoint(0, 379));
  EXPECT_EQ(OsdTextOrigin(opBottomRight, area, text), QPoint(699, 379));
  EXPECT_EQ(OsdTextOrigin(opCenter, area, text), QPoint(350, 190));
  EXPECT_EQ(OsdTextOrigin(opTop, area, text), QPoint(350, 0));
  EXPECT_EQ(OsdTextOrigin(opBottom, area, text), QPoint(350, 379));
  EXPECT_EQ(OsdTextOrigin(opLeft, area, text), QPoint(0, 190));
  EXPECT_EQ(OsdTextOrigin(opRight, area, text), QPoint(699, 190));
}

TEST(OsdText, DrawnInTheFontColourAtItsPlace) {
  TZVideoPicture picture;
  picture.resize(400, 300);
  picture.SetOsdText(QStringLiteral("MMMM"),
                     {{QStringLiteral("DejaVu Sans"), 20, QColor(0, 255, 0)}, opBottomRight, 300});
  QImage shown(picture.size(), QImage::Format_RGB32);
  picture.render(&shown);
  int green = 0;
  for (int y = 250; y < 300; ++y) {
    for (int x = 250; x < 400; ++x) {
      green += shown.pixelColor(x, y).green() > 128 ? 1 : 0;
    }
  }
  EXPECT_GT(green, 20) << "text in the bottom-right corner";
  EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::black));
  picture.SetOsdText(QString(), {});
  picture.render(&shown);
  EXPECT_EQ(shown.pixelColor(390, 290), QColor(Qt::black));
}

}  // namespace
