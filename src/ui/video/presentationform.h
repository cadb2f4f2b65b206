#pragma once
// The borderless top-level form that holds the picture outside the video window: sized to one
// monitor, either fullscreen (optionally above all others) or as the desktop (a window of the
// desktop type below all others, on X11). The wallpaper and desktop colour are never touched.

#include <QWidget>

class QScreen;

class TZPresentationForm : public QWidget {
  Q_OBJECT

 public:
  enum Kind { Fullscreen, Desktop };

  // `topMost`: fullscreen stays above other windows.
  TZPresentationForm(Kind kind, QScreen* screen, bool topMost);

  // Takes the picture so that it fills the form and has the form's keyboard focus.
  void Hold(QWidget* picture);
  Kind kind() const { return kind_; }

  // Shows the form; a fullscreen form also takes the focus. A desktop form needs X11 (OnX11);
  // elsewhere it shows as a plain window.
  void Present();

 private:
  Kind kind_;
};

// True when the windows of this program live on an X11 display.
bool OnX11();
