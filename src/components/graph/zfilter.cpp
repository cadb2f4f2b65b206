// Filters (elements) and their pins (pads).

#include <QFileInfo>
#include <QUrl>

#include "components/graph/pins.h"
#include "components/graph/zgraphnative.h"

struct ZFilter::Ref {
  explicit Ref(GstElement* e) : element(e) {}
  ~Ref() { gst_object_unref(element); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  GstElement* element;
};

namespace {

ZPinDirection DirectionOf(GstPadDirection direction) {
  return direction == GST_PAD_SRC ? ZPinDirection::Output : ZPinDirection::Input;
}

// The element's pads in its own order, each with a reference.
std::vector<GstObjectPtr<GstPad>> PadsOf(GstElement* element) {
  std::vector<GstObjectPtr<GstPad>> pads;
  GST_OBJECT_LOCK(element);
  for (GList* item = GST_ELEMENT_PADS(element); item; item = item->next) {
    pads.push_back(RefObject(GST_PAD(item->data)));
  }
  GST_OBJECT_UNLOCK(element);
  return pads;
}

// Templates whose pads come on request or when data arrives.
std::vector<GstPadTemplate*> OnDemandTemplates(GstElement* element) {
  std::vector<GstPadTemplate*> templates;
  for (GList* item = gst_element_class_get_pad_template_list(GST_ELEMENT_GET_CLASS(element)); item;
       item = item->next) {
    auto* padTemplate = GST_PAD_TEMPLATE(item->data);
    if (GST_PAD_TEMPLATE_PRESENCE(padTemplate) != GST_PAD_ALWAYS) {
      templates.push_back(padTemplate);
    }
  }
  return templates;
}

QString PadName(GstPad* pad) {
  GCharPtr name(gst_pad_get_name(pad));
  return QString::fromUtf8(name.get());
}

bool PropertyValue(GParamSpec* param, const QVariant& value, GValue* out) {
  g_value_init(out, param->value_type);
  if (G_TYPE_IS_ENUM(param->value_type) && value.typeId() == QMetaType::QString) {
    return gst_value_deserialize(out, value.toString().toUtf8().constData());
  }
  GValue text = G_VALUE_INIT;
  g_value_init(&text, G_TYPE_STRING);
  g_value_set_string(&text, value.toString().toUtf8().constData());
  const bool ok = g_value_type_transformable(G_TYPE_STRING, param->value_type)
                      ? g_value_transform(&text, out)
                      : gst_value_deserialize(out, value.toString().toUtf8().constData());
  g_value_unset(&text);
  return ok;
}

}  // namespace

ZFilter::ZFilter() = default;

ZFilter ZFilter::Create(const QString& factoryName, const QString& name) {
  const QString factory = ZFindFilterFactory(factoryName);
  if (factory.isEmpty()) {
    return ZFilter();
  }
  GstElement* element = gst_element_factory_make(
      factory.toUtf8().constData(), name.isEmpty() ? nullptr : name.toUtf8().constData());
  if (!element) {
    return ZFilter();
  }
  return ZWrapElement(element);
}

bool ZFilter::operator==(const ZFilter& other) const {
  return ZNativeElement(*this) == ZNativeElement(other);
}

QString ZFilter::Name() const {
  if (!ref_) {
    return QString();
  }
  GCharPtr name(gst_element_get_name(ref_->element));
  return QString::fromUtf8(name.get());
}

QString ZFilter::FactoryName() const {
  GstElementFactory* factory = ref_ ? gst_element_get_factory(ref_->element) : nullptr;
  return factory ? QString::fromUtf8(gst_plugin_feature_get_name(factory)) : QString();
}

std::vector<ZPinInfo> ZFilter::Pins() const {
  std::vector<ZPinInfo> pins;
  if (!ref_) {
    return pins;
  }
  for (const auto& pad : PadsOf(ref_->element)) {
    pins.push_back({PadName(pad.get()), DirectionOf(GST_PAD_DIRECTION(pad.get()))});
  }
  for (GstPadTemplate* padTemplate : OnDemandTemplates(ref_->element)) {
    pins.push_back({QString::fromUtf8(GST_PAD_TEMPLATE_NAME_TEMPLATE(padTemplate)),
                    DirectionOf(GST_PAD_TEMPLATE_DIRECTION(padTemplate))});
  }
  return pins;
}

bool ZFilter::PinConnected(int index) const {
  if (!ref_ || index < 0) {
    return false;
  }
  const auto pads = PadsOf(ref_->element);
  if (index >= static_cast<int>(pads.size())) {
    return false;
  }
  GstPad* pad = pads[index].get();
  return gst_pad_is_linked(pad) || g_object_get_data(G_OBJECT(pad), kAwaitedPin);
}

bool ZFilter::SetProperty(const char* name, const QVariant& value) {
  GParamSpec* param =
      ref_ ? g_object_class_find_property(G_OBJECT_GET_CLASS(ref_->element), name) : nullptr;
  if (!param || !(param->flags & G_PARAM_WRITABLE)) {
    return false;
  }
  GValue converted = G_VALUE_INIT;
  const bool ok = PropertyValue(param, value, &converted);
  if (ok) {
    g_object_set_property(G_OBJECT(ref_->element), name, &converted);
  }
  g_value_unset(&converted);
  return ok;
}

QVariant ZFilter::Property(const char* name) const {
  GParamSpec* param =
      ref_ ? g_object_class_find_property(G_OBJECT_GET_CLASS(ref_->element), name) : nullptr;
  if (!param || !(param->flags & G_PARAM_READABLE)) {
    return QVariant();
  }
  GValue value = G_VALUE_INIT;
  g_value_init(&value, param->value_type);
  g_object_get_property(G_OBJECT(ref_->element), name, &value);
  QVariant result;
  if (G_VALUE_HOLDS_BOOLEAN(&value)) {
    result = bool(g_value_get_boolean(&value));
  } else if (G_VALUE_HOLDS_STRING(&value)) {
    result = QString::fromUtf8(g_value_get_string(&value));
  } else if (G_VALUE_HOLDS_DOUBLE(&value) || G_VALUE_HOLDS_FLOAT(&value)) {
    GValue number = G_VALUE_INIT;
    g_value_init(&number, G_TYPE_DOUBLE);
    g_value_transform(&value, &number);
    result = g_value_get_double(&number);
    g_value_unset(&number);
  } else {
    GValue number = G_VALUE_INIT;
    g_value_init(&number, G_TYPE_INT64);
    if (g_value_transform(&value, &number)) {
      result = qint64(g_value_get_int64(&number));
    }
    g_value_unset(&number);
  }
  g_value_unset(&value);
  return result;
}

bool ZFilter::HasSourceInterface() const {
  return ref_ && GST_IS_URI_HANDLER(ref_->element) &&
         gst_uri_handler_get_uri_type(GST_URI_HANDLER(ref_->element)) == GST_URI_SRC;
}

bool ZFilter::LoadSourceFile(const QString& path) {
  if (!HasSourceInterface()) {
    return false;
  }
  const QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString();
  return gst_uri_handler_set_uri(GST_URI_HANDLER(ref_->element), uri.toUtf8().constData(), nullptr);
}

GstElement* ZNativeElement(const ZFilter& filter) {
  return filter.ref() ? filter.ref()->element : nullptr;
}

ZFilter ZWrapElement(GstElement* element) {
  if (!element) {
    return ZFilter();
  }
  gst_object_ref_sink(element);
  return ZFilter(std::make_shared<ZFilter::Ref>(element));
}

bool FindFreePin(GstElement* element, ZPinDirection direction, const QString& text,
                 ZPinChoice* choice) {
  const auto fits = [&](GstPadDirection padDirection, const QString& name) {
    return DirectionOf(padDirection) == direction && name.contains(text, Qt::CaseInsensitive);
  };
  for (auto& pad : PadsOf(element)) {
    if (!gst_pad_is_linked(pad.get()) && fits(GST_PAD_DIRECTION(pad.get()), PadName(pad.get()))) {
      choice->pad = std::move(pad);
      choice->direction = direction;
      return true;
    }
  }
  for (GstPadTemplate* padTemplate : OnDemandTemplates(element)) {
    if (fits(GST_PAD_TEMPLATE_DIRECTION(padTemplate),
             QString::fromUtf8(GST_PAD_TEMPLATE_NAME_TEMPLATE(padTemplate)))) {
      choice->padTemplate = padTemplate;
      choice->direction = direction;
      return true;
    }
  }
  return false;
}
