#pragma once
// The arithmetic of the controls, shared by the player core and its tests.

// Sample rate for speed step s (1-10, 4 = normal) of a channel opened at baseRate.
int SpeedRate(int step, int baseRate);
// A filter graph's volume in hundredths of a decibel for a linear volume 0-10000.
int GraphVolume(int linear);
// A filter graph's balance in hundredths of a decibel for balance position b of maximum m.
int GraphBalance(int position, int maximum);
