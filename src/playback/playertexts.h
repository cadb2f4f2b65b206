#pragma once
// Numbers of the language texts the player core shows, and how long on-screen texts stay.

inline constexpr int kTextReady = 4;
inline constexpr int kTextVolume = 7;
inline constexpr int kTextSpeed = 9;
inline constexpr int kTextPaused = 10;
inline constexpr int kTextLoading = 14;
inline constexpr int kTextConnecting = 18;
inline constexpr int kTextTimejump = 20;
inline constexpr int kTextIsPlaying = 21;

inline constexpr int kOsdMs = 2000;
