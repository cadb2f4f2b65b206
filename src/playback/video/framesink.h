#pragma once
// Where the video engines deliver decoded pictures: the video window's picture control
// implements it, tests implement it to count and look at frames.

#include <QImage>

class TZVideoFrameSink {
 public:
  virtual ~TZVideoFrameSink() = default;

  // A decoded picture at its native size (RGB32). Called on a streaming thread: the sink keeps
  // the image (it shares the decoder's buffer) and repaints on the GUI thread.
  virtual void PresentFrame(const QImage& frame) = 0;
  // Nothing plays any more: the picture shows black.
  virtual void ClearFrame() = 0;
};
