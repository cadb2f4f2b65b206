#pragma once
// The analyser's link to the skin and the settings: its configuration at every item start and
// one frame of the analyser timer.

#include <span>

#include "config/config.h"
#include "skin/zgui.h"
#include "vis/spectrum_vis.h"

// Background, height, bar width and colours from the skin; peaks, fall-off, type and blur from
// the settings; then a reset.
void ConfigureSpectrum(TSpectrum& spectrum, const TZSAnalyzer& analyser, const TZConfig& config);

// One frame for the analyser area: the skin's analyser picture when showData is false (the
// setting is off or nothing is loaded), else the analyser drawn from data.
QImage AnalyzerFrame(TSpectrum& spectrum, const TZSAnalyzer& analyser, std::span<const float> data,
                     bool showData);
