#pragma once
// Skins made at test time: pictures whose pixels tell where they lie, description files,
// packages and a program folder of their own.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "testsupport.h"

// A 24-bit picture whose every pixel encodes its position (see PixelAt), never pure green.
QImage MakeCoordinatePicture(int width = 591, int height = 567);

// The colour MakeCoordinatePicture gives the pixel at (x, y).
QRgb PixelAt(int x, int y);

// The bytes of a picture saved as a Windows bitmap.
QByteArray BitmapBytes(const QImage& picture);

// A complete description of the default skin, as text bytes with CR LF line ends.
QByteArray DefaultDescriptionBytes();

// Joins lines with CR LF.
QByteArray JoinLines(const QStringList& lines);

// Writes a ZIP archive holding the given entries, in order.
void WriteZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries);

// A program folder with data/skins/, nested several folders deep in a scratch folder so that
// names climbing out of it still land where the test can see them; the program path points there
// while the object lives.
class SkinHome {
 public:
  SkinHome();
  ~SkinHome();
  QString skins() const;
  QString temp() const;
  QString root() const { return root_; }
  // The scratch folder around the program folder.
  QString outer() const { return scratch_.path(); }

  // Every file anywhere in the scratch folder that is not in data/temp/, relative to the program
  // folder ("../../x" for a file that escaped it).
  QStringList filesOutsideTemp() const;

 private:
  ScratchFolder scratch_;
  QString root_;
  QString previous_;
};
