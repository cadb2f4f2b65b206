#pragma once
// The picture's colour controls in the units of the elements that apply them (videobalance and
// gamma), for every engine that shows a picture: files and discs alike.

#include "components/graph/zvideosink.h"
#include "playback/video/videocommands.h"

// Brightness 0 .. 10000 → 0 .. 1, contrast and saturation 0 .. 20000 → 0 .. 2, hue ±180° → ±1,
// gamma 1 .. 500 → 1 .. 5.99.
ZVideoColour VideoColourOf(const TZColourControls& controls);
