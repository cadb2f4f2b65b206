#include "playlist/window/edititem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/errorcatalogue.h"
#include "components/ui/messagebox.h"
#include "lang/textids.h"
#include "playlist/id3v1.h"
#include "playlist/id3v2.h"
#include "playlist/mediakind.h"
#include "playlist/window/streaminfo.h"

namespace {

enum Page { pgInfo, pgID3v1, pgID3v2 };

QLineEdit* Edit(QWidget* parent, int maxLength = 32767, bool readOnly = false) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(maxLength);
  edit->setReadOnly(readOnly);
  return edit;
}

bool IsMp3(const QString& fileName) {
  return MediaExtension(fileName).compare(QLatin1String(".mp3"), Qt::CaseInsensitive) == 0;
}

// A track field's value when it is non-empty and all decimal digits, else 0.
unsigned TrackNumber(const QString& text, unsigned modulo) {
  if (text.isEmpty()) {
    return 0;
  }
  unsigned value = 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
      return 0;
    }
    value = (value * 10 + unsigned(c.unicode() - '0')) % modulo;
  }
  return value;
}

QStringList SortedGenres() {
  QStringList genres = ID3v1Genres();
  genres.sort(Qt::CaseInsensitive);
  return genres;
}

// The genre's number is its place in the tag's own list (not in the sorted drop-down); 0 for a
// name that is not in it.
uint8_t GenreID(const QString& name) {
  const QStringList& genres = ID3v1Genres();
  for (int i = 0; i < genres.size(); ++i) {
    if (genres[i].compare(name, Qt::CaseInsensitive) == 0) {
      return uint8_t(i);
    }
  }
  return 0;
}

// Writes the file's tag of type Tag with the fields `fill` sets over what the file held, or
// removes the tag when its box is off. A failed write is warning 5000.
template <typename Tag, typename Fill>
void WriteTag(bool wanted, const QString& fileName, Fill fill) {
  if (!wanted) {
    Tag::RemoveFromFile(fileName);
    return;
  }
  Tag tag;
  tag.ReadFromFile(fileName);
  fill(tag);
  if (!tag.SaveToFile(fileName)) {
    ReportError(5000, QStringLiteral("TZID3Tag"), QString(), false);
  }
}

}  // namespace

TfrmEditItem::TfrmEditItem(TZPlaylist& playlist, const TZLanguage& language,
                           std::function<void()> redraw, TZPlaybackSuspender* suspender,
                           QWidget* parent)
    : QDialog(parent, Qt::Tool),
      edtFileName(Edit(this, 32767, true)),
      edtIndex(Edit(this, 32767, true)),
      pcPages(new QTabWidget(this)),
      btnEdit(new QPushButton(this)),
      btnCancel(new QPushButton(this)),
      btnReload(new QPushButton(this)),
      playlist_(playlist),
      redraw_(std::move(redraw)),
      suspender_(suspender) {
  auto* top = new QFormLayout;
  const auto label = [this](int text) {
    auto* caption = new QLabel(this);
    labels_.emplace_back(caption, text);
    return caption;
  };
  top->addRow(label(kTextItemFileName), edtFileName);
  top->addRow(label(kTextItemIndex), edtIndex);
  pcPages->addTab(BuildInfoPage(), QString());
  pcPages->addTab(BuildID3v1Page(), QString());
  pcPages->addTab(BuildID3v2Page(), QString());
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnReload);
  buttons->addStretch();
  buttons->addWidget(btnEdit);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(pcPages, 1);
  layout->addLayout(buttons);
  for (QPushButton* button : {btnEdit, btnCancel, btnReload}) {
    button->setAutoDefault(false);
  }
  connect(btnEdit, &QPushButton::clicked, this, [this] { Save(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnReload, &QPushButton::clicked, this, [this] { Reload(); });
  connect(btnID3V1ToID3V2, &QPushButton::clicked, this, [this] { ID3v1ToID3v2(); });
  connect(btnID3V2ToID3V1, &QPushButton::clicked, this, [this] { ID3v2ToID3v1(); });
  resize(420, 480);
  ApplyTexts(language);
}

QWidget* TfrmEditItem::BuildInfoPage() {
  auto* page = new QWidget;
  grpEntry_ = new QGroupBox(page);
  auto* entry = new QFormLayout(grpEntry_);
  edtPECaption = Edit(page, 255);
  edtPETime = Edit(page, kTimeLength);
  edtPETrack = Edit(page, kTrackLength);
  cbPESelected = new QCheckBox(page);
  cbPEPlayed = new QCheckBox(page);
  const auto label = [this, page](int text) {
    auto* caption = new QLabel(page);
    labels_.emplace_back(caption, text);
    return caption;
  };
  entry->addRow(label(kTextItemCaption), edtPECaption);
  entry->addRow(label(kTextItemTime), edtPETime);
  entry->addRow(label(kTextItemTrack), edtPETrack);
  auto* flags = new QHBoxLayout;
  flags->addWidget(cbPESelected);
  flags->addWidget(cbPEPlayed);
  entry->addRow(flags);
  grpFileInfo_ = new QGroupBox(page);
  memFileInfo = new QPlainTextEdit(grpFileInfo_);
  memFileInfo->setReadOnly(true);
  (new QVBoxLayout(grpFileInfo_))->addWidget(memFileInfo);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grpEntry_);
  layout->addWidget(grpFileInfo_, 1);
  return page;
}

QWidget* TfrmEditItem::BuildID3v1Page() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  const auto label = [this, page](int text) {
    auto* caption = new QLabel(page);
    labels_.emplace_back(caption, text);
    return caption;
  };
  cbID3V1_Exists = new QCheckBox(page);
  edtID3V1_Track = Edit(page, 3);
  edtID3V1_Title = Edit(page, 30);
  edtID3V1_Artist = Edit(page, 30);
  edtID3V1_Album = Edit(page, 30);
  edtID3V1_Year = Edit(page, 4);
  cbID3V1_Genre = new QComboBox(page);
  edtID3V1_Comment = Edit(page, 30);
  btnID3V1ToID3V2 = new QPushButton(page);
  form->addRow(cbID3V1_Exists);
  form->addRow(label(kTextTagTrack), edtID3V1_Track);
  form->addRow(label(kTextTagTitle), edtID3V1_Title);
  form->addRow(label(kTextTagArtist), edtID3V1_Artist);
  form->addRow(label(kTextTagAlbum), edtID3V1_Album);
  form->addRow(label(kTextTagYear), edtID3V1_Year);
  form->addRow(label(kTextTagGenre), cbID3V1_Genre);
  form->addRow(label(kTextTagComment), edtID3V1_Comment);
  form->addRow(btnID3V1ToID3V2);
  return page;
}

QWidget* TfrmEditItem::BuildID3v2Page() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  const auto row = [this, page, form](int text, int maxLength = 32767) {
    auto* caption = new QLabel(page);
    labels_.emplace_back(caption, text);
    QLineEdit* edit = Edit(page, maxLength);
    form->addRow(caption, edit);
    return edit;
  };
  cbID3V2_Exists = new QCheckBox(page);
  form->addRow(cbID3V2_Exists);
  edtID3V2_Track = row(kTextTagTrack, 5);
  edtID3V2_Title = row(kTextTagTitle);
  edtID3V2_Artist = row(kTextTagArtist);
  edtID3V2_Album = row(kTextTagAlbum);
  edtID3V2_Year = row(kTextTagYear);
  edtID3V2_Genre = row(kTextTagGenre);
  edtID3V2_Comment = row(kTextTagComment, 30);
  edtID3V2_Composer = row(kTextTagComposer);
  edtID3V2_Language = row(kTextTagLanguage);
  edtID3V2_Copyright = row(kTextTagCopyright);
  edtID3V2_URL = row(kTextTagUrl);
  edtID3V2_EncodedBy = row(kTextTagEncodedBy);
  btnID3V2ToID3V1 = new QPushButton(page);
  form->addRow(btnID3V2ToID3V1);
  return page;
}

void TfrmEditItem::ApplyTexts(const TZLanguage& language) {
  setWindowTitle(QStringLiteral("Edit item"));
  for (const auto& [label, text] : labels_) {
    label->setText(language.Text(text) + QLatin1Char(':'));
  }
  pcPages->setTabText(pgInfo, QStringLiteral("Info"));
  pcPages->setTabText(pgID3v1, language.Text(kTextTagId3v1));
  pcPages->setTabText(pgID3v2, language.Text(kTextTagId3v2));
  grpEntry_->setTitle(language.Text(kTextItemEntry));
  grpFileInfo_->setTitle(language.Text(kTextItemFileInfo));
  cbPEPlayed->setText(language.Text(kTextItemPlayed));
  cbPESelected->setText(language.Text(kTextItemSelected));
  cbID3V1_Exists->setText(language.Text(kTextTagUseId3v1));
  cbID3V2_Exists->setText(language.Text(kTextTagUseId3v2));
  btnID3V1ToID3V2->setText(language.Text(kTextTagId3v1ToId3v2));
  btnID3V2ToID3V1->setText(language.Text(kTextTagId3v2ToId3v1));
  btnEdit->setText(language.Text(kTextItemEdit));
  btnCancel->setText(language.Text(kTextItemCancel));
  btnReload->setText(language.Text(kTextItemReload));
}

bool TfrmEditItem::TagPagesShown() const {
  return pcPages->isTabVisible(pgID3v1) && pcPages->isTabVisible(pgID3v2);
}

void TfrmEditItem::OpenFirstPage(int index) {
  pcPages->setCurrentIndex(pgInfo);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  Open(index);
}

void TfrmEditItem::Open(int index) {
  const TZPlaylistEntry* entry = playlist_.Get(index);
  if (!entry) {
    return;
  }
  editIndex_ = index;
  edtFileName->setText(entry->FileName);
  edtIndex->setText(QString::number(index));
  edtPECaption->setText(entry->Caption);
  edtPETime->setText(entry->Time);
  edtPETrack->setText(entry->Track);
  cbPEPlayed->setChecked(entry->Played);
  cbPESelected->setChecked(entry->Selected);
  memFileInfo->setPlainText(DescribeMediaFile(entry->FileName));
  const bool mp3 = IsMp3(entry->FileName);
  pcPages->setTabVisible(pgID3v1, mp3);
  pcPages->setTabVisible(pgID3v2, mp3);
  if (mp3) {
    LoadTagPages(entry->FileName);
  }
  show();
}

void TfrmEditItem::ClearID3v1() {
  cbID3V1_Exists->setChecked(false);
  for (QLineEdit* edit : {edtID3V1_Track, edtID3V1_Title, edtID3V1_Artist, edtID3V1_Album,
                          edtID3V1_Year, edtID3V1_Comment}) {
    edit->clear();
  }
  cbID3V1_Genre->clear();
  cbID3V1_Genre->addItems(SortedGenres());
  cbID3V1_Genre->setCurrentIndex(0);
}

void TfrmEditItem::ClearID3v2() {
  cbID3V2_Exists->setChecked(false);
  for (QLineEdit* edit :
       {edtID3V2_Track, edtID3V2_Title, edtID3V2_Artist, edtID3V2_Album, edtID3V2_Year,
        edtID3V2_Genre, edtID3V2_Comment, edtID3V2_Composer, edtID3V2_Language, edtID3V2_Copyright,
        edtID3V2_URL, edtID3V2_EncodedBy}) {
    edit->clear();
  }
}

void TfrmEditItem::LoadTagPages(const QString& fileName) {
  ClearID3v1();
  if (!QFileInfo::exists(fileName)) {
    return;
  }
  TID3v1 v1;
  v1.ReadFromFile(fileName);
  cbID3V1_Exists->setChecked(v1.Exists());
  if (v1.Exists()) {
    edtID3V1_Track->setText(QString::number(v1.Track()));
    edtID3V1_Title->setText(v1.Title());
    edtID3V1_Artist->setText(v1.Artist());
    edtID3V1_Album->setText(v1.Album());
    edtID3V1_Year->setText(v1.Year());
    // A genre outside the list (255 = none) leaves no item chosen.
    cbID3V1_Genre->setCurrentIndex(
        v1.GenreID() < ID3v1Genres().size() ? cbID3V1_Genre->findText(v1.Genre()) : -1);
    edtID3V1_Comment->setText(v1.Comment());
  }
  ClearID3v2();
  TID3v2 v2;
  v2.ReadFromFile(fileName);
  cbID3V2_Exists->setChecked(v2.Exists());
  if (v2.Exists()) {
    edtID3V2_Track->setText(QString::number(v2.Track()));
    edtID3V2_Title->setText(v2.Title());
    edtID3V2_Artist->setText(v2.Artist());
    edtID3V2_Album->setText(v2.Album());
    edtID3V2_Year->setText(v2.Year());
    edtID3V2_Genre->setText(v2.Genre());
    edtID3V2_Comment->setText(v2.Comment());
    edtID3V2_Composer->setText(v2.Composer());
    edtID3V2_Language->setText(v2.Language());
    edtID3V2_Copyright->setText(v2.Copyright());
    edtID3V2_URL->setText(v2.Link());
    edtID3V2_EncodedBy->setText(v2.Encoder());
  }
}

bool TfrmEditItem::Save() {
  if (edtPECaption->text().isEmpty() || edtPETime->text().isEmpty() ||
      edtPETrack->text().isEmpty()) {
    ShowMessageBox(QMessageBox::Warning, windowTitle(),
                   QStringLiteral("Caption, Time or Track can´t have a empty string !"),
                   QMessageBox::Ok, QMessageBox::Ok);
    return false;
  }
  TZPlaylistEntry* entry = playlist_.Get(editIndex_);
  if (!entry) {
    return false;
  }
  if (IsMp3(edtFileName->text())) {
    WriteTags(edtFileName->text());
  }
  entry->Played = cbPEPlayed->isChecked();
  entry->Selected = cbPESelected->isChecked();
  entry->FileName = edtFileName->text();
  entry->Caption = edtPECaption->text();
  entry->Time = edtPETime->text().left(kTimeLength);
  entry->Track = edtPETrack->text().left(kTrackLength);
  if (redraw_) {
    redraw_();
  }
  return true;
}

void TfrmEditItem::WriteTags(const QString& fileName) {
  const bool suspend = suspender_ && suspender_->IsPlayingEntry(edtIndex->text().toInt());
  if (suspend) {
    suspender_->Suspend();
  }
  WriteID3v1(fileName);
  WriteID3v2(fileName);
  if (suspend) {
    suspender_->Resume();
  }
  LoadTagPages(fileName);
}

void TfrmEditItem::WriteID3v1(const QString& fileName) {
  WriteTag<TID3v1>(cbID3V1_Exists->isChecked(), fileName, [this](TID3v1& tag) {
    tag.SetTrack(uint8_t(TrackNumber(edtID3V1_Track->text(), 256)));
    tag.SetTitle(edtID3V1_Title->text());
    tag.SetArtist(edtID3V1_Artist->text());
    tag.SetAlbum(edtID3V1_Album->text());
    tag.SetYear(edtID3V1_Year->text());
    tag.SetComment(edtID3V1_Comment->text());
    tag.SetGenreID(GenreID(cbID3V1_Genre->currentText()));
  });
}

void TfrmEditItem::WriteID3v2(const QString& fileName) {
  WriteTag<TID3v2>(cbID3V2_Exists->isChecked(), fileName, [this](TID3v2& tag) {
    tag.SetTrack(uint16_t(TrackNumber(edtID3V2_Track->text(), 65536)));
    tag.SetTitle(edtID3V2_Title->text());
    tag.SetArtist(edtID3V2_Artist->text());
    tag.SetAlbum(edtID3V2_Album->text());
    tag.SetYear(edtID3V2_Year->text());
    tag.SetGenre(edtID3V2_Genre->text());
    tag.SetComment(edtID3V2_Comment->text());
    tag.SetComposer(edtID3V2_Composer->text());
    tag.SetLanguage(edtID3V2_Language->text());
    tag.SetCopyright(edtID3V2_Copyright->text());
    tag.SetLink(edtID3V2_URL->text());
    tag.SetEncoder(edtID3V2_EncodedBy->text());
  });
}

void TfrmEditItem::ID3v1ToID3v2() {
  edtID3V2_Track->setText(edtID3V1_Track->text());
  edtID3V2_Title->setText(edtID3V1_Title->text());
  edtID3V2_Artist->setText(edtID3V1_Artist->text());
  edtID3V2_Album->setText(edtID3V1_Album->text());
  edtID3V2_Year->setText(edtID3V1_Year->text());
  edtID3V2_Genre->setText(cbID3V1_Genre->currentText());
  edtID3V2_Comment->setText(edtID3V1_Comment->text());
  cbID3V2_Exists->setChecked(true);
}

void TfrmEditItem::ID3v2ToID3v1() {
  edtID3V1_Track->setText(edtID3V2_Track->text());
  edtID3V1_Title->setText(edtID3V2_Title->text());
  edtID3V1_Artist->setText(edtID3V2_Artist->text());
  edtID3V1_Album->setText(edtID3V2_Album->text());
  edtID3V1_Year->setText(edtID3V2_Year->text());
  edtID3V1_Comment->setText(edtID3V2_Comment->text());
  const int genre = cbID3V1_Genre->findText(edtID3V2_Genre->text(), Qt::MatchFixedString);
  cbID3V1_Genre->setCurrentIndex(std::max(0, genre));
  cbID3V1_Exists->setChecked(true);
}
