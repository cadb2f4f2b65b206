// The system's catalogue of filters: GStreamer's registry of element factories and the plugin
// files that add to it.

#include <QDir>
#include <algorithm>
#include <mutex>

#include "components/graph/gstref.h"
#include "components/graph/zgraph.h"

namespace {

// The namespace of the program's filter class identifiers; changing it changes every identifier.
const QUuid kClassIdNamespace(QStringLiteral("{6f1c2b7e-3d59-4a8e-9c41-2e7f0a5d8b13}"));

struct FeatureListFree {
  void operator()(GList* list) const { gst_plugin_feature_list_free(list); }
};
using FeatureList = std::unique_ptr<GList, FeatureListFree>;

FeatureList ElementFactories() {
  return FeatureList(gst_registry_get_feature_list(gst_registry_get(), GST_TYPE_ELEMENT_FACTORY));
}

QString LongName(GstElementFactory* factory) {
  return QString::fromUtf8(
      gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME));
}

QString Classification(GstElementFactory* factory) {
  return QString::fromUtf8(gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS));
}

std::vector<ZPinInfo> TemplatePins(GstElementFactory* factory) {
  std::vector<ZPinInfo> pins;
  for (const GList* item = gst_element_factory_get_static_pad_templates(factory); item;
       item = item->next) {
    const auto* pad = static_cast<const GstStaticPadTemplate*>(item->data);
    pins.push_back({QString::fromUtf8(pad->name_template),
                    pad->direction == GST_PAD_SRC ? ZPinDirection::Output : ZPinDirection::Input});
  }
  return pins;
}

ZFilterFactoryInfo InfoOf(GstElementFactory* factory) {
  const QString name = QString::fromUtf8(gst_plugin_feature_get_name(factory));
  return {name, LongName(factory), Classification(factory), ZFilterClassId(name),
          TemplatePins(factory)};
}

}  // namespace

bool ZGraphInit() {
  static bool ok = false;
  static std::once_flag once;
  std::call_once(once, [] { ok = gst_init_check(nullptr, nullptr, nullptr); });
  return ok;
}

QString ZGraphVersion() {
  GCharPtr version(gst_version_string());
  const QString text = QString::fromUtf8(version.get());
  return text.section(QLatin1Char(' '), -1);
}

std::vector<ZFilterFactoryInfo> ZSystemFilters() {
  std::vector<ZFilterFactoryInfo> filters;
  if (!ZGraphInit()) {
    return filters;
  }
  const FeatureList factories = ElementFactories();
  for (GList* item = factories.get(); item; item = item->next) {
    filters.push_back(InfoOf(GST_ELEMENT_FACTORY(item->data)));
  }
  std::sort(
      filters.begin(), filters.end(),
      [](const ZFilterFactoryInfo& a, const ZFilterFactoryInfo& b) { return a.name < b.name; });
  return filters;
}

ZFilterFactoryInfo ZFilterFactory(const QString& name) {
  GstObjectPtr<GstElementFactory> factory(
      ZGraphInit() ? gst_element_factory_find(name.toUtf8().constData()) : nullptr);
  return factory ? InfoOf(factory.get()) : ZFilterFactoryInfo();
}

QString ZFindFilterFactory(const QString& name) {
  if (name.isEmpty() || !ZGraphInit()) {
    return QString();
  }
  // Most names are given exactly as the registry keeps them; only the others need the walk.
  const GstObjectPtr<GstElementFactory> exact(gst_element_factory_find(name.toUtf8().constData()));
  if (exact) {
    return name;
  }
  QString byLongName;
  const FeatureList factories = ElementFactories();
  for (GList* item = factories.get(); item; item = item->next) {
    auto* factory = GST_ELEMENT_FACTORY(item->data);
    const QString shortName = QString::fromUtf8(gst_plugin_feature_get_name(factory));
    if (shortName.compare(name, Qt::CaseInsensitive) == 0) {
      return shortName;
    }
    if (byLongName.isEmpty() && LongName(factory).compare(name, Qt::CaseInsensitive) == 0) {
      byLongName = shortName;
    }
  }
  return byLongName;
}

QUuid ZFilterClassId(const QString& factoryName) {
  return QUuid::createUuidV5(kClassIdNamespace, factoryName);
}

QString ZClassIdText(const QUuid& id) {
  return id.toString(QUuid::WithBraces).toUpper();
}

QStringList ZPluginSystemFolders() {
  const QByteArray fromEnvironment = qgetenv("GST_PLUGIN_SYSTEM_PATH_1_0");
  const QString folders = fromEnvironment.isEmpty() ? QStringLiteral(ZGRAPH_SYSTEM_PLUGIN_DIR)
                                                    : QString::fromLocal8Bit(fromEnvironment);
  return folders.split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

bool ZLoadPluginFile(const QString& path) {
  if (!ZGraphInit()) {
    return false;
  }
  GError* error = nullptr;
  GstPlugin* plugin = gst_plugin_load_file(QFile::encodeName(path).constData(), &error);
  if (error) {
    g_error_free(error);
  }
  if (!plugin) {
    return false;
  }
  gst_object_unref(plugin);
  return true;
}

void ZForgetPluginFile(const QString& path) {
  if (!ZGraphInit()) {
    return;
  }
  GstRegistry* registry = gst_registry_get();
  GstPlugin* plugin = gst_registry_lookup(registry, QFile::encodeName(path).constData());
  if (plugin) {
    gst_registry_remove_plugin(registry, plugin);
    gst_object_unref(plugin);
  }
}
