#pragma once
// A running program that only writes down what the settings dialog asked of it.

#include <QStringList>

#include "config/dialog/configactions.h"

class FakeConfigActions : public TZConfigActions {
 public:
  void BeginSkinChange() override { calls << "BeginSkinChange"; }
  void ApplySkinSurfaces() override { calls << "ApplySkinSurfaces"; }
  void EndSkinChange() override { calls << "EndSkinChange"; }
  void ApplyWindowLayout() override { calls << "ApplyWindowLayout"; }
  void ShowToggles() override { calls << "ShowToggles"; }
  void RefreshPlaylist() override { calls << "RefreshPlaylist"; }
  void ApplyAnalyzer() override { calls << "ApplyAnalyzer"; }
  void ApplyTray() override { calls << "ApplyTray"; }
  void ApplyScrollLabel() override { calls << "ApplyScrollLabel"; }
  void ApplyVideoPicture(bool noScreensaver, int hideCursorMs) override {
    calls << QStringLiteral("ApplyVideoPicture %1 %2").arg(noScreensaver).arg(hideCursorMs);
  }
  void ApplyColourControls(const TZColourControls& controls) override {
    colours = controls;
    calls << "ApplyColourControls";
  }
  void ApplySpeakers() override { calls << "ApplySpeakers"; }
  void LanguageChanged() override { calls << "LanguageChanged"; }
  void ShowCaptionsInactive() override {}
  void ShowMessage(const QString& text) override { messages << text; }
  QStringList OutputDevices() const override { return devices; }

  QStringList calls;
  QStringList messages;
  QStringList devices{"Default device", "Second device", "Third device"};
  TZColourControls colours;
};
