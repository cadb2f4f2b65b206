#pragma once
// The "Add URL" dialog and the "Add DVD/VCD/SVCD" dialog with the system's optical drives, a
// folder or a disc image as sources.

#include <QDialog>
#include <vector>

#include "lang/language.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class TZPlaylist;
class TZPlaylistPlayer;
class TZPlaylistWindow;
struct TZConfig;

// True for the links the player can stream: "http://", "https://" and "mms://", in any case.
bool IsAddableUrl(const QString& text);

class TfrmAddURL : public QDialog {
  Q_OBJECT

 public:
  TfrmAddURL(TZPlaylist& playlist, TZPlaylistWindow& window, const TZLanguage& language,
             QWidget* parent = nullptr);
  void ApplyTexts(const TZLanguage& language);
  // Shows the dialog centred over `over` with the field reset.
  void ShowCentred(const QWidget& over);
  // "Add": appends the link and closes, or warns (3000) and stays open.
  bool Add();

  QLineEdit* edtURL;
  QPushButton* btnAdd;
  QPushButton* btnCancel;

 private:
  TZPlaylist& playlist_;
  TZPlaylistWindow& window_;
  const TZLanguage& language_;
  class QLabel* lblURL_;
};

// One choice of the drive list: a drive, a folder or a disc image.
struct TZDiscSource {
  QString Path;   // the mount point of a mounted disc, else the device, folder or image
  QString Label;  // the volume label; empty when the disc has none
  QString Text;   // as listed: "<path> [ <label> ]"
};

// The system's optical drives (/dev/sr*), in name order, with mount point and label.
std::vector<TZDiscSource> OpticalDrives(const QString& noMediumText);
// "%s [ %s ]" of the path and the label, or of the path and noMediumText without a label.
QString DiscSourceText(const QString& path, const QString& label, const QString& noMediumText);
// The choice shown first: the last one with a label, else the first; -1 for none.
int PreselectedSource(const std::vector<TZDiscSource>& sources);

class TfrmAddDVD : public QDialog {
  Q_OBJECT

 public:
  TfrmAddDVD(TZPlaylist& playlist, TZPlaylistPlayer& player, TZPlaylistWindow& window,
             TZConfig& config, const TZLanguage& language, QWidget* parent = nullptr);
  void ApplyTexts(const TZLanguage& language);
  // Lists the drives again and shows the dialog centred over `over`.
  void ShowCentred(const QWidget& over);
  // Adds a folder or an image to the list and chooses it; the label is its name.
  void AddSource(const QString& path);
  // "OK": appends the chosen disc's entries; closes when anything was added.
  int Accept();
  const std::vector<TZDiscSource>& sources() const { return sources_; }

  QComboBox* cbDrives;
  QPushButton* btnFolder;
  QPushButton* btnImage;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 private:
  void FillDrives();
  void AddToList(const TZDiscSource& source);

  TZPlaylist& playlist_;
  TZPlaylistPlayer& player_;
  TZPlaylistWindow& window_;
  TZConfig& config_;
  const TZLanguage& language_;
  std::vector<TZDiscSource> sources_;
  class QLabel* lblDrives_;
};
