// A tiny plugin file that the tests load into the registry as a user's filter file: one element
// that copies its input to two outputs, with pins named the way a filter of another system
// might name them.

#include <gst/gst.h>

namespace {

struct TestSplitter {
  GstElement parent;
  GstPad* input;
  GstPad* outputs[2];
};

struct TestSplitterClass {
  GstElementClass parent;
};

GstStaticPadTemplate inputTemplate =
    GST_STATIC_PAD_TEMPLATE("Input", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);
GstStaticPadTemplate output1Template =
    GST_STATIC_PAD_TEMPLATE("Output1", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);
GstStaticPadTemplate output2Template =
    GST_STATIC_PAD_TEMPLATE("Output2", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);

GType test_splitter_get_type();
G_DEFINE_TYPE(TestSplitter, test_splitter, GST_TYPE_ELEMENT)

GstFlowReturn Chain(GstPad*, GstObject* parent, GstBuffer* buffer) {
  auto* self = reinterpret_cast<TestSplitter*>(parent);
  GstFlowReturn result = GST_FLOW_NOT_LINKED;
  for (GstPad* output : self->outputs) {
    if (gst_pad_is_linked(output)) {
      const GstFlowReturn pushed = gst_pad_push(output, gst_buffer_ref(buffer));
      if (pushed != GST_FLOW_NOT_LINKED) {
        result = pushed;
      }
    }
  }
  gst_buffer_unref(buffer);
  return result;
}

void test_splitter_class_init(TestSplitterClass* klass) {
  auto* element = GST_ELEMENT_CLASS(klass);
  gst_element_class_set_static_metadata(element, "Zephonic Test Splitter", "Generic",
                                        "Copies its input to two outputs", "Zephonic tests");
  gst_element_class_add_static_pad_template(element, &inputTemplate);
  gst_element_class_add_static_pad_template(element, &output1Template);
  gst_element_class_add_static_pad_template(element, &output2Template);
}

void test_splitter_init(TestSplitter* self) {
  self->input = gst_pad_new_from_static_template(&inputTemplate, "Input");
  gst_pad_set_chain_function(self->input, Chain);
  GST_PAD_SET_PROXY_CAPS(self->input);
  gst_element_add_pad(GST_ELEMENT(self), self->input);
  GstStaticPadTemplate* templates[] = {&output1Template, &output2Template};
  for (int i = 0; i < 2; ++i) {
    self->outputs[i] = gst_pad_new_from_static_template(templates[i], templates[i]->name_template);
    GST_PAD_SET_PROXY_CAPS(self->outputs[i]);
    gst_element_add_pad(GST_ELEMENT(self), self->outputs[i]);
  }
}

gboolean PluginInit(GstPlugin* plugin) {
  return gst_element_register(plugin, "zephonictestsplitter", GST_RANK_NONE,
                              test_splitter_get_type());
}

}  // namespace

#define PACKAGE "zephonic-tests"
GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, zephonictest,
                  "A filter file for the graph tests", PluginInit, "1.0", "LGPL", PACKAGE,
                  "https://zephonic.invalid/")
