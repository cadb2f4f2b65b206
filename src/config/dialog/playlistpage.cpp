#include "config/dialog/playlistpage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <array>

#include "config/dialog/pageparts.h"
#include "lang/textids.h"

namespace {

// The status-bar items in their order: off, left, centred, right.
constexpr std::array<TSBTextAlign, 4> kAlignments{taNone, taLeft, taCenter, taRight};

int AlignmentItem(TSBTextAlign align) {
  for (int item = 0; item < int(kAlignments.size()); ++item) {
    if (kAlignments[size_t(item)] == align) {
      return item;
    }
  }
  return -1;
}

}  // namespace

TZPlaylistPage::TZPlaylistPage(TZConfig& config, TZConfigActions& actions, QWidget* parent)
    : TZSettingsPage(config, actions, parent),
      cbOFAReadID3Tag(
          AddCheck("cbOFAReadID3Tag", kTextPlaylistAddReadTags, TZConfigGroup::TagReading)),
      cbOFAReadTime(
          AddCheck("cbOFAReadTime", kTextPlaylistAddReadTime, TZConfigGroup::TimeReading)),
      cbOFACheckIsValidFile(
          AddCheck("cbOFACheckIsValidFile", kTextPlaylistAddCheckValid, TZConfigGroup::FileCheck)),
      cbOFAReadPlaylistFiles(AddCheck("cbOFAReadPlaylistFiles", kTextPlaylistReadListFiles,
                                      TZConfigGroup::PlaylistFiles)),
      cbOFPReadID3Tag(
          AddCheck("cbOFPReadID3Tag", kTextPlaylistPlayReadTags, TZConfigGroup::TagReading)),
      cbOFPReadTime(
          AddCheck("cbOFPReadTime", kTextPlaylistPlayReadTime, TZConfigGroup::TimeReading)),
      cbPLDrawNumbers(
          AddCheck("cbPLDrawNumbers", kTextPlaylistDrawNumbers, TZConfigGroup::PlaylistDrawing)),
      cbPLDrawTime(AddCheck("cbPLDrawTime", kTextPlaylistDrawTime, TZConfigGroup::PlaylistDrawing)),
      cbPLDrawFileTypeIcons(AddCheck("cbPLDrawFileTypeIcons", kTextPlaylistDrawIcons,
                                     TZConfigGroup::PlaylistDrawing)),
      cbSearchHideOnPlay(
          AddCheck("cbSearchHideOnPlay", kTextPlaylistHideOnPlay, TZConfigGroup::Search)),
      rgPLSB(AddRadioGroup("rgPLSB", kTextPlaylistStatusAlign,
                           {kTextPlaylistAlignDisabled, kTextPlaylistAlignLeft,
                            kTextPlaylistAlignCenter, kTextPlaylistAlignRight},
                           TZConfigGroup::StatusBar)),
      rgPLOnDragDrop(
          AddRadioGroup("rgPLOnDragDrop", kTextPlaylistOnDrop,
                        {kTextPlaylistDropDisabled, kTextPlaylistDropAdd, kTextPlaylistDropReplace},
                        TZConfigGroup::DragAndDrop)) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(
      AddBox(kTextPlaylistOnAdd, ColumnLayout({cbOFAReadID3Tag, cbOFAReadTime,
                                               cbOFACheckIsValidFile, cbOFAReadPlaylistFiles})),
      0, 0);
  grid->addWidget(AddBox(kTextPlaylistOnPlay, ColumnLayout({cbOFPReadID3Tag, cbOFPReadTime})), 0,
                  1);
  grid->addWidget(AddBox(kTextPlaylistListbox,
                         ColumnLayout({cbPLDrawNumbers, cbPLDrawTime, cbPLDrawFileTypeIcons})),
                  1, 0);
  grid->addWidget(AddBox(kTextPlaylistSearch, ColumnLayout({cbSearchHideOnPlay})), 1, 1);
  grid->addWidget(rgPLSB, 2, 0);
  grid->addWidget(rgPLOnDragDrop, 2, 1);
  grid->setRowStretch(3, 1);
}

void TZPlaylistPage::Fill() {
  cbOFAReadID3Tag->setChecked(config_.OFAReadID3Tag);
  cbOFAReadTime->setChecked(config_.OFAReadTime);
  cbOFACheckIsValidFile->setChecked(config_.OFACheckIsValidFile);
  cbOFAReadPlaylistFiles->setChecked(config_.OFAReadPlaylistFiles);
  cbOFPReadID3Tag->setChecked(config_.OFPReadID3Tag);
  cbOFPReadTime->setChecked(config_.OFPReadTime);
  cbPLDrawNumbers->setChecked(config_.PLDrawNumbers);
  cbPLDrawTime->setChecked(config_.PLDrawTime);
  cbPLDrawFileTypeIcons->setChecked(config_.PLDrawFileTypeIcons);
  cbSearchHideOnPlay->setChecked(config_.SearchHideOnPlay);
  rgPLSB->SetIndex(AlignmentItem(config_.SBTextAlign));
  rgPLOnDragDrop->SetIndex(config_.PLOnDragDropMode > 2 ? 1 : config_.PLOnDragDropMode);
}

void TZPlaylistPage::ApplyGroup(TZConfigGroup group) {
  switch (group) {
    case TZConfigGroup::TagReading:
      config_.OFAReadID3Tag = cbOFAReadID3Tag->isChecked();
      config_.OFPReadID3Tag = cbOFPReadID3Tag->isChecked();
      break;
    case TZConfigGroup::TimeReading:
      config_.OFAReadTime = cbOFAReadTime->isChecked();
      config_.OFPReadTime = cbOFPReadTime->isChecked();
      break;
    case TZConfigGroup::FileCheck:
      config_.OFACheckIsValidFile = cbOFACheckIsValidFile->isChecked();
      break;
    case TZConfigGroup::PlaylistFiles:
      config_.OFAReadPlaylistFiles = cbOFAReadPlaylistFiles->isChecked();
      break;
    case TZConfigGroup::PlaylistDrawing:
      config_.PLDrawNumbers = cbPLDrawNumbers->isChecked();
      config_.PLDrawTime = cbPLDrawTime->isChecked();
      config_.PLDrawFileTypeIcons = cbPLDrawFileTypeIcons->isChecked();
      actions_.RefreshPlaylist();
      break;
    case TZConfigGroup::Search:
      config_.SearchHideOnPlay = cbSearchHideOnPlay->isChecked();
      break;
    case TZConfigGroup::StatusBar:
      if (rgPLSB->Index() >= 0) {
        config_.SBTextAlign = kAlignments[size_t(rgPLSB->Index())];
      }
      actions_.RefreshPlaylist();
      break;
    case TZConfigGroup::DragAndDrop:
      if (rgPLOnDragDrop->Index() >= 0) {
        config_.PLOnDragDropMode = std::uint8_t(rgPLOnDragDrop->Index());
      }
      break;
    default:
      break;
  }
}
