#pragma once
// The program's own video renderer for graphs: a filter that turns whatever video reaches it into
// RGB32 pictures and hands them to a callback, with the colour controls and the subtitle overlay
// in front. It draws nothing itself, so it works wherever Qt draws (X11 and Wayland alike).

#include <QImage>
#include <QSize>
#include <functional>
#include <memory>

#include "components/graph/zgraph.h"

// Colour controls in the element's own units.
struct ZVideoColour {
  double Brightness = 0;  // -1 .. 1
  double Contrast = 1;    // 0 .. 2
  double Hue = 0;         // -1 .. 1
  double Saturation = 1;  // 0 .. 2
  double Gamma = 1;       // 0.01 .. 10
};

typedef struct _GstElement GstElement;
// Sets a videobalance and a gamma element, the pair every picture chain carries, to the colour.
void ZApplyVideoColour(GstElement* balance, GstElement* gamma, const ZVideoColour& colour);

class ZVideoSink {
 public:
  // Called on a streaming thread with each picture at its native size. The image shares the
  // decoder's buffer, which stays alive while any copy of the image does.
  using FrameHandler = std::function<void(const QImage&)>;

  // Makes the filter; Filter() is null when an element is missing.
  ZVideoSink();
  ~ZVideoSink();
  ZVideoSink(const ZVideoSink&) = delete;
  ZVideoSink& operator=(const ZVideoSink&) = delete;

  const ZFilter& Filter() const { return filter_; }
  void SetFrameHandler(FrameHandler handler);
  void SetColour(const ZVideoColour& colour);
  // Whether the subtitle stream (when one is linked) is drawn over the picture.
  void SetSubtitlesShown(bool shown);

  // The last picture shown (null before the first) and its size.
  QImage LastFrame() const;
  // Pictures delivered since the last Reset().
  qint64 FrameCount() const;
  // Forgets the last picture (a new item starts).
  void Reset();

  struct Shared;

 private:
  ZFilter filter_;
  std::shared_ptr<Shared> shared_;
};
