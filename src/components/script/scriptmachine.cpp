#include "scriptmachine.h"

#include "scriptchecker.h"

#include <exception>
#include <utility>

namespace zscript {
namespace {

// How much of the thread's stack one run may use. Script calls are bounded by the call-depth
// limit too, but a host may raise that limit past what the stack holds.
constexpr qint64 kStackBudget = 1 << 20;
// No single string may grow past this, whatever the memory limit says.
constexpr qint64 kLargestString = 1 << 30;
// Copying or comparing strings costs a step per this many bytes, so that a loop over ever longer
// strings runs out of steps as soon as it runs out of time.
constexpr qint64 kBytesPerStep = 16;

qint32 Wrap(qint64 value) {
  return static_cast<qint32>(static_cast<quint32>(value));
}

Value Number(qint64 n) {
  Value value;
  value.number = Wrap(n);
  return value;
}

// The operator a compound assignment applies: '+' for "+=".
Tok OperatorOf(Tok assignment) {
  switch (assignment) {
    case Tok::PlusAssign:
      return Tok::Plus;
    case Tok::MinusAssign:
      return Tok::Minus;
    case Tok::StarAssign:
      return Tok::Star;
    case Tok::SlashAssign:
      return Tok::Slash;
    default:
      return Tok::Percent;
  }
}

QString Quoted(const QByteArray& name) {
  return u'\'' + QString::fromLatin1(name) + u'\'';
}

const char* KindName(TZScriptValue::Kind kind) {
  switch (kind) {
    case TZScriptValue::Kind::Void:
      return "nothing";
    case TZScriptValue::Kind::Int:
      return "a number";
    case TZScriptValue::Kind::String:
      return "a string";
    case TZScriptValue::Kind::Struct:
      return "a struct";
  }
  return "?";
}

}  // namespace

Machine::Machine(const Program& program, std::vector<TZScriptHostFunction> natives)
    : program_(program), natives_(std::move(natives)) {}

void Machine::Initialise() {
  globals_.assign(program_.globalCount, Value());
  const Running running(*this, program_.globals.empty() ? Pos() : program_.globals.front()->pos);
  Frame none;
  for (const auto& global : program_.globals) {
    Execute(*global, none);
  }
}

void Machine::Call(int function) {
  const Pos pos = program_.functions[function].pos;
  const Running running(*this, pos);
  Invoke(pos, function, {});
}

// A host function that calls back into the script would restart the counters of the run in
// progress, and with them every bound: such a call is refused.
Machine::Running::Running(Machine& machine, Pos pos) : machine_(machine) {
  if (machine_.running_) {
    machine_.Fail(pos, QStringLiteral("a script function cannot be called while the script runs"));
  }
  machine_.running_ = true;
  machine_.BeginRun();
}

Machine::Running::~Running() {
  machine_.running_ = false;
}

void Machine::BeginRun() {
  steps_ = 0;
  depth_ = 0;
  memory_ = 0;
  for (const Value& global : globals_) {
    memory_ += SizeOf(global);
  }
  char marker = 0;
  stackBase_ = reinterpret_cast<quintptr>(&marker);
}

void Machine::Step(Pos pos) {
  if (++steps_ > limits_.steps) {
    Fail(pos, QStringLiteral("step limit exceeded (%1 steps)").arg(limits_.steps));
  }
}

void Machine::Charge(Pos pos, qint64 bytes) {
  steps_ += bytes / kBytesPerStep;
  Step(pos);
}

void Machine::Fail(Pos pos, const QString& message) const {
  throw RunError{pos, message};
}

// ---- values ----

Value Machine::DefaultOf(Type type) const {
  Value value;
  if (type.kind == TypeKind::Struct) {
    for (const Field& field : program_.structs[type.structIndex].fields) {
      value.fields.push_back(DefaultOf(field.type));
    }
  }
  return value;
}

Value Machine::Coerce(Value value, Type type) const {
  if (type.kind == TypeKind::Byte) {
    value.number &= 0xFF;
  }
  return value;
}

qint64 Machine::SizeOf(const Value& value) const {
  qint64 size = static_cast<qint64>(sizeof(Value)) + value.text.size();
  for (const Value& field : value.fields) {
    size += SizeOf(field);
  }
  return size;
}

void Machine::Reserve(Pos pos, qint64 bytes, qint64 stringSize) const {
  if (stringSize > kLargestString || memory_ + bytes > limits_.memoryBytes) {
    Fail(pos, QStringLiteral("memory limit exceeded (%1 bytes)").arg(limits_.memoryBytes));
  }
}

// Every write into a variable goes through here, so the memory held stays counted.
void Machine::Store(Value& slot, Value value) {
  memory_ += SizeOf(value) - SizeOf(slot);
  slot = std::move(value);
}

// ---- statements ----

Machine::Flow Machine::Execute(const Stmt& stmt, Frame& frame) {
  Step(stmt.pos);
  switch (stmt.kind) {
    case StmtKind::Block:
      return Block(stmt, frame);
    case StmtKind::Var: {
      Value value =
          stmt.expr ? Coerce(Evaluate(*stmt.expr, frame), stmt.type) : DefaultOf(stmt.type);
      Store(stmt.slot.global ? globals_[stmt.slot.index] : frame[stmt.slot.index],
            std::move(value));
      return Flow::Next;
    }
    case StmtKind::Expr:
      Evaluate(*stmt.expr, frame);
      return Flow::Next;
    case StmtKind::If:
      if (Condition(*stmt.expr, frame)) {
        return Execute(*stmt.then, frame);
      }
      return stmt.otherwise ? Execute(*stmt.otherwise, frame) : Flow::Next;
    case StmtKind::While:
    case StmtKind::DoWhile:
    case StmtKind::For:
      return Loop(stmt, frame);
    case StmtKind::Return:
      returned_ = stmt.expr ? Coerce(Evaluate(*stmt.expr, frame), stmt.type) : Value();
      return Flow::Return;
    case StmtKind::Break:
      return Flow::Break;
    case StmtKind::Continue:
      return Flow::Continue;
  }
  return Flow::Next;
}

Machine::Flow Machine::Block(const Stmt& stmt, Frame& frame) {
  for (const auto& inner : stmt.body) {
    const Flow flow = Execute(*inner, frame);
    if (flow != Flow::Next) {
      return flow;
    }
  }
  return Flow::Next;
}

Machine::Flow Machine::Loop(const Stmt& stmt, Frame& frame) {
  if (stmt.init) {
    Execute(*stmt.init, frame);
  }
  bool first = stmt.kind == StmtKind::DoWhile;
  for (;;) {
    if (!first && stmt.expr && !Condition(*stmt.expr, frame)) {
      return Flow::Next;
    }
    first = false;
    const Flow flow = Execute(*stmt.then, frame);
    if (flow == Flow::Break) {
      return Flow::Next;
    }
    if (flow == Flow::Return) {
      return flow;
    }
    if (stmt.step) {
      Evaluate(*stmt.step, frame);
    }
  }
}

bool Machine::Condition(const Expr& expr, Frame& frame) {
  return Evaluate(expr, frame).number != 0;
}

// ---- expressions ----

Value Machine::Evaluate(const Expr& expr, Frame& frame) {
  Step(expr.pos);
  switch (expr.kind) {
    case ExprKind::Number:
      return Number(expr.number);
    case ExprKind::String: {
      Value value;
      value.text = expr.text;
      return value;
    }
    case ExprKind::Name:
      return Locate(expr, frame);
    case ExprKind::Field: {
      Value base = Evaluate(*expr.left, frame);
      return std::move(base.fields[expr.fieldIndex]);
    }
    case ExprKind::Call:
      return CallExpr(expr, frame);
    case ExprKind::Unary: {
      const qint64 operand = Evaluate(*expr.left, frame).number;
      return Number(expr.op == Tok::Minus ? -operand : operand == 0);
    }
    case ExprKind::Binary:
      return Binary(expr, frame);
    case ExprKind::Assign:
      return Assign(expr, frame);
    case ExprKind::IncDec:
      return IncDec(expr, frame);
  }
  return Value();
}

Value& Machine::Locate(const Expr& expr, Frame& frame) {
  if (expr.kind == ExprKind::Field) {
    return Locate(*expr.left, frame).fields[expr.fieldIndex];
  }
  return expr.slot.global ? globals_[expr.slot.index] : frame[expr.slot.index];
}

Value Machine::Binary(const Expr& expr, Frame& frame) {
  if (expr.op == Tok::AndAnd) {
    return Number(Condition(*expr.left, frame) && Condition(*expr.right, frame));
  }
  if (expr.op == Tok::OrOr) {
    return Number(Condition(*expr.left, frame) || Condition(*expr.right, frame));
  }
  const Value left = Evaluate(*expr.left, frame);
  const Value right = Evaluate(*expr.right, frame);
  const Type leftType = expr.left->type;
  const Type rightType = expr.right->type;
  if (expr.type.kind == TypeKind::String) {
    return Concatenate(expr, left, leftType, right, rightType);
  }
  if (leftType.kind == TypeKind::String) {
    Charge(expr.pos, std::min(left.text.size(), right.text.size()));
    const int order = left.text.compare(right.text);
    switch (expr.op) {
      case Tok::Equal:
        return Number(order == 0);
      case Tok::NotEqual:
        return Number(order != 0);
      case Tok::Less:
        return Number(order < 0);
      case Tok::LessEqual:
        return Number(order <= 0);
      case Tok::Greater:
        return Number(order > 0);
      default:
        return Number(order >= 0);
    }
  }
  return Arithmetic(expr, expr.op, left.number, right.number);
}

Value Machine::Arithmetic(const Expr& expr, Tok op, qint32 a, qint32 b) const {
  const qint64 x = a;
  const qint64 y = b;
  switch (op) {
    case Tok::Plus:
      return Number(x + y);
    case Tok::Minus:
      return Number(x - y);
    case Tok::Star:
      return Number(x * y);
    case Tok::Slash:
    case Tok::Percent:
      if (y == 0) {
        Fail(expr.pos, op == Tok::Slash ? QStringLiteral("division by zero")
                                        : QStringLiteral("modulo by zero"));
      }
      return Number(op == Tok::Slash ? x / y : x % y);
    case Tok::Equal:
      return Number(x == y);
    case Tok::NotEqual:
      return Number(x != y);
    case Tok::Less:
      return Number(x < y);
    case Tok::LessEqual:
      return Number(x <= y);
    case Tok::Greater:
      return Number(x > y);
    case Tok::GreaterEqual:
      return Number(x >= y);
    default:
      return Value();
  }
}

Value Machine::Concatenate(const Expr& expr, const Value& a, Type aType, const Value& b,
                           Type bType) {
  const QByteArray left = aType.kind == TypeKind::String ? a.text : QByteArray::number(a.number);
  const QByteArray right = bType.kind == TypeKind::String ? b.text : QByteArray::number(b.number);
  const qint64 size = static_cast<qint64>(left.size()) + right.size();
  Reserve(expr.pos, size, size);
  Charge(expr.pos, size);
  Value value;
  value.text = left + right;
  return value;
}

Value Machine::Assign(const Expr& expr, Frame& frame) {
  Value value = Evaluate(*expr.right, frame);
  const Type target = expr.left->type;
  if (target.kind == TypeKind::String && expr.op == Tok::PlusAssign) {
    return Append(expr, Locate(*expr.left, frame), value);
  }
  if (expr.op != Tok::Assign) {
    const Value current = Locate(*expr.left, frame);
    value = Arithmetic(expr, OperatorOf(expr.op), current.number, value.number);
  }
  value = Coerce(std::move(value), target);
  Store(Locate(*expr.left, frame), value);
  return value;
}

// "s += tail" grows the string where it is: appending in a loop stays linear.
Value Machine::Append(const Expr& expr, Value& target, const Value& tail) {
  const QByteArray text =
      expr.right->type.kind == TypeKind::String ? tail.text : QByteArray::number(tail.number);
  Reserve(expr.pos, text.size(), target.text.size() + static_cast<qint64>(text.size()));
  Charge(expr.pos, text.size());
  target.text.append(text);
  memory_ += text.size();
  return target;
}

Value Machine::IncDec(const Expr& expr, Frame& frame) {
  Value& target = Locate(*expr.left, frame);
  const Value before = target;
  const qint64 delta = expr.op == Tok::PlusPlus ? 1 : -1;
  target = Coerce(Number(before.number + delta), expr.type);
  return expr.prefix ? target : before;
}

Value Machine::CallExpr(const Expr& expr, Frame& frame) {
  std::vector<Value> args;
  args.reserve(expr.args.size());
  for (const auto& arg : expr.args) {
    args.push_back(Evaluate(*arg, frame));
  }
  return Invoke(expr.pos, expr.function, std::move(args));
}

Value Machine::Invoke(Pos pos, int index, std::vector<Value> args) {
  const Function& function = program_.functions[index];
  if (function.native) {
    return InvokeNative(pos, function, std::move(args));
  }
  char marker = 0;
  const quintptr here = reinterpret_cast<quintptr>(&marker);
  const quintptr used = here > stackBase_ ? here - stackBase_ : stackBase_ - here;
  if (depth_ >= limits_.callDepth || used > kStackBudget) {
    Fail(pos, QStringLiteral("call depth limit exceeded (%1 calls)").arg(depth_));
  }
  ++depth_;
  Frame frame(function.frameSize);
  const qint64 frameBytes = function.frameSize * static_cast<qint64>(sizeof(Value));
  Reserve(pos, frameBytes);
  memory_ += frameBytes;
  for (size_t i = 0; i < args.size(); ++i) {
    Store(frame[i], Coerce(std::move(args[i]), function.paramTypes[i]));
  }
  Value result = Execute(*function.body, frame) == Flow::Return ? std::move(returned_)
                                                                : DefaultOf(function.returnType);
  for (const Value& local : frame) {
    memory_ -= SizeOf(local);
  }
  memory_ -= frameBytes;
  --depth_;
  return result;
}

Value Machine::InvokeNative(Pos pos, const Function& function, std::vector<Value> args) {
  const size_t index = &function - program_.functions.data();
  const TZScriptHostFunction& host = natives_[index];
  if (!host) {
    Fail(pos,
         QStringLiteral("native function %1 is not bound by the host").arg(Quoted(function.name)));
  }
  std::vector<TZScriptValue> hostArgs;
  hostArgs.reserve(args.size());
  for (size_t i = 0; i < args.size(); ++i) {
    hostArgs.push_back(
        ToHost(Coerce(std::move(args[i]), function.paramTypes[i]), function.paramTypes[i]));
  }
  TZScriptValue result;
  try {
    result = host(hostArgs);
  } catch (const std::exception& e) {
    Fail(pos, QStringLiteral("native function %1 failed: %2")
                  .arg(Quoted(function.name), QString::fromLocal8Bit(e.what())));
  }
  return FromHost(pos, function, result, function.returnType);
}

TZScriptValue Machine::ToHost(const Value& value, Type type) const {
  switch (type.kind) {
    case TypeKind::String:
      return TZScriptValue::String(value.text);
    case TypeKind::Struct: {
      TZScriptValue out;
      out.kind = TZScriptValue::Kind::Struct;
      const StructDef& def = program_.structs[type.structIndex];
      for (size_t i = 0; i < def.fields.size(); ++i) {
        out.fields.emplace_back(def.fields[i].name, ToHost(value.fields[i], def.fields[i].type));
      }
      return out;
    }
    default:
      return TZScriptValue::Int(value.number);
  }
}

// A host result in the declared type: numbers wrap to 32 bits (a byte keeps 8), struct fields
// are matched by name and missing ones stay empty; nothing at all stands for the empty value.
Value Machine::FromHost(Pos pos, const Function& native, const TZScriptValue& value,
                        Type type) const {
  if (type.kind == TypeKind::Void || value.kind == TZScriptValue::Kind::Void) {
    return DefaultOf(type);
  }
  const bool fits = (type.IsNumber() && value.kind == TZScriptValue::Kind::Int) ||
                    (type.kind == TypeKind::String && value.kind == TZScriptValue::Kind::String) ||
                    (type.kind == TypeKind::Struct && value.kind == TZScriptValue::Kind::Struct);
  if (!fits) {
    Fail(pos, QStringLiteral("native function %1 returned %2 where %3 is expected")
                  .arg(Quoted(native.name), QLatin1StringView(KindName(value.kind)),
                       TypeText(program_, type)));
  }
  if (type.kind == TypeKind::String) {
    Reserve(pos, value.text.size(), value.text.size());
    Value out;
    out.text = value.text;
    return out;
  }
  if (type.IsNumber()) {
    return Coerce(Number(value.number), type);
  }
  Value out = DefaultOf(type);
  const StructDef& def = program_.structs[type.structIndex];
  for (size_t i = 0; i < def.fields.size(); ++i) {
    for (const auto& [name, field] : value.fields) {
      if (name == def.fields[i].name) {
        out.fields[i] = FromHost(pos, native, field, def.fields[i].type);
        break;
      }
    }
  }
  return out;
}

}  // namespace zscript
