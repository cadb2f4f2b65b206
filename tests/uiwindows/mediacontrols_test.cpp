// The media controls window: its skinned sliders pressed and dragged at their places act on a
// playing item; the preset menu and the preset files.

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>

#include "base/programpath.h"
#include "controltest.h"
#include "lang/applylanguage.h"
#include "playback/playercontrols.h"
#include "playbacktest.h"
#include "skinfixture.h"
#include "ui/mediacontrols.h"

namespace {

// The player's windows, with the speed slider of the media controls window behind them as the
// main window wires it.
class ForwardingWindows : public WatchingWindows {
 public:
  int SpeedPosition() const override { return controls->SpeedPosition(); }
  void SetSpeedPosition(int step) override { controls->SetSpeedPosition(step); }
  void SetSpeedControlEnabled(bool enabled) override { controls->SetSpeedEnabled(enabled); }
  TZMediaControls* controls = nullptr;
};

class MediaControlsTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    ASSERT_TRUE(skin_.LoadBuiltIn());
    player_ = std::make_unique<TZPlayer>(playlist_, forwarding_, config_, clock_);
    player_->SetDeviceSpeakers(ZSoundSpeakerCount());
    controls_ = std::make_unique<TZMediaControls>(window(), *player_, config_);
    forwarding_.controls = controls_.get();
    controls_->LoadSliders();
    AddTone(1000, 6.0);
    player_->PlayEntry(0);
    Run(100);
  }
  void TearDown() override {
    controls_.reset();
    PlayerTest::TearDown();
  }

  TfrmMediaControls& window() { return *skin_.windows.MediaControls; }
  ZSoundHandle Channel() const { return player_->State().ActiveGroup().Reference(); }
  int Rate() const {
    ZSoundAttributes attributes;
    ZSoundGetAttributes(Channel(), &attributes);
    return attributes.rate;
  }
  float Gain(int band) const {
    ZSoundEqParameters parameters;
    EXPECT_TRUE(ZSoundGetEq(player_->State().ActiveGroup().Effects[size_t(band)][0], &parameters));
    return parameters.gain;
  }

  // Presses a knob at its centre, drags it `dy` pixels and lets go.
  static void Drag(TZSkinSeekbar& bar, int dy) {
    TZSkinImage* knob = bar.knob();
    const QPoint centre(knob->width() / 2, knob->height() / 2);
    Press(knob, centre);
    SendMouse(knob, QEvent::MouseMove, centre + QPoint(0, dy), Qt::NoButton, Qt::LeftButton);
    Release(knob, centre + QPoint(0, dy));
  }
  static void RightClick(TZSkinSeekbar& bar) {
    Press(bar.knob(), {2, 2}, Qt::RightButton);
    Release(bar.knob(), {2, 2}, Qt::RightButton);
  }
  static void DoubleClick(TZSkinSeekbar& bar) {
    SendMouse(bar.knob(), QEvent::MouseButtonDblClick, {2, 2}, Qt::LeftButton, Qt::LeftButton);
    Release(bar.knob(), {2, 2});
  }

  SkinnedWindows skin_;
  ForwardingWindows forwarding_;
  std::unique_ptr<TZMediaControls> controls_;
};

TEST_F(MediaControlsTest, SpeedSliderDraggedToItsEndsAndReset) {
  TZSkinSeekbar& speed = *window().SpeedSeekbar;
  ASSERT_EQ(speed.range().Position, 4);
  Drag(speed, -200);
  EXPECT_EQ(speed.range().Position, 10);
  EXPECT_EQ(speed.knob()->pos(), speed.background()->pos());  // top of the travel
  EXPECT_EQ(Rate(), SpeedRate(10, kRate));
  EXPECT_EQ(config_.Speed, 10);
  EXPECT_EQ(forwarding_.title, "[ Speed 250 % ]");
  EXPECT_EQ(forwarding_.osd, "[ Speed 250 % ]");

  Drag(speed, 200);
  EXPECT_EQ(speed.range().Position, 1);
  EXPECT_EQ(Rate(), kRate / 4);
  EXPECT_EQ(forwarding_.title, "[ Speed 25 % ]");

  RightClick(speed);
  EXPECT_EQ(speed.range().Position, 4);
  EXPECT_EQ(Rate(), kRate);
  EXPECT_EQ(config_.Speed, 4);
  EXPECT_EQ(forwarding_.title, "[ Speed 100 % ]");

  Drag(speed, -20);
  EXPECT_GT(speed.range().Position, 4);
  DoubleClick(speed);
  EXPECT_EQ(speed.range().Position, 4);
  EXPECT_EQ(Rate(), kRate);
}

TEST_F(MediaControlsTest, DisabledSpeedSliderIgnoresTheMouse) {
  TZSkinSeekbar& speed = *window().SpeedSeekbar;
  controls_->SetSpeedEnabled(false);
  Drag(speed, -200);
  RightClick(speed);
  DoubleClick(speed);
  EXPECT_EQ(speed.range().Position, 4);
  EXPECT_EQ(Rate(), kRate);
  EXPECT_TRUE(forwarding_.osd.isEmpty());
  controls_->SetSpeedEnabled(true);
  Drag(speed, -200);
  EXPECT_EQ(speed.range().Position, 10);
}

TEST_F(MediaControlsTest, BandSlidersSetGainsSettingsAndStatus) {
  TZSkinSeekbar& band4 = *window().EqualizerBands[4];
  Drag(band4, -200);
  EXPECT_EQ(band4.range().Position, 24);
  EXPECT_EQ(player_->Equalizer().Positions()[4], 24);
  EXPECT_EQ(config_.EQBand[4], 24);
  EXPECT_FLOAT_EQ(Gain(4), 12.0f);
  EXPECT_FLOAT_EQ(Gain(3), 0.0f);
  EXPECT_EQ(forwarding_.title, "Equalizer 1 KHz: +12 db");

  TZSkinSeekbar& band0 = *window().EqualizerBands[0];
  Drag(band0, 200);
  EXPECT_EQ(config_.EQBand[0], 0);
  EXPECT_FLOAT_EQ(Gain(0), -12.0f);
  EXPECT_EQ(forwarding_.title, "Equalizer 60 Hz: -12 db");

  RightClick(band4);
  EXPECT_EQ(band4.range().Position, 12);
  EXPECT_EQ(config_.EQBand[4], 12);
  EXPECT_FLOAT_EQ(Gain(4), 0.0f);
  EXPECT_EQ(forwarding_.title, "Equalizer 1 KHz: +0 db");
  DoubleClick(band0);
  EXPECT_FLOAT_EQ(Gain(0), 0.0f);
  EXPECT_EQ(config_.EQBand[0], 12);
}

TEST_F(MediaControlsTest, PresetMenuListsThePresetFolder) {
  controls_->RebuildPresetMenu();
  EXPECT_TRUE(controls_->PresetMenu()->actions().isEmpty());

  const QString folder = DataPath() + "presets/";
  QStringList lines = PresetLines(player_->Equalizer().Positions());
  lines[3 + 7] = "EQBand7 [ 5 ]";
  WriteBytes(folder + "rock.zeqp", lines.join("\r\n").toUtf8() + "\r\n");
  WriteBytes(folder + " Spaced Name.ZEQP", PresetLines({}).join("\r\n").toUtf8());
  WriteBytes(folder + "notes.txt", "not a preset");
  QDir().mkpath(folder + "folder.zeqp");
  controls_->RebuildPresetMenu();
  controls_->RebuildPresetMenu();  // rebuilt, not added to
  const QList<QAction*> entries = controls_->PresetMenu()->actions();
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[0]->text(), " Spaced Name");
  EXPECT_EQ(entries[1]->text(), "rock");

  entries[1]->trigger();
  EXPECT_EQ(config_.EQBand[7], 17);
  EXPECT_EQ(window().EqualizerBands[7]->range().Position, 17);
  EXPECT_FLOAT_EQ(Gain(7), 5.0f);
  // The popup menu itself: default, load, save, a separator and the presets.
  const QList<QAction*> items = window().popmMediaControls->actions();
  ASSERT_EQ(items.size(), 5);
  EXPECT_EQ(items[0]->text(), "Reset Equalizer");
  EXPECT_TRUE(items[3]->isSeparator());
  EXPECT_EQ(items[4]->menu(), controls_->PresetMenu());
  items[0]->trigger();
  EXPECT_EQ(window().EqualizerBands[7]->range().Position, 12);
  EXPECT_FLOAT_EQ(Gain(7), 0.0f);
}

TEST_F(MediaControlsTest, RightClicksOpenTheWindowsMenus) {
  WriteBytes(DataPath() + "presets/jazz.zeqp", PresetLines({}).join("\r\n").toUtf8());
  controls_->ShowWindow(true);
  const QPoint free(60, 50);  // between the speed slider and the first band
  ASSERT_EQ(window().controlAt(free), window().imgForm);
  Press(window().imgForm, free, Qt::RightButton);
  Release(window().imgForm, free, Qt::RightButton);
  EXPECT_TRUE(window().popmMediaControls->isVisible());
  // Opening the menu listed the presets.
  ASSERT_EQ(controls_->PresetMenu()->actions().size(), 1);
  EXPECT_EQ(controls_->PresetMenu()->actions()[0]->text(), "jazz");
  window().popmMediaControls->hide();

  QMenu mainMenu;
  mainMenu.addAction("Play");
  controls_->SetCaptionMenu(&mainMenu);
  TZSkinImage* caption = window().imgCaptionbar;
  Press(caption, {5, 5}, Qt::RightButton);
  Release(caption, {5, 5}, Qt::RightButton);
  EXPECT_TRUE(mainMenu.isVisible());
  EXPECT_FALSE(window().popmMediaControls->isVisible());
  mainMenu.hide();
}

TEST_F(MediaControlsTest, SavedPresetLoadsBack) {
  Drag(*window().EqualizerBands[2], -200);
  Drag(*window().EqualizerBands[9], 200);
  const QString file = scratch_.file("mine.zeqp");
  controls_->SavePreset(file);
  const QByteArray saved = ReadBytes(file);
  EXPECT_TRUE(saved.contains("\r\nEQBand2 [ 12 ]\r\n"));
  EXPECT_TRUE(saved.contains("\r\nEQBand9 [ -12 ]\r\n"));

  controls_->DefaultPreset();
  EXPECT_EQ(window().EqualizerBands[2]->range().Position, 12);
  EXPECT_FLOAT_EQ(Gain(2), 0.0f);
  controls_->LoadPreset(file);
  EXPECT_EQ(window().EqualizerBands[2]->range().Position, 24);
  EXPECT_EQ(window().EqualizerBands[9]->range().Position, 0);
  EXPECT_EQ(window().EqualizerBands[9]->knob()->pos().y(),
            window().EqualizerBands[9]->background()->geometry().bottom() + 1 -
                window().EqualizerBands[9]->knob()->height());
  EXPECT_FLOAT_EQ(Gain(2), 12.0f);
  EXPECT_FLOAT_EQ(Gain(9), -12.0f);
  EXPECT_THROW(controls_->LoadPreset(scratch_.file("missing.zeqp")), TZPresetError);
  EXPECT_EQ(window().EqualizerBands[2]->range().Position, 24);
}

TEST_F(MediaControlsTest, WindowRefusesToCloseAndReportsShowing) {
  QSignalSpy shown(controls_.get(), &TZMediaControls::visibilityChanged);
  controls_->ShowWindow(true);
  EXPECT_TRUE(window().isVisible());
  EXPECT_FALSE(window().close());
  EXPECT_TRUE(window().isVisible());
  controls_->ToggleWindow();
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(config_.MediaConVis);
  ASSERT_EQ(shown.count(), 2);
  EXPECT_TRUE(shown.at(0).at(0).toBool());
  EXPECT_FALSE(shown.at(1).at(0).toBool());
}

TEST_F(MediaControlsTest, MenuTextsFollowTheLanguage) {
  Language().SetText(368, "Profile");
  ApplyLanguage(Language());
  EXPECT_EQ(controls_->PresetMenu()->title(), "Profile");
  LoadDefaults(Language());
  ApplyLanguage(Language());
  EXPECT_EQ(controls_->PresetMenu()->title(), "Equalizer profile");
}

TEST_F(MediaControlsTest, Screenshot) {
  Drag(*window().EqualizerBands[1], -200);
  Drag(*window().EqualizerBands[6], 30);
  Drag(*window().SpeedSeekbar, -17);
  controls_->ShowWindow(true);
  const QImage shot = window().grab().toImage();
  ASSERT_EQ(shot.size(), QSize(300, 100));
  // The band 1 knob sits at the top of its travel, over the background.
  const QRect knob = window().EqualizerBands[1]->knob()->geometry();
  const QPoint middle(knob.width() / 2, knob.height() / 2);
  EXPECT_EQ(shot.pixelColor(knob.topLeft() + middle),
            window().EqualizerBands[1]->knob()->displayed().pixelColor(knob.width() / 2,
                                                                       knob.height() / 2));
  QDir().mkpath(TestOutputFolder());
  EXPECT_TRUE(shot.save(TestOutputFolder() + "/mediacontrols.png"));
}

}  // namespace
