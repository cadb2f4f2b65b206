#pragma once
// Where the program keeps its files: the executable's folder, or $ZEPHONIC_HOME when set.

#include <QString>

// The program folder with a trailing "/". Computed once by the program body.
const QString& ProgramPath();
void SetProgramPath(const QString& folder);

// Derives the program folder from the executable's path and the environment.
QString ComputeProgramPath(const QString& executablePath);

// ProgramPath() + "data/".
QString DataPath();
