#include "config/dialog/pageparts.h"

#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "lang/language.h"

TZNumberField::TZNumberField(bool acceptComma, QWidget* parent)
    : QLineEdit(parent), acceptComma_(acceptComma) {}

void TZNumberField::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool numberKey = key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                         (key >= Qt::Key_0 && key <= Qt::Key_9) ||
                         (acceptComma_ && key == Qt::Key_Comma);
  QLineEdit::keyPressEvent(event);
  if (numberKey) {
    emit numberKeyPressed();
  }
}

namespace {

bool AllDigits(QStringView text) {
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

int ReadCount(const QString& text, int fallback, int maximum) {
  if (!AllDigits(text)) {
    return fallback;
  }
  bool ok = false;
  const qulonglong value = text.toULongLong(&ok);
  // Digits beyond what 64 bits hold are still a number, only a too large one.
  if (!ok || value > qulonglong(maximum)) {
    return maximum;
  }
  return int(value);
}

void ApplyCountField(QLineEdit& field, int fallback, int maximum, int& value) {
  value = ReadCount(field.text(), fallback, maximum);
  field.setText(QString::number(value));
}

QVBoxLayout* ColumnLayout(std::initializer_list<QWidget*> widgets) {
  auto* layout = new QVBoxLayout;
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(2);
  for (QWidget* widget : widgets) {
    layout->addWidget(widget);
  }
  return layout;
}

std::optional<double> ReadRatio(const QString& text) {
  if (text.count(u',') > 1) {
    return std::nullopt;
  }
  const qsizetype comma = text.indexOf(u',');
  const QStringView whole = comma < 0 ? QStringView(text) : QStringView(text).left(comma);
  const QStringView fraction = comma < 0 ? QStringView() : QStringView(text).mid(comma + 1);
  const bool digitsOnly =
      (whole.isEmpty() || AllDigits(whole)) && (fraction.isEmpty() || AllDigits(fraction));
  if (!digitsOnly || (whole.isEmpty() && fraction.isEmpty())) {
    return std::nullopt;
  }
  const QString number = (whole.isEmpty() ? QStringLiteral("0") : whole.toString()) + u'.' +
                         (fraction.isEmpty() ? QStringLiteral("0") : fraction.toString());
  bool ok = false;
  const double value = number.toDouble(&ok);
  // A ratio of zero would leave the picture without width or height.
  if (!ok || value <= 0 || value > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return value;
}

QString RatioText(double value) {
  return QString::number(value, 'f', 6).replace(u'.', u',');
}

TZRadioGroup::TZRadioGroup(int title, std::vector<int> items, QWidget* parent)
    : QGroupBox(parent), title_(title), items_(std::move(items)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(0);
  for (int index = 0; index < int(items_.size()); ++index) {
    auto* button = new QRadioButton(this);
    layout->addWidget(button);
    buttons_.addButton(button, index);
  }
  connect(&buttons_, &QButtonGroup::idClicked, this, &TZRadioGroup::chosen);
}

int TZRadioGroup::Index() const {
  return buttons_.checkedId();
}

void TZRadioGroup::SetIndex(int index) {
  const QSignalBlocker blocker(buttons_);
  if (QAbstractButton* button = buttons_.button(index)) {
    button->setChecked(true);
    return;
  }
  // A group that is exclusive keeps its last choice unless exclusivity is lifted for a moment.
  buttons_.setExclusive(false);
  for (QAbstractButton* button : buttons_.buttons()) {
    button->setChecked(false);
  }
  buttons_.setExclusive(true);
}

void TZRadioGroup::ApplyTexts(const TZLanguage& language) {
  setTitle(language.Text(title_));
  for (int index = 0; index < int(items_.size()); ++index) {
    buttons_.button(index)->setText(language.Text(items_[size_t(index)]));
  }
}
