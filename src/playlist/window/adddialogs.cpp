#include "playlist/window/adddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "base/errorcatalogue.h"
#include "config/config.h"
#include "lang/textids.h"
#include "playlist/addmedia/addmedia.h"
#include "playlist/playlist.h"
#include "playlist/window/playlistwindow.h"

namespace {

void MoveCentred(QWidget& dialog, const QWidget& over) {
  dialog.move(over.frameGeometry().center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  return row;
}

// udev names the labelled volumes in /dev/disk/by-label, escaping blanks and the like as \xNN.
QString UdevLabel(const QString& device) {
  const QDir byLabel(QStringLiteral("/dev/disk/by-label"));
  for (const QFileInfo& link : byLabel.entryInfoList(QDir::System | QDir::Files)) {
    if (link.canonicalFilePath() != device) {
      continue;
    }
    QString label = link.fileName();
    static const QRegularExpression escaped(QStringLiteral("\\\\x([0-9a-fA-F]{2})"));
    QRegularExpressionMatch match;
    while ((match = escaped.match(label)).hasMatch()) {
      label.replace(match.capturedStart(), match.capturedLength(),
                    QChar(match.captured(1).toInt(nullptr, 16)));
    }
    return label;
  }
  return QString();
}

}  // namespace

bool IsAddableUrl(const QString& text) {
  for (const char* scheme : {"http://", "https://", "mms://"}) {
    if (text.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) {
      return true;
    }
  }
  return false;
}

TfrmAddURL::TfrmAddURL(TZPlaylist& playlist, TZPlaylistWindow& window, const TZLanguage& language,
                       QWidget* parent)
    : QDialog(parent, Qt::Tool),
      edtURL(new QLineEdit(this)),
      btnAdd(new QPushButton(this)),
      btnCancel(new QPushButton(this)),
      playlist_(playlist),
      window_(window),
      language_(language),
      lblURL_(new QLabel(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblURL_);
  layout->addWidget(edtURL);
  layout->addLayout(ButtonRow({btnAdd, btnCancel}));
  connect(btnAdd, &QPushButton::clicked, this, [this] { Add(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(edtURL, &QLineEdit::returnPressed, this, [this] { Add(); });
  resize(360, height());
  ApplyTexts(language);
}

void TfrmAddURL::ApplyTexts(const TZLanguage& language) {
  setWindowTitle(language.Text(kTextAddUrlTitle));
  lblURL_->setText(language.Text(kTextAddUrlLabel));
  btnAdd->setText(language.Text(kTextAddUrlOk));
  btnCancel->setText(language.Text(kTextAddUrlCancel));
}

void TfrmAddURL::ShowCentred(const QWidget& over) {
  edtURL->setText(language_.Text(kTextAddUrlDefault));
  MoveCentred(*this, over);
  show();
  edtURL->setFocus();
}

bool TfrmAddURL::Add() {
  const QString url = edtURL->text();
  if (!IsAddableUrl(url)) {
    ReportError(3000, QStringLiteral("TZURL"), url, false);
    return false;
  }
  playlist_.Add(url, url, false, QStringLiteral("00"), QStringLiteral("00:00:00"));
  window_.Redraw();
  accept();
  return true;
}

QString DiscSourceText(const QString& path, const QString& label, const QString& noMediumText) {
  return QStringLiteral("%1 [ %2 ]").arg(path, label.isEmpty() ? noMediumText : label);
}

std::vector<TZDiscSource> OpticalDrives(const QString& noMediumText) {
  std::vector<TZDiscSource> drives;
  const QStringList devices =
      QDir(QStringLiteral("/dev")).entryList({QStringLiteral("sr*")}, QDir::System, QDir::Name);
  const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  for (const QString& name : devices) {
    const QString device = QStringLiteral("/dev/") + name;
    TZDiscSource drive{device, UdevLabel(device), QString()};
    for (const QStorageInfo& volume : volumes) {
      if (QString::fromLocal8Bit(volume.device()) == device) {
        drive.Path = volume.rootPath();
        drive.Label = volume.name();
      }
    }
    drive.Text = DiscSourceText(drive.Path, drive.Label, noMediumText);
    drives.push_back(drive);
  }
  return drives;
}

int PreselectedSource(const std::vector<TZDiscSource>& sources) {
  for (int i = int(sources.size()) - 1; i >= 0; --i) {
    if (!sources[size_t(i)].Label.isEmpty()) {
      return i;
    }
  }
  return sources.empty() ? -1 : 0;
}

TfrmAddDVD::TfrmAddDVD(TZPlaylist& playlist, TZPlaylistPlayer& player, TZPlaylistWindow& window,
                       TZConfig& config, const TZLanguage& language, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      cbDrives(new QComboBox(this)),
      btnFolder(new QPushButton(this)),
      btnImage(new QPushButton(this)),
      btnOK(new QPushButton(this)),
      btnCancel(new QPushButton(this)),
      playlist_(playlist),
      player_(player),
      window_(window),
      config_(config),
      language_(language),
      lblDrives_(new QLabel(this)) {
  auto* sources = new QHBoxLayout;
  sources->addWidget(cbDrives, 1);
  sources->addWidget(btnFolder);
  sources->addWidget(btnImage);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblDrives_);
  layout->addLayout(sources);
  layout->addLayout(ButtonRow({btnOK, btnCancel}));
  connect(btnOK, &QPushButton::clicked, this, [this] { Accept(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnFolder, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(this, btnFolder->text());
    if (!folder.isEmpty()) {
      AddSource(folder);
    }
  });
  connect(btnImage, &QPushButton::clicked, this, [this] {
    const QString image = QFileDialog::getOpenFileName(
        this, btnImage->text(), QString(), QStringLiteral("CD images (*.cue *.toc *.nrg)"));
    if (!image.isEmpty()) {
      AddSource(image);
    }
  });
  resize(420, height());
  ApplyTexts(language);
}

void TfrmAddDVD::ApplyTexts(const TZLanguage& language) {
  setWindowTitle(language.Text(kTextAddMediumTitle));
  lblDrives_->setText(language.Text(kTextAddMediumDrives));
  btnOK->setText(language.Text(kTextAddMediumOk));
  btnCancel->setText(language.Text(kTextAddMediumCancel));
  // Most computers here have no drive: a disc copied to a folder or a CD image serves as well.
  btnFolder->setText(QStringLiteral("Folder..."));
  btnImage->setText(QStringLiteral("Image..."));
}

void TfrmAddDVD::FillDrives() {
  sources_.clear();
  cbDrives->clear();
  for (const TZDiscSource& drive : OpticalDrives(language_.Text(kTextAddMediumNone))) {
    AddToList(drive);
  }
  cbDrives->setCurrentIndex(PreselectedSource(sources_));
}

void TfrmAddDVD::AddToList(const TZDiscSource& source) {
  sources_.push_back(source);
  cbDrives->addItem(source.Text);
}

void TfrmAddDVD::ShowCentred(const QWidget& over) {
  FillDrives();
  MoveCentred(*this, over);
  show();
}

void TfrmAddDVD::AddSource(const QString& path) {
  const QString label = QFileInfo(path).fileName();
  AddToList({path, label, DiscSourceText(path, label, language_.Text(kTextAddMediumNone))});
  cbDrives->setCurrentIndex(int(sources_.size()) - 1);
}

int TfrmAddDVD::Accept() {
  const int chosen = cbDrives->currentIndex();
  if (chosen < 0 || chosen >= int(sources_.size())) {
    return 0;
  }
  const TZDiscSource& source = sources_[size_t(chosen)];
  TZMediaAdder adder(playlist_, config_);
  const int added = adder.AddDisc(source.Path, source.Label);
  if (added == 0) {
    return 0;  // nothing playable: the dialog stays open for another choice
  }
  window_.Redraw();
  if (!player_.Playing() && !player_.Paused()) {
    window_.PlayItems();
  }
  accept();
  return added;
}
