// The screen saver during video, on a session bus of the test's own (dbus-run-session) with a
// stand-in screen-saver service: the setting reaches the video picture only when the settings
// dialog applies its video page, and the picture holds the screen saver off only while it shows
// playing video.
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutex>
#include <QMutexLocker>
#include <QPushButton>
#include <QThread>
#include <ostream>
#include <vector>

#include "app/settingswiring.h"
#include "base/text/textfile.h"
#include "base/zdebug.h"
#include "components/screensaver/screensaver.h"
#include "config/dialog/configdialog.h"
#include "ui/video/videopicture.h"
#include "wiredvideotest.h"

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

struct BusCall {
  QString method;
  uint cookie = 0;
  QString application;
  bool operator==(const BusCall&) const = default;
};

void PrintTo(const BusCall& call, std::ostream* out) {
  *out << call.method.toStdString() << "(" << call.cookie << ") from \""
       << call.application.toStdString() << "\"";
}

// The desktop's side: hands out a new cookie for every Inhibit and notes every call. It answers
// on a thread of its own, as the program waits for the answer on the GUI thread.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public:
  std::vector<BusCall> Calls() const {
    QMutexLocker lock(&mutex_);
    return calls_;
  }

 public slots:
  uint Inhibit(const QString& application, const QString&) {
    QMutexLocker lock(&mutex_);
    calls_.push_back({QStringLiteral("Inhibit"), ++lastCookie_, application});
    return lastCookie_;
  }
  void UnInhibit(uint cookie) {
    QMutexLocker lock(&mutex_);
    calls_.push_back({QStringLiteral("UnInhibit"), cookie, {}});
  }

 private:
  mutable QMutex mutex_;
  std::vector<BusCall> calls_;
  uint lastCookie_ = 40;
};

// Registers the fake on its own connection, served by its own thread, for the life of a test.
class ScreenSaverService {
 public:
  ScreenSaverService() : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, kName)) {
    fake_.moveToThread(&thread_);
    thread_.start();
    registered_ = bus_.registerObject(kPath, &fake_, QDBusConnection::ExportAllSlots) &&
                  bus_.registerService(kService);
  }
  ~ScreenSaverService() {
    bus_.unregisterService(kService);
    bus_.unregisterObject(kPath);
    QDBusConnection::disconnectFromBus(kName);
    thread_.quit();
    thread_.wait();
  }
  bool Registered() const { return registered_; }
  std::vector<BusCall> Calls() const { return fake_.Calls(); }

 private:
  static inline const QString kName = QStringLiteral("fake-screensaver");
  QDBusConnection bus_;
  QThread thread_;
  FakeScreenSaver fake_;
  bool registered_ = false;
};

BusCall Inhibit(uint cookie) {
  return {QStringLiteral("Inhibit"), cookie, QStringLiteral("Zephonic")};
}
BusCall UnInhibit(uint cookie) {
  return {QStringLiteral("UnInhibit"), cookie, {}};
}

class ScreenSaverTest : public WiredVideoTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
    ASSERT_TRUE(service_.Registered());
    WiredVideoTest::SetUp();
  }
  // Sets the video page's box as the user would and presses "Apply".
  void ApplyScreenSaverBox(bool checked) {
    TfrmConfig& dialog = wiring_->Settings().Dialog();
    dialog.ShowCentred();
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("cbScreensaverDisabled"));
    ASSERT_NE(box, nullptr);
    // A click that leaves the box as it was still marks the page changed.
    if (box->isChecked() == checked) {
      box->click();
    }
    box->click();
    ASSERT_EQ(box->isChecked(), checked);
    dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
  }
  TZVideoPicture& Picture() { return Video().Picture(); }

  ScreenSaverService service_;
};

TEST_F(ScreenSaverTest, AtStartUpVideoPlaysWithTheScreenSaverAllowed) {
  ASSERT_TRUE(config_.NoScreensaver) << "the stored setting is on, but nothing applied it yet";
  PlayVideo();
  ASSERT_TRUE(Picture().isVisible());
  window_->Player().TogglePause();
  window_->Player().TogglePause();
  EXPECT_FALSE(Picture().HoldsScreenSaver());
  EXPECT_TRUE(service_.Calls().empty());
}

TEST_F(ScreenSaverTest, AppliedSettingHoldsItWhilePlayingAndReleasesTheSameCookie) {
  PlayVideo();
  ApplyScreenSaverBox(true);
  EXPECT_TRUE(Picture().HoldsScreenSaver());
  EXPECT_EQ(service_.Calls(), std::vector<BusCall>{Inhibit(41)});

  window_->Player().TogglePause();  // paused
  EXPECT_FALSE(Picture().HoldsScreenSaver());
  window_->Player().TogglePause();  // playing again: a new hold with a new cookie
  EXPECT_TRUE(Picture().HoldsScreenSaver());
  window_->Player().Stop();  // the video window hides
  EXPECT_FALSE(Picture().HoldsScreenSaver());
  EXPECT_EQ(service_.Calls(),
            (std::vector<BusCall>{Inhibit(41), UnInhibit(41), Inhibit(42), UnInhibit(42)}));

  PlayVideo();
  EXPECT_EQ(service_.Calls().back(), Inhibit(43));
  ApplyScreenSaverBox(false);  // off while playing: released at once
  EXPECT_FALSE(Picture().HoldsScreenSaver());
  EXPECT_EQ(service_.Calls().back(), UnInhibit(43));
  window_->Player().TogglePause();
  window_->Player().TogglePause();
  EXPECT_EQ(service_.Calls().size(), 6u) << "with the setting off nothing more is asked";
  EXPECT_FALSE(config_.NoScreensaver);
}

TEST_F(ScreenSaverTest, HiddenPictureAndClosingProgramLetTheScreenSaverStart) {
  PlayVideo();
  ApplyScreenSaverBox(true);
  ASSERT_TRUE(Picture().HoldsScreenSaver());
  Video().HidePicture();
  EXPECT_FALSE(Picture().HoldsScreenSaver());
  EXPECT_EQ(service_.Calls().back(), UnInhibit(41));

  Video().ShowPicture(false, {320, 240});
  EXPECT_EQ(service_.Calls().back(), Inhibit(42));
  window_->Player().SetVideoEngine(nullptr);
  wiring_.reset();  // the video window goes: nothing plays into the picture any more
  EXPECT_EQ(service_.Calls().back(), UnInhibit(42));
}

TEST(ScreenSaverInhibitor, WithoutTheServiceNothingIsHeldAndThatIsLoggedOnce) {
  ScratchFolder scratch;
  SetZDebug(std::make_unique<TZDebug>(scratch.file("zephonic.log")));
  ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
  ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
  {
    TZScreenSaverInhibitor inhibitor(QStringLiteral("Playing video"));
    inhibitor.SetHeld(true);
    EXPECT_FALSE(inhibitor.Held());
    inhibitor.SetHeld(false);
    inhibitor.SetHeld(true);
    EXPECT_FALSE(inhibitor.Held());
  }
  QStringList lines;
  ReadTextLines(scratch.file("zephonic.log"), &lines);
  SetZDebug(nullptr);
  ASSERT_EQ(lines.filter(QStringLiteral("screen saver")).size(), 1)
      << lines.join('\n').toStdString();
  EXPECT_TRUE(
      lines.filter(QStringLiteral("screen saver"))
          .front()
          .startsWith(QStringLiteral("The screen saver cannot be held off during video: ")));
}

}  // namespace

#include "test_screensaver.moc"
