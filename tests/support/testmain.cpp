// Every test program runs with a Qt application, as the program's code expects one, and headless:
// offscreen Qt, the dummy SDL audio driver and error reports on stderr, unless the environment
// already chooses otherwise.
#include <gtest/gtest.h>

#include <QApplication>

namespace {
void SetDefault(const char* name, const char* value) {
  if (qEnvironmentVariableIsEmpty(name)) {
    qputenv(name, value);
  }
}
}  // namespace

int main(int argc, char** argv) {
  SetDefault("QT_QPA_PLATFORM", "offscreen");
  SetDefault("SDL_AUDIODRIVER", "dummy");
  SetDefault("ZEPHONIC_REPORT", "stderr");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
