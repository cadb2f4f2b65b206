#pragma once
// What the page tests share: driving controls as a user does, and keeping a picture of a page.

#include <QString>

class QComboBox;
class QWidget;

// Chooses the item with this text by keyboard, as the user would; fails the test when the box
// has no such item.
void ChooseByKeyboard(QComboBox& box, const QString& text);

// Clicks the control at its centre.
void Click(QWidget& control);

// Writes a picture of the page to test-output/configpages/<name>.png.
void SavePicture(QWidget& page, const QString& name);
