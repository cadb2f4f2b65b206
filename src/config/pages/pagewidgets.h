#pragma once
// Small pieces the pages build their controls from.

class QAbstractItemView;
class QPushButton;
class QWidget;

// A push button with the given object name; its caption comes with the language texts.
QPushButton* NewNamedButton(const char* name, QWidget* parent);

// Selected rows are drawn white on dark blue, as the dialog's lists always were.
void UseDarkBlueSelection(QAbstractItemView& view);
