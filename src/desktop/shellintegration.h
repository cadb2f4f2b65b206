#pragma once
// Makes the program startable from the desktop: a desktop entry with "Play" and "Add" actions
// for the media file types, those actions for folders, the DVD handler, and the user's default
// applications in "mimeapps.list". Everything is per user, below $XDG_DATA_HOME and
// $XDG_CONFIG_HOME; each default that registering replaces is kept and put back when unregistering.

#include <QString>
#include <QStringList>
#include <optional>

class TZLanguage;

// Where registrations are written and which program they start.
struct TZShellPlaces {
  QString DataHome;    // $XDG_DATA_HOME, or ~/.local/share
  QString ConfigHome;  // $XDG_CONFIG_HOME, or ~/.config
  QString Program;     // the program file the desktop entries run

  static TZShellPlaces ForUser(const QString& program);
  QString ApplicationsFolder() const;
  QString DesktopEntry() const;     // applications/zephonic.desktop
  QString DvdDesktopEntry() const;  // applications/zephonic-dvd.desktop
  QString FolderActions() const;    // kio/servicemenus/zephonic-folders.desktop
  QString MimePackage() const;      // mime/packages/zephonic.xml, the program's own types
  QString MimeAppsList() const;     // mimeapps.list
  QString DefaultsBackup() const;   // zephonic/mimeapps.backup, the replaced defaults
};

// Every registrable file type: the extensions of the media tables (upper case, with the dot,
// each once) and ".ZSKZ".
QStringList RegistrableExtensions();
// The MIME types an extension stands for on this desktop; types that are no media (pictures,
// text) are left out, so an extension can have none. Playlists (".ZPL") and skin packages
// (".ZSKZ") have types of the program's own.
QStringList MimeTypesForExtension(const QString& extension);

class TZShellRegistration {
 public:
  TZShellRegistration(TZShellPlaces places, const TZLanguage& language);

  // Each operation writes what it changed at once; false when a file could not be written.
  bool RegisterFileType(const QString& extension);
  bool UnregisterFileType(const QString& extension);
  bool FileTypeRegistered(const QString& extension) const;
  bool RegisterFileTypes(const QStringList& extensions);
  bool UnregisterFileTypes(const QStringList& extensions);
  bool RegisterAllFileTypes() { return RegisterFileTypes(RegistrableExtensions()); }
  bool UnregisterAllFileTypes() { return UnregisterFileTypes(RegistrableExtensions()); }

  // The desktop entry with its "Play" and "Add" actions, and those actions for folders in the
  // file manager.
  bool RegisterVerbs();
  bool UnregisterVerbs();
  bool VerbsRegistered() const;

  // The handler of inserted video DVDs.
  bool RegisterDvd();
  bool UnregisterDvd();
  bool DvdRegistered() const;

 private:
  class Session;
  // Reads the registration, lets `edit` change it and writes what changed.
  template <typename Edit>
  bool Change(Edit edit);
  bool SetFileTypes(const QStringList& extensions, bool registered);

  TZShellPlaces places_;
  const TZLanguage& language_;
};

// "/register" and "/unregister" as the first argument: registers (or removes) every file type
// and the folder actions with the texts of the program's language, then the program ends with
// the returned exit code. Nothing (no value) for any other command line.
std::optional<int> RunShellArgument(const QStringList& arguments, const QString& program);
