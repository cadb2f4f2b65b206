#pragma once
// Start-up and shutdown: every application-wide object is created and filled from its file by
// ZInitialize and saved and released by ZKill. Each step is guarded on its own, writes its line
// to the log and lets the next step run; a fatal report only ends the message loop afterwards.

#include <QStringList>
#include <functional>

struct TZWindows;

// The skinned windows that start-up dresses in the skin; none in headless runs.
void SetProgramWindows(TZWindows* windows);

// The descriptions of the sound devices, numbered from 1 in the order listed.
const QStringList& SoundDevices();

// The last step of start-up: the program's own arguments (set by the program body).
void SetCommandLineStep(std::function<void()> step);

// Runs once before the message loop.
void ZInitialize();

// Runs once after the message loop, also after a fatal report during start-up.
void ZKill();
