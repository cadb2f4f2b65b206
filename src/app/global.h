#pragma once
// Start-up and shutdown: every application-wide object is created and filled from its file by
// ZInitialize and saved and released by ZKill. Each step is guarded on its own, writes its line
// to the log and lets the next step run; a fatal report only ends the message loop afterwards.

// Runs once before the message loop.
void ZInitialize();

// Runs once after the message loop, also after a fatal report during start-up.
void ZKill();
