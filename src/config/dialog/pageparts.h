#pragma once
// Controls the settings pages share: the number fields with their key rule and fallbacks, and
// radio groups whose items are language texts.

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QString>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

class QVBoxLayout;
class TZLanguage;

// The widgets one under the other, with the margins of a group box's content.
QVBoxLayout* ColumnLayout(std::initializer_list<QWidget*> widgets);

// A text field for a number. It reports an edit only for the keys that may make a number:
// Backspace, Delete and the digits of the main block and the number pad, and with acceptComma
// also the comma. Other keys still change the text.
class TZNumberField : public QLineEdit {
  Q_OBJECT

 public:
  explicit TZNumberField(bool acceptComma = false, QWidget* parent = nullptr);

 signals:
  void numberKeyPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool acceptComma_;
};

// The value of a count field: its text when that is one or more digits, else the fallback. Too
// large values stop at the maximum.
int ReadCount(const QString& text, int fallback, int maximum = std::numeric_limits<int>::max());

// Reads a count field, stores the value in `value` and writes the value back into the field.
void ApplyCountField(QLineEdit& field, int fallback, int maximum, int& value);

// A ratio field holds digits with at most one comma as the decimal separator and at least one
// digit; nothing else (and no ratio of zero) gives no value.
std::optional<double> ReadRatio(const QString& text);
// The ratio with six decimals and a comma: 2.35 -> "2,350000".
QString RatioText(double value);

// A group box of radio buttons, one per language text, counted from 0.
class TZRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TZRadioGroup(int title, std::vector<int> items, QWidget* parent = nullptr);

  int Index() const;
  // Selects an item without reporting a choice; -1 clears the selection.
  void SetIndex(int index);
  // Sets the title and refills the items' captions; the selection stays.
  void ApplyTexts(const TZLanguage& language);

 signals:
  void chosen(int index);

 private:
  int title_;
  std::vector<int> items_;
  QButtonGroup buttons_;
};
