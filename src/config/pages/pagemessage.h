#pragma once
// How a settings page tells the user something (a message box in the program, a list in tests).

#include <QString>
#include <functional>

using TZPageMessage = std::function<void(const QString& text)>;
