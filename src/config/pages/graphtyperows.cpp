#include "config/pages/graphtyperows.h"

#include <QDir>
#include <QFileInfo>

#include "base/programpath.h"

namespace {

const QString kScriptExtension = QStringLiteral(".zgraph");

bool HasType(const QList<TZGraphEntry>& rows, const QString& type) {
  for (const TZGraphEntry& row : rows) {
    if (row.Type.compare(type, Qt::CaseInsensitive) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

QList<TZGraphEntry> GraphTypeRows(const std::vector<TFilterGraphScript>& catalogue,
                                  const TZConfig& config,
                                  const std::function<bool(const QString&)>& scriptExists,
                                  const QString& noScript) {
  QList<TZGraphEntry> rows;
  for (const TFilterGraphScript& script : catalogue) {
    if (HasType(rows, script.TypeName)) {
      continue;
    }
    const int index = FindGraphType(config, script.TypeName);
    const QString assigned = index >= 0 ? config.Graphs[index].Script : QString();
    const bool usable = !assigned.isEmpty() && scriptExists(assigned);
    rows.push_back({script.TypeName, usable ? assigned : noScript});
  }
  return rows;
}

QStringList ScriptChoices(const std::vector<TFilterGraphScript>& catalogue, const QString& type,
                          const QString& noScript) {
  QStringList choices{noScript};
  for (const TFilterGraphScript& script : catalogue) {
    if (script.TypeName == type) {
      choices.push_back(script.Name);
    }
  }
  return choices;
}

QStringList DvdScriptNames() {
  const QDir folder(DataPath() + QStringLiteral("dvdgraphs/"));
  QStringList names;
  for (const QString& file :
       folder.entryList({QStringLiteral("*") + kScriptExtension}, QDir::Files, QDir::Name)) {
    names.push_back(file.chopped(kScriptExtension.size()));
  }
  return names;
}

bool MediaScriptExists(const QString& name) {
  return QFileInfo(DataPath() + QStringLiteral("dsgraphs/") + name + kScriptExtension).isFile();
}
