#include "desktop/shellintegration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

#include "desktop/shellmimeapps.h"
#include "lang/language.h"
#include "lang/textids.h"
#include "playlist/mediakind.h"

namespace {

const QString kDesktopId = QStringLiteral("zephonic.desktop");
const QString kDvdDesktopId = QStringLiteral("zephonic-dvd.desktop");
const QString kDvdType = QStringLiteral("x-content/video-dvd");

// The program's own file formats, which no desktop knows: they get MIME types of their own.
struct TZOwnType {
  const char* Extension;
  const char* Type;
  const char* Comment;
};
constexpr TZOwnType kOwnTypes[] = {
    {".ZPL", "application/x-zephonic-playlist", "Zephonic playlist"},
    {".ZSKZ", "application/x-zephonic-skin", "Zephonic skin package"},
};

QString HomeOr(const char* variable, const QString& fallback) {
  const QString value = qEnvironmentVariable(variable);
  return QDir::isAbsolutePath(value) ? value : QDir::homePath() + fallback;
}

// A desktop entry's string value: backslashes and control characters escaped.
QString EntryValue(QString text) {
  text.replace(u'\\', QStringLiteral("\\\\"));
  text.replace(u'\n', QStringLiteral("\\n"));
  text.replace(u'\t', QStringLiteral("\\t"));
  text.replace(u'\r', QStringLiteral("\\r"));
  return text;
}

// The program as the first word of an Exec line: "%" doubled so that it is no field code, and
// quoted only when it holds a reserved character (simple launchers take the first word as it
// is), with the characters that are special inside quotes escaped.
QString ExecProgram(const QString& program) {
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  QString word;
  bool quote = false;
  for (const QChar c : program) {
    quote = quote || reserved.contains(c);
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
      word += u'\\';
    }
    word += c == u'%' ? QStringLiteral("%%") : QString(c);
  }
  return EntryValue(quote ? u'"' + word + u'"' : word);
}

QByteArray DesktopEntryText(const QString& program, const TZLanguage& language,
                            const QStringList& types) {
  const QString exec = ExecProgram(program);
  const QString text =
      QStringLiteral(
          "[Desktop Entry]\n"
          "Type=Application\n"
          "Version=1.4\n"
          "Name=Zephonic\n"
          "GenericName=Media Player\n"
          "Comment=Plays music, internet radio, videos and DVDs from one playlist\n"
          "Icon=multimedia-player\n"
          "Exec=%1 %F\n"
          "Terminal=false\n"
          "Categories=AudioVideo;Audio;Video;Player;\n"
          "%2"
          "Actions=Play;Add;\n"
          "\n"
          "[Desktop Action Play]\n"
          "Name=%3\n"
          "Exec=%1 /play %F\n"
          "\n"
          "[Desktop Action Add]\n"
          "Name=%4\n"
          "Exec=%1 /add %F\n")
          .arg(exec, types.isEmpty() ? QString() : "MimeType=" + types.join(u';') + ";\n",
               EntryValue(language.Text(kTextShellPlay)), EntryValue(language.Text(kTextShellAdd)));
  return text.toUtf8();
}

QByteArray DvdEntryText(const QString& program, const TZLanguage& language) {
  const QString text =
      QStringLiteral(
          "[Desktop Entry]\n"
          "Type=Application\n"
          "Version=1.4\n"
          "Name=%1\n"
          "Comment=%2\n"
          "Icon=media-optical\n"
          "Exec=%3 /dvd %f\n"
          "Terminal=false\n"
          "NoDisplay=true\n"
          "MimeType=%4;\n")
          .arg(EntryValue(language.Text(kTextShellPlayDvd)),
               EntryValue(language.Text(kTextShellDvdMovie)), ExecProgram(program), kDvdType);
  return text.toUtf8();
}

// The file manager's "Play" and "Add" for folders, as a service menu: folders get the actions
// without the program becoming an application for folders (which could make it open them).
QByteArray FolderActionsText(const QString& program, const TZLanguage& language) {
  const QString text = QStringLiteral(
                           "[Desktop Entry]\n"
                           "Type=Service\n"
                           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
                           "MimeType=inode/directory;\n"
                           "Actions=Play;Add;\n"
                           "\n"
                           "[Desktop Action Play]\n"
                           "Name=%1\n"
                           "Icon=multimedia-player\n"
                           "Exec=%3 /play %f\n"
                           "\n"
                           "[Desktop Action Add]\n"
                           "Name=%2\n"
                           "Icon=multimedia-player\n"
                           "Exec=%3 /add %f\n")
                           .arg(EntryValue(language.Text(kTextShellPlay)),
                                EntryValue(language.Text(kTextShellAdd)), ExecProgram(program));
  return text.toUtf8();
}

// The MIME types of a desktop entry written by this program.
QStringList EntryTypes(const QByteArray& entry) {
  for (const QByteArray& line : entry.split('\n')) {
    if (line.startsWith("MimeType=")) {
      QStringList types = QString::fromUtf8(line.mid(9).trimmed()).split(u';', Qt::SkipEmptyParts);
      types.removeDuplicates();
      return types;
    }
  }
  return {};
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file that is there but cannot be read must not be written over: what it holds would be lost.
bool Readable(const QString& path) {
  QFile file(path);
  return !QFileInfo::exists(path) || file.open(QIODevice::ReadOnly);
}

// Writes the file when its bytes differ; no bytes (null) removes it. True when the file now
// holds what was asked.
bool PutFile(const QString& path, const QByteArray& bytes, bool* changed) {
  const bool exists = QFileInfo::exists(path);
  if (bytes.isNull()) {
    *changed = exists;
    const bool removed = !exists || QFile::remove(path);
    // A folder that only held this file goes with it.
    QDir().rmdir(QFileInfo(path).absolutePath());
    return removed;
  }
  if (exists && ReadFile(path) == bytes) {
    *changed = false;
    return true;
  }
  *changed = true;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The shared MIME-info package that teaches the desktop the program's own types.
QByteArray MimePackageText() {
  QString text = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
  for (const TZOwnType& own : kOwnTypes) {
    text += QStringLiteral(
                "  <mime-type type=\"%1\">\n"
                "    <comment>%2</comment>\n"
                "    <glob pattern=\"*%3\"/>\n"
                "  </mime-type>\n")
                .arg(QLatin1String(own.Type), QLatin1String(own.Comment),
                     QString::fromLatin1(own.Extension).toLower());
  }
  return (text + QStringLiteral("</mime-info>\n")).toUtf8();
}

bool IsOwnType(const QString& type) {
  return std::any_of(std::begin(kOwnTypes), std::end(kOwnTypes),
                     [&](const TZOwnType& own) { return type == QLatin1String(own.Type); });
}

void RunTool(const char* name, const QString& folder) {
  const QString tool = QStandardPaths::findExecutable(QLatin1String(name));
  if (!tool.isEmpty()) {
    QProcess::execute(tool, {folder});
  }
}

bool IsMediaType(const QMimeType& type) {
  const QString name = type.name();
  return !name.startsWith(QLatin1String("image/")) && !name.startsWith(QLatin1String("text/")) &&
         name != QLatin1String("application/octet-stream");
}

}  // namespace

TZShellPlaces TZShellPlaces::ForUser(const QString& program) {
  return {HomeOr("XDG_DATA_HOME", QStringLiteral("/.local/share")),
          HomeOr("XDG_CONFIG_HOME", QStringLiteral("/.config")), program};
}

QString TZShellPlaces::ApplicationsFolder() const {
  return DataHome + QStringLiteral("/applications");
}

QString TZShellPlaces::DesktopEntry() const {
  return ApplicationsFolder() + u'/' + kDesktopId;
}

QString TZShellPlaces::DvdDesktopEntry() const {
  return ApplicationsFolder() + u'/' + kDvdDesktopId;
}

QString TZShellPlaces::FolderActions() const {
  return DataHome + QStringLiteral("/kio/servicemenus/zephonic-folders.desktop");
}

QString TZShellPlaces::MimePackage() const {
  return DataHome + QStringLiteral("/mime/packages/zephonic.xml");
}

QString TZShellPlaces::MimeAppsList() const {
  return ConfigHome + QStringLiteral("/mimeapps.list");
}

QString TZShellPlaces::DefaultsBackup() const {
  return ConfigHome + QStringLiteral("/zephonic/mimeapps.backup");
}

QStringList RegistrableExtensions() {
  QStringList extensions;
  for (const auto table : {BassStreamTable(), DirectShowAudioTable(), DirectShowVideoTable(),
                           DvdTable(), CdTable(), PlaylistTable()}) {
    for (const TMediaTableRow& row : table) {
      if (*row.Description != '\0') {
        extensions << QString::fromLatin1(row.Extension);
      }
    }
  }
  extensions << QStringLiteral(".ZSKZ");
  extensions.removeDuplicates();
  return extensions;
}

QStringList MimeTypesForExtension(const QString& extension) {
  for (const TZOwnType& own : kOwnTypes) {
    if (extension.compare(QLatin1String(own.Extension), Qt::CaseInsensitive) == 0) {
      return {QLatin1String(own.Type)};
    }
  }
  static const QMimeDatabase database;
  QStringList types;
  for (const QMimeType& type :
       database.mimeTypesForFileName(QStringLiteral("file") + extension.toLower())) {
    if (IsMediaType(type)) {
      types << type.name();
    }
  }
  return types;
}

// One read-change-write round over the registration files.
class TZShellRegistration::Session {
 public:
  explicit Session(const TZShellPlaces& places)
      : places_(places),
        types_(EntryTypes(ReadFile(places.DesktopEntry()))),
        dvd_(QFileInfo::exists(places.DvdDesktopEntry())),
        verbs_(QFileInfo::exists(places.FolderActions())),
        mimeAppsBytes_(ReadFile(places.MimeAppsList())),
        mimeApps_(mimeAppsBytes_),
        backup_(TZDefaultsBackup::Parse(ReadFile(places.DefaultsBackup()))),
        defaultsReadable_(Readable(places.MimeAppsList()) && Readable(places.DefaultsBackup())) {}

  const QStringList& Types() const { return types_; }
  bool Dvd() const { return dvd_; }
  bool Verbs() const { return verbs_; }
  bool OwnsDefault(const QString& type, const QString& desktopId) const {
    return mimeApps_.DefaultValue(type.toUtf8()) == (desktopId + u';').toUtf8();
  }

  // A type of the desktop entry, and the entry as its default.
  void SetType(const QString& type, bool registered) {
    types_.removeAll(type);
    if (registered) {
      types_ << type;
    }
    SetDefault(type, kDesktopId, registered);
  }
  // The DVD handler's entry, and the entry as the default for video DVDs.
  void SetDvd(bool registered) {
    dvd_ = registered;
    SetDefault(kDvdType, kDvdDesktopId, registered);
  }
  void SetVerbs(bool registered) { verbs_ = registered; }

  bool Commit(const TZLanguage& language) {
    if (backup_.SectionAdded) {
      mimeApps_.RemoveEmptyDefaultSection();
      backup_.SectionAdded = mimeApps_.HasDefaultSection();
    }
    QByteArray mimeApps = mimeApps_.Bytes();
    if (mimeApps.isEmpty() && mimeAppsBytes_.isEmpty()) {
      mimeApps = QByteArray();  // nothing to keep: no file
    }
    const bool entry = verbs_ || !types_.isEmpty();
    bool entriesChanged = false;
    bool unused = false;
    // Every file is written even when an earlier one failed, as far as it can be.
    bool ok = PutFile(places_.DesktopEntry(),
                      entry ? DesktopEntryText(places_.Program, language, types_) : QByteArray(),
                      &entriesChanged);
    bool changed = false;
    ok = PutFile(places_.DvdDesktopEntry(),
                 dvd_ ? DvdEntryText(places_.Program, language) : QByteArray(), &changed) &&
         ok;
    entriesChanged = entriesChanged || changed;
    ok = PutFile(places_.FolderActions(),
                 verbs_ ? FolderActionsText(places_.Program, language) : QByteArray(), &unused) &&
         ok;
    // Service menus are only taken when they may be run.
    if (verbs_) {
      QFile::setPermissions(places_.FolderActions(),
                            QFile::permissions(places_.FolderActions()) | QFile::ExeOwner);
    }
    const bool ownTypes = std::any_of(types_.begin(), types_.end(), IsOwnType);
    bool packageChanged = false;
    ok = PutFile(places_.MimePackage(), ownTypes ? MimePackageText() : QByteArray(),
                 &packageChanged) &&
         ok;
    if (defaultsReadable_) {
      ok = PutFile(places_.MimeAppsList(), mimeApps, &unused) && ok;
      ok = PutFile(places_.DefaultsBackup(), backup_.IsEmpty() ? QByteArray() : backup_.Bytes(),
                   &unused) &&
           ok;
    } else {
      ok = false;
    }
    // The desktop's indexes of MIME types and of applications by type, when their tools are
    // installed.
    if (packageChanged) {
      RunTool("update-mime-database", places_.DataHome + QStringLiteral("/mime"));
    }
    if (entriesChanged) {
      RunTool("update-desktop-database", places_.ApplicationsFolder());
    }
    return ok;
  }

 private:
  void SetDefault(const QString& type, const QString& desktopId, bool registered) {
    if (registered) {
      TakeDefault(type, desktopId);
    } else {
      ReleaseDefault(type, desktopId);
    }
  }

  // Makes desktopId the default of the type, keeping the line it replaces.
  void TakeDefault(const QString& type, const QString& desktopId) {
    if (OwnsDefault(type, desktopId)) {
      return;
    }
    const QByteArray key = type.toUtf8();
    const QByteArray previous = mimeApps_.DefaultLine(key);
    if (previous.isEmpty()) {
      backup_.Lines.remove(key);
    } else {
      backup_.Lines.insert(key, previous);
    }
    if (!mimeApps_.HasDefaultSection()) {
      mimeApps_.AddDefaultSection();
      backup_.SectionAdded = true;
    }
    mimeApps_.SetDefaultLine(key, key + '=' + desktopId.toUtf8() + ';');
  }

  // Puts back the default that TakeDefault replaced, when the type still opens with desktopId.
  void ReleaseDefault(const QString& type, const QString& desktopId) {
    const QByteArray key = type.toUtf8();
    if (OwnsDefault(type, desktopId)) {
      mimeApps_.SetDefaultLine(key, backup_.Lines.value(key));
    }
    backup_.Lines.remove(key);
  }

  const TZShellPlaces& places_;
  QStringList types_;
  bool dvd_;
  bool verbs_;
  QByteArray mimeAppsBytes_;
  TZMimeAppsList mimeApps_;
  TZDefaultsBackup backup_;
  bool defaultsReadable_;
};

TZShellRegistration::TZShellRegistration(TZShellPlaces places, const TZLanguage& language)
    : places_(std::move(places)), language_(language) {}

bool TZShellRegistration::RegisterFileType(const QString& extension) {
  return RegisterFileTypes({extension});
}

bool TZShellRegistration::UnregisterFileType(const QString& extension) {
  return UnregisterFileTypes({extension});
}

template <typename Edit>
bool TZShellRegistration::Change(Edit edit) {
  Session session(places_);
  edit(session);
  return session.Commit(language_);
}

bool TZShellRegistration::RegisterFileTypes(const QStringList& extensions) {
  return SetFileTypes(extensions, true);
}

bool TZShellRegistration::UnregisterFileTypes(const QStringList& extensions) {
  return SetFileTypes(extensions, false);
}

bool TZShellRegistration::SetFileTypes(const QStringList& extensions, bool registered) {
  return Change([&](Session& session) {
    for (const QString& extension : extensions) {
      for (const QString& type : MimeTypesForExtension(extension)) {
        session.SetType(type, registered);
      }
    }
  });
}

bool TZShellRegistration::FileTypeRegistered(const QString& extension) const {
  const Session session(places_);
  const QStringList types = MimeTypesForExtension(extension);
  return !types.isEmpty() && std::all_of(types.begin(), types.end(), [&](const QString& type) {
    return session.Types().contains(type) && session.OwnsDefault(type, kDesktopId);
  });
}

bool TZShellRegistration::RegisterVerbs() {
  return Change([](Session& session) { session.SetVerbs(true); });
}

bool TZShellRegistration::UnregisterVerbs() {
  return Change([](Session& session) { session.SetVerbs(false); });
}

bool TZShellRegistration::VerbsRegistered() const {
  return Session(places_).Verbs();
}

bool TZShellRegistration::RegisterDvd() {
  return Change([](Session& session) { session.SetDvd(true); });
}

bool TZShellRegistration::UnregisterDvd() {
  return Change([](Session& session) { session.SetDvd(false); });
}

bool TZShellRegistration::DvdRegistered() const {
  return Session(places_).Dvd();
}

std::optional<int> RunShellArgument(const QStringList& arguments, const QString& program) {
  const QString first = arguments.value(1);
  if (first != QLatin1String("/register") && first != QLatin1String("/unregister")) {
    return std::nullopt;
  }
  const TZShellPlaces places = TZShellPlaces::ForUser(program);
  TZShellRegistration shell(places, Language());
  const bool registering = first == QLatin1String("/register");
  // The verbs are written even when the file types failed, and the other way round.
  const bool typesOk = registering ? shell.RegisterAllFileTypes() : shell.UnregisterAllFileTypes();
  const bool verbsOk = registering ? shell.RegisterVerbs() : shell.UnregisterVerbs();
  if (!typesOk || !verbsOk) {
    std::fprintf(stderr, "zephonic: %s failed: cannot write below %s or %s\n", qPrintable(first),
                 qPrintable(places.DataHome), qPrintable(places.ConfigHome));
    return 1;
  }
  return 0;
}
