#pragma once
// Sample values for previews of a skin: bars part full, a time, a title and an analyser frame,
// so that every kind of control shows more than its empty picture.

#include "ui/surfaces.h"

void ShowSampleState(const TZGUI& skin, TZWindows& windows);
