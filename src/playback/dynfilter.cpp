#include "playback/dynfilter.h"

#include <algorithm>

namespace {

constexpr int kMaxPinName = 128;

bool IsAudioSink(const QString& factory) {
  const QString classification = ZFilterFactory(factory).classification;
  return classification.contains(QLatin1String("Sink")) &&
         classification.contains(QLatin1String("Audio"));
}

// The factory of a device of a category, by its friendly name; empty when there is none.
QString FindDevice(const QString& category, const QString& name) {
  if (category.compare(kDirectShowFilters, Qt::CaseInsensitive) == 0) {
    return ZFindFilterFactory(name);
  }
  if (category.compare(kAudioRenderers, Qt::CaseInsensitive) == 0) {
    if (name.compare(kDefaultSoundDevice, Qt::CaseInsensitive) == 0) {
      return QStringLiteral("autoaudiosink");
    }
    const QString factory = ZFindFilterFactory(name);
    return IsAudioSink(factory) ? factory : QString();
  }
  return QString();
}

std::vector<TDynFilterDSPin> SnapshotPins(const std::vector<ZPinInfo>& pins) {
  std::vector<TDynFilterDSPin> snapshot;
  for (const ZPinInfo& pin : pins) {
    snapshot.push_back({pin.name.left(kMaxPinName), static_cast<int>(pin.direction)});
  }
  return snapshot;
}

}  // namespace

TDynFilter::~TDynFilter() {
  ClearFilters();
  graph_ = nullptr;
}

void TDynFilter::ClearFilters() {
  if (graph_) {
    for (const TDynFilterItem& item : items_) {
      graph_->Remove(item.FilterObject);
    }
  }
  items_.clear();
}

int TDynFilter::IndexOf(const QString& name) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].ScriptName.compare(name, Qt::CaseInsensitive) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool TDynFilter::AddFromCategory(const QString& category, const QString& filterName,
                                 const QString& scriptName) {
  const QString name = scriptName.isEmpty() ? filterName : scriptName;
  if (category.isEmpty() || filterName.isEmpty() || IndexOf(filterName) >= 0 ||
      IndexOf(name) >= 0) {
    return false;
  }
  TDynFilterItem item;
  item.Category = category;
  item.ScriptName = name;
  const QString factory = FindDevice(category, filterName);
  if (!factory.isEmpty()) {
    item.FilterObject = ZFilter::Create(factory);
  }
  item.Ok = !item.FilterObject.IsNull();
  items_.push_back(item);
  return item.Ok;
}

bool TDynFilter::AddExisting(const ZFilter& filter, const QString& name) {
  if (IndexOf(name) >= 0) {
    return false;
  }
  items_.push_back({QString(), name, filter, filter, !filter.IsNull()});
  return true;
}

void TDynFilter::AttachToGraph(ZGraph* graph) {
  for (const TDynFilterItem& item : items_) {
    if (graph_) {
      graph_->Remove(item.FilterObject);
    }
    if (graph) {
      graph->Add(item.FilterObject);
    }
  }
  graph_ = graph;
}

ZFilter TDynFilter::FilterOf(const QString& name) const {
  const int index = IndexOf(name);
  return index >= 0 ? items_[index].FilterObject : ZFilter();
}

bool TDynFilter::ConnectByDirection(const QString& from, ZPinDirection directionFrom,
                                    ZPinDirection directionTo, const QString& to) {
  return ConnectByPinName(from, QString(), QString(), to, directionFrom, directionTo);
}

bool TDynFilter::ConnectByPinName(const QString& from, const QString& pinFrom, const QString& pinTo,
                                  const QString& to, ZPinDirection directionFrom,
                                  ZPinDirection directionTo) {
  const ZFilter a = FilterOf(from);
  const ZFilter b = FilterOf(to);
  return graph_ && a && b && graph_->Connect(a, directionFrom, pinFrom, b, directionTo, pinTo);
}

TDynFilterDSFilters TDynFilter::ListSystemFilters() {
  TDynFilterDSFilters filters;
  for (const ZFilterFactoryInfo& info : ZSystemFilters()) {
    filters.push_back({info.longName, info.classId, SnapshotPins(info.pins)});
  }
  return filters;
}

TDynFilterDSFilters TDynFilter::ListGraphFilters() const {
  TDynFilterDSFilters filters;
  if (!graph_) {
    return filters;
  }
  for (const ZFilter& filter : graph_->Filters()) {
    const auto listed = std::find_if(items_.begin(), items_.end(), [&](const TDynFilterItem& item) {
      return item.FilterObject == filter;
    });
    const ZFilterFactoryInfo factory = ZFilterFactory(filter.FactoryName());
    filters.push_back({listed != items_.end() ? listed->ScriptName : factory.longName,
                       factory.classId, SnapshotPins(filter.Pins())});
  }
  return filters;
}
