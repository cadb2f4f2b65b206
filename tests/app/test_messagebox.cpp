#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

#include "app/exceptionreport.h"
#include "base/errorcatalogue.h"
#include "components/ui/messagebox.h"
#include "printers.h"

class LanguageFileBroken : public std::runtime_error {
 public:
  LanguageFileBroken() : std::runtime_error("line 3 is broken") {}
};

namespace {

// Runs the test with or without ZEPHONIC_REPORT=stderr and puts the variable back afterwards.
class ReportMode {
 public:
  explicit ReportMode(const char* value) : previous_(qgetenv("ZEPHONIC_REPORT")) {
    qputenv("ZEPHONIC_REPORT", value);
  }
  ~ReportMode() { qputenv("ZEPHONIC_REPORT", previous_); }

 private:
  QByteArray previous_;
};

// Answers the next modal message box with the given button, remembering what it showed.
struct BoxAnswer {
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

  void Press(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      text = box->text();
      icon = box->icon();
      defaultButton = box->standardButton(box->defaultButton());
      box->button(button)->click();
    });
  }
};

}  // namespace

TEST(ExceptionReport, NamesTheClassItsSizeAndTheMessage) {
  const ExceptionReport report = DescribeException(std::make_exception_ptr(LanguageFileBroken()));
  EXPECT_EQ(report.tag, QStringLiteral("TZUnknownException [LanguageFileBroken , %1]")
                            .arg(sizeof(std::runtime_error)));
  EXPECT_EQ(report.detail, "\r\nline 3 is broken");
  const ExceptionReport other = DescribeException(std::make_exception_ptr(42));
  EXPECT_EQ(other.tag, "TZUnknownException [unknown , 0]");
  EXPECT_EQ(other.detail, "\r\n");
}

TEST(MessageBox, UnattendedRunsTakeTheDefaultButton) {
  ReportMode mode("stderr");
  EXPECT_EQ(ShowMessageBox(QMessageBox::Question, "Zephonic", "Delete?",
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
            QMessageBox::No);
}

TEST(MessageBox, ShowsADialogWithLineBreaksForPeople) {
  ReportMode mode("");
  BoxAnswer answer;
  answer.Press(QMessageBox::Yes);
  EXPECT_EQ(ShowMessageBox(QMessageBox::Question, "Zephonic", "one\r\ntwo\rthree",
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
            QMessageBox::Yes);
  EXPECT_EQ(answer.text, "one\ntwo\nthree");
  EXPECT_EQ(answer.icon, QMessageBox::Question);
  EXPECT_EQ(answer.defaultButton, QMessageBox::No);
}

TEST(ErrorPresenter, ShowsReportsAsErrorOrWarningDialogs) {
  ReportMode mode("");
  InstallErrorPresenter();
  BoxAnswer warning;
  warning.Press(QMessageBox::Ok);
  ReportError(300, "TZPlaylist", "", false);
  EXPECT_EQ(warning.icon, QMessageBox::Warning);
  EXPECT_TRUE(warning.text.startsWith(QString(40, '*') + "\nZephonic runtime warning:\n"));
  EXPECT_FALSE(TerminationRequested());

  // Nothing is shown for an exception the application-wide handler caught.
  ReportEscapedException(std::make_exception_ptr(std::logic_error("x")));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  SetErrorPresenter({});
}

TEST(ErrorPresenter, FatalReportEndsTheLoopOnceControlReturnsAndRestoresWindows) {
  ReportMode mode("stderr");
  InstallErrorPresenter();
  QWidget window;
  window.showMinimized();
  ASSERT_TRUE(window.isMinimized());

  bool ranOn = false;
  QTimer::singleShot(0, [&] {
    ReportError(201, "TZBass", "", true);
    ranOn = true;  // the code path that reported runs to its end
  });
  QTimer safety;
  safety.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(&safety, &QTimer::timeout, [&] {
    timedOut = true;
    QApplication::quit();
  });
  safety.start(10000);
  QApplication::exec();
  EXPECT_FALSE(timedOut);
  EXPECT_TRUE(ranOn);
  EXPECT_TRUE(TerminationRequested());
  EXPECT_FALSE(window.isMinimized());
  ResetTerminationRequest();
  SetErrorPresenter({});
}

TEST(ErrorPresenter, FatalReportBeforeTheLoopLeavesItToTheProgramBody) {
  ReportMode mode("stderr");
  InstallErrorPresenter();
  ReportError(10, "TZConfig", "", true);  // during start-up, no loop runs yet
  EXPECT_TRUE(TerminationRequested());
  // A loop run afterwards (a modal box of a later step) is not ended by that report.
  bool timerFired = false;
  QTimer::singleShot(50, [&] {
    timerFired = true;
    QApplication::quit();
  });
  QApplication::exec();
  EXPECT_TRUE(timerFired);
  ResetTerminationRequest();
  SetErrorPresenter({});
}
