#pragma once
// The sound system's start-up and shutdown steps, with their log lines and error reports.

#include <QStringList>

// Start-up: checks the library's interface version (error 200, fatal), lists the output
// devices into *devices, and opens `device` with speaker assignment, else without (error 201,
// fatal, when neither works). Returns the speaker count (0 without speaker assignment), or -1
// when the sound system could not start.
int ZBassInitialize(int device, QStringList* devices);

// Shutdown: frees every channel still open and closes the device. The player frees its channel
// slots first.
void ZBassFree();
