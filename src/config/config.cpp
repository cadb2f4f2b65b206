#include "config/config.h"

#include <QDir>

#include "components/text/textfile.h"
#include "config/configkeys.h"
#include "config/configline.h"

namespace {

const QStringList kHeader{
    QStringLiteral("// ****************************"),
    QStringLiteral("// Zephonic Configuration File"),
    QStringLiteral("// ******************************"),
    QStringLiteral("// Attention:"),
    QStringLiteral("//   This file is automatic created by Zephonic"),
    QStringLiteral("//   Don\u00B4t modified this file"),
    QStringLiteral("/////////////////////////////////////////////////"),
};

}  // namespace

QString TZConfig::DefaultLastDir() {
  return QDir::homePath() + u'/';
}

QList<TZGraphEntry> TZConfig::DefaultGraphs() {
  return {{QStringLiteral("Tracker"), QStringLiteral("Tracker")},
          {QStringLiteral("RealMedia"), QStringLiteral("RealMedia")}};
}

TZConfig& Config() {
  static TZConfig config;
  return config;
}

void SetConfigDefaults(TZConfig& config) {
  config = TZConfig();
}

void ApplyConfigLines(const QStringList& lines, TZConfig& config) {
  for (const TZConfigKey& key : ConfigKeys()) {
    if (const auto line = FindKeyLine(lines, key.Name))
      key.Read(BracketValue(*line), config);
  }
}

bool LoadConfigFile(const QString& path, TZConfig& config) {
  QStringList lines;
  if (!ReadTextLines(path, &lines))
    return false;
  ApplyConfigLines(lines, config);
  return true;
}

QStringList ConfigFileLines(const TZConfig& config) {
  QStringList lines = kHeader;
  for (const TZConfigKey& key : ConfigKeys()) {
    // Marks where the media-controls window's settings begin.
    if (key.Name == QLatin1String("MediaConVis"))
      lines << QStringLiteral("// MediaControls");
    lines << key.Name + QLatin1String(" [ ") + key.Write(config) + QLatin1String(" ]");
  }
  return lines;
}

bool SaveConfigFile(const QString& path, const TZConfig& config) {
  return WriteTextLines(path, ConfigFileLines(config));
}
