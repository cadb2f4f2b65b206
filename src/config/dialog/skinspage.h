#pragma once
// The "Skins" page: the skins to choose from, the chosen one's author information and the colour
// the skin is tinted with. Choosing only makes a skin pending; the dialog loads it on Apply.

#include <QColor>

#include "config/dialog/settingspage.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QSlider;

class TZSkinsPage : public TZSettingsPage {
  Q_OBJECT

 public:
  TZSkinsPage(TZConfig& config, TZConfigActions& actions, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;
  void ApplyTexts(const TZLanguage& language) override;
  void PageShown() override;

  // The blend that Apply stores with a skin change: the bar's level and the colour box's colour.
  TZColorBlend Blend() const;
  // The colour chooser's choice: the box shows it and the current skin becomes pending.
  void SetBlendColour(const QColor& colour);
  // "Skin: %s" with the stored skin.
  void ShowSkinLabel();

 signals:
  void skinChosen(const QString& name);

 private:
  void ChooseSkin(QListWidgetItem* item);
  void ChooseBlendColour();
  void PaintColourBox();

  QListWidget* lbSkins;
  QPlainTextEdit* memoSkinInfo;
  QLabel* lblLastSkin;
  QSlider* tbSkinCBAlpha;
  QPushButton* shapeSkinCBColor;
  QColor blendColour_;
};

// "base[default]", the base names of the packages in data/skins/ and the names of its folders,
// sorted.
QStringList AvailableSkins();
