#pragma once
// The video window as the program's wiring builds it on the real main window, with a stand-in
// engine behind the player that tells the window about pause and play as the graph engine does.

#include <memory>

#include "app/programwiring.h"
#include "app/videowiring.h"
#include "lang/language.h"
#include "videowintest.h"

class PausingEngine : public StandInEngine {
 public:
  void Pause() override {
    if (view) {
      view->UpdateVideoMenu(false, true);
    }
  }
  void Run() override {
    if (view) {
      view->UpdateVideoMenu(false, false);
    }
  }
};

class WiredVideoTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    wiring_ = std::make_unique<TZProgramWiring>(*window_, skin_, config_, Language());
    ASSERT_NE(wiring_->Video(), nullptr);
    Video().SetEngine(&engine_);
    Video().SetCommands(&commands_);
    engine_.view = &Video();
    window_->Player().SetVideoEngine(&engine_);
  }
  void TearDown() override {
    window_->Player().SetVideoEngine(nullptr);
    wiring_.reset();
    MainWindowTest::TearDown();
  }
  void PlayVideo() {
    playlist_.Add(QStringLiteral("clip"), scratch_.file("clip.avi"), false, "00", "00:01:00");
    window_->Player().PlayEntry(playlist_.Count() - 1);
    ASSERT_TRUE(window_->Player().Playing());
  }
  TZVideoWindow& Video() { return wiring_->Video()->Window(); }

  PausingEngine engine_;
  RecordingCommands commands_;
  std::unique_ptr<TZProgramWiring> wiring_;
};
