#pragma once
// Runs a checked program: a tree-walking evaluator with its globals, bounded by the limits of
// TZScriptLimits. A run that breaks a limit or divides by zero ends in a RunError.

#include <QByteArray>
#include <QString>
#include <vector>

#include "scriptast.h"
#include "zscript.h"

namespace zscript {

// A run-time value. Numbers (int and byte) live in `number`, strings in `text`, structs in
// `fields` (declaration order).
struct Value {
  qint32 number = 0;
  QByteArray text;
  std::vector<Value> fields;
};

struct RunError {
  Pos pos;
  QString message;
};

class Machine {
 public:
  // `natives` has one entry per function of the program; empty for script functions and for
  // natives the host did not bind.
  Machine(const Program& program, std::vector<TZScriptHostFunction> natives);

  void SetLimits(const TZScriptLimits& limits) { limits_ = limits; }

  // Gives every global its initial value, in text order. Throws RunError.
  void Initialise();
  // Calls a function of the program that takes no arguments. Throws RunError.
  void Call(int function);

 private:
  enum class Flow { Next, Break, Continue, Return };
  using Frame = std::vector<Value>;

  // Marks a run in progress while alive.
  class Running {
   public:
    Running(Machine& machine, Pos pos);
    ~Running();
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

   private:
    Machine& machine_;
  };

  void BeginRun();
  void Step(Pos pos);
  void Charge(Pos pos, qint64 bytes);
  void Fail(Pos pos, const QString& message) const;

  Value DefaultOf(Type type) const;
  Value Coerce(Value value, Type type) const;
  qint64 SizeOf(const Value& value) const;
  void Store(Value& slot, Value value);
  // Fails unless `bytes` more fit the memory limit and a string of `stringSize` is allowed.
  void Reserve(Pos pos, qint64 bytes, qint64 stringSize = 0) const;

  Flow Execute(const Stmt& stmt, Frame& frame);
  Flow Block(const Stmt& stmt, Frame& frame);
  Flow Loop(const Stmt& stmt, Frame& frame);
  bool Condition(const Expr& expr, Frame& frame);

  Value Evaluate(const Expr& expr, Frame& frame);
  Value& Locate(const Expr& expr, Frame& frame);
  Value Binary(const Expr& expr, Frame& frame);
  Value Arithmetic(const Expr& expr, Tok op, qint32 a, qint32 b) const;
  Value Concatenate(const Expr& expr, const Value& a, Type aType, const Value& b, Type bType);
  Value Assign(const Expr& expr, Frame& frame);
  Value Append(const Expr& expr, Value& target, const Value& tail);
  Value IncDec(const Expr& expr, Frame& frame);
  Value CallExpr(const Expr& expr, Frame& frame);
  Value Invoke(Pos pos, int function, std::vector<Value> args);
  Value InvokeNative(Pos pos, const Function& function, std::vector<Value> args);

  TZScriptValue ToHost(const Value& value, Type type) const;
  Value FromHost(Pos pos, const Function& native, const TZScriptValue& value, Type type) const;

  const Program& program_;
  std::vector<TZScriptHostFunction> natives_;
  TZScriptLimits limits_;
  std::vector<Value> globals_;
  Value returned_;
  qint64 steps_ = 0;
  int depth_ = 0;
  qint64 memory_ = 0;
  quintptr stackBase_ = 0;
  bool running_ = false;
};

}  // namespace zscript
