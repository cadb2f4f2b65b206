#pragma once
// What the "Filter" page lists: one row per media type of the script catalogue, with the
// script the graph list gives it, and the scripts that may be chosen for a type.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "config/config.h"
#include "playback/graphscripts.h"

// One row per distinct type name (first spelling met, compared ignoring case). The script is the
// graph list's for the type when `scriptExists` says its file is there, else `noScript`.
QList<TZGraphEntry> GraphTypeRows(const std::vector<TFilterGraphScript>& catalogue,
                                  const TZConfig& config,
                                  const std::function<bool(const QString&)>& scriptExists,
                                  const QString& noScript);

// `noScript`, then every catalogue script whose type is exactly `type`.
QStringList ScriptChoices(const std::vector<TFilterGraphScript>& catalogue, const QString& type,
                          const QString& noScript);

// The base names of the DVD scripts ("*.zgraph" in the data folder's "dvdgraphs/"), sorted.
QStringList DvdScriptNames();
// True when the data folder's "dsgraphs/" holds <name>.zgraph.
bool MediaScriptExists(const QString& name);
