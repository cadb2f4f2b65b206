#pragma once
// The keys of "config.zcfg" in the order in which they are written and matched, each with the
// way its value is read into the record and written from it.

#include <QString>
#include <functional>
#include <vector>

#include "config/config.h"

struct TZConfigKey {
  QString Name;
  // Converts the text between the brackets; a value that cannot be read leaves the field as it
  // is, a keyword outside its list sets the key's fallback.
  std::function<void(const QString& value, TZConfig& config)> Read;
  std::function<QString(const TZConfig& config)> Write;
};

const std::vector<TZConfigKey>& ConfigKeys();
