#pragma once
// The declarations every filter-graph script is compiled against: the pin and filter records
// and the host functions that build a graph. The host gives these lines to SetPrelude and binds
// a function under each `native` name.

#include <QStringList>

QStringList FilterGraphPrelude();
