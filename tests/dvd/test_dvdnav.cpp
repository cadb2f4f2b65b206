// The DVD engine's speeds, menus and chapter steps on the test disc: forward and backward speeds
// as the time read-out shows them, each kind of menu by the picture it puts out, a menu the disc
// lacks, and chapter steps at a title's edges.

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

#include "dvdenginetest.h"

namespace {

using DvdSpeedTest = DvdEngineTest;
using DvdMenuTest = DvdEngineTest;
using DvdChapterStepTest = DvdEngineTest;

// Where the picture's middle is plain in every test menu, away from the title menu's buttons.
constexpr QPoint kMiddle{360, 300};

// The colour at `at` with each channel read as off or full; -1 when one is neither, as in navy.
qint64 PlainColour(const QImage& frame, QPoint at) {
  if (frame.isNull()) {
    return -1;
  }
  const QColor color = frame.pixelColor(at);
  qint64 plain = 0;
  for (const int channel : {color.red(), color.green(), color.blue()}) {
    if (channel > 70 && channel < 180) {
      return -1;
    }
    plain = plain << 8 | (channel >= 180 ? 0xff : 0);
  }
  return plain;
}

// The frames handed over once no new one came for half a second; 0 when they keep coming.
int SettledFrames(const FakeFrameSink& sink) {
  int before = sink.Frames();
  for (int i = 0; i < 12; ++i) {
    WaitWithEvents([] { return false; }, 500);
    const int now = sink.Frames();
    if (now == before) {
      return now;
    }
    before = now;
  }
  return 0;
}

// The title menu's navy behind its buttons.
bool ShowsTitleMenu(const QImage& frame) {
  const QColor color = frame.isNull() ? QColor() : frame.pixelColor(kMiddle);
  return color.blue() > 90 && color.blue() < 170 && color.red() < 50 && color.green() < 50;
}

TZDvdMenu MenuOfEntry(const char* entry) {
  const QByteArray name(entry);
  return name == "root"       ? dmRoot
         : name == "subtitle" ? dmSubpicture
         : name == "audio"    ? dmAudio
         : name == "angle"    ? dmAngle
                              : dmChapter;
}

// The time read-out as the engine announces it, with the wall time of each announcement.
class ReadOut {
 public:
  explicit ReadOut(TZDvdEngine& engine) {
    clock_.start();
    QObject::connect(&engine, &TZDvdEngine::TimeCode, &context_, [this](qint64 ms) {
      samples_.push_back({clock_.elapsed(), ms});
    });
  }

  // Collects the announcements of the next `wallMs`.
  void Watch(int wallMs) {
    samples_.clear();
    const qint64 end = clock_.elapsed() + wallMs;
    WaitWithEvents([&] { return clock_.elapsed() >= end; }, wallMs + 1000);
  }
  // Title milliseconds per wall millisecond over what Watch collected; 0 without two samples.
  double Speed() const {
    if (samples_.size() < 2 || samples_.back().wall == samples_.front().wall) {
      return 0;
    }
    return static_cast<double>(samples_.back().position - samples_.front().position) /
           static_cast<double>(samples_.back().wall - samples_.front().wall);
  }
  std::vector<qint64> Positions() const {
    std::vector<qint64> positions;
    for (const Sample& sample : samples_) {
      positions.push_back(sample.position);
    }
    return positions;
  }

 private:
  struct Sample {
    qint64 wall;
    qint64 position;
  };
  QObject context_;
  QElapsedTimer clock_;
  std::vector<Sample> samples_;
};

TEST_F(DvdSpeedTest, ForwardSpeedRunsTheTitleFasterAndNormalSpeedRestoresIt) {
  OpenMenu(dvd_.Ifo);
  // A menu has no speed: refused, and its highlight stays.
  EXPECT_FALSE(engine_->DvdPlayForwards(2));
  EXPECT_FALSE(engine_->DvdPlayBackwards(2));
  EXPECT_EQ(engine_->State().Button, 1);

  PlayTitle(1);
  ReadOut readOut(*engine_);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs > 300; }, 5000));
  readOut.Watch(1200);
  const double normal = readOut.Speed();
  EXPECT_GT(normal, 0.6);
  EXPECT_LT(normal, 1.4);

  ASSERT_TRUE(engine_->DvdPlayForwards(2));
  readOut.Watch(300);  // the jump to the new speed
  readOut.Watch(1500);
  const double fast = readOut.Speed();
  EXPECT_GT(fast, 1.4 * normal) << normal;
  EXPECT_LT(fast, 3.0 * normal) << normal;

  ASSERT_TRUE(engine_->DvdPlayForwards(1));
  readOut.Watch(300);
  readOut.Watch(1200);
  EXPECT_GT(readOut.Speed(), 0.6);
  EXPECT_LT(readOut.Speed(), 1.4);
  EXPECT_EQ(engine_->State().Title, 1);
}

TEST_F(DvdSpeedTest, BackwardSpeedRunsTheReadOutDownAndPlaysOnFromTheTitleStart) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(engine_->DvdPlayChapter(1, 3));
  ASSERT_TRUE(WaitWithEvents(
      [this] { return engine_->State().Chapter == 3 && engine_->State().PositionMs > 6200; }, 5000))
      << engine_->State().Chapter << " " << engine_->State().PositionMs;

  ReadOut readOut(*engine_);
  ASSERT_TRUE(engine_->DvdPlayBackwards(1));
  readOut.Watch(1500);
  std::vector<qint64> positions = readOut.Positions();
  ASSERT_GE(positions.size(), 3u);
  EXPECT_TRUE(std::is_sorted(positions.rbegin(), positions.rend()));
  EXPECT_LT(readOut.Speed(), -0.6);
  EXPECT_GT(readOut.Speed(), -1.4);
  // The picture follows the steps back.
  const int frames = view_.sink.Frames();
  EXPECT_TRUE(WaitWithEvents([&] { return view_.sink.Frames() > frames; }, 2000));

  // Normal speed again: forwards from about where the steps got to.
  const qint64 turned = engine_->State().PositionMs;
  ASSERT_TRUE(engine_->DvdPlayForwards(1));
  readOut.Watch(300);
  readOut.Watch(1200);
  EXPECT_GT(readOut.Speed(), 0.6);
  EXPECT_LT(readOut.Speed(), 1.4);
  ASSERT_FALSE(readOut.Positions().empty());
  EXPECT_NEAR(readOut.Positions().front(), turned, 1500);

  // Fast backwards reaches the title's start, where the title plays on at normal speed.
  ASSERT_TRUE(engine_->DvdPlayBackwards(8));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs < 500; }, 5000))
      << engine_->State().PositionMs;
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs > 800; }, 5000))
      << engine_->State().PositionMs;
  readOut.Watch(1200);
  EXPECT_GT(readOut.Speed(), 0.6);
  EXPECT_LT(readOut.Speed(), 1.4);
  EXPECT_EQ(engine_->State().Title, 1);
  EXPECT_EQ(engine_->State().Chapter, 1);
  EXPECT_FALSE(engine_->State().InMenu);
}

TEST_F(DvdMenuTest, EachMenuKindShowsItsOwnMenu) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs > 300; }, 5000));
  // From the title and from one menu to the next, as a viewer picks them.
  for (const TestDvd::Menu& menu : TestDvd::kMenus) {
    ASSERT_TRUE(engine_->DvdShowMenu(MenuOfEntry(menu.Entry))) << menu.Entry;
    EXPECT_TRUE(WaitWithEvents(
        [&] { return PlainColour(view_.sink.Last(), kMiddle) == qint64(menu.Colour); }, 5000))
        << menu.Entry << " shows " << qPrintable(view_.sink.Last().pixelColor(kMiddle).name());
    EXPECT_TRUE(WaitWithEvents([this] { return engine_->State().InMenu; }, 2000)) << menu.Entry;
  }
  SaveFrame(view_.sink.Last(), "chaptermenu.png");

  ASSERT_TRUE(engine_->DvdShowMenu(dmTitle));
  EXPECT_TRUE(WaitWithEvents([this] { return ShowsTitleMenu(view_.sink.Last()); }, 5000))
      << qPrintable(view_.sink.Last().pixelColor(kMiddle).name());
  // The navigator still takes the title menu's buttons after all that.
  engine_->DvdPointerMoved(TestDvd::kTitle2Button);
  engine_->DvdPointerReleased(TestDvd::kTitle2Button);
  EXPECT_TRUE(WaitWithEvents([this] { return engine_->State().Title == 2; }, 8000));
}

// A viewer takes a while to choose: by then the menu's picture has become a still, which the
// navigator holds until something takes it elsewhere.
TEST_F(DvdMenuTest, JumpsFromAMenuThatHoldsItsStillStartTheTitle) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(engine_->DvdShowMenu(dmChapter));
  ASSERT_TRUE(WaitWithEvents(
      [this] { return PlainColour(view_.sink.Last(), kMiddle) == qint64(0xffff00); }, 5000));
  // The menu plays a second before its still.
  const int frames = SettledFrames(view_.sink);
  ASSERT_GT(frames, 0);
  ASSERT_TRUE(engine_->DvdPlayChapter(1, 2));
  EXPECT_TRUE(WaitWithEvents(
      [this] { return engine_->State().Title == 1 && engine_->State().Chapter == 2; }, 8000))
      << engine_->State().Title << "/" << engine_->State().Chapter;
  EXPECT_TRUE(WaitWithEvents([&] { return view_.sink.Frames() > frames + 20; }, 3000));

  // The title menu plays two seconds before its still.
  ASSERT_TRUE(engine_->DvdShowMenu(dmTitle));
  ASSERT_TRUE(WaitWithEvents([this] { return ShowsTitleMenu(view_.sink.Last()); }, 5000));
  const int settled = SettledFrames(view_.sink);
  ASSERT_GT(settled, 0);
  ASSERT_TRUE(engine_->DvdPlayChapter(2, 1));
  EXPECT_TRUE(WaitWithEvents([this] { return engine_->State().Title == 2; }, 8000))
      << engine_->State().Title;
  EXPECT_TRUE(WaitWithEvents([&] { return view_.sink.Frames() > settled + 20; }, 3000));
}

TEST_F(DvdMenuTest, MenuTheDiscLacksLeavesTheTitlePlaying) {
  OpenMenu(dvd_.Ifo);
  // Title 2's titleset has no menus of its own.
  PlayTitle(2);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().PositionMs > 200; }, 5000));
  const qint64 before = engine_->State().PositionMs;
  const int frames = view_.sink.Frames();
  EXPECT_TRUE(engine_->DvdShowMenu(dmChapter));
  EXPECT_TRUE(WaitWithEvents([&] { return engine_->State().PositionMs > before + 400; }, 3000))
      << before << " -> " << engine_->State().PositionMs;
  EXPECT_EQ(engine_->State().Title, 2);
  EXPECT_FALSE(engine_->State().InMenu);
  EXPECT_GT(view_.sink.Frames(), frames);
  // The title ends as authored, in the title menu.
  EXPECT_TRUE(WaitWithEvents([this] { return engine_->State().InMenu; }, 6000));
  EXPECT_TRUE(WaitWithEvents([this] { return ShowsTitleMenu(view_.sink.Last()); }, 3000));
}

TEST_F(DvdChapterStepTest, PreviousAtTheFirstChapterRestartsItAndNextAtTheLastDoesNothing) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(1);
  ASSERT_TRUE(WaitWithEvents(
      [this] { return engine_->State().Chapter == 1 && engine_->State().PositionMs > 2000; },
      5000));
  // The navigator reads ahead of the picture: a restart shows as a drop of the position.
  const qint64 into = engine_->State().PositionMs;
  ASSERT_TRUE(engine_->DvdPreviousChapter());
  EXPECT_TRUE(WaitWithEvents([&] { return engine_->State().PositionMs < into - 800; }, 3000))
      << into << " -> " << engine_->State().PositionMs;
  EXPECT_EQ(engine_->State().Title, 1);
  EXPECT_EQ(engine_->State().Chapter, 1);

  ASSERT_TRUE(engine_->DvdPlayChapter(1, 3));
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Chapter == 3; }, 3000));
  const qint64 before = engine_->State().PositionMs;
  EXPECT_FALSE(engine_->DvdNextChapter());
  EXPECT_TRUE(WaitWithEvents([&] { return engine_->State().PositionMs > before + 600; }, 3000));
  EXPECT_EQ(engine_->State().Title, 1);
  EXPECT_EQ(engine_->State().Chapter, 3);
}

TEST_F(DvdChapterStepTest, TitleOfOneChapterHasNoNextChapter) {
  OpenMenu(dvd_.Ifo);
  PlayTitle(2);
  ASSERT_TRUE(WaitWithEvents([this] { return engine_->State().Chapter == 1; }, 5000));
  const qint64 before = engine_->State().PositionMs;
  EXPECT_FALSE(engine_->DvdNextChapter());
  EXPECT_TRUE(WaitWithEvents([&] { return engine_->State().PositionMs > before + 300; }, 3000));
  EXPECT_EQ(engine_->State().Title, 2);
  EXPECT_EQ(engine_->State().Chapter, 1);
}

}  // namespace
