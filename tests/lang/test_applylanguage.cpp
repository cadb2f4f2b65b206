#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "base/programpath.h"
#include "base/zdebug.h"
#include "lang/applylanguage.h"
#include "printers.h"
#include "testsupport.h"

namespace {

// A window that shows text 4 and records the order in which windows took their texts.
class FakeWindow : public TZLanguageTarget {
 public:
  FakeWindow(QString name, QStringList* order) : name_(std::move(name)), order_(order) {}
  void ApplyTexts(const TZLanguage& language) override {
    caption = language.Text(4);
    order_->append(name_);
  }
  QString caption;

 private:
  QString name_;
  QStringList* order_;
};

// A program folder with a log, and the global language restored afterwards.
class LanguageChange : public ::testing::Test {
 protected:
  void SetUp() override {
    previousPath_ = ProgramPath();
    SetProgramPath(dir_.path());
    SetZDebug(std::make_unique<TZDebug>(dir_.file("zephonic.log")));
    WriteBytes(dir_.file("data/languages/deutsch.zlng"),
               "00001 Verzeichnis\r\n00002 Lese\r\n00003 Hinzu\r\n00004 Bereit\r\n");
  }
  void TearDown() override {
    SetZDebug(nullptr);
    SetProgramPath(previousPath_);
    LoadDefaults(Language());
  }
  QString Log() const { return QString::fromUtf8(ReadBytes(dir_.file("zephonic.log"))); }

  ScratchFolder dir_;
  QString previousPath_;
};

}  // namespace

TEST(ApplyLanguage, ReachesEveryLiveWindowInCreationOrder) {
  QStringList order;
  FakeWindow main("main", &order);
  auto playlist = std::make_unique<FakeWindow>("playlist", &order);
  FakeWindow settings("settings", &order);
  TZLanguage language;
  language.SetText(4, "Bereit");
  ApplyLanguage(language);
  EXPECT_EQ(order, QStringList({"main", "playlist", "settings"}));
  EXPECT_EQ(main.caption, "Bereit");
  EXPECT_EQ(settings.caption, "Bereit");

  playlist.reset();
  order.clear();
  ApplyLanguage(TZLanguage());
  EXPECT_EQ(order, QStringList({"main", "settings"}));
  EXPECT_EQ(main.caption, "Ready");
}

TEST_F(LanguageChange, ReadsTheFileAppliesItAndStoresTheName) {
  QStringList order;
  FakeWindow main("main", &order);
  QString configured = "english[default]";
  EXPECT_TRUE(ChangeLanguage("deutsch", configured));
  EXPECT_EQ(configured, "deutsch");
  EXPECT_EQ(main.caption, "Bereit");
  EXPECT_EQ(Log(), "Changing language \"deutsch\" OK\r\n");

  EXPECT_TRUE(ChangeLanguage("english[default]", configured));
  EXPECT_EQ(configured, "english");  // the next start looks for "english.zlng"
  EXPECT_EQ(main.caption, "Ready");
}

TEST_F(LanguageChange, UnreadableFileBringsTheConfiguredLanguageBack) {
  QStringList order;
  FakeWindow main("main", &order);
  QString configured = "deutsch";
  ASSERT_TRUE(ChangeLanguage("deutsch", configured));
  EXPECT_FALSE(ChangeLanguage("klingon", configured));
  EXPECT_EQ(configured, "deutsch");
  EXPECT_EQ(main.caption, "Bereit");
  EXPECT_EQ(Log(),
            "Changing language \"deutsch\" OK\r\n"
            "Changing language \"klingon\" failed\r\n"
            "Load last language.\r\n");

  // A configured language without a file of its own falls back to the built-in texts.
  configured = "english";
  EXPECT_FALSE(ChangeLanguage("klingon", configured));
  EXPECT_EQ(main.caption, "Ready");
}
