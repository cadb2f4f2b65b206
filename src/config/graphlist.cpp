#include <algorithm>
#include <limits>

#include "base/text/textfile.h"
#include "config/config.h"
#include "config/configline.h"

namespace {

const QString kSeparator = QStringLiteral("}:x:{");
constexpr qsizetype kNameLength = 255;

}  // namespace

bool ApplyGraphListLines(const QStringList& lines, TZConfig& config) {
  if (lines.isEmpty()) {
    return false;
  }
  const auto count = TZValueScanner(lines.first()).Integer(0, std::numeric_limits<int>::max());
  if (!count) {
    return false;
  }
  // Lines beyond the end of the file read as empty and add nothing, so stop there.
  const qsizetype last = std::min<qsizetype>(*count, lines.size() - 1);
  QList<TZGraphEntry> graphs;
  for (qsizetype i = 1; i <= last; ++i) {
    const QString& line = lines[i];
    const qsizetype at = line.indexOf(kSeparator);
    if (at < 0) {
      continue;
    }
    graphs.append({CutText(line.left(at), kNameLength),
                   CutText(line.mid(at + kSeparator.size()), kNameLength)});
  }
  config.Graphs = graphs;
  return true;
}

bool LoadGraphList(const QString& path, TZConfig& config) {
  QStringList lines;
  return ReadTextLines(path, &lines) && ApplyGraphListLines(lines, config);
}

QStringList GraphListLines(const TZConfig& config) {
  QStringList lines{QString::number(config.Graphs.size())};
  for (const TZGraphEntry& entry : config.Graphs) {
    lines << entry.Type + kSeparator + entry.Script;
  }
  return lines;
}

bool SaveGraphList(const QString& path, const TZConfig& config) {
  return WriteTextLines(path, GraphListLines(config));
}

int FindGraphType(const TZConfig& config, const QString& type) {
  for (int i = 0; i < config.Graphs.size(); ++i) {
    if (config.Graphs[i].Type.compare(type, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return -1;
}

int FindGraphPair(const TZConfig& config, const QString& type, const QString& script) {
  for (int i = 0; i < config.Graphs.size(); ++i) {
    const TZGraphEntry& entry = config.Graphs[i];
    if (entry.Type.compare(type, Qt::CaseInsensitive) == 0 &&
        entry.Script.compare(script, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return -1;
}
