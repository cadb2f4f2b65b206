#include "preview.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>
#include <string>

#include "artkit.h"
#include "skinlayout.h"
#include "windows.h"

namespace {

// Cuts picture `index` of an element from the sheet.
QImage Piece(const QImage& sheet, const char* element, int index = 0) {
  return sheet.copy(PictureRects(FindPiece(element)).at(index));
}

// Draws a piece the way an image control with see-through transparent colour does.
void Show(QPainter& p, const QPoint& at, const QImage& piece) {
  p.drawImage(at, Soften(piece));
}

void ShowBar(QPainter& p, const QImage& sheet, const char* element, const QPoint& at,
             double share) {
  const QImage empty = Piece(sheet, element, 0);
  const QImage full = Piece(sheet, element, 1);
  QImage bar = empty;
  QPainter bp(&bar);
  const int filled = static_cast<int>(empty.width() * share);
  bp.drawImage(QPoint(0, 0), full, QRect(0, 0, filled, full.height()));
  bp.end();
  Show(p, at, bar);
}

void ShowTime(QPainter& p, const QImage& sheet, const QPoint& at, const int (&cells)[9]) {
  for (int k = 0; k < 9; ++k) {
    Show(p, at + QPoint(k * form::kTimeCellStep, 0), Piece(sheet, "main.time", cells[k]));
  }
}

void ShowTitle(QPainter& p, const QPoint& at, const QString& text) {
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(at, QSize(180, 13)), Qt::AlignLeft | Qt::AlignVCenter, text);
}

QImage MainWindow(const QImage& sheet) {
  QImage window = Soften(Piece(sheet, "main.surface"));
  QPainter p(&window);
  Show(p, form::kMainCaption, Piece(sheet, "main.caption", 1));
  Show(p, form::kClose, Piece(sheet, "main.close", 2));
  Show(p, form::kMinimize, Piece(sheet, "main.minimize", 1));
  Show(p, form::kAnalyser, Piece(sheet, "main.analyser"));
  for (int b = 0; b < 21; ++b) {
    const int h = static_cast<int>(4 + 17 * std::fabs(std::sin(b * 0.55 + 0.3)) * (1 - b / 30.0));
    const int x = form::kAnalyser.x() + b * 4;
    const int bottom = form::kAnalyser.y() + 25;
    p.fillRect(QRect(x, bottom - h, 3, h), QColor(200, 200, 200));
    p.fillRect(QRect(x, bottom - h - 3, 3, 1), Qt::white);
  }
  Show(p, form::kStatus, Piece(sheet, "main.status2"));
  Show(p, form::kMainTitle, Piece(sheet, "main.title"));
  ShowTitle(p, form::kMainTitleText, "Aurora Lane - Northern Lights (Extended Mix)");
  ShowBar(p, sheet, "main.positionBar", form::kPositionBar, 0.42);
  const char* const transport[6] = {"main.rewind", "main.play",    "main.pause",
                                    "main.stop",   "main.forward", "main.eject"};
  for (int i = 0; i < 6; ++i) {
    Show(p, form::kTransport[i], Piece(sheet, transport[i], i == 1 ? 3 : (i == 4 ? 2 : 1)));
  }
  ShowBar(p, sheet, "main.volumeBar", form::kVolumeBar, 0.7);
  Show(p, form::kBalance, Piece(sheet, "main.balance"));
  Show(p, form::kBalance + QPoint(17, 0), Piece(sheet, "main.balanceKnob"));
  Show(p, form::kMainMute, Piece(sheet, "main.mute", 1));
  Show(p, form::kPlayMode, Piece(sheet, "main.playMode", 3));
  Show(p, form::kAutoFullscreen, Piece(sheet, "main.autoFullscreen", 1));
  Show(p, form::kAutoVideoResize, Piece(sheet, "main.autoVideoResize", 3));
  ShowTime(p, sheet, form::kTime, {10, 0, 1, 11, 2, 7, 11, 4, 9});
  return window;
}

QImage MediaWindow(const QImage& sheet) {
  QImage window = Soften(Piece(sheet, "media.surface"));
  QPainter p(&window);
  Show(p, form::kMediaCaption, Piece(sheet, "media.caption", 0));
  const QImage background = Piece(sheet, "media.seekBackground");
  auto seek = [&](const QPoint& at, double share, bool dragged) {
    Show(p, at, background);
    const int travel = 63 - 12;
    Show(p, at + QPoint(0, static_cast<int>(std::lround((1 - share) * travel))),
         Piece(sheet, "media.seekKnob", dragged ? 1 : 0));
  };
  seek(form::kSpeed, 3.0 / 9.0, false);
  const int bands[10] = {16, 15, 13, 12, 10, 11, 13, 15, 17, 18};
  for (int k = 0; k < 10; ++k) {
    seek(form::EqualizerBand(k), bands[k] / 24.0, k == 4);
  }
  return window;
}

QImage FullscreenWindow(const QImage& sheet) {
  QImage window = Soften(Piece(sheet, "fullscreen.surface"));
  QPainter p(&window);
  Show(p, form::kClose, Piece(sheet, "main.close", 1));
  Show(p, form::kFullscreenTitle, Piece(sheet, "fullscreen.title"));
  ShowTitle(p, form::kFullscreenTitleText, "Night Drive.mkv");
  ShowBar(p, sheet, "main.positionBar", form::kPositionBar, 0.8);
  const char* const transport[5] = {"main.rewind", "main.play", "main.pause", "main.stop",
                                    "main.forward"};
  for (int i = 0; i < 5; ++i) {
    Show(p, form::kTransport[i], Piece(sheet, transport[i], i == 2 ? 2 : 1));
  }
  ShowBar(p, sheet, "main.volumeBar", form::kVolumeBar, 0.4);
  Show(p, form::kFullscreenMute, Piece(sheet, "main.mute", 3));
  ShowTime(p, sheet, form::kTime, {12, 0, 0, 11, 3, 5, 11, 0, 8});
  return window;
}

std::vector<QImage> FramePiecesOf(const QImage& sheet, const char* element) {
  std::vector<QImage> pieces;
  for (const QRect& r : PictureRects(FindPiece(element))) {
    pieces.push_back(sheet.copy(r));
  }
  return pieces;
}

// A resizable window at the given size: its frame, caption bar and resize grip.
QImage FramedWindow(const QImage& sheet, const std::string& window, int width, int height) {
  QImage picture =
      Soften(ComposeFrame(FramePiecesOf(sheet, (window + ".frame").c_str()), width, height));
  QPainter p(&picture);
  Show(p, QPoint(0, 0), Piece(sheet, (window + ".caption").c_str(), 0));
  Show(p, QPoint(width - 10, height - 10), Piece(sheet, (window + ".grip").c_str()));
  return picture;
}

QImage PlaylistWindow(const QImage& sheet) {
  constexpr int kW = 300, kH = 200;
  QImage window = FramedWindow(sheet, "playlist", kW, kH);
  QPainter p(&window);
  const int listLeft = 10, listTop = 11, listWidth = kW - 20, statusHeight = 14;
  const int listHeight = kH - 11 - 10 - statusHeight;
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  p.setFont(font);
  const char* const rows[] = {"Aurora Lane - Northern Lights", "Blue Harbour - Tidewater",
                              "Cold Open - Static Bloom",      "Desert Radio (stream)",
                              "Echo Park - Sidewalk Tales",    "Film Night.mkv",
                              "Glass Arcade - Neon Rain",      "Holiday DVD",
                              "Inland Sea - Low Tide",         "Juniper - First Frost"};
  const int iconKinds[] = {0, 0, 1, 2, 0, 3, 0, 5, 0, 0};
  const int rowHeight = 14;
  for (int i = 0; i < 10 && (i + 1) * rowHeight <= listHeight; ++i) {
    const QRect row(listLeft, listTop + i * rowHeight, listWidth, rowHeight);
    QColor text = Qt::black;
    if (i == 2 || i == 3) {
      p.fillRect(row, QColor(106, 106, 106));
      p.setPen(QColor(90, 90, 90));
      p.drawRect(row.adjusted(0, 0, -1, -1));
      text = QColor(150, 150, 150);
    }
    if (i == 0) {
      text = Qt::white;
    }
    const QImage icon =
        Soften(Piece(sheet, "playlist.fileIcons", iconKinds[i]))
            .scaled(rowHeight - 2, rowHeight - 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.drawImage(row.topLeft() + QPoint(1, 1), icon);
    p.setPen(text);
    p.drawText(row.adjusted(rowHeight + 3, 0, 0, 0), Qt::AlignVCenter,
               QString("%1.)  %2").arg(i + 1).arg(rows[i]));
  }
  const QImage status = Piece(sheet, "playlist.statusBar");
  const int statusTop = listTop + listHeight;
  for (int x = 0; x < listWidth; x += status.width()) {
    p.drawImage(QPoint(listLeft + x, statusTop), status, QRect(0, 0, listWidth - x, statusHeight));
  }
  p.setPen(Qt::black);
  p.drawText(QRect(listLeft, statusTop, listWidth - 4, statusHeight),
             Qt::AlignRight | Qt::AlignVCenter,
             "Entrys: 10 playduration: 0 day(s) 0 hour(s) 41 minute(s)");
  Show(p, QPoint(listLeft + listWidth, listTop + 18), Piece(sheet, "playlist.thumb", 0));
  return window;
}

}  // namespace

QImage DrawPreview(const QImage& sheet) {
  constexpr int kScale = 2;
  QImage desk(QSize(640, 600), QImage::Format_RGB32);
  QPainter p(&desk);
  QLinearGradient wallpaper(0, 0, 640, 600);
  wallpaper.setColorAt(0, QColor(92, 112, 140));
  wallpaper.setColorAt(1, QColor(156, 132, 120));
  p.fillRect(desk.rect(), wallpaper);
  p.drawImage(QPoint(20, 20), MainWindow(sheet));
  p.drawImage(QPoint(20, 120), PlaylistWindow(sheet));
  p.drawImage(QPoint(20, 340), MediaWindow(sheet));
  p.drawImage(QPoint(20, 450), FullscreenWindow(sheet));
  p.drawImage(QPoint(340, 20), FramedWindow(sheet, "video", 240, 150));
  p.drawImage(QPoint(340, 205), Piece(sheet, "main.menuSide"));
  p.drawImage(QPoint(375, 205), Piece(sheet, "playlist.menuSide"));
  p.drawImage(QPoint(410, 205), Piece(sheet, "video.dvdMenuSide"));
  p.drawImage(QPoint(445, 205), Piece(sheet, "media.menuSide"));
  const QImage icons = sheet.copy(FindPiece("playlist.fileIcons").first.x(), 143, 32, 236);
  p.drawImage(QPoint(490, 205), icons);
  p.end();
  return desk.scaled(desk.size() * kScale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
