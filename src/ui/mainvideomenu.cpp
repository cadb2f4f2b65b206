#include "ui/mainvideomenu.h"

#include "lang/language.h"

TZMainVideoMenu BuildMainVideoMenu(QMenu* parent) {
  TZMainVideoMenu built;
  built.Menu = parent->addMenu(Language().Text(53));
  QMenu* mode = built.Menu->addMenu(Language().Text(269));
  for (size_t i = 0; i < built.Modes.size(); ++i) {
    built.Modes[i] = mode->addAction(Language().Text(kModeTexts[i]));
    built.Modes[i]->setCheckable(true);
  }
  QMenu* ratio = built.Menu->addMenu(Language().Text(270));
  for (size_t i = 0; i < built.Ratios.size(); ++i) {
    built.Ratios[i] = ratio->addAction(Language().Text(kFirstRatioText + int(i)));
    built.Ratios[i]->setCheckable(true);
  }
  built.Menu->setEnabled(false);
  return built;
}
