#include "playback/video/graphdebuglog.h"

#include <algorithm>

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

#include "components/graph/zgraphnative.h"

struct TZGraphDebugLog::Sink {
  QMutex mutex;
  QFile file;
  GstElement* pipeline = nullptr;  // borrowed: the graph outlives the log
  GstDebugLevel threshold = GST_LEVEL_NONE;
};

namespace {

bool BelongsTo(GObject* object, GstElement* pipeline) {
  if (!object || !GST_IS_OBJECT(object)) {
    return false;
  }
  for (GstObject* at = GST_OBJECT(object); at; at = GST_OBJECT_PARENT(at)) {
    if (at == GST_OBJECT(pipeline)) {
      return true;
    }
  }
  return false;
}

// Runs on whichever thread logs.
void WriteMessage(GstDebugCategory* category, GstDebugLevel level, const gchar*, const gchar*, gint,
                  GObject* object, GstDebugMessage* message, gpointer data) {
  auto* sink = static_cast<TZGraphDebugLog::Sink*>(data);
  if (level > GST_LEVEL_INFO || !BelongsTo(object, sink->pipeline)) {
    return;
  }
  const QString line = QStringLiteral("%1 %2 %3: %4\r\n")
                           .arg(QString::fromUtf8(gst_debug_level_get_name(level)).trimmed(),
                                QString::fromUtf8(gst_debug_category_get_name(category)),
                                QString::fromUtf8(GST_OBJECT_NAME(object)),
                                QString::fromUtf8(gst_debug_message_get(message)));
  QMutexLocker lock(&sink->mutex);
  sink->file.write(line.toUtf8());
  sink->file.flush();
}

}  // namespace

TZGraphDebugLog::TZGraphDebugLog(const ZGraph& graph, const QString& fileName)
    : sink_(std::make_unique<Sink>()) {
  sink_->pipeline = ZNativePipeline(graph);
  sink_->file.setFileName(fileName);
  if (!sink_->file.open(QIODevice::Append | QIODevice::Text)) {
    return;
  }
  // The messages go to the file instead of the terminal, which would drown in them.
  sink_->threshold = gst_debug_get_default_threshold();
  gst_debug_remove_log_function(gst_debug_log_default);
  gst_debug_set_default_threshold(std::max(sink_->threshold, GST_LEVEL_INFO));
  gst_debug_add_log_function(WriteMessage, sink_.get(), nullptr);
}

TZGraphDebugLog::~TZGraphDebugLog() {
  if (!sink_->file.isOpen()) {
    return;
  }
  gst_debug_remove_log_function_by_data(sink_.get());
  gst_debug_set_default_threshold(sink_->threshold);
  gst_debug_add_log_function(gst_debug_log_default, nullptr, nullptr);
}
