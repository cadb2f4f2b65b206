#include "components/ui/formmagnet.h"

#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

#include "base/zdebug.h"

namespace {

// Moves of one window that the magnets cause themselves are not snapped again.
bool& Placing() {
  static bool placing = false;
  return placing;
}

// The smallest shift (at most distance) that puts one of the window's edges on a target.
void Consider(int edge, int target, int distance, int* best) {
  const int shift = target - edge;
  if (std::abs(shift) <= distance && std::abs(shift) < std::abs(*best)) {
    *best = shift;
  }
}

bool Overlap(int a1, int a2, int b1, int b2, int slack) {
  return a1 <= b2 + slack && b1 <= a2 + slack;
}

}  // namespace

QPoint SnapPosition(const QRect& window, const std::vector<QRect>& screens,
                    const std::vector<QRect>& partners, int distance) {
  const int none = distance + 1;
  int dx = none;
  int dy = none;
  for (const QRect& screen : screens) {
    Consider(window.left(), screen.left(), distance, &dx);
    Consider(window.right(), screen.right(), distance, &dx);
    Consider(window.top(), screen.top(), distance, &dy);
    Consider(window.bottom(), screen.bottom(), distance, &dy);
  }
  for (const QRect& partner : partners) {
    if (Overlap(window.top(), window.bottom(), partner.top(), partner.bottom(), distance)) {
      Consider(window.left(), partner.right() + 1, distance, &dx);
      Consider(window.right(), partner.left() - 1, distance, &dx);
      Consider(window.left(), partner.left(), distance, &dx);
      Consider(window.right(), partner.right(), distance, &dx);
    }
    if (Overlap(window.left(), window.right(), partner.left(), partner.right(), distance)) {
      Consider(window.top(), partner.bottom() + 1, distance, &dy);
      Consider(window.bottom(), partner.top() - 1, distance, &dy);
      Consider(window.top(), partner.top(), distance, &dy);
      Consider(window.bottom(), partner.bottom(), distance, &dy);
    }
  }
  return window.topLeft() + QPoint(dx == none ? 0 : dx, dy == none ? 0 : dy);
}

bool Docked(const QRect& a, const QRect& b) {
  const bool sideBySide = b.left() == a.right() + 1 || b.right() + 1 == a.left();
  const bool stacked = b.top() == a.bottom() + 1 || b.bottom() + 1 == a.top();
  return (sideBySide && Overlap(a.top(), a.bottom(), b.top(), b.bottom(), 0)) ||
         (stacked && Overlap(a.left(), a.right(), b.left(), b.right(), 0));
}

TZFormMagnet::TZFormMagnet(QWidget& window, bool glue, std::function<void()> moved)
    : QObject(&window),
      window_(window),
      glue_(glue),
      moved_(std::move(moved)),
      last_(window.pos()) {
  if (PlacementAllowed()) {
    window_.installEventFilter(this);
  }
}

void TZFormMagnet::SetPartners(std::vector<QWidget*> partners) {
  partners_.assign(partners.begin(), partners.end());
}

bool TZFormMagnet::PlacementAllowed() {
  static const bool allowed = [] {
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (wayland) {
      ZLog(QStringLiteral("Window magnets off: the window system places the windows itself."));
    }
    return !wayland;
  }();
  return allowed;
}

bool TZFormMagnet::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) {
    return false;
  }
  if (event->type() == QEvent::Show) {
    last_ = window_.pos();
  } else if (event->type() == QEvent::Move && window_.isVisible()) {
    OnMoved();
  }
  return false;
}

// The window system may report moves of its own (the first mapping of a window); glue follows
// only what moved since the last place this magnet saw.
void TZFormMagnet::OnMoved() {
  if (Placing()) {
    last_ = window_.pos();
    return;
  }
  const QPoint from = last_;
  Placing() = true;
  std::vector<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(screen->availableGeometry());
  }
  std::vector<QRect> partners;
  for (const QPointer<QWidget>& partner : partners_) {
    if (partner && partner->isVisible()) {
      partners.push_back(partner->frameGeometry());
    }
  }
  const QPoint snapped = SnapPosition(window_.frameGeometry(), screens, partners);
  if (snapped != window_.pos()) {
    window_.move(snapped);
  }
  if (glue_) {
    const QPoint delta = window_.pos() - from;
    const QRect before(from, window_.frameGeometry().size());
    for (const QPointer<QWidget>& partner : partners_) {
      if (partner && partner->isVisible() && Docked(before, partner->frameGeometry())) {
        partner->move(partner->pos() + delta);
      }
    }
  }
  Placing() = false;
  last_ = window_.pos();
  if (moved_) {
    moved_();
  }
}
