#pragma once
// The five windows dressed in a skin loaded into a program folder of the test's own.

#include <memory>

#include "testsupport.h"
#include "ui/surfaces.h"
#include "vis/spectrum_vis.h"

class SkinnedWindows {
 public:
  SkinnedWindows();
  ~SkinnedWindows();

  // Loads the built-in skin or a package from data/skins/ and applies it to the windows.
  bool LoadBuiltIn();
  bool LoadPackage(const QString& name);
  QString skinsFolder() const { return home_.path() + QStringLiteral("data/skins/"); }

  TZGUI skin;
  TZWindows windows;

 private:
  void Apply();

  ScratchFolder home_;
  QString previousHome_;
  TfrmMain main_;
  TfrmPlaylist playlist_;
  TfrmMediaControls mediaControls_;
  TfrmVideo video_;
  TfrmVideoFullscreenControl fullscreen_;
  TSpectrum spectrum_{84, 25};
};

// The committed picture of a window, tests/ui/expected/<name>: what a person looked at and
// accepted. A null picture when there is none.
QImage CommittedPicture(const QString& name);

// Renders the window into build/test-output/<name> and expects it to equal its committed
// picture pixel for pixel, transparency included.
void ExpectRenderAsCommitted(QWidget& window, const QString& name);
