#pragma once
// Version information of the program.

#include <QString>

// The program's version, "major.minor.patch".
QString FileVersion();
