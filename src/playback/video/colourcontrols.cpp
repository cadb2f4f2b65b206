#include "playback/video/colourcontrols.h"

#include <algorithm>

ZVideoColour VideoColourOf(const TZColourControls& c) {
  ZVideoColour colour;
  colour.Brightness = std::clamp(c.Brightness, 0, 10000) / 10000.0;
  colour.Contrast = std::clamp(c.Contrast, 0, 20000) / 10000.0;
  colour.Hue = std::clamp(c.Hue, -180, 180) / 180.0;
  colour.Saturation = std::clamp(c.Saturation, 0, 20000) / 10000.0;
  colour.Gamma = 1.0 + (std::clamp(c.Gamma, 1, 500) - 1) / 100.0;
  return colour;
}
