#pragma once
// Resolves a parsed program: struct and variable types, variable slots, called functions. Checks
// types, argument counts and where statements may stand, reporting every error it finds.

#include "scriptast.h"

namespace zscript {

void Check(Program& program, Diagnostics& diagnostics);

// "int", "string", or the struct's name: how a type reads in messages.
QString TypeText(const Program& program, Type type);

}  // namespace zscript
