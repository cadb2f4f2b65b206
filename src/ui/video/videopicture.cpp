#include "ui/video/videopicture.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <algorithm>

#include "components/screensaver/screensaver.h"
#include "playback/video/aspect.h"

TZDigitalZoomError::TZDigitalZoomError(int value)
    : std::out_of_range(QStringLiteral("Value %1 out of range. Value must bee between 0 -> 99")
                            .arg(value)
                            .toStdString()) {}

int OsdFontHeight(int referenceHeight, int fontSize) {
  return referenceHeight / (50 - std::min(fontSize, 49));
}

TZVideoPicture::TZVideoPicture(QWidget* parent)
    : QWidget(parent),
      screenSaver_(std::make_unique<TZScreenSaverInhibitor>(QStringLiteral("Playing video"))) {
  setObjectName(QStringLiteral("VideoPicture"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAutoFillBackground(false);
  // Takes the keyboard focus, so the local hotkeys know the video area has it.
  setFocusPolicy(Qt::StrongFocus);
}

TZVideoPicture::~TZVideoPicture() = default;

namespace {

// Frames that arrive closer together than this were never meant to be seen one by one (a sink
// catching up, a burst after a seek): the newer replaces the older.
constexpr auto kBurst = std::chrono::milliseconds(4);
// Frames that may wait while the GUI thread is held up (starting up, a menu opening); each is
// painted in turn once it is free. Beyond that the oldest go, so the picture never lags far.
constexpr size_t kWaitingRoom = 3;

}  // namespace

void TZVideoPicture::PresentFrame(const QImage& frame) {
  const auto now = std::chrono::steady_clock::now();
  QMutexLocker lock(&mutex_);
  if (!pending_.empty() && now - pending_.back().arrived < kBurst) {
    pending_.pop_back();
    dropped_.fetch_add(1);
  }
  if (pending_.size() == kWaitingRoom) {
    pending_.pop_front();
    dropped_.fetch_add(1);
  }
  pending_.push_back({frame, now});
  pendingCleared_ = false;
  QueueTake();
}

void TZVideoPicture::ClearFrame() {
  QMutexLocker lock(&mutex_);
  pending_.clear();
  pendingCleared_ = true;
  QueueTake();
}

// Called with the mutex held.
void TZVideoPicture::QueueTake() {
  if (!takeQueued_) {
    takeQueued_ = true;
    QMetaObject::invokeMethod(this, &TZVideoPicture::TakePendingFrame, Qt::QueuedConnection);
  }
}

void TZVideoPicture::TakePendingFrame() {
  QImage taken;
  bool cleared = false;
  bool more = false;
  {
    QMutexLocker lock(&mutex_);
    if (!pending_.empty()) {
      taken = std::move(pending_.front().frame);
      pending_.pop_front();
    }
    cleared = pendingCleared_;
    pendingCleared_ = false;
    more = !pending_.empty();
    takeQueued_ = more;
  }
  if (cleared) {
    frame_ = QImage();
    update();
  }
  if (taken.isNull()) {
    return;
  }
  const bool newSize = taken.size() != frame_.size();
  frame_ = std::move(taken);
  const QRect changed = newSize ? rect() : PictureRect();
  if (!more) {
    update(changed);
    return;
  }
  // A later frame waits: this one is painted now, or the next take would replace it unseen.
  repaint(changed);
  QMetaObject::invokeMethod(this, &TZVideoPicture::TakePendingFrame, Qt::QueuedConnection);
}

void TZVideoPicture::SetAspectLayout(std::function<QRect(QSize)> layout) {
  layout_ = std::move(layout);
  ApplyAspectLayout();
}

void TZVideoPicture::ApplyAspectLayout() {
  update();
}

QRect TZVideoPicture::PictureRect() const {
  return layout_ ? layout_(size()) : rect();
}

void TZVideoPicture::SetDigitalZoom(int value) {
  if (!::DigitalZoomSource(QSize(100, 100), value)) {
    throw TZDigitalZoomError(value);
  }
  zoom_ = value;
  update(PictureRect());
}

void TZVideoPicture::SetOsdText(const QString& text, const TZOsdStyle& style) {
  osd_ = text;
  osdStyle_ = style;
  update();
}

QRect TZVideoPicture::ShownSource() const {
  return ::DigitalZoomSource(frame_.size(), zoom_).value_or(frame_.rect());
}

std::optional<QPointF> TZVideoPicture::VideoPoint(QPointF controlPoint) const {
  const QRect pictureRect = PictureRect();
  if (frame_.isNull() || pictureRect.isEmpty() || !QRectF(pictureRect).contains(controlPoint)) {
    return std::nullopt;
  }
  const QRectF source = ShownSource();
  const double fx = (controlPoint.x() - pictureRect.x()) / pictureRect.width();
  const double fy = (controlPoint.y() - pictureRect.y()) / pictureRect.height();
  return QPointF(source.x() + fx * source.width(), source.y() + fy * source.height());
}

void TZVideoPicture::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  const QRect pictureRect = PictureRect();
  if (!frame_.isNull() && !pictureRect.isEmpty()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(pictureRect), frame_, QRectF(ShownSource()));
  }
  DrawOsd(painter);
}

void TZVideoPicture::DrawOsd(QPainter& painter) {
  if (osd_.isEmpty()) {
    return;
  }
  QFont font(osdStyle_.Font.Name);
  font.setPixelSize(std::max(1, OsdFontHeight(osdStyle_.ReferenceHeight, osdStyle_.Font.Size)));
  painter.setFont(font);
  const QSize text = painter.fontMetrics().size(Qt::TextSingleLine, osd_);
  const QRect place(OsdTextOrigin(osdStyle_.Position, size(), text), text);
  painter.fillRect(place, Qt::black);
  painter.setPen(osdStyle_.Font.Color);
  painter.drawText(place, Qt::AlignLeft | Qt::AlignTop, osd_);
}

void TZVideoPicture::SetScreenSaverDisabled(bool disabled) {
  noScreenSaver_ = disabled;
  UpdateScreenSaver();
}

void TZVideoPicture::SetPlaying(bool playing) {
  playing_ = playing;
  UpdateScreenSaver();
}

bool TZVideoPicture::HoldsScreenSaver() const {
  return screenSaver_->Held();
}

// Held only while all three are true: the setting, video that plays, and the control on screen.
void TZVideoPicture::UpdateScreenSaver() {
  screenSaver_->SetHeld(noScreenSaver_ && playing_ && isVisible());
}

void TZVideoPicture::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  UpdateScreenSaver();
}

void TZVideoPicture::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  UpdateScreenSaver();
}

void TZVideoPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit pressed();
  }
}

void TZVideoPicture::mouseMoveEvent(QMouseEvent* event) {
  emit mouseActive();
  if (const auto point = VideoPoint(event->position())) {
    emit pointerMoved(*point);
  }
}

void TZVideoPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  if (const auto point = VideoPoint(event->position())) {
    emit pointerReleased(*point);
  }
}

void TZVideoPicture::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit doubleClicked();
  }
}

void TZVideoPicture::contextMenuEvent(QContextMenuEvent* event) {
  emit contextMenuRequested(event->globalPos());
}
