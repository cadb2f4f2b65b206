#pragma once
// For component folders that extend the graph layer with elements of their own (the DSP filter,
// the video sink): the GStreamer objects behind the layer's types. Nothing above the component
// folders includes this.

#include <gst/gst.h>

#include "components/graph/zgraph.h"

// The element of a filter; borrowed, valid while the filter is.
GstElement* ZNativeElement(const ZFilter& filter);
// A filter for an element; takes its own reference (and sinks a floating one).
ZFilter ZWrapElement(GstElement* element);
// The pipeline of a graph; borrowed.
GstElement* ZNativePipeline(const ZGraph& graph);
// Marks an input whose stream may begin long after the others (a disc navigator makes each output
// as its stream starts): the graph layer then never ends it as unfed.
void ZKeepInputOpen(GstPad* input);
