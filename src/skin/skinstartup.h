#pragma once
// The skin engine's share of start-up and shutdown, with their log lines and reports.

#include <QString>

#include "skin/zgui.h"

// Start-up: initialises the program's skin record and loads the configured skin, falling back
// to the built-in skin. Returns false when even the built-in skin cannot be loaded: start-up
// must stop there (the fatal report has been made).
bool StartSkinEngine(const QString& configuredSkin, const SkinBlend& blend = {});

// Back to the built-in skin with its own values: frees the pictures, sets the defaults again and
// cuts the built-in picture.
SkinLoadResult ReturnToBuiltInSkin(TZGUI& skin, const SkinBlend& blend = {});

// Shutdown: frees the skin record's pictures ("GUI deinitialize OK" or "... failed").
void ReleaseSkinEngine();

// Shutdown: deletes every file directly in data/temp/ (sub-folders stay) and then removes the
// folder, which succeeds only when it is empty.
void EmptySkinTempFolder();
