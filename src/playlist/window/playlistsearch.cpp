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
#include <vector>

#include "config/config.h"
#include "playlist/window/playlistwindow.h"

namespace {

bool KindAllowed(TZSearchKind kind, const QString& fileName) {
  switch (kind) {
    case skAudio:
      return IsAudioKind(ClassifyMedia(fileName));
    case skVideo:
      return IsVideoKind(ClassifyMedia(fileName));
    case skAll:
      break;
  }
  return true;
}

char16_t Lower(char16_t unit) {
  if (unit < 0x80) {
    return unit >= 'A' && unit <= 'Z' ? char16_t(unit + 32) : unit;
  }
  return QChar::toLower(unit);
}

char16_t Folded(char16_t unit) {
  return unit < 0x80 ? Lower(unit) : QChar::toCaseFolded(unit);
}

// Whether the lower-cased caption contains the (lower-case) word. Written out rather than with a
// case-insensitive library search: this runs for every entry on every keystroke.
bool ContainsLower(QStringView caption, QStringView word) {
  const qsizetype last = caption.size() - word.size();
  for (qsizetype i = 0; i <= last; ++i) {
    qsizetype j = 0;
    while (j < word.size() && Lower(caption[i + j].unicode()) == word[j].unicode()) {
      ++j;
    }
    if (j == word.size()) {
      return true;
    }
  }
  return false;
}

bool MatchesAll(const QString& caption, const QStringList& words) {
  for (const QString& word : words) {
    if (word.isEmpty() || !ContainsLower(caption, word)) {
      return false;
    }
  }
  return true;
}

// The captions already listed, compared ignoring case: an open-addressing table of entry indices,
// so that neither folded copies nor table nodes are allocated per entry.
class CaptionSet {
 public:
  CaptionSet(const TZPlaylist& playlist) : playlist_(playlist) {
    size_t capacity = 64;
    while (capacity < size_t(playlist.Count()) * 2) {
      capacity *= 2;
    }
    slots_.assign(capacity, -1);
  }

  // True when no caption equal to entry i's was inserted before.
  bool Insert(int i) {
    const QString& caption = playlist_.Get(i)->Caption;
    const size_t mask = slots_.size() - 1;
    for (size_t slot = Hash(caption) & mask;; slot = (slot + 1) & mask) {
      const int held = slots_[slot];
      if (held < 0) {
        slots_[slot] = i;
        return true;
      }
      if (playlist_.Get(held)->Caption.compare(caption, Qt::CaseInsensitive) == 0) {
        return false;
      }
    }
  }

 private:
  static size_t Hash(const QString& caption) {
    size_t hash = 14695981039346656037ull;
    for (const QChar c : caption) {
      hash = (hash ^ Folded(c.unicode())) * 1099511628211ull;
    }
    // The table uses the low bits, which the multiplications above leave poorly mixed.
    return hash ^ (hash >> 29) ^ (hash >> 47);
  }

  const TZPlaylist& playlist_;
  std::vector<int> slots_;
};

}  // namespace

QStringList SearchCaptions(const TZPlaylist& playlist, const QString& keyword, TZSearchKind kind) {
  const QStringList words = keyword.toLower().split(QLatin1Char(' '));
  CaptionSet seen(playlist);
  QStringList results;
  results.reserve(playlist.Count());
  for (int i = 0; i < playlist.Count(); ++i) {
    const TZPlaylistEntry& entry = *playlist.Get(i);
    if (!keyword.isEmpty() && !MatchesAll(entry.Caption, words)) {
      continue;
    }
    if (KindAllowed(kind, entry.FileName) && seen.Insert(i)) {
      results << entry.Caption;
    }
  }
  return results;
}

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
  setWindowTitle(language.Text(305));
  lblKeyword_->setText(language.Text(306) + QLatin1Char(':'));
  lblResults_->setText(language.Text(307) + QLatin1Char(':'));
  btnCancel->setText(language.Text(308));
  btnSelect->setText(language.Text(309));
  grpSearchFor_->setTitle(language.Text(310));
  for (int kind : {skAll, skAudio, skVideo}) {
    rgSearchFor->button(kind)->setText(language.Text(311 + kind));
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
  model_->setStringList(SearchCaptions(playlist_, edtKeyword->text(),
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
