#pragma once
// The syntax tree of a compiled script. The parser builds it; the checker fills in the resolved
// parts (types, variable slots, called functions) that the machine runs on.

#include <QByteArray>
#include <memory>
#include <vector>

#include "scriptlexer.h"
#include "scriptsource.h"

namespace zscript {

enum class TypeKind { Void, Int, Byte, String, Struct, Invalid };

struct Type {
  TypeKind kind = TypeKind::Void;
  int structIndex = -1;  // into Program::structs for TypeKind::Struct

  bool IsNumber() const { return kind == TypeKind::Int || kind == TypeKind::Byte; }
  bool operator==(const Type&) const = default;
};

// A type as written: a keyword or a struct name, resolved by the checker.
struct TypeName {
  Pos pos;
  TypeKind kind = TypeKind::Void;
  QByteArray structName;  // for TypeKind::Struct
};

enum class ExprKind { Number, String, Name, Field, Call, Unary, Binary, Assign, IncDec };

// Where a named variable lives once resolved.
struct Slot {
  bool global = false;
  int index = -1;
};

struct Expr {
  ExprKind kind;
  Pos pos;
  Tok op = Tok::End;    // operator of Unary, Binary, Assign, IncDec
  bool prefix = false;  // IncDec: ++x rather than x++
  qint32 number = 0;
  QByteArray text;                    // string value, variable, field or function name
  std::unique_ptr<Expr> left, right;  // operands; Field and IncDec use `left`
  std::vector<std::unique_ptr<Expr>> args;
  int height = 1;  // of this subtree, bounded so that no stage recurses too deep

  // Filled by the checker.
  Type type;
  Slot slot;            // Name
  int fieldIndex = -1;  // Field
  int function = -1;    // Call: index into Program::functions
};

enum class StmtKind { Block, Var, Expr, If, While, DoWhile, For, Return, Break, Continue };

struct Stmt {
  StmtKind kind;
  Pos pos;
  bool scoped = true;                       // Block: false for the group `int a, b;` declares
  std::vector<std::unique_ptr<Stmt>> body;  // Block
  TypeName varType;                         // Var
  QByteArray name;                          // Var
  std::unique_ptr<Expr> expr;               // Var initialiser, Expr, Return value, loop condition
  std::unique_ptr<Expr> step;               // For
  std::unique_ptr<Stmt> init;               // For
  std::unique_ptr<Stmt> then, otherwise;    // If; While, DoWhile and For keep their body in `then`

  // Filled by the checker.
  Type type;  // Var: the variable's; Return: the function's result
  Slot slot;  // Var
};

struct Param {
  Pos pos;
  TypeName type;
  QByteArray name;
};

struct Function {
  Pos pos;
  QByteArray name;
  TypeName returnTypeName;
  std::vector<Param> params;
  bool native = false;
  std::unique_ptr<Stmt> body;  // none for natives and forward declarations

  // Filled by the checker.
  Type returnType;
  std::vector<Type> paramTypes;
  int frameSize = 0;  // parameters and locals
};

struct Field {
  Pos pos;
  TypeName typeName;
  QByteArray name;
  Type type;  // filled by the checker
};

struct StructDef {
  Pos pos;
  QByteArray name;
  std::vector<Field> fields;
};

struct Program {
  std::vector<StructDef> structs;
  std::vector<Function> functions;
  std::vector<std::unique_ptr<Stmt>> globals;  // Var statements in text order
  int globalCount = 0;                         // filled by the checker
};

}  // namespace zscript
