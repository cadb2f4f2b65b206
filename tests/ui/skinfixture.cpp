#include "skinfixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include "base/programpath.h"
#include "ui/windowrender.h"

SkinnedWindows::SkinnedWindows() : previousHome_(ProgramPath()) {
  SetProgramPath(home_.path());
  QDir().mkpath(skinsFolder());
  InitSkinDefaults(skin);
  windows = {&main_, &playlist_, &mediaControls_, &video_, &fullscreen_, &spectrum_};
}

SkinnedWindows::~SkinnedWindows() {
  SetProgramPath(previousHome_);
}

bool SkinnedWindows::LoadBuiltIn() {
  if (LoadSkin(skin, QString::fromLatin1(kBuiltInSkinName), true) != slrLoaded) {
    return false;
  }
  Apply();
  return true;
}

bool SkinnedWindows::LoadPackage(const QString& name) {
  if (LoadSkin(skin, name, false) != slrLoaded) {
    return false;
  }
  Apply();
  return true;
}

void SkinnedWindows::Apply() {
  ApplySurfaces(skin, windows);
}

QImage CommittedPicture(const QString& name) {
  return QImage(QStringLiteral(ZEPHONIC_EXPECTED_PICTURES) + name)
      .convertToFormat(QImage::Format_ARGB32);
}

void ExpectRenderAsCommitted(QWidget& window, const QString& name) {
  const QString path = TestOutputFolder() + name;
  ASSERT_TRUE(SaveWindowRender(window, path)) << path.toStdString();
  const QImage saved = QImage(path).convertToFormat(QImage::Format_ARGB32);
  const QImage expected = CommittedPicture(name);
  ASSERT_FALSE(expected.isNull()) << "no committed picture " << name.toStdString();
  ASSERT_EQ(saved.size(), expected.size()) << name.toStdString();
  int differing = 0;
  QPoint first;
  for (int y = 0; y < saved.height(); ++y) {
    for (int x = 0; x < saved.width(); ++x) {
      if (saved.pixel(x, y) != expected.pixel(x, y) && differing++ == 0) {
        first = QPoint(x, y);
      }
    }
  }
  EXPECT_EQ(differing, 0) << name.toStdString() << ": first difference at " << first.x() << ","
                          << first.y() << "; if the change is meant, look at " << path.toStdString()
                          << " and copy it over " << ZEPHONIC_EXPECTED_PICTURES
                          << name.toStdString();
}
