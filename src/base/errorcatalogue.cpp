#include "base/errorcatalogue.h"

#include <cstdio>
#include <map>

namespace {

const std::map<int, QString>& Catalogue() {
  static const std::map<int, QString> messages = {
      {0, QStringLiteral("No error.")},
      {10, QStringLiteral("Invalid configfile.")},
      {100, QStringLiteral("Skinfiles '%s' not found.")},
      {101, QStringLiteral("SkinEngine cannot initialize.")},
      {102, QStringLiteral("SkinEngine exception.")},
      {103, QStringLiteral("SkinEngine cannot load from resource.")},
      {150, QStringLiteral("Language file corrupted.")},
      {200, QStringLiteral("BASS version 2.1 was not loaded")},
      {201, QStringLiteral("Can't initialize digital sound system")},
      {202, QStringLiteral("Can't initialize CD system")},
      {203, QStringLiteral("Can't create '%s' stream")},
      {204, QStringLiteral("Can't play stream")},
      {250, QStringLiteral("Can't create '%s' mod")},
      {251, QStringLiteral("Can't play mod")},
      {300, QStringLiteral("Invalid or corrupted playlistfile.")},
      {1000, QStringLiteral("Can't find file '%s'")},
      {1001, QStringLiteral("Not supported file '%s' or codec not found.")},
      {1002, QStringLiteral("DirectShow cannot initialize.")},
      {1003, QStringLiteral("Can´t play '%s'")},
      {1004, QStringLiteral("No Unicode Support Yet :(")},
      {1050, QStringLiteral("Invalid ShoutCast Playlist.")},
      {1999, QStringLiteral("DVD Error: '%s'")},
      {2000, QStringLiteral("DVD Error: '%s'")},
      {2001, QStringLiteral("The specified DVD volume to be played does not exist.")},
      {2002, QStringLiteral("No DVD volume is specified or isn't found.")},
      {2003, QStringLiteral("The video decoder doesn't produce line 21 (closed captioning) data.")},
      {2004, QStringLiteral("The video decoder can't be shown as closed captioning on video due to "
                            "a problem with graph building.")},
      {2005, QStringLiteral("Can't render one or more stream.")},
      {2006, QStringLiteral("There isn't enough hardware or software decoders to decode all "
                            "streams.")},
      {2007, QStringLiteral("Some basic error occurred in building the graph.\rPossibilities "
                            "include the DVD Navigator filter or the video or audio renderer not "
                            "instantiating,\ra trivial connection or pin enumeration failing, or "
                            "none of the streams rendering.")},
      {3000, QStringLiteral("URL '%s' is not a valid link.")},
      {3001, QStringLiteral("DateTime '%s' is invalid\r\nPlease send us your error.log !!!")},
      {3002, QStringLiteral("DirectX can´t found or not installed")},
      {3003, QStringLiteral("Failed to crap image")},
      {3100, QStringLiteral("Syntax error in directshow graph script:\r\n")},
      {4000, QStringLiteral("Music CD Track %s cannot play or isn´t found.")},
      {5000, QStringLiteral("ID3 Tag can´t saved, because file is running or corrupted !")},
      {5500, QStringLiteral("LiveUpdate program is not installed !")},
  };
  return messages;
}

const QString kStars = QString(40, u'*');

ErrorPresenter& Presenter() {
  static ErrorPresenter presenter;
  return presenter;
}

bool& TerminationFlag() {
  static bool requested = false;
  return requested;
}

void ShowOnStderr(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toUtf8().constData());
  std::fflush(stderr);
}

}  // namespace

QString ErrorMessage(int id, const QString& detail) {
  if (id == 9999) {
    return detail;
  }
  if (id == 1001 && detail == u"AVSEQ01.MPG") {
    return QStringLiteral("SVCD can´t load because medium is not inserted or codec not found.");
  }
  if (id == 3100) {
    return Catalogue().at(3100) + detail;
  }
  const auto it = Catalogue().find(id);
  if (it == Catalogue().end()) {
    return QString();
  }
  QString message = it->second;
  const qsizetype at = message.indexOf(u"%s");
  if (at >= 0) {
    message.replace(at, 2, detail);
  }
  return message;
}

QString ErrorReportText(int id, const QString& componentTag, const QString& detail, bool fatal) {
  const QString kind = fatal ? QStringLiteral("exception") : QStringLiteral("warning");
  QString text = kStars + "\r\nZephonic runtime " + kind + ":\r\n" + kStars +
                 "\r\nID: " + QString::number(id) + "\r\nClass: " + componentTag +
                 "\r\nMessage: " + ErrorMessage(id, detail);
  if (fatal) {
    text += "\r\nProgram terminated.";
  }
  return text;
}

void ReportError(int id, const QString& componentTag, const QString& detail, bool fatal) {
  const ErrorPresenter& presenter = Presenter();
  if (presenter.restoreApplication) {
    presenter.restoreApplication();
  }
  // An exception caught by the application-wide handler is only a warning: nothing is shown.
  if (!fatal && id == 9999) {
    return;
  }
  const QString text = ErrorReportText(id, componentTag, detail, fatal);
  if (presenter.show) {
    presenter.show(text, fatal);
  } else {
    ShowOnStderr(text);
  }
  if (fatal) {
    TerminationFlag() = true;
    if (presenter.requestTermination) {
      presenter.requestTermination();
    }
  }
}

void SetErrorPresenter(ErrorPresenter presenter) {
  Presenter() = std::move(presenter);
}

bool TerminationRequested() {
  return TerminationFlag();
}

void ResetTerminationRequest() {
  TerminationFlag() = false;
}
