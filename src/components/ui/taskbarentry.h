#pragma once
// Which of the program's windows the desktop's taskbar lists, and what the listed one is called.
// On X11 a window leaves the taskbar through _NET_WM_STATE_SKIP_TASKBAR; on other window systems
// only the wish is kept.

#include <QString>

class QWidget;

// The program's title on the taskbar and the tray: "Zephonic %s" filled with the title text.
QString ApplicationTitle(const QString& title);

// The taskbar lists the program by its main window alone: every other window of the program is
// left off it whenever it shows.
void ListOnTaskbarAlone(QWidget& main);
// Lists or unlists the window; holds across hiding and showing it again.
void SetTaskbarEntry(QWidget& window, bool shown);
bool HasTaskbarEntry(const QWidget& window);
