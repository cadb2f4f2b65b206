#include "config/dialog/generalpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "config/dialog/pageparts.h"
#include "lang/textids.h"

namespace {

constexpr int kJumpFallback = 5000;

// A stored choice outside the items shows no item.
int ItemOf(int value, int count) {
  return value >= 0 && value < count ? value : -1;
}

}  // namespace

TZGeneralPage::TZGeneralPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      rgG_ShowZephonic(
          AddRadioGroup("rgG_ShowZephonic", kTextGeneralShowIn,
                        {kTextGeneralTaskbarOnly, kTextGeneralTrayOnly, kTextGeneralTaskbarAndTray},
                        TZConfigGroup::Display)),
      edtTJCount(AddNumberField("edtTJCount", TZConfigGroup::TimeJump)),
      rgScolllabel(
          AddRadioGroup("rgScolllabel", kTextGeneralScrollLabel,
                        {kTextGeneralNoScrolling, kTextGeneralScrollLeft, kTextGeneralScrollRight},
                        TZConfigGroup::Display)),
      cbAutoLiveUpdate(AddCheck("cbAutoLiveUpdate", kTextGeneralAutoUpdate, TZConfigGroup::Update)),
      cbRememberLastPlayedIndex(AddCheck("cbRememberLastPlayedIndex", kTextGeneralRememberIndex,
                                         TZConfigGroup::Remember)),
      cbSwapMemoryMngt(AddCheck("cbSwapMemoryMngt", kTextGeneralSwapMemory, TZConfigGroup::Memory)),
      cbGNewsShowOnStartup(
          AddCheck("cbGNewsShowOnStartup", kTextGeneralNewsOnStartup, TZConfigGroup::News)) {
  auto* jump = new QHBoxLayout;
  jump->setContentsMargins(6, 2, 6, 4);
  jump->addWidget(AddLabel(kTextGeneralTimejumpValue));
  jump->addWidget(edtTJCount);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(rgG_ShowZephonic, 0, 0);
  grid->addWidget(rgScolllabel, 0, 1);
  grid->addWidget(AddBox(kTextGeneralTimejump, jump), 1, 0);
  grid->addWidget(AddBox(kTextGeneralNews, ColumnLayout({cbGNewsShowOnStartup})), 1, 1);
  grid->addWidget(AddBox(kTextGeneralOther, ColumnLayout({cbRememberLastPlayedIndex})), 2, 0, 1, 2);
  grid->addWidget(AddBox(kTextGeneralMemory, ColumnLayout({cbSwapMemoryMngt})), 3, 0, 1, 2);
  grid->addWidget(AddBox(kTextGeneralLiveUpdate, ColumnLayout({cbAutoLiveUpdate})), 4, 0, 1, 2);
  grid->setRowStretch(5, 1);
}

void TZGeneralPage::Fill() {
  rgG_ShowZephonic->SetIndex(ItemOf(config_.ShowZephonicIn, 3));
  rgScolllabel->SetIndex(ItemOf(config_.SLMoveProg, 3));
  edtTJCount->setText(QString::number(config_.JumpInterval));
  cbAutoLiveUpdate->setChecked(config_.AutoLiveUpdate);
  cbRememberLastPlayedIndex->setChecked(config_.RememberLastPlayed);
  cbSwapMemoryMngt->setChecked(config_.SwapMemoryMngt);
  cbGNewsShowOnStartup->setChecked(config_.NewsWindowOnStartUp);
}

void TZGeneralPage::ApplyGroup(TZConfigGroup group) {
  switch (group) {
    case TZConfigGroup::Display:
      if (rgG_ShowZephonic->Index() >= 0) {
        config_.ShowZephonicIn = std::int16_t(rgG_ShowZephonic->Index());
      }
      actions_.ApplyTray();
      if (rgScolllabel->Index() >= 0) {
        config_.SLMoveProg = std::int16_t(rgScolllabel->Index());
      }
      actions_.ApplyScrollLabel();
      break;
    case TZConfigGroup::TimeJump:
      ApplyCountField(*edtTJCount, kJumpFallback, std::numeric_limits<int>::max(),
                      config_.JumpInterval);
      break;
    case TZConfigGroup::Update:
      config_.AutoLiveUpdate = cbAutoLiveUpdate->isChecked();
      break;
    case TZConfigGroup::Remember:
      config_.RememberLastPlayed = cbRememberLastPlayedIndex->isChecked();
      break;
    case TZConfigGroup::Memory:
      config_.SwapMemoryMngt = cbSwapMemoryMngt->isChecked();
      break;
    case TZConfigGroup::News:
      config_.NewsWindowOnStartUp = cbGNewsShowOnStartup->isChecked();
      break;
    default:
      break;
  }
}
