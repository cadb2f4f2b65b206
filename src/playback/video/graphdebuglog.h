#pragma once
// GStreamer's own debug output about one graph, appended to a text file while "DebugEnabled"
// is on (the program folder's dxlog.txt). Messages of other pipelines are left out.

#include <QString>
#include <memory>

#include "components/graph/zgraph.h"

class TZGraphDebugLog {
 public:
  // Writes GStreamer's messages about `graph` (up to informational ones) until destroyed.
  TZGraphDebugLog(const ZGraph& graph, const QString& fileName);
  ~TZGraphDebugLog();
  TZGraphDebugLog(const TZGraphDebugLog&) = delete;
  TZGraphDebugLog& operator=(const TZGraphDebugLog&) = delete;

  struct Sink;

 private:
  std::unique_ptr<Sink> sink_;
};
