#include "config/pages/videoosdpage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/osdlayout.h"
#include "lang/textids.h"

namespace {

constexpr int kMinFontSize = 4;
constexpr int kMaxFontSize = 50;
// Font names in the list are drawn in their own font at this size.
constexpr int kListFontSize = 10;
constexpr int kCellSize = 18;
constexpr int kFontNameLength = 60;

void Paint(QToolButton* button, const QColor& colour) {
  button->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #808080; }")
                            .arg(colour.name()));
}

}  // namespace

TZVideoOsdPage::TZVideoOsdPage(TZConfig& config, QWidget* parent)
    : TZConfigPage(parent),
      config_(config),
      chooseColor_([this](const QColor& current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
      }),
      preview_(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32) {
  BuildControls();
  ApplyTexts(language_);
}

void TZVideoOsdPage::BuildControls() {
  gbPosition_ = new QGroupBox(this);
  auto* grid = new QGridLayout(gbPosition_);
  grid->setSpacing(2);
  static const char* const kCellNames[kOsdCellCount] = {
      "shapeOSDPosTopLeft",    "shapeOSDPosTop",    "shapeOSDPosTopRight",
      "shapeOSDPosLeft",       "shapeOSDPosCenter", "shapeOSDPosRight",
      "shapeOSDPosBottomLeft", "shapeOSDPosBottom", "shapeOSDPosBottomRight"};
  for (int cell = 0; cell < kOsdCellCount; ++cell) {
    auto* button = new QToolButton(gbPosition_);
    button->setObjectName(QLatin1String(kCellNames[cell]));
    button->setFixedSize(kCellSize, kCellSize);
    connect(button, &QToolButton::clicked, this, [this, cell] { CellClicked(cell); });
    grid->addWidget(button, cell / 3, cell % 3);
    cells_[cell] = button;
    osdControls_ << button;
  }

  gbFont_ = new QGroupBox(this);
  lblFont_ = new QLabel(gbFont_);
  cbOSDFontName_ = new QComboBox(gbFont_);
  cbOSDFontName_->setObjectName(QStringLiteral("cbOSDFontName"));
  FillFontList();
  connect(cbOSDFontName_, &QComboBox::activated, this, [this](int index) {
    fontName_ = cbOSDFontName_->itemText(index);
    Changed();
  });
  lblColor_ = new QLabel(gbFont_);
  shapeOSDFontColor_ = new QToolButton(gbFont_);
  shapeOSDFontColor_->setObjectName(QStringLiteral("shapeOSDFontColor"));
  shapeOSDFontColor_->setFixedSize(2 * kCellSize, kCellSize);
  connect(shapeOSDFontColor_, &QToolButton::clicked, this, &TZVideoOsdPage::ChooseColor);
  lblSize_ = new QLabel(gbFont_);
  seOSDFontSize_ = new QSpinBox(gbFont_);
  seOSDFontSize_->setObjectName(QStringLiteral("seOSDFontSize"));
  seOSDFontSize_->setRange(kMinFontSize, kMaxFontSize);
  connect(seOSDFontSize_, &QSpinBox::valueChanged, this, [this] {
    if (!filling_) {
      Changed();
    }
  });
  auto* font = new QGridLayout(gbFont_);
  font->addWidget(lblFont_, 0, 0);
  font->addWidget(cbOSDFontName_, 0, 1, 1, 3);
  font->addWidget(lblColor_, 1, 0);
  font->addWidget(shapeOSDFontColor_, 1, 1);
  font->addWidget(lblSize_, 1, 2);
  font->addWidget(seOSDFontSize_, 1, 3);
  osdControls_ << lblFont_ << cbOSDFontName_ << lblColor_ << shapeOSDFontColor_ << lblSize_
               << seOSDFontSize_;

  gbPreview_ = new QGroupBox(this);
  imgOSDPreview_ = new QLabel(gbPreview_);
  imgOSDPreview_->setObjectName(QStringLiteral("imgOSDPreview"));
  imgOSDPreview_->setFixedSize(kPreviewWidth, kPreviewHeight);
  auto* preview = new QVBoxLayout(gbPreview_);
  preview->addWidget(imgOSDPreview_);

  cbShowOSD_ = new QCheckBox(this);
  cbShowOSD_->setObjectName(QStringLiteral("cbShowOSD"));
  connect(cbShowOSD_, &QCheckBox::clicked, this, [this] {
    EnableControls();
    Changed();
  });

  auto* page = new QGridLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(cbShowOSD_, 0, 0, 1, 2);
  page->addWidget(gbPosition_, 1, 0);
  page->addWidget(gbFont_, 1, 1);
  page->addWidget(gbPreview_, 2, 0, 1, 2);
  page->setColumnStretch(1, 1);
  page->setRowStretch(3, 1);
}

void TZVideoOsdPage::FillFontList() {
  for (const QString& family : QFontDatabase::families()) {
    const QFont font(family, kListFontSize);
    cbOSDFontName_->addItem(family);
    const int row = cbOSDFontName_->count() - 1;
    cbOSDFontName_->setItemData(row, font, Qt::FontRole);
    const QFontMetrics metrics(font);
    cbOSDFontName_->setItemData(row,
                                QSize(metrics.horizontalAdvance(family),
                                      metrics.size(0, QStringLiteral("Wg")).height() + 2),
                                Qt::SizeHintRole);
  }
}

void TZVideoOsdPage::Fill() {
  filling_ = true;
  pendingCell_ = OsdCellFromPosition(config_.OSDPosition);
  PaintCells();
  // A font that is not installed stays the chosen one until the user picks another.
  fontName_ = config_.OSDFont.Name;
  cbOSDFontName_->setCurrentIndex(cbOSDFontName_->findText(fontName_));
  color_ = config_.OSDFont.Color;
  ShowColor();
  seOSDFontSize_->setValue(config_.OSDFont.Size);
  cbShowOSD_->setChecked(config_.OSDEnabled);
  EnableControls();
  filling_ = false;
  DrawOsdPreview();
}

void TZVideoOsdPage::PaintCells() {
  for (int cell = 0; cell < kOsdCellCount; ++cell) {
    Paint(cells_[cell], cell == pendingCell_ ? QColor(Qt::white) : QColor(192, 192, 192));
  }
}

void TZVideoOsdPage::ShowColor() {
  Paint(shapeOSDFontColor_, color_);
}

void TZVideoOsdPage::CellClicked(int cell) {
  pendingCell_ = cell;
  PaintCells();
  Changed();
}

void TZVideoOsdPage::ChooseColor() {
  if (const std::optional<QColor> chosen = chooseColor_(color_)) {
    color_ = *chosen;
    ShowColor();
    Changed();
  }
}

void TZVideoOsdPage::EnableControls() {
  for (QWidget* control : osdControls_) {
    control->setEnabled(cbShowOSD_->isChecked());
  }
}

void TZVideoOsdPage::Changed() {
  emit groupChanged(TZConfigGroup::Osd);
  DrawOsdPreview();
}

QFont TZVideoOsdPage::PreviewFont() const {
  QFont font(fontName_);
  font.setPointSize(seOSDFontSize_->value());
  return font;
}

void TZVideoOsdPage::DrawOsdPreview() {
  preview_.fill(Qt::black);
  if (cbShowOSD_->isChecked()) {
    QPainter painter(&preview_);
    const QFont font = PreviewFont();
    const QString text = language_.Text(kTextOsdPreviewText);
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    painter.setFont(font);
    painter.setPen(color_);
    painter.drawText(QRect(OsdTextOrigin(pendingCell_, preview_.size(), size), size),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }
  imgOSDPreview_->setPixmap(QPixmap::fromImage(preview_));
}

void TZVideoOsdPage::ApplyGroup(TZConfigGroup group) {
  if (group != TZConfigGroup::Osd) {
    return;
  }
  config_.OSDPosition = OsdPositionFromCell(pendingCell_);
  config_.OSDFont.Name = fontName_.left(kFontNameLength);
  config_.OSDFont.Color = color_;
  config_.OSDFont.Size = seOSDFontSize_->value();
  config_.OSDEnabled = cbShowOSD_->isChecked();
  DrawOsdPreview();
}

void TZVideoOsdPage::ApplyTexts(const TZLanguage& language) {
  language_ = language;
  gbPosition_->setTitle(language.Text(kTextOsdPosition));
  gbFont_->setTitle(language.Text(kTextOsdFont));
  lblFont_->setText(language.Text(kTextOsdFont));
  lblColor_->setText(language.Text(kTextOsdColor));
  lblSize_->setText(language.Text(kTextOsdSize));
  gbPreview_->setTitle(language.Text(kTextOsdPreview));
  cbShowOSD_->setText(language.Text(kTextOsdShow));
  DrawOsdPreview();
}
