#pragma once
// The about window: version, program folder, links to the product's pages and its mail address,
// and the credits scrolling upwards, fading at the top and bottom edges. A plain borderless
// window that stays on top; the main window shows it.

#include <QDialog>
#include <QTimer>

#include "lang/applylanguage.h"
#include "vis/textscroller.h"

class QLabel;
class QPushButton;
class TZLinkLabel;
class TZDragPicture;
struct TZConfig;

// The picture the credits scroll on.
class TZScrollerImage : public QWidget {
 public:
  explicit TZScrollerImage(QSize size, QWidget* parent = nullptr);
  TScrollerCanvas canvas;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TfrmAbout : public QDialog, public TZLanguageTarget {
 public:
  static constexpr int kScrollInterval = 50;
  static constexpr QSize kScrollerSize{383, 128};

  // `version` is the program's file version ("2.20.0").
  TfrmAbout(const TZConfig& config, const QString& version, QWidget* parent = nullptr);

  // Shows the window centred over `over` (the main window), the credits from the bottom.
  void ShowAbout(const QWidget* over);
  // One tick of the scroll timer: a black picture with the next frame of the credits.
  void StepCredits();

  const TTextScroller& Scroller() const { return scroller_; }
  const QTimer& ScrollTimer() const { return scrollTimer_; }
  void ApplyTexts(const TZLanguage& language) override;

  TZDragPicture* imgTitle;
  QLabel* lblProduct;
  QLabel* lblVersion;
  QLabel* lblPath;
  QLabel* lblMotto;
  TZLinkLabel* lblHomepage;
  TZLinkLabel* lblForum;
  TZLinkLabel* lblMail;
  TZScrollerImage* imgScroller;
  QPushButton* btnOK;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  const TZConfig& config_;
  TTextScroller scroller_;
  QTimer scrollTimer_;
};

// The credits, in the scroller's markup: "<u>" and "<b>" lines, empty lines between sections.
QStringList CreditLines(const QString& version);

// The product's addresses.
inline constexpr const char* kHomepageUrl = "https://www.zephonic.example/";
inline constexpr const char* kForumUrl = "https://forum.zephonic.example/";
inline constexpr const char* kMailAddress = "team@zephonic.example";
