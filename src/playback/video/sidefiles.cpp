#include "playback/video/sidefiles.h"

#include <QDir>
#include <QFileInfo>

QString FindSubtitleFile(const QString& videoPath) {
  static const char* const kExtensions[] = {"IDX", "SMI", "SUB", "SRT", "PSB", "SSA", "ASS", "USF"};
  const QFileInfo video(videoPath);
  const QString stem = video.dir().filePath(video.completeBaseName()) + QLatin1Char('.');
  for (const char* extension : kExtensions) {
    const QString upper = QString::fromLatin1(extension);
    // Linux names are case-sensitive: the files as written on the other system are upper case,
    // those made here mostly lower case.
    for (const QString& candidate : {stem + upper, stem + upper.toLower()}) {
      if (QFileInfo(candidate).isFile()) {
        return candidate;
      }
    }
  }
  return QString();
}

QString NextScreenshotName(const QString& folder, const QString& videoPath) {
  const QString base = QDir(folder).filePath(QFileInfo(videoPath).fileName());
  for (int counter = 1; counter <= 999; ++counter) {
    const QString name = base + QStringLiteral(".%1.png").arg(counter, 3, 10, QLatin1Char('0'));
    if (!QFileInfo::exists(name)) {
      return name;
    }
  }
  return QString();
}
