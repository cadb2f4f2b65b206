#pragma once
// Reads tokens into the syntax tree. Struct declarations may end with a variable name and no
// semicolon; `native` declarations name host functions. Nesting is bounded, so hostile input
// cannot drive the parser (or any later stage) into unbounded recursion.

#include <vector>

#include "scriptast.h"
#include "scriptlexer.h"

namespace zscript {

// Deepest nesting of statements, and tallest expression tree, a script may have.
constexpr int kMaxNesting = 200;

// Adds the declarations of `tokens` to `program`. Errors go to `diagnostics`; the parser skips
// to the next statement or declaration after each and goes on.
void Parse(const std::vector<Token>& tokens, Program& program, Diagnostics& diagnostics);

}  // namespace zscript
