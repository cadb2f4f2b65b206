#pragma once
// A small MPEG-1 Audio Layer I writer, so the tests can make .mp1 files without an encoder.
//
// It has no analysis filterbank: each channel's sine is written straight into the subband
// domain. A sine of f0 Hz in the subband samples (which run at rate / 32) comes out of the
// decoder's synthesis in subband k at k * rate / 64 + f0 for even k, and mirrored,
// (k + 1) * rate / 64 - f0, for odd k, so any frequency inside a subband can be aimed at.

#include <QByteArray>
#include <vector>

struct Mp1Tone {
  double frequency = 1000.0;  // Hz; keep it clear of the band edges (multiples of rate / 64)
  double amplitude = 0.5;     // of the subband samples, up to 2.0
};

// `frames` Layer I frames of 384 samples at `rate` (32000, 44100 or 48000 Hz) and `kbps`
// (32 to 448, a multiple of 32), without CRC. One tone makes a single-channel stream, two a
// stereo one (left, right). Frames get a padding slot where the rate needs one. Returns an empty
// array when the arguments describe no valid stream.
QByteArray MakeMp1(int rate, int kbps, const std::vector<Mp1Tone>& tones, int frames);
