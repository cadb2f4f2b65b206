// The hotkeys' video actions through the program's wiring: brightness, presentations, digital
// zoom and screenshots reach the video window that the wiring built.
#include "hotkeys/dispatch/hotkeytarget.h"
#include "ui/mainvideomenu.h"
#include "ui/video/videopicture.h"
#include "wiredvideotest.h"

namespace {

class VideoHotKeysTest : public WiredVideoTest {
 protected:
  TZHotKeyTarget& Keys() { return wiring_->HotKeyTarget(); }
};

TEST_F(VideoHotKeysTest, PresentationKeysSwitchVideoButLeaveSoundItemsAlone) {
  PlayVideo();
  Keys().SetPresentation(THotKeyPresentation::Toggle);
  EXPECT_EQ(Video().DisplayMode(), dmFullscreen);
  Keys().SetPresentation(THotKeyPresentation::Toggle);
  EXPECT_EQ(Video().DisplayMode(), dmWindow);
  Keys().SetPresentation(THotKeyPresentation::Fullscreen);
  EXPECT_EQ(Video().DisplayMode(), dmFullscreen);
  Keys().SetPresentation(THotKeyPresentation::Window);
  EXPECT_EQ(Video().DisplayMode(), dmWindow);

  window_->Player().State().Kind = mkBassStream;
  Keys().SetPresentation(THotKeyPresentation::Fullscreen);
  Keys().SetPresentation(THotKeyPresentation::Toggle);
  EXPECT_EQ(Video().DisplayMode(), dmWindow);
}

TEST_F(VideoHotKeysTest, BrightnessZoomAndScreenshotKeys) {
  PlayVideo();
  Keys().StepBrightness(50);
  EXPECT_EQ(config_.VidBrightness, 50);
  EXPECT_EQ(commands_.colours.Brightness, 50);
  Keys().StepBrightness(-50);
  Keys().StepBrightness(-50);
  EXPECT_EQ(config_.VidBrightness, 0);

  Keys().SetDigitalZoom(75);
  EXPECT_EQ(Video().Picture().DigitalZoom(), 75);

  Keys().TakeScreenshot(true);
  ASSERT_FALSE(commands_.calls.isEmpty());
  EXPECT_TRUE(commands_.calls.last().startsWith(QStringLiteral("screenshot original")));
  Keys().TakeScreenshot(false);
  EXPECT_TRUE(commands_.calls.last().startsWith(QStringLiteral("screenshot adjusted")));
  EXPECT_EQ(window_->OsdText(),
            QStringLiteral("Screenshot saved as 'data/images/clip.avi.002.png'"));
}

TEST_F(VideoHotKeysTest, MainVideoMenuServesTheWindow) {
  PlayVideo();
  TZMainVideoMenu& menu = window_->VideoMenu();
  EXPECT_TRUE(menu.Menu->isEnabled());
  menu.Modes[0]->trigger();
  EXPECT_EQ(Video().DisplayMode(), dmFullscreen);
  EXPECT_TRUE(menu.Modes[0]->isChecked());
  menu.Modes[2]->trigger();
  EXPECT_EQ(Video().DisplayMode(), dmWindow);
  menu.Ratios[4]->trigger();  // 16:9
  EXPECT_EQ(config_.Ratio, vr16To9);
  EXPECT_TRUE(menu.Ratios[4]->isChecked());
}

}  // namespace
