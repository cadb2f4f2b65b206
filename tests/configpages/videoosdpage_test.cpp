// The "OSD" page under "Video": the nine cells, the preview and what Apply stores.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include "config/osdlayout.h"
#include "config/pages/videoosdpage.h"
#include "pagetest.h"

namespace {

const char* const kCells[kOsdCellCount] = {
    "shapeOSDPosTopLeft",    "shapeOSDPosTop",    "shapeOSDPosTopRight",
    "shapeOSDPosLeft",       "shapeOSDPosCenter", "shapeOSDPosRight",
    "shapeOSDPosBottomLeft", "shapeOSDPosBottom", "shapeOSDPosBottomRight"};

// The smallest rectangle holding every pixel that is not black.
QRect LitArea(const QImage& image) {
  QRect lit;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xffffff) != 0) {
        lit |= QRect(x, y, 1, 1);
      }
    }
  }
  return lit;
}

class VideoOsdPageTest : public ::testing::Test {
 protected:
  VideoOsdPageTest() {
    config_.OSDFont = {"DejaVu Sans", 16, QColor(255, 255, 0)};
    page_.resize(480, 360);
    page_.show();
  }

  template <typename T>
  T& Control(const char* name) {
    return Child<T>(page_, name);
  }

  TZConfig config_;
  TZVideoOsdPage page_{config_};
};

TEST(OsdLayout, CellsAndStoredPositionsMapBothWaysWithHalvesRoundedDown) {
  for (int cell = 0; cell < kOsdCellCount; ++cell) {
    EXPECT_EQ(OsdCellFromPosition(OsdPositionFromCell(cell)), cell);
  }
  EXPECT_EQ(OsdPositionFromCell(1), opTop);
  EXPECT_EQ(OsdPositionFromCell(2), opTopRight);
  EXPECT_EQ(OsdCellFromPosition(opLeft), 3);
  EXPECT_EQ(OsdCellFromPosition(opBottom), 7);
  const QSize area(357, 90);
  const QSize text(101, 15);
  EXPECT_EQ(OsdTextOrigin(0, area, text), QPoint(0, 0));
  EXPECT_EQ(OsdTextOrigin(4, area, text), QPoint(178 - 50, 45 - 7));
  EXPECT_EQ(OsdTextOrigin(8, area, text), QPoint(256, 75));
  EXPECT_EQ(OsdTextOrigin(5, area, text), QPoint(256, 38));
}

TEST_F(VideoOsdPageTest, PreviewDrawsTheTextInTheClickedCellAndApplyStoresIt) {
  page_.Fill();
  const int width = TZVideoOsdPage::kPreviewWidth;
  const int height = TZVideoOsdPage::kPreviewHeight;
  for (int cell = 0; cell < kOsdCellCount; ++cell) {
    QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
    Click(Control<QToolButton>(kCells[cell]));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(page_.PendingCell(), cell);
    const QImage& preview = page_.Preview();
    ASSERT_EQ(preview.size(), QSize(width, height));
    const QRect lit = LitArea(preview);
    ASSERT_FALSE(lit.isEmpty()) << cell;
    // Columns: against the left edge, around the middle, against the right edge.
    const int column = cell % 3;
    const int row = cell / 3;
    EXPECT_EQ(column == 0, lit.left() < 4) << cell;
    EXPECT_EQ(column == 2, lit.right() > width - 6) << cell;
    if (column == 1) {
      EXPECT_NEAR(lit.center().x(), width / 2, 6) << cell;
    }
    EXPECT_EQ(row == 0, lit.top() < 8) << cell;
    EXPECT_EQ(row == 2, lit.bottom() > height - 8) << cell;
    if (row == 1) {
      EXPECT_NEAR(lit.center().y(), height / 2, 6) << cell;
    }
    page_.ApplyGroup(TZConfigGroup::Osd);
    EXPECT_EQ(config_.OSDPosition, OsdPositionFromCell(cell));
  }
}

TEST_F(VideoOsdPageTest, ChangingOnlyTheSizeKeepsTopRightAndAFontThatIsNotInstalled) {
  config_.OSDPosition = opTopRight;
  config_.OSDFont.Name = "No Such Font Anywhere";
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  page_.Fill();
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(page_.PendingCell(), 2);
  Control<QSpinBox>("seOSDFontSize").setValue(30);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).value<TZConfigGroup>(), TZConfigGroup::Osd);
  page_.ApplyGroup(TZConfigGroup::Osd);
  EXPECT_EQ(config_.OSDPosition, opTopRight);
  EXPECT_EQ(config_.OSDFont.Size, 30);
  EXPECT_EQ(config_.OSDFont.Name, "No Such Font Anywhere");
  const QRect lit = LitArea(page_.Preview());
  EXPECT_GT(lit.right(), TZVideoOsdPage::kPreviewWidth - 6);
  EXPECT_LT(lit.top(), 8);
  EXPECT_EQ(Control<QSpinBox>("seOSDFontSize").minimum(), 4);
  EXPECT_EQ(Control<QSpinBox>("seOSDFontSize").maximum(), 50);
}

TEST_F(VideoOsdPageTest, ShowOsdSwitchesTheControlsAndThePreview) {
  page_.Fill();
  SavePicture(page_, "videoosd");
  QCheckBox& show = Control<QCheckBox>("cbShowOSD");
  ASSERT_TRUE(show.isChecked());
  Click(show);
  EXPECT_FALSE(Control<QComboBox>("cbOSDFontName").isEnabled());
  EXPECT_FALSE(Control<QSpinBox>("seOSDFontSize").isEnabled());
  EXPECT_FALSE(Control<QToolButton>("shapeOSDFontColor").isEnabled());
  EXPECT_FALSE(Control<QToolButton>("shapeOSDPosCenter").isEnabled());
  EXPECT_TRUE(LitArea(page_.Preview()).isEmpty());
  page_.ApplyGroup(TZConfigGroup::Osd);
  EXPECT_FALSE(config_.OSDEnabled);
  Click(show);
  EXPECT_TRUE(Control<QToolButton>("shapeOSDPosCenter").isEnabled());
  EXPECT_FALSE(LitArea(page_.Preview()).isEmpty());
}

TEST_F(VideoOsdPageTest, ChosenColourAndFontAreDrawnAndStoredAndCancelChangesNothing) {
  std::optional<QColor> answer;
  page_.SetColorChooser([&](const QColor&) { return answer; });
  page_.Fill();
  QSignalSpy changed(&page_, &TZConfigPage::groupChanged);
  Click(Control<QToolButton>("shapeOSDFontColor"));
  EXPECT_EQ(changed.count(), 0);
  answer = QColor(255, 0, 0);
  Click(Control<QToolButton>("shapeOSDFontColor"));
  EXPECT_EQ(changed.count(), 1);
  const QImage& preview = page_.Preview();
  const QRect lit = LitArea(preview);
  bool red = false;
  for (int x = lit.left(); x <= lit.right() && !red; ++x) {
    red = preview.pixelColor(x, lit.center().y()) == QColor(255, 0, 0);
  }
  EXPECT_TRUE(red);

  QComboBox& fonts = Control<QComboBox>("cbOSDFontName");
  ASSERT_GT(fonts.count(), 0);
  const QString other = fonts.itemText(fonts.count() - 1);
  // Each name is drawn in its own font.
  EXPECT_EQ(fonts.itemData(fonts.count() - 1, Qt::FontRole).value<QFont>().family(), other);
  ChooseByKeyboard(fonts, other);
  page_.ApplyGroup(TZConfigGroup::Osd);
  EXPECT_EQ(config_.OSDFont.Color, QColor(255, 0, 0));
  EXPECT_EQ(config_.OSDFont.Name, other);
}

}  // namespace
