// The keyboard hook on a real X server: system-wide hotkeys fire while another X client has the
// focus, local ones do not, and a key that another client holds is skipped without harm.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "base/text/textfile.h"
#include "base/zdebug.h"
#include "hotkeys/dispatch/hotkeydispatch.h"
#include "hotkeys/dispatch/hotkeyhook.h"
#include "recordingtarget.h"
#include "testsupport.h"
#include "zhook.h"

// After Qt: Xlib's macros break Qt headers.
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "keysyms.h"
#include "xvfb.h"

namespace {

constexpr std::uint16_t kF5 = 116, kF6 = 117, kF7 = 118, kF8 = 119, kF9 = 120, kF10 = 121;
constexpr int kWaitMs = 5000;
// How long a press that must not arrive is given to arrive anyway.
constexpr int kQuietMs = 150;

class HookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(server_.DisplayName().isEmpty()) << "Xvfb did not start";
    savedDisplay_ = qgetenv("DISPLAY");
    qputenv("DISPLAY", server_.DisplayName().toLatin1());
    other_ = std::make_unique<OtherClient>(server_.DisplayName());
    ASSERT_TRUE(other_->Connected());
    other_->TakeFocus();
    table_.Clear();
    focus_.window = THotKeyWindow::OtherProgram;
  }
  void TearDown() override {
    hook_.Disable();
    qputenv("DISPLAY", savedDisplay_);
  }

  bool WaitForCalls(const QStringList& calls) {
    return QTest::qWaitFor([&] { return target_.calls == calls; }, kWaitMs);
  }
  // Types a key that must reach no action: once the other client has seen it, nothing is queued
  // for the hook either.
  void TypeUnheard(KeySym keysym) {
    const int before = presses_;
    other_->Type(keysym);
    EXPECT_EQ(other_->TakePresses(keysym), 1);
    QTest::qWait(kQuietMs);
    EXPECT_EQ(presses_, before);
  }

  XvfbServer server_;
  QByteArray savedDisplay_;
  std::unique_ptr<OtherClient> other_;
  TZHotKeys table_;
  RecordingTarget target_;
  FixedFocus focus_;
  TZHotKeyDispatcher dispatcher_{table_, target_, focus_};
  int presses_ = 0;  // every press the hook reported, bound or not
  QStringList log_;
  TZHotKeyHook hook_{[this](TZKeyStroke stroke) {
                       ++presses_;
                       dispatcher_.Dispatch(stroke.Key, stroke.Modifiers);
                     },
                     [this](const QString& line) { log_ << line; }};
};

TEST_F(HookTest, SystemWideBindingFiresWhileAnotherClientHasTheFocus) {
  table_.Add(kF5, hmCtrl, true, haNext);
  table_.Add(kF6, 0, false, haToggleMute);
  ASSERT_TRUE(hook_.Enable(table_));
  EXPECT_TRUE(log_.isEmpty()) << log_.join('\n').toStdString();

  other_->Type(XK_F5, ZHOOK_CTRL);
  ASSERT_TRUE(WaitForCalls({"transport 0"})) << target_.calls.join(',').toStdString();
  EXPECT_EQ(other_->TakePresses(XK_F5), 0);  // the focused client never saw it

  other_->SetNumLock(true);
  other_->Type(XK_F5, ZHOOK_CTRL);
  ASSERT_TRUE(WaitForCalls({"transport 0", "transport 0"}));
  other_->SetNumLock(false);

  // Without Ctrl the key is not the binding's; the local binding of F6 is not grabbed at all.
  TypeUnheard(XK_F5);
  TypeUnheard(XK_F6);
  EXPECT_EQ(target_.calls.size(), 2);
}

TEST_F(HookTest, KeyHeldByAnotherClientIsSkippedAndTheRestStillWork) {
  other_->Grab(XK_F7, 0);
  table_.Add(kF7, 0, true, haClose);
  table_.Add(kF8, hmAlt | hmShift, true, haBringToFront);
  ASSERT_TRUE(hook_.Enable(table_));
  ASSERT_EQ(log_.size(), 1);
  EXPECT_EQ(log_[0], "Hotkey 118 with modifiers 0 is held by another program; it is skipped.");

  other_->Type(XK_F8, ZHOOK_ALT | ZHOOK_SHIFT);
  ASSERT_TRUE(WaitForCalls({"front"}));
  // F7 goes to the client that holds it, with NumLock on as well.
  TypeUnheard(XK_F7);
  EXPECT_EQ(target_.calls, QStringList{"front"});

  // Grabbing again after a table change does not repeat the log line.
  ASSERT_TRUE(hook_.Update(table_));
  EXPECT_EQ(log_.size(), 1);
}

TEST_F(HookTest, TableChangeMovesTheGrabs) {
  table_.Add(kF9, 0, true, haToggleMute);
  ASSERT_TRUE(hook_.Enable(table_));
  other_->Type(XK_F9);
  ASSERT_TRUE(WaitForCalls({"mute"}));

  table_.Change(0, kF9, false, haToggleMute, 0);
  table_.Add(kF10, hmCtrl, true, haStop);
  ASSERT_TRUE(hook_.Update(table_));
  TypeUnheard(XK_F9);
  other_->Type(XK_F10, ZHOOK_CTRL);
  ASSERT_TRUE(WaitForCalls({"mute", "transport 2"}));
}

TEST_F(HookTest, AutoRepeatOfAHeldKeyFiresEachTime) {
  table_.Add(kF5, 0, true, haVolumeUp);
  ASSERT_TRUE(hook_.Enable(table_));
  // The server repeats a held key: after 100 ms, then every 20 ms.
  Display* display = other_->display();
  ASSERT_TRUE(XkbSetAutoRepeatRate(display, XkbUseCoreKbd, 100, 20));
  const KeyCode code = XKeysymToKeycode(display, XK_F5);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XSync(display, False);
  ASSERT_TRUE(QTest::qWaitFor([&] { return target_.calls.size() >= 4; }, kWaitMs));
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XSync(display, False);
  EXPECT_EQ(target_.calls, QStringList(target_.calls.size(), "volume 1"));
}

// The action the server itself runs for the key at one shift level, XkbSA_NoAction when none.
int ServerAction(Display* display, KeySym keysym, int level) {
  XkbDescPtr keyboard =
      XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask, XkbUseCoreKbd);
  const XkbAction* action =
      XkbKeyActionEntry(keyboard, XKeysymToKeycode(display, keysym), level, 0);
  const int type = action ? action->type : XkbSA_NoAction;
  XkbFreeKeyboard(keyboard, 0, True);
  return type;
}

TEST_F(HookTest, CtrlAltFKeyThatTheServerTakesFiresEveryPressAndIsGivenBack) {
  // Ctrl+Alt is the fifth level of the F-keys, where the server switches virtual terminals.
  constexpr int kCtrlAltLevel = 4;
  Display* display = other_->display();
  ASSERT_EQ(ServerAction(display, XK_F9, kCtrlAltLevel), XkbSA_SwitchScreen);
  table_.Add(kF9, hmCtrl | hmAlt, true, haNext);
  ASSERT_TRUE(hook_.Enable(table_));
  for (int press = 1; press <= 3; ++press) {
    other_->Type(XK_F9, ZHOOK_CTRL | ZHOOK_ALT);
    ASSERT_TRUE(WaitForCalls(QStringList(press, "transport 0"))) << press;
  }
  EXPECT_EQ(log_, QStringList{"Hotkey 120 with modifiers 6 is a key the X server acts on itself; "
                              "the hotkey takes it over."});
  ASSERT_TRUE(hook_.Disable());
  EXPECT_EQ(ServerAction(display, XK_F9, kCtrlAltLevel), XkbSA_SwitchScreen);
}

TEST_F(HookTest, ProgramHookDispatchesToTheProgramDispatcherAndLogs) {
  ScratchFolder scratch;
  SetZDebug(std::make_unique<TZDebug>(scratch.file("zephonic.log")));
  other_->Grab(XK_F7, 0);
  table_.Add(kF7, 0, true, haClose);
  table_.Add(kF8, 0, true, haBringToFront);
  ASSERT_TRUE(StartHotKeyHook(table_));
  // Presses before the main window is wired reach nothing.
  other_->Type(XK_F8);
  QTest::qWait(kQuietMs);
  EXPECT_TRUE(target_.calls.isEmpty());

  SetHotKeyDispatcher(&dispatcher_);
  other_->Type(XK_F8);
  EXPECT_TRUE(WaitForCalls({"front"}));
  // The settings page changed the table.
  table_.Change(1, kF9, true, haToggleMute, 0);
  HotKeyTableChanged(table_);
  other_->Type(XK_F9);
  EXPECT_TRUE(WaitForCalls({"front", "mute"}));

  EXPECT_TRUE(StopHotKeyHook());
  EXPECT_FALSE(StopHotKeyHook());
  SetHotKeyDispatcher(nullptr);
  QStringList lines;
  ASSERT_TRUE(ReadTextLines(scratch.file("zephonic.log"), &lines));
  EXPECT_EQ(lines.filter("is held by another program").size(), 1) << lines.join('\n').toStdString();
  SetZDebug(nullptr);
}

TEST_F(HookTest, WithoutADisplayTheHookSaysSoOnce) {
  qunsetenv("DISPLAY");
  table_.Add(kF5, 0, true, haNext);
  EXPECT_FALSE(hook_.Enable(table_));
  ASSERT_EQ(log_.size(), 1);
  EXPECT_TRUE(log_[0].startsWith("No X11 display")) << log_[0].toStdString();
  EXPECT_FALSE(hook_.Update(table_));
  EXPECT_FALSE(hook_.Disable());
}

TEST_F(HookTest, KeysOfTheKeyboardMapToVirtualKeys) {
  Display* display = other_->display();
  const auto code = [&](KeySym sym) { return XKeysymToKeycode(display, sym); };
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_a), false), 'A');
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_1), false), '1');
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_1), true), '1');
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_F12), false), 123);
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_Return), false), 13);
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_period), false), 190);
  // The keypad: digits with NumLock on, the movement keys with it off.
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_KP_End), true), 97);
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_KP_End), false), 35);
  EXPECT_EQ(VirtualKeyOfKeycode(display, code(XK_KP_Add), false), 107);

  // Symbols other layouts put on those keys, and the media keys.
  EXPECT_EQ(VirtualKeyFromKeysym(XK_odiaeresis), 192);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_semicolon), 186);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_ssharp), 219);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_less), 226);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Z), 'Z');
  EXPECT_EQ(VirtualKeyFromKeysym(XK_F24), 135);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_F24 + 1), 0);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_eacute), 0);
}

}  // namespace
