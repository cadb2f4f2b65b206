#include "playback/video/aspect.h"

#include <cmath>

namespace {

QSize RatioOf(QSize size) {
  if (size.width() <= 0 || size.height() <= 0) {
    return {1, 1};
  }
  return size;
}

// The user's numbers are truncated like the other ratios are whole numbers; a side that
// truncates to nothing would divide by zero, so such a pair counts as 1:1.
QSize UserRatioOf(TZUserRatio ratio) {
  if (!std::isfinite(ratio.Width) || !std::isfinite(ratio.Height) || ratio.Width >= 1e9f ||
      ratio.Height >= 1e9f) {
    return {1, 1};
  }
  return RatioOf({static_cast<int>(ratio.Width), static_cast<int>(ratio.Height)});
}

}  // namespace

TZAspectLayout ApplyAspectRatio(TVideoRatio mode, TZUserRatio userRatio, QSize nativeSize,
                                QRect area) {
  TZAspectLayout layout{amStretched, {1, 1}, {}};
  switch (mode) {
    case vrLetterbox:
      layout = {amLetterBox, RatioOf(nativeSize), {}};
      break;
    case vrStretched:
      layout.Ratio = RatioOf(area.size());
      break;
    case vrCrop:
      layout = {amCrop, RatioOf(nativeSize), {}};
      break;
    case vr4To3:
      layout.Ratio = {4, 3};
      break;
    case vr16To9:
      layout.Ratio = {16, 9};
      break;
    case vr235To1:
      layout.Ratio = {235, 100};
      break;
    case vrUserdef:
      layout.Ratio = UserRatioOf(userRatio);
      break;
  }
  layout.Picture = FitPicture(layout.Ratio, area);
  return layout;
}

QRect FitPicture(QSize ratio, QRect area) {
  const qint64 w = area.width(), h = area.height();
  const qint64 rw = ratio.width(), rh = ratio.height();
  if (w <= 0 || h <= 0 || rw <= 0 || rh <= 0) {
    return {area.topLeft(), QSize(0, 0)};
  }
  // rw / rh > w / h, compared without rounding.
  if (rw * h > w * rh) {
    const int height = static_cast<int>(w * rh / rw);
    return {area.left(), area.top() + static_cast<int>((h - height) / 2), static_cast<int>(w),
            height};
  }
  const int width = static_cast<int>(h * rw / rh);
  return {area.left() + static_cast<int>((w - width) / 2), area.top(), width, static_cast<int>(h)};
}

std::optional<QSize> ZoomVideoClientSize(int percent, QSize nativeSize) {
  bool known = false;
  for (int p : ZoomPercents) {
    known = known || p == percent;
  }
  if (!known || nativeSize.width() < 0 || nativeSize.height() < 0) {
    return std::nullopt;
  }
  return QSize(percent * (nativeSize.width() / 100), percent * (nativeSize.height() / 100));
}

std::optional<QRect> DigitalZoomSource(QSize source, int value) {
  if (value < 0 || value > 99) {
    return std::nullopt;
  }
  const int width = source.width() * (100 - value) / 100;
  const int height = source.height() * (100 - value) / 100;
  return QRect((source.width() - width) / 2, (source.height() - height) / 2, width, height);
}
