#pragma once
// The check of a typed or dropped web address before it becomes a playlist entry.

#include <QString>

class TZPlaylist;

// Addresses longer than this are refused: no station needs more, and a pasted blob is no link.
inline constexpr int kMaxUrlLength = 2048;

// Whether the text is a link the player opens: "http://", "https://" or "mms://" (ignoring
// case) with a host after it, no blank or control character anywhere, at most kMaxUrlLength
// characters, and well-formed as a URL.
bool IsAcceptedUrl(const QString& text);

// The "Add URL" action: an accepted link is appended (caption and file name the text, time
// "00:00:00", track "00", not played) and true is returned; anything else gives warning 3000
// with the tag "TZURL" and the text, adds nothing and returns false.
bool AddUrlEntry(TZPlaylist& playlist, const QString& text);
