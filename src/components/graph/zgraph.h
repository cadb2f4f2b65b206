#pragma once
// A thin layer over GStreamer that the player, the video window and the filter-graph scripts
// share: graphs (pipelines), filters (elements) and their pins (pads), the system's catalogue of
// filters and the plugin files that add to it. No GStreamer type appears in this header; a
// component that must reach the element itself includes zgraphnative.h.
//
// Everything here is called on the GUI thread. Bus messages arrive there as Qt signals.

#include <QObject>
#include <QString>
#include <QUuid>
#include <QVariant>
#include <memory>
#include <vector>

// Initialises GStreamer once; later calls only report the result of the first.
bool ZGraphInit();
// The version of the GStreamer library that is really loaded ("1.22.0").
QString ZGraphVersion();

enum class ZPinDirection { Input = 0, Output = 1 };

struct ZPinInfo {
  QString name;
  ZPinDirection direction = ZPinDirection::Input;
  bool operator==(const ZPinInfo&) const = default;
};

// One factory of the system catalogue: its short name ("audioconvert"), its long name ("Audio
// converter"), its classification ("Filter/Converter/Audio"), a class identifier that stays the
// same from run to run, and its pad templates.
struct ZFilterFactoryInfo {
  QString name;
  QString longName;
  QString classification;
  QUuid classId;
  std::vector<ZPinInfo> pins;
};

// Every factory the registry knows, ordered by short name.
std::vector<ZFilterFactoryInfo> ZSystemFilters();
// The factory of that short name; an empty name when there is none.
ZFilterFactoryInfo ZFilterFactory(const QString& name);
// The short name of the factory whose long or short name equals `name` ignoring case; empty when
// there is none (or it was forgotten, see ZForgetPluginFile).
QString ZFindFilterFactory(const QString& name);
// A name-based (version 5) UUID of the factory's short name.
QUuid ZFilterClassId(const QString& factoryName);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
QString ZClassIdText(const QUuid& id);

// The folders GStreamer loads its own plugins from.
QStringList ZPluginSystemFolders();
// Loads a plugin file into the registry, so that its factories can be found and created.
bool ZLoadPluginFile(const QString& path);
// A loaded plugin cannot leave the process, so forgetting it takes its factories out of the
// registry: they are no longer found or listed. Loading the file again brings them back.
void ZForgetPluginFile(const QString& path);

// A filter: a shared reference to one element. Copies refer to the same element.
class ZFilter {
 public:
  ZFilter();
  // A new element of the factory named by its short or long name; null when there is none.
  static ZFilter Create(const QString& factoryName, const QString& name = QString());

  bool IsNull() const { return !ref_; }
  explicit operator bool() const { return !IsNull(); }
  bool operator==(const ZFilter& other) const;

  QString Name() const;
  QString FactoryName() const;
  // The pins in enumeration order: the element's pads as they are now, then one pin per pad
  // template that makes pads on request or when data arrives, named by the template ("src_%u").
  std::vector<ZPinInfo> Pins() const;
  // Whether the pin `index` of Pins() is linked, or waits for a pin that appears when data
  // flows (template pins never are).
  bool PinConnected(int index) const;

  // Plain properties (numbers, booleans, texts, enumerations by nick or number); false when the
  // element has no such property or the value does not fit.
  bool SetProperty(const char* name, const QVariant& value);
  QVariant Property(const char* name) const;

  // The file-source interface: the element reads a file or URI it is told.
  bool HasSourceInterface() const;
  bool LoadSourceFile(const QString& path);

  // Other component folders reach the element through zgraphnative.h.
  struct Ref;
  explicit ZFilter(std::shared_ptr<Ref> ref) : ref_(std::move(ref)) {}
  const std::shared_ptr<Ref>& ref() const { return ref_; }

 private:
  std::shared_ptr<Ref> ref_;
};

enum class ZGraphState { Stopped, Paused, Playing };

// A graph: one pipeline, the filters in it and its bus.
class ZGraph : public QObject {
  Q_OBJECT
 public:
  explicit ZGraph(QObject* parent = nullptr);
  ~ZGraph() override;
  ZGraph(const ZGraph&) = delete;
  ZGraph& operator=(const ZGraph&) = delete;

  bool Add(const ZFilter& filter);
  // Stops the graph and takes the filter out without freeing it (the caller may still hold it).
  bool Remove(const ZFilter& filter);
  bool Contains(const ZFilter& filter) const;
  std::vector<ZFilter> Filters() const;
  // Stops the graph and takes every filter out.
  void Clear();

  // Intelligent connect: links the first free pin of `a` in direction `dirA` whose name contains
  // `textA` (ignoring case; empty matches all) with the first free pin of `b` likewise. The output
  // side feeds the input side; when they do not fit, converters or a decoder are put between
  // them. Pins that appear only when data flows are linked when they appear. On failure nothing
  // stays linked or inserted.
  bool Connect(const ZFilter& a, ZPinDirection dirA, const QString& textA, const ZFilter& b,
               ZPinDirection dirB, const QString& textB);

  // The automatic path: a decoder for `uri` (or a local path) whose audio goes through
  // converters and `audioChain` (linked in order, the last one the sink) and whose video goes
  // through a converter into `videoSink`. The chains join the graph when their stream appears;
  // streams without a place go to a discarding sink. Empty chains and null sinks are allowed.
  bool RenderFile(const QString& uriOrPath, const std::vector<ZFilter>& audioChain,
                  const ZFilter& videoSink);
  // The same, with the subtitle streams going through `subtitleChain` into the video sink's
  // "subtitle_sink" pin. A chain that begins with a stream selector ("sink_%u" pins) takes
  // every stream of its kind; the others take the first.
  bool RenderFile(const QString& uriOrPath, const std::vector<ZFilter>& audioChain,
                  const ZFilter& videoSink, const std::vector<ZFilter>& subtitleChain);

  // State changes return false only when the change fails at once; they may complete later.
  bool SetState(ZGraphState state);
  // Waits for a pending state change; true when the graph is now in `state`. After RenderFile
  // that includes the decoder handing every stream it chose to its chain; an error on the bus
  // ends the wait with false.
  bool WaitForState(ZGraphState state, int timeoutMs);
  ZGraphState State() const;

  // Positions and durations in nanoseconds; -1 when unknown.
  qint64 Position() const;
  qint64 Duration() const;
  bool Seek(qint64 nanoseconds);
  // Plays at `rate` times normal speed from the current position.
  bool SetRate(double rate);
  double Rate() const { return rate_; }

  struct Impl;
  Impl* impl() const { return d_.get(); }

 signals:
  void EndOfStream();
  void ErrorOccurred(const QString& source, const QString& message);
  void StateChanged(ZGraphState state);
  // An element's own message (the name of its structure), for components that post them.
  void ElementMessage(const QString& source, const QString& name);

 private:
  std::unique_ptr<Impl> d_;
  double rate_ = 1.0;
};
