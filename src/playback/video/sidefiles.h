#pragma once
// Files that belong to a video by name: the subtitle file next to it and the numbered
// screenshots taken of it.

#include <QString>

// The first existing file of the video's path without its extension followed by ".IDX", ".SMI",
// ".SUB", ".SRT", ".PSB", ".SSA", ".ASS" or ".USF", in that order (either case of the
// extension); empty when there is none.
QString FindSubtitleFile(const QString& videoPath);

// `folder` + the video's file name + ".NNN.png" with the first free counter from 001; empty
// when all 999 are taken.
QString NextScreenshotName(const QString& folder, const QString& videoPath);
