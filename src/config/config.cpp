#include "config/config.h"

#include <QDir>
#include <array>
#include <span>
#include <vector>

#include "base/text/textfile.h"
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

// The keys by their first character: a line is compared only with the keys that can match it.
class KeysByFirstCharacter {
 public:
  explicit KeysByFirstCharacter(const std::vector<TZConfigKey>& keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
      Q_ASSERT(!keys[i].Name.isEmpty() && keys[i].Name.front().unicode() < kGroups);
      groups_[keys[i].Name.front().unicode()].push_back(i);
    }
  }
  std::span<const size_t> startingWith(QChar c) const {
    return c.unicode() < kGroups ? std::span(groups_[c.unicode()]) : std::span<const size_t>();
  }

 private:
  static constexpr char16_t kGroups = 128;  // key names are ASCII
  std::array<std::vector<size_t>, kGroups> groups_;
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

// Gives every key the line FindKeyLine would, in one pass over the lines instead of one per key.
void ApplyConfigLines(const QStringList& lines, TZConfig& config) {
  const std::vector<TZConfigKey>& keys = ConfigKeys();
  static const KeysByFirstCharacter byFirst(keys);
  std::vector<const QString*> keyLines(keys.size(), nullptr);
  for (const QString& line : lines) {
    if (line.isEmpty()) {
      continue;
    }
    for (const size_t i : byFirst.startingWith(line.front())) {
      const QString& name = keys[i].Name;
      if (!keyLines[i] && line.size() > name.size() && line.startsWith(name)) {
        keyLines[i] = &line;
      }
    }
  }
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keyLines[i]) {
      keys[i].Read(BracketValue(*keyLines[i]), config);
    }
  }
}

bool LoadConfigFile(const QString& path, TZConfig& config) {
  QStringList lines;
  if (!ReadTextLines(path, &lines)) {
    return false;
  }
  ApplyConfigLines(lines, config);
  return true;
}

QStringList ConfigFileLines(const TZConfig& config) {
  const std::vector<TZConfigKey>& keys = ConfigKeys();
  QStringList lines = kHeader;
  lines.reserve(kHeader.size() + 1 + qsizetype(keys.size()));
  for (const TZConfigKey& key : keys) {
    // Marks where the media-controls window's settings begin.
    if (key.Name == QLatin1String("MediaConVis")) {
      lines << QStringLiteral("// MediaControls");
    }
    const QString value = key.Write(config);
    QString line;
    line.reserve(key.Name.size() + value.size() + 5);
    line += key.Name;
    line += QLatin1String(" [ ");
    line += value;
    line += QLatin1String(" ]");
    lines << std::move(line);
  }
  return lines;
}

bool SaveConfigFile(const QString& path, const TZConfig& config) {
  return WriteTextLines(path, ConfigFileLines(config));
}
