#pragma once
// The skin's part of a skin change: after a new skin was loaded and applied, every skinned
// control shows its current value again and the analyser takes the new skin.

#include "config/config.h"
#include "ui/surfaces.h"

// paused: playback is paused (the status picture shows paused, else stopped).
void RedrawAfterSkinChange(const TZGUI& skin, TZWindows& windows, const TZConfig& config,
                           bool paused);
