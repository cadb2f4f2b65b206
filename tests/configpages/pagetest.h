#pragma once
// What the page tests share: driving controls as a user does, and keeping a picture of a page.

#include <QString>
#include <QWidget>
#include <ostream>
#include <stdexcept>
#include <string>

class QComboBox;

// Failed checks show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

// The page's control with this object name; fails the test when there is none.
template <typename T>
T& Child(QWidget& page, const char* name) {
  T* control = page.findChild<T*>(QLatin1String(name));
  if (control == nullptr) {
    throw std::runtime_error(std::string("no control ") + name);
  }
  return *control;
}

// Chooses the item with this text by keyboard, as the user would; fails the test when the box
// has no such item.
void ChooseByKeyboard(QComboBox& box, const QString& text);

// Clicks the control at its centre.
void Click(QWidget& control);

// Writes a picture of the page to test-output/configpages/<name>.png.
void SavePicture(QWidget& page, const QString& name);
