#pragma once
// The element behind TZDspFilter.

#include "components/dsp/dspstate.h"

// The state of a DSP element; null for any other filter.
TZDspState* DspStateOf(const ZFilter& filter);
