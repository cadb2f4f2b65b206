#pragma once
// The author's information at the head of a skin's description, as the settings dialog shows it.

#include <QStringList>

#include "skin/skindescription.h"

// Physical lines 5, 7, 9 and 11 (comments included), each without its first five characters.
// Returns false when any of the four comes out empty.
bool ParseSkinInformation(const QStringList& lines, SkinInformation* info);

// The lines the dialog shows for a skin: name, "by " + author and the two further lines;
// "No skin information found." when the header is incomplete, followed by "Skin corrupted."
// when the description cannot be read. For the built-in skin its fixed credits.
QStringList SkinInformationText(const QString& name);
