#include "playlist/window/playlistsearch.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "config/config.h"
#include "lang/textids.h"
#include "playlist/window/playlistwindow.h"

TfrmSearch::TfrmSearch(TZPlaylistWindow& window, TZPlaylist& playlist, TZConfig& config,
                       const TZLanguage& language, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      edtKeyword(new QLineEdit(this)),
      lbResults(new QListView(this)),
      rgSearchFor(new QButtonGroup(this)),
      btnSelect(new QPushButton(this)),
      btnCancel(new QPushButton(this)),
      window_(window),
      playlist_(playlist),
      config_(config),
      model_(new QStringListModel(this)),
      lblKeyword_(new QLabel(this)),
      lblResults_(new QLabel(this)),
      grpSearchFor_(new QGroupBox(this)) {
  lbResults->setModel(model_);
  lbResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbResults->setUniformItemSizes(true);
  auto* kinds = new QHBoxLayout(grpSearchFor_);
  for (int kind : {skAll, skAudio, skVideo}) {
    auto* radio = new QRadioButton(grpSearchFor_);
    rgSearchFor->addButton(radio, kind);
    kinds->addWidget(radio);
  }
  rgSearchFor->button(skAll)->setChecked(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnSelect);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblKeyword_);
  layout->addWidget(edtKeyword);
  layout->addWidget(lblResults_);
  layout->addWidget(lbResults, 1);
  layout->addWidget(grpSearchFor_);
  layout->addLayout(buttons);
  resize(320, 360);
  btnSelect->setAutoDefault(false);
  btnCancel->setAutoDefault(false);

  connect(edtKeyword, &QLineEdit::textChanged, this, [this] { Refill(); });
  connect(rgSearchFor, &QButtonGroup::idClicked, this, [this] { Refill(); });
  connect(lbResults, &QListView::pressed, this, [this] { UpdateSelectButton(); });
  connect(lbResults, &QListView::doubleClicked, this, [this] { SelectChosen(); });
  connect(btnSelect, &QPushButton::clicked, this, [this] { SelectChosen(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  edtKeyword->installEventFilter(this);
  lbResults->installEventFilter(this);
  ApplyTexts(language);
}

void TfrmSearch::ApplyTexts(const TZLanguage& language) {
  setWindowTitle(language.Text(kTextSearchTitle));
  lblKeyword_->setText(language.Text(kTextSearchKeyword) + QLatin1Char(':'));
  lblResults_->setText(language.Text(kTextSearchResults) + QLatin1Char(':'));
  btnCancel->setText(language.Text(kTextSearchCancel));
  btnSelect->setText(language.Text(kTextSearchSelect));
  grpSearchFor_->setTitle(language.Text(kTextSearchFor));
  // The search kinds count in the order of their texts.
  static_assert(kTextSearchAll + skAudio == kTextSearchAudio &&
                kTextSearchAll + skVideo == kTextSearchVideo);
  for (int kind : {skAll, skAudio, skVideo}) {
    rgSearchFor->button(kind)->setText(language.Text(kTextSearchAll + kind));
  }
}

void TfrmSearch::ShowCentred(const QWidget& over) {
  const QRect frame = over.frameGeometry();
  move(frame.center() - QPoint(width() / 2, height() / 2));
  show();
  raise();
  activateWindow();
}

QStringList TfrmSearch::results() const {
  return model_->stringList();
}

void TfrmSearch::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edtKeyword->clear();
  Refill();
  edtKeyword->setFocus();
}

void TfrmSearch::Refill() {
  model_->setStringList(index_.Search(playlist_, edtKeyword->text(),
                                      TZSearchKind(std::max(0, rgSearchFor->checkedId()))));
  lbResults->setCurrentIndex(QModelIndex());
  btnSelect->setEnabled(model_->rowCount() > 0);
}

void TfrmSearch::UpdateSelectButton() {
  btnSelect->setEnabled(lbResults->currentIndex().isValid());
}

void TfrmSearch::SelectChosen() {
  const QModelIndex chosen = lbResults->currentIndex();
  if (!chosen.isValid()) {
    return;
  }
  const int index = playlist_.FindByCaption(chosen.data().toString());
  if (index < 0) {
    return;
  }
  playlist_.SelectNone();
  playlist_.Get(index)->Selected = true;
  playlist_.PlaylistCursor = index;
  window_.CentreEntry(index);
  window_.Redraw();
  window_.PlayItems();
  if (config_.SearchHideOnPlay) {
    hide();
  }
}

bool TfrmSearch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return false;
  }
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Escape) {
    reject();
    return true;
  }
  if (key != Qt::Key_Return && key != Qt::Key_Enter) {
    return false;
  }
  if (watched == edtKeyword) {
    if (model_->rowCount() == 0) {
      return true;
    }
    lbResults->setCurrentIndex(model_->index(0));
  }
  SelectChosen();
  return true;
}
