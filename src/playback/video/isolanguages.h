#pragma once
// The language-code table: ISO 639-2 three-letter codes (bibliographic and terminologic forms)
// with their ISO 639-1 two-letter code where one exists and their English name. Demuxers report
// either form, so both are looked up.

#include <QString>

struct TISO5392LANG {
  const char* Code;       // three letters, lower case
  const char* ShortCode;  // two letters, or empty
  const char* EnglishName;
};

// The row of `code` (two or three letters, any case); null when the table lacks it.
const TISO5392LANG* FindIsoLanguage(const QString& code);

// The caption of a track's language: the English name, "Unknown (code)" for a code the table
// lacks, empty for an empty code.
QString IsoLanguageName(const QString& code);
