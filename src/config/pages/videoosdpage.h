#pragma once
// The "OSD" page under "Video": where on the video the on-screen text appears, its font, colour
// and size, and whether it appears at all, with a preview of the choice.

#include <QColor>
#include <QImage>
#include <array>
#include <functional>
#include <optional>

#include "config/config.h"
#include "config/pages/configpage.h"
#include "lang/language.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QToolButton;

// Asks the user for a colour, starting at the given one; nothing when the user cancels.
using TZColorChooser = std::function<std::optional<QColor>(const QColor& current)>;

class TZVideoOsdPage : public TZConfigPage {
  Q_OBJECT

 public:
  static constexpr int kPreviewWidth = 357;
  static constexpr int kPreviewHeight = 90;

  explicit TZVideoOsdPage(TZConfig& config, QWidget* parent = nullptr);

  void Fill() override;
  void ApplyGroup(TZConfigGroup group) override;
  void ApplyTexts(const TZLanguage& language) override;

  // How the colour box asks for a colour; the colour dialog unless replaced.
  void SetColorChooser(TZColorChooser chooser) { chooseColor_ = std::move(chooser); }

  // The pending cell, 0-8 row by row from the top left.
  int PendingCell() const { return pendingCell_; }
  // What the preview shows now.
  const QImage& Preview() const { return preview_; }
  void DrawOsdPreview();

 private:
  void BuildControls();
  void FillFontList();
  void CellClicked(int cell);
  void PaintCells();
  void ChooseColor();
  void ShowColor();
  void EnableControls();
  void Changed();
  QFont PreviewFont() const;

  TZConfig& config_;
  TZColorChooser chooseColor_;
  TZLanguage language_;
  int pendingCell_ = 0;
  QString fontName_;
  QColor color_;
  QImage preview_;
  bool filling_ = false;

  QGroupBox* gbPosition_ = nullptr;
  QGroupBox* gbFont_ = nullptr;
  QGroupBox* gbPreview_ = nullptr;
  QLabel* lblFont_ = nullptr;
  QLabel* lblColor_ = nullptr;
  QLabel* lblSize_ = nullptr;
  std::array<QToolButton*, 9> cells_{};
  QComboBox* cbOSDFontName_ = nullptr;
  QToolButton* shapeOSDFontColor_ = nullptr;
  QSpinBox* seOSDFontSize_ = nullptr;
  QCheckBox* cbShowOSD_ = nullptr;
  QLabel* imgOSDPreview_ = nullptr;
  QList<QWidget*> osdControls_;
};
