#pragma once
// Finding and linking pins inside the graph layer.

#include <QString>

#include "components/graph/gstref.h"
#include "components/graph/zgraph.h"

// A free pin: an existing unlinked pad, or a template that makes pads on request or as data
// arrives.
struct ZPinChoice {
  GstObjectPtr<GstPad> pad;
  GstPadTemplate* padTemplate = nullptr;  // borrowed from the element's class
  ZPinDirection direction = ZPinDirection::Input;
};

// The first free pin of `element` in `direction` whose name contains `text` ignoring case.
bool FindFreePin(GstElement* element, ZPinDirection direction, const QString& text,
                 ZPinChoice* choice);

// Links `src` to `sink` inside `bin`; when they do not fit, puts converters or a decoder between
// them. Nothing stays linked or inserted on failure.
bool LinkPads(GstBin* bin, GstPad* src, GstPad* sink);

// Marks an input that waits for a pad to appear: it counts as connected.
inline constexpr char kAwaitedPin[] = "zephonic-awaited";

// Links the next pad that `element` makes from `padTemplate` to `sink` once it appears.
void LinkWhenPadAppears(GstElement* element, GstPadTemplate* padTemplate, GstPad* sink);
