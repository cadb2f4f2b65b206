#include "scriptchecker.h"

#include <QHash>
#include <optional>
#include <utility>

namespace zscript {
namespace {

QString Quoted(const QByteArray& name) {
  return u'\'' + QString::fromLatin1(name) + u'\'';
}

class Checker {
 public:
  Checker(Program& program, Diagnostics& diagnostics)
      : program_(program), diagnostics_(diagnostics) {}

  void Run() {
    DeclareStructs();
    DeclareFunctions();
    for (auto& global : program_.globals) {
      Statement(*global);
    }
    for (Function& function : program_.functions) {
      if (function.body) {
        FunctionBody(function);
      }
    }
  }

 private:
  struct Local {
    QByteArray name;
    Type type;
    int slot;
  };

  // The names declared while alive; their slots are free again afterwards.
  class Scope {
   public:
    explicit Scope(Checker& checker) : checker_(checker), firstFree_(checker.nextSlot_) {
      checker_.scopes_.emplace_back();
    }
    ~Scope() {
      checker_.scopes_.pop_back();
      checker_.nextSlot_ = firstFree_;
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Checker& checker_;
    const int firstFree_;
  };

  void Error(Pos pos, const QString& message) { diagnostics_.Error(pos, message); }

  // ---- declarations ----

  Type Resolve(const TypeName& name) {
    if (name.kind != TypeKind::Struct) {
      return {name.kind, -1};
    }
    const auto found = structIndex_.find(name.structName);
    if (found == structIndex_.end()) {
      Error(name.pos, QStringLiteral("unknown type %1").arg(Quoted(name.structName)));
      return {TypeKind::Invalid, -1};
    }
    return {TypeKind::Struct, found.value()};
  }

  // Structs may hold earlier structs, never themselves or later ones, so values stay finite.
  void DeclareStructs() {
    for (int i = 0; i < static_cast<int>(program_.structs.size()); ++i) {
      StructDef& def = program_.structs[i];
      QHash<QByteArray, int> seen;
      for (Field& field : def.fields) {
        field.type = Resolve(field.typeName);
        if (field.type.kind == TypeKind::Void) {
          Error(field.pos, QStringLiteral("field %1 cannot be void").arg(Quoted(field.name)));
        }
        if (seen.contains(field.name)) {
          Error(field.pos, QStringLiteral("redefinition of field %1").arg(Quoted(field.name)));
        }
        seen.insert(field.name, 0);
      }
      if (structIndex_.contains(def.name)) {
        Error(def.pos, QStringLiteral("redefinition of struct %1").arg(Quoted(def.name)));
      } else {
        structIndex_.insert(def.name, i);
      }
    }
  }

  void DeclareFunctions() {
    for (int i = 0; i < static_cast<int>(program_.functions.size()); ++i) {
      Function& function = program_.functions[i];
      function.returnType = Resolve(function.returnTypeName);
      for (const Param& param : function.params) {
        const Type type = Resolve(param.type);
        if (type.kind == TypeKind::Void) {
          Error(param.pos, QStringLiteral("parameter %1 cannot be void").arg(Quoted(param.name)));
        }
        function.paramTypes.push_back(type);
      }
      Register(i);
    }
  }

  // A body-less declaration and a definition of the same signature are one function.
  void Register(int index) {
    Function& function = program_.functions[index];
    const auto found = functionIndex_.find(function.name);
    if (found == functionIndex_.end()) {
      functionIndex_.insert(function.name, index);
      return;
    }
    Function& earlier = program_.functions[found.value()];
    const bool sameSignature = earlier.returnType == function.returnType &&
                               earlier.paramTypes == function.paramTypes && !earlier.native &&
                               !function.native;
    if (!sameSignature || (earlier.body && function.body)) {
      Error(function.pos, QStringLiteral("redefinition of function %1").arg(Quoted(function.name)));
      return;
    }
    if (function.body) {
      found.value() = index;
    }
  }

  void FunctionBody(Function& function) {
    if (functionIndex_.value(function.name) != &function - program_.functions.data()) {
      return;  // a redefinition, already reported
    }
    current_ = &function;
    scopes_.assign(1, {});
    nextSlot_ = 0;
    function.frameSize = 0;
    for (size_t i = 0; i < function.params.size(); ++i) {
      Declare(function.params[i].pos, function.params[i].name, function.paramTypes[i]);
    }
    Statement(*function.body);
    current_ = nullptr;
    scopes_.clear();
  }

  Slot Declare(Pos pos, const QByteArray& name, Type type) {
    if (!current_) {
      if (globalIndex_.contains(name)) {
        Error(pos, QStringLiteral("redefinition of %1").arg(Quoted(name)));
      }
      const int index = static_cast<int>(globals_.size());
      globals_.push_back(type);
      globalIndex_.insert(name, index);
      program_.globalCount = index + 1;
      return {true, index};
    }
    for (const Local& local : scopes_.back()) {
      if (local.name == name) {
        Error(pos, QStringLiteral("redefinition of %1").arg(Quoted(name)));
      }
    }
    const int slot = nextSlot_++;
    current_->frameSize = std::max(current_->frameSize, nextSlot_);
    scopes_.back().push_back({name, type, slot});
    return {false, slot};
  }

  // ---- statements ----

  void Statement(Stmt& stmt) {
    switch (stmt.kind) {
      case StmtKind::Block:
        return BlockStatement(stmt);
      case StmtKind::Var:
        return VarStatement(stmt);
      case StmtKind::Expr:
        Expression(*stmt.expr);
        return;
      case StmtKind::If:
        ConditionOf(*stmt.expr);
        Scoped(*stmt.then);
        if (stmt.otherwise) {
          Scoped(*stmt.otherwise);
        }
        return;
      case StmtKind::While:
      case StmtKind::DoWhile:
        return Loop(stmt);
      case StmtKind::For: {
        const Scope scope(*this);
        if (stmt.init) {
          Statement(*stmt.init);
        }
        return Loop(stmt);
      }
      case StmtKind::Return:
        return ReturnStatement(stmt);
      case StmtKind::Break:
      case StmtKind::Continue:
        if (loops_ == 0) {
          Error(stmt.pos, QStringLiteral("'%1' outside a loop")
                              .arg(stmt.kind == StmtKind::Break ? "break" : "continue"));
        }
        return;
    }
  }

  // A branch or loop body that is a lone declaration still gets its own scope.
  void Scoped(Stmt& stmt) {
    const Scope scope(*this);
    Statement(stmt);
  }

  void BlockStatement(Stmt& stmt) {
    std::optional<Scope> scope;
    if (stmt.scoped && current_) {
      scope.emplace(*this);
    }
    for (auto& inner : stmt.body) {
      Statement(*inner);
    }
  }

  void VarStatement(Stmt& stmt) {
    stmt.type = Resolve(stmt.varType);
    if (stmt.type.kind == TypeKind::Void) {
      Error(stmt.pos, QStringLiteral("variable %1 cannot be void").arg(Quoted(stmt.name)));
    }
    // The initialiser sees the names before this one, as in C.
    if (stmt.expr) {
      Convertible(stmt.expr->pos, Expression(*stmt.expr), stmt.type);
    }
    stmt.slot = Declare(stmt.pos, stmt.name, stmt.type);
  }

  void Loop(Stmt& stmt) {
    if (stmt.expr) {
      ConditionOf(*stmt.expr);
    }
    if (stmt.step) {
      Expression(*stmt.step);
    }
    ++loops_;
    Scoped(*stmt.then);
    --loops_;
  }

  void ReturnStatement(Stmt& stmt) {
    const Type wanted = current_->returnType;
    stmt.type = wanted;
    if (!stmt.expr) {
      if (wanted.kind != TypeKind::Void && wanted.kind != TypeKind::Invalid) {
        Error(stmt.pos,
              QStringLiteral("function %1 must return a value").arg(Quoted(current_->name)));
      }
      return;
    }
    const Type given = Expression(*stmt.expr);
    if (wanted.kind == TypeKind::Void) {
      Error(stmt.pos,
            QStringLiteral("void function %1 cannot return a value").arg(Quoted(current_->name)));
      return;
    }
    Convertible(stmt.expr->pos, given, wanted);
  }

  void ConditionOf(Expr& expr) {
    const Type type = Expression(expr);
    if (!type.IsNumber() && type.kind != TypeKind::Invalid) {
      Error(expr.pos,
            QStringLiteral("a condition must be a number, not %1").arg(TypeText(program_, type)));
    }
  }

  // ---- expressions ----

  // Values pass between int and byte freely (a byte keeps the low eight bits); otherwise the
  // types must be the same.
  // `function` and `argument` name the argument being passed, when it is one.
  void Convertible(Pos pos, Type from, Type to, const QByteArray& function = {}, int argument = 0) {
    if (from.kind == TypeKind::Invalid || to.kind == TypeKind::Invalid) {
      return;
    }
    if (from == to || (from.IsNumber() && to.IsNumber())) {
      return;
    }
    const QString where =
        function.isEmpty()
            ? QString()
            : QStringLiteral(" in argument %1 of %2").arg(argument).arg(Quoted(function));
    Error(pos, QStringLiteral("type mismatch%1: %2 given where %3 is expected")
                   .arg(where, TypeText(program_, from), TypeText(program_, to)));
  }

  Type Expression(Expr& expr) {
    expr.type = Typed(expr);
    return expr.type;
  }

  Type Typed(Expr& expr) {
    switch (expr.kind) {
      case ExprKind::Number:
        return {TypeKind::Int, -1};
      case ExprKind::String:
        return {TypeKind::String, -1};
      case ExprKind::Name:
        return NameType(expr);
      case ExprKind::Field:
        return FieldType(expr);
      case ExprKind::Call:
        return CallType(expr);
      case ExprKind::Unary:
        return UnaryType(expr);
      case ExprKind::Binary:
        return BinaryType(expr);
      case ExprKind::Assign:
        return AssignType(expr);
      case ExprKind::IncDec:
        return IncDecType(expr);
    }
    return {TypeKind::Invalid, -1};
  }

  Type NameType(Expr& expr) {
    for (auto scope = scopes_.rbegin(); scope != scopes_.rend(); ++scope) {
      for (const Local& local : *scope) {
        if (local.name == expr.text) {
          expr.slot = {false, local.slot};
          return local.type;
        }
      }
    }
    const auto global = globalIndex_.find(expr.text);
    if (global != globalIndex_.end()) {
      expr.slot = {true, global.value()};
      return globals_[global.value()];
    }
    Error(expr.pos, QStringLiteral("unknown identifier %1").arg(Quoted(expr.text)));
    return {TypeKind::Invalid, -1};
  }

  Type FieldType(Expr& expr) {
    const Type base = Expression(*expr.left);
    if (base.kind == TypeKind::Invalid) {
      return base;
    }
    if (base.kind != TypeKind::Struct) {
      Error(expr.pos, QStringLiteral("%1 has no fields").arg(TypeText(program_, base)));
      return {TypeKind::Invalid, -1};
    }
    const StructDef& def = program_.structs[base.structIndex];
    for (size_t i = 0; i < def.fields.size(); ++i) {
      if (def.fields[i].name == expr.text) {
        expr.fieldIndex = static_cast<int>(i);
        return def.fields[i].type;
      }
    }
    Error(expr.pos,
          QStringLiteral("struct %1 has no field %2").arg(Quoted(def.name), Quoted(expr.text)));
    return {TypeKind::Invalid, -1};
  }

  Type CallType(Expr& expr) {
    for (auto& arg : expr.args) {
      Expression(*arg);
    }
    const auto found = functionIndex_.find(expr.text);
    if (found == functionIndex_.end()) {
      Error(expr.pos, QStringLiteral("unknown function %1").arg(Quoted(expr.text)));
      return {TypeKind::Invalid, -1};
    }
    expr.function = found.value();
    const Function& function = program_.functions[expr.function];
    if (!function.native && !function.body) {
      Error(expr.pos,
            QStringLiteral("function %1 is declared but never defined").arg(Quoted(expr.text)));
    }
    if (expr.args.size() != function.params.size()) {
      Error(expr.pos, QStringLiteral("function %1 takes %2 argument(s), %3 given")
                          .arg(Quoted(expr.text))
                          .arg(function.params.size())
                          .arg(expr.args.size()));
    } else {
      for (size_t i = 0; i < expr.args.size(); ++i) {
        Convertible(expr.args[i]->pos, expr.args[i]->type, function.paramTypes[i], expr.text,
                    static_cast<int>(i) + 1);
      }
    }
    return function.returnType;
  }

  Type UnaryType(Expr& expr) {
    const Type operand = Expression(*expr.left);
    if (operand.kind == TypeKind::Invalid) {
      return operand;
    }
    if (!operand.IsNumber()) {
      Error(expr.pos, QStringLiteral("operator %1 needs a number, not %2")
                          .arg(Describe(expr.op), TypeText(program_, operand)));
      return {TypeKind::Invalid, -1};
    }
    return {TypeKind::Int, -1};
  }

  Type BinaryType(Expr& expr) {
    const Type left = Expression(*expr.left);
    const Type right = Expression(*expr.right);
    if (left.kind == TypeKind::Invalid || right.kind == TypeKind::Invalid) {
      return {TypeKind::Invalid, -1};
    }
    const bool numbers = left.IsNumber() && right.IsNumber();
    const bool strings = left.kind == TypeKind::String && right.kind == TypeKind::String;
    const bool textual = (strings || (left.kind == TypeKind::String && right.IsNumber()) ||
                          (left.IsNumber() && right.kind == TypeKind::String));
    switch (expr.op) {
      case Tok::Plus:
        if (numbers) {
          return {TypeKind::Int, -1};
        }
        if (textual) {
          return {TypeKind::String, -1};
        }
        break;
      case Tok::Equal:
      case Tok::NotEqual:
      case Tok::Less:
      case Tok::LessEqual:
      case Tok::Greater:
      case Tok::GreaterEqual:
        if (numbers || strings) {
          return {TypeKind::Int, -1};
        }
        break;
      default:
        if (numbers) {
          return {TypeKind::Int, -1};
        }
        break;
    }
    Error(expr.pos,
          QStringLiteral("type mismatch: operator %1 cannot take %2 and %3")
              .arg(Describe(expr.op), TypeText(program_, left), TypeText(program_, right)));
    return {TypeKind::Invalid, -1};
  }

  // Names and fields of names can be assigned; values computed on the fly cannot.
  bool Assignable(const Expr& target) {
    if (target.kind == ExprKind::Name) {
      return true;
    }
    if (target.kind == ExprKind::Field) {
      return Assignable(*target.left);
    }
    return false;
  }

  bool CheckTarget(const Expr& expr, Type type) {
    if (type.kind == TypeKind::Invalid) {
      return false;
    }
    if (!Assignable(*expr.left)) {
      Error(expr.pos,
            QStringLiteral("%1 needs a variable or field on its left").arg(Describe(expr.op)));
      return false;
    }
    return true;
  }

  Type AssignType(Expr& expr) {
    const Type target = Expression(*expr.left);
    const Type value = Expression(*expr.right);
    if (!CheckTarget(expr, target)) {
      return {TypeKind::Invalid, -1};
    }
    if (expr.op == Tok::Assign) {
      Convertible(expr.right->pos, value, target);
    } else if (expr.op == Tok::PlusAssign && target.kind == TypeKind::String) {
      if (value.kind != TypeKind::String && !value.IsNumber() && value.kind != TypeKind::Invalid) {
        Convertible(expr.right->pos, value, target);
      }
    } else if (!(target.IsNumber() && (value.IsNumber() || value.kind == TypeKind::Invalid))) {
      Error(expr.pos,
            QStringLiteral("type mismatch: operator %1 cannot take %2 and %3")
                .arg(Describe(expr.op), TypeText(program_, target), TypeText(program_, value)));
    }
    return target;
  }

  Type IncDecType(Expr& expr) {
    const Type target = Expression(*expr.left);
    if (!CheckTarget(expr, target)) {
      return {TypeKind::Invalid, -1};
    }
    if (!target.IsNumber()) {
      Error(expr.pos, QStringLiteral("operator %1 needs a number, not %2")
                          .arg(Describe(expr.op), TypeText(program_, target)));
      return {TypeKind::Invalid, -1};
    }
    return target;
  }

  Program& program_;
  Diagnostics& diagnostics_;
  QHash<QByteArray, int> structIndex_;
  QHash<QByteArray, int> functionIndex_;
  QHash<QByteArray, int> globalIndex_;
  std::vector<Type> globals_;
  std::vector<std::vector<Local>> scopes_;
  Function* current_ = nullptr;
  int nextSlot_ = 0;
  int loops_ = 0;
};

}  // namespace

void Check(Program& program, Diagnostics& diagnostics) {
  Checker(program, diagnostics).Run();
}

QString TypeText(const Program& program, Type type) {
  switch (type.kind) {
    case TypeKind::Void:
      return QStringLiteral("void");
    case TypeKind::Int:
      return QStringLiteral("int");
    case TypeKind::Byte:
      return QStringLiteral("byte");
    case TypeKind::String:
      return QStringLiteral("string");
    case TypeKind::Struct:
      return QString::fromLatin1(program.structs[type.structIndex].name);
    case TypeKind::Invalid:
      break;
  }
  return QStringLiteral("?");
}

}  // namespace zscript
