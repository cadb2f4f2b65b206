#include "config/dialog/skinspage.h"

#include <QColorDialog>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "lang/language.h"
#include "lang/textformat.h"
#include "lang/textids.h"
#include "skin/skinfiles.h"
#include "skin/skininfo.h"
#include "skin/zgui.h"

namespace {

constexpr int kPackageExtensionLength = 5;

}  // namespace

QStringList AvailableSkins() {
  QStringList names{QLatin1String(kBuiltInSkinName)};
  const QDir folder(SkinsFolder());
  for (const QString& file : folder.entryList({QStringLiteral("*.zskz")}, QDir::Files)) {
    names << file.left(file.size() - kPackageExtensionLength);
  }
  names << folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  names.sort(Qt::CaseInsensitive);
  return names;
}

TZSkinsPage::TZSkinsPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      lbSkins(new QListWidget(this)),
      memoSkinInfo(new QPlainTextEdit(this)),
      lblLastSkin(new QLabel(this)),
      tbSkinCBAlpha(new QSlider(Qt::Horizontal, this)),
      shapeSkinCBColor(new QPushButton(this)) {
  lbSkins->setObjectName(QStringLiteral("lbSkins"));
  memoSkinInfo->setObjectName(QStringLiteral("memoSkinInfo"));
  memoSkinInfo->setReadOnly(true);
  lblLastSkin->setObjectName(QStringLiteral("lblLastSkin"));
  tbSkinCBAlpha->setObjectName(QStringLiteral("tbSkinCBAlpha"));
  tbSkinCBAlpha->setRange(0, 255);
  shapeSkinCBColor->setObjectName(QStringLiteral("shapeSkinCBColor"));
  shapeSkinCBColor->setFlat(true);
  shapeSkinCBColor->setAutoFillBackground(true);
  shapeSkinCBColor->setFixedSize(40, 18);
  connect(lbSkins, &QListWidget::itemClicked, this, &TZSkinsPage::ChooseSkin);
  connect(tbSkinCBAlpha, &QSlider::valueChanged, this, [this] { emit skinChosen(config_.Skin); });
  connect(shapeSkinCBColor, &QPushButton::clicked, this, &TZSkinsPage::ChooseBlendColour);

  auto* blend = new QGridLayout;
  blend->setContentsMargins(6, 2, 6, 4);
  blend->addWidget(AddLabel(kTextSkinsAlpha), 0, 0);
  blend->addWidget(tbSkinCBAlpha, 0, 1);
  blend->addWidget(AddLabel(kTextSkinsColor), 1, 0);
  blend->addWidget(shapeSkinCBColor, 1, 1, Qt::AlignLeft);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lbSkins, 0, 0, 2, 1);
  layout->addWidget(memoSkinInfo, 0, 1);
  layout->addWidget(AddBox(kTextSkinsColorBlend, blend), 1, 1);
  layout->addWidget(lblLastSkin, 2, 0, 1, 2);
}

void TZSkinsPage::Fill() {
  lbSkins->clear();
  lbSkins->addItems(AvailableSkins());
  memoSkinInfo->clear();
  {
    const QSignalBlocker blocker(tbSkinCBAlpha);
    tbSkinCBAlpha->setValue(config_.SkinColorBlend.Level);
  }
  blendColour_ = config_.SkinColorBlend.Color;
  PaintColourBox();
  ShowSkinLabel();
}

void TZSkinsPage::ApplyGroup(TZConfigGroup) {}

void TZSkinsPage::ApplyTexts(const TZLanguage& language) {
  TZSettingsPage::ApplyTexts(language);
  ShowSkinLabel();
}

void TZSkinsPage::PageShown() {
  ShowSkinLabel();
}

TZColorBlend TZSkinsPage::Blend() const {
  return TZColorBlend{std::uint8_t(tbSkinCBAlpha->value()), blendColour_};
}

void TZSkinsPage::ShowSkinLabel() {
  lblLastSkin->setText(FormatText(Language().Text(kTextSkinLabel), {config_.Skin}));
}

void TZSkinsPage::ChooseSkin(QListWidgetItem* item) {
  memoSkinInfo->clear();
  memoSkinInfo->setPlainText(SkinInformationText(item->text()).join(u'\n'));
  emit skinChosen(item->text());
}

void TZSkinsPage::ChooseBlendColour() {
  const QColor colour = QColorDialog::getColor(blendColour_, this);
  if (colour.isValid()) {
    SetBlendColour(colour);
  }
}

void TZSkinsPage::SetBlendColour(const QColor& colour) {
  blendColour_ = colour;
  PaintColourBox();
  emit skinChosen(config_.Skin);
}

void TZSkinsPage::PaintColourBox() {
  shapeSkinCBColor->setStyleSheet(
      QStringLiteral("background-color: %1; border: 1px solid black;").arg(blendColour_.name()));
}
