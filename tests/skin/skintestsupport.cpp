#include "skintestsupport.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "base/programpath.h"
#include "skin/skindescription.h"
#include "skin/zgui.h"

QRgb PixelAt(int x, int y) {
  return qRgb(x & 0xff, y & 0xff, 0x80 | (x >> 8) | ((y >> 8) << 3));
}

QImage MakeCoordinatePicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, PixelAt(x, y));
    }
  }
  return picture;
}

QByteArray BitmapBytes(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(picture.save(&buffer, "BMP"));
  return bytes;
}

QByteArray JoinLines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += line.toUtf8() + "\r\n";
  }
  return bytes;
}

QByteArray DefaultDescriptionBytes() {
  TZGUI skin;
  InitSkinDefaults(skin);
  return JoinLines(WriteSkinDescription(
      skin, {QStringLiteral("Test"), QStringLiteral("Tester"), QStringLiteral("example.org"),
             QStringLiteral("tester@example.org")}));
}

void WriteZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries) {
  int code = 0;
  zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  ASSERT_NE(archive, nullptr);
  for (const auto& [name, bytes] : entries) {
    if (name.endsWith(u'/')) {
      ASSERT_GE(zip_dir_add(archive, name.toUtf8().constData(), ZIP_FL_ENC_UTF_8), 0);
      continue;
    }
    // The source reads the bytes at close time; the entries outlive it.
    zip_source_t* source = zip_source_buffer(archive, bytes.constData(), bytes.size(), 0);
    ASSERT_NE(source, nullptr);
    ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0)
        << zip_strerror(archive);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

SkinHome::SkinHome()
    : root_(scratch_.path() + QStringLiteral("1/2/3/4/5/6/7/8/program/")),
      previous_(ProgramPath()) {
  SetProgramPath(root_);
  QDir().mkpath(skins());
}

SkinHome::~SkinHome() {
  SetProgramPath(previous_);
}

QString SkinHome::skins() const {
  return root_ + QStringLiteral("data/skins/");
}

QString SkinHome::temp() const {
  return root_ + QStringLiteral("data/temp/");
}

QStringList SkinHome::filesOutsideTemp() const {
  QStringList files;
  const QDir program(root_);
  QDirIterator it(scratch_.path(), QDir::Files | QDir::Hidden | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    if (!file.startsWith(temp())) {
      files << program.relativeFilePath(file);
    }
  }
  files.sort();
  return files;
}
