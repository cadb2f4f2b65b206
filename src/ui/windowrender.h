#pragma once
// Off-screen pictures of the skinned windows, as a person would see them on the desktop: the
// window's face cut to its shape, everything outside the shape fully transparent.

#include <QImage>
#include <QString>

class QWidget;

QImage RenderWindow(QWidget& window);

// Renders the window and saves it as PNG; false when the file cannot be written.
bool SaveWindowRender(QWidget& window, const QString& path);
