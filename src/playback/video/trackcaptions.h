#pragma once
// The captions of the "Audio tracks" and "Subtitle streams" menus, made from what the demuxer
// reports of each stream, and the track chosen by default from the settings.

#include <QString>
#include <QStringList>
#include <optional>

// The container decides the caption rules: Matroska names tracks by language and title, Ogg
// streams carry a free name ("Ton: Deutsch", "English subtitle").
enum TZContainer { ctOther, ctMatroska, ctOgg };

enum TZTrackType { ttAudio, ttSubtitle };

struct TZStreamInfo {
  TZTrackType Type = ttAudio;
  QString LanguageCode;  // ISO 639-1 or 639-2, as the demuxer gives it
  QString Title;
};

// The container of a "container-format" tag or a demuxer's name.
TZContainer ContainerOf(const QString& format);

// The caption of the `number`-th stream (from 1) of its type; nothing when the stream is not
// listed (an Ogg subtitle stream whose caption says "off").
std::optional<QString> TrackCaption(TZContainer container, const TZStreamInfo& stream, int number);

// The audio item chosen at start: the first whose caption contains "VidDefaultLanguage"
// (ignoring case) unless that is empty or "-", else the first; -1 without items.
int DefaultAudioTrack(const QStringList& captions, const QString& defaultLanguage);
// The subtitle item chosen at start (-1 for "Off"): the first containing "VidDefaultSubtitle",
// else the first when "VidDefaultSubtitleFailed" is on, else "Off".
int DefaultSubtitleTrack(const QStringList& captions, const QString& defaultSubtitle,
                         bool firstWhenNoMatch);
