#pragma once
// Window magnets: a window being moved snaps to the screen edges and to its partner windows
// when it comes within a few pixels of them; with glue, windows docked to it move along.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <functional>
#include <vector>

class QWidget;

inline constexpr int kMagnetDistance = 15;

// Where a window at `window` settles: each axis moves to the nearest edge of a screen or of a
// partner (outside against it, or aligned with it) when that is at most `distance` away.
QPoint SnapPosition(const QRect& window, const std::vector<QRect>& screens,
                    const std::vector<QRect>& partners, int distance = kMagnetDistance);

// True when b lies against an edge of a (touching, overlapping along that edge).
bool Docked(const QRect& a, const QRect& b);

class TZFormMagnet : public QObject {
  Q_OBJECT

 public:
  // glue: windows docked to this one move with it. moved runs after every move, once snapped.
  TZFormMagnet(QWidget& window, bool glue, std::function<void()> moved);

  void SetPartners(std::vector<QWidget*> partners);
  // False where the window system places windows itself (Wayland); the magnet then does nothing.
  static bool PlacementAllowed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnMoved();

  QWidget& window_;
  bool glue_;
  std::function<void()> moved_;
  QPoint last_;
  std::vector<QPointer<QWidget>> partners_;
};
