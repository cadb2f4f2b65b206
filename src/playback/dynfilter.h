#pragma once
// The dynamic filter list: named filters that a filter-graph script builds a graph from. Each
// entry holds one filter under the name scripts use; the list puts all its filters into a graph
// or takes them out, connects two of them pin to pin, and lists every filter the system offers.

#include <QString>
#include <QUuid>
#include <vector>

#include "components/graph/zgraph.h"

struct TDynFilterItem {
  QString Category;    // the category it was taken from; empty for wrapped filters
  QString ScriptName;  // unique in the list, compared ignoring case
  ZFilter FilterObject;
  ZFilter BaseFilter;  // wrapped filters: the filter given
  bool Ok = false;     // the filter could be bound
};

struct TDynFilterDSPin {
  QString Name;       // at most 128 characters
  int Direction = 0;  // input 0, output 1
};

struct TDynFilterDSFilter {
  QString Name;
  QUuid ClassId;
  std::vector<TDynFilterDSPin> Pins;
};
using TDynFilterDSFilters = std::vector<TDynFilterDSFilter>;

// The categories of AddFromCategory.
inline const QString kDirectShowFilters = QStringLiteral("DirectShow Filters");
inline const QString kAudioRenderers = QStringLiteral("Audio Renderers");
// The system's default sound output in the category "Audio Renderers".
inline const QString kDefaultSoundDevice = QStringLiteral("Default DirectSound Device");

class TDynFilter {
 public:
  TDynFilter() = default;
  ~TDynFilter();
  TDynFilter(const TDynFilter&) = delete;
  TDynFilter& operator=(const TDynFilter&) = delete;

  void ClearFilters();
  int IndexOf(const QString& name) const;
  // Appends an entry for the filter `filterName` of `category` (friendly names, ignoring case),
  // named `scriptName` or else `filterName`. The entry stays even when the filter is not found;
  // the result says whether it was.
  bool AddFromCategory(const QString& category, const QString& filterName,
                       const QString& scriptName = QString());
  bool AddExisting(const ZFilter& filter, const QString& name);
  // Every entry's filter joins `graph`; null takes them out of their graph without freeing them.
  void AttachToGraph(ZGraph* graph);
  ZGraph* Graph() const { return graph_; }
  ZFilter FilterOf(const QString& name) const;
  bool ConnectByDirection(const QString& from, ZPinDirection directionFrom,
                          ZPinDirection directionTo, const QString& to);
  // Like ConnectByDirection, taking the first free pins whose names contain the given texts.
  bool ConnectByPinName(const QString& from, const QString& pinFrom, const QString& pinTo,
                        const QString& to, ZPinDirection directionFrom = ZPinDirection::Output,
                        ZPinDirection directionTo = ZPinDirection::Input);
  // Every filter of the category "DirectShow Filters", rebuilt on every call.
  static TDynFilterDSFilters ListSystemFilters();
  // Every filter now in the attached graph, in the graph's order, with the pins it has now;
  // listed filters under their script names, the others under their long names.
  TDynFilterDSFilters ListGraphFilters() const;

  const std::vector<TDynFilterItem>& Items() const { return items_; }

 private:
  std::vector<TDynFilterItem> items_;
  ZGraph* graph_ = nullptr;
};
