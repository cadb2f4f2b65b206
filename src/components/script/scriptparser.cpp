#include "scriptparser.h"

#include <algorithm>
#include <utility>

namespace zscript {
namespace {

// Thrown to resynchronise after a syntax error.
struct SyntaxError {};

int Precedence(Tok op) {
  switch (op) {
    case Tok::OrOr:
      return 1;
    case Tok::AndAnd:
      return 2;
    case Tok::Equal:
    case Tok::NotEqual:
      return 3;
    case Tok::Less:
    case Tok::LessEqual:
    case Tok::Greater:
    case Tok::GreaterEqual:
      return 4;
    case Tok::Plus:
    case Tok::Minus:
      return 5;
    case Tok::Star:
    case Tok::Slash:
    case Tok::Percent:
      return 6;
    default:
      return 0;
  }
}

bool IsAssignment(Tok op) {
  return op == Tok::Assign || op == Tok::PlusAssign || op == Tok::MinusAssign ||
         op == Tok::StarAssign || op == Tok::SlashAssign || op == Tok::PercentAssign;
}

bool IsTypeKeyword(Tok kind) {
  return kind == Tok::KwString || kind == Tok::KwInt || kind == Tok::KwByte || kind == Tok::KwVoid;
}

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, Program& program, Diagnostics& diagnostics)
      : tokens_(tokens), program_(program), diagnostics_(diagnostics) {}

  void Run() {
    while (Peek().kind != Tok::End) {
      try {
        Declaration();
      } catch (const SyntaxError&) {
        SkipToDeclaration();
      }
    }
  }

 private:
  // Counts one level of nesting while alive; past the bound the whole parse stops, as the input
  // cannot be a sensible script.
  class Nest {
   public:
    explicit Nest(Parser& parser) : parser_(parser) {
      if (++parser_.depth_ > kMaxNesting) {
        parser_.diagnostics_.Error(parser_.Peek().pos, QStringLiteral("nesting too deep"));
        throw CompileAbort{};
      }
    }
    ~Nest() { --parser_.depth_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

   private:
    Parser& parser_;
  };

  const Token& Peek(int ahead = 0) const {
    const size_t i = std::min(at_ + ahead, tokens_.size() - 1);
    return tokens_[i];
  }
  const Token& Next() {
    const Token& token = tokens_[at_];
    if (at_ + 1 < tokens_.size()) {
      ++at_;
    }
    return token;
  }
  bool Accept(Tok kind) {
    if (Peek().kind != kind) {
      return false;
    }
    Next();
    return true;
  }

  [[noreturn]] void Fail(Pos pos, const QString& message) {
    diagnostics_.Error(pos, message);
    throw SyntaxError{};
  }

  // The place just after the previous token: where a forgotten ';' belongs.
  Pos AfterPrevious() const {
    if (at_ == 0) {
      return Peek().pos;
    }
    const Token& previous = tokens_[at_ - 1];
    Pos pos = previous.pos;
    pos.column += previous.length;
    return pos;
  }

  const Token& Expect(Tok kind, const char* context) {
    if (Peek().kind == kind) {
      return Next();
    }
    if (kind == Tok::Semicolon) {
      Fail(AfterPrevious(), QStringLiteral("missing ';' %1").arg(QLatin1StringView(context)));
    }
    Fail(Peek().pos, QStringLiteral("expected %1 %2, found %3")
                         .arg(Describe(kind), QLatin1StringView(context), Describe(Peek().kind)));
  }

  QByteArray ExpectName(const char* context) { return Expect(Tok::Ident, context).text; }

  void SkipToDeclaration() {
    int braces = 0;
    while (Peek().kind != Tok::End) {
      const Tok kind = Next().kind;
      if (kind == Tok::LBrace) {
        ++braces;
      } else if (kind == Tok::RBrace && --braces <= 0) {
        return;
      } else if (kind == Tok::Semicolon && braces == 0) {
        return;
      }
    }
  }

  void SkipToStatement() {
    int braces = 0;
    while (Peek().kind != Tok::End) {
      const Tok kind = Peek().kind;
      if (kind == Tok::RBrace && braces == 0) {
        return;  // the enclosing block's end
      }
      Next();
      if (kind == Tok::LBrace) {
        ++braces;
      } else if (kind == Tok::RBrace && --braces == 0) {
        return;
      } else if (kind == Tok::Semicolon && braces == 0) {
        return;
      }
    }
  }

  // ---- declarations ----

  bool AtType() const {
    const Tok kind = Peek().kind;
    if (IsTypeKeyword(kind)) {
      return true;
    }
    if (kind == Tok::Struct) {
      return Peek(1).kind == Tok::Ident;
    }
    // Two names in a row can only be a type and a variable.
    return kind == Tok::Ident && Peek(1).kind == Tok::Ident;
  }

  TypeName ParseType() {
    TypeName type;
    type.pos = Peek().pos;
    switch (Peek().kind) {
      case Tok::KwString:
        type.kind = TypeKind::String;
        break;
      case Tok::KwInt:
        type.kind = TypeKind::Int;
        break;
      case Tok::KwByte:
        type.kind = TypeKind::Byte;
        break;
      case Tok::KwVoid:
        type.kind = TypeKind::Void;
        break;
      case Tok::Struct:
        Next();
        [[fallthrough]];
      case Tok::Ident:
        type.kind = TypeKind::Struct;
        type.structName = Expect(Tok::Ident, "as type name").text;
        return type;
      default:
        Fail(Peek().pos, QStringLiteral("expected a type, found %1").arg(Describe(Peek().kind)));
    }
    Next();
    return type;
  }

  void Declaration() {
    const Token& first = Peek();
    if (first.kind == Tok::Struct && Peek(1).kind == Tok::Ident && Peek(2).kind == Tok::LBrace) {
      return StructDeclaration();
    }
    if (first.kind == Tok::Native) {
      Next();
      return FunctionDeclaration(true);
    }
    if (first.kind == Tok::Return) {
      Fail(first.pos, QStringLiteral("'return' outside a function"));
    }
    if (first.kind == Tok::Break || first.kind == Tok::Continue) {
      Fail(first.pos, QStringLiteral("%1 outside a loop").arg(Describe(first.kind)));
    }
    if (!AtType()) {
      Fail(first.pos, QStringLiteral("expected a declaration, found %1").arg(Describe(first.kind)));
    }
    if (Peek(IsTypeKeyword(first.kind) || first.kind == Tok::Ident ? 2 : 3).kind == Tok::LParen) {
      return FunctionDeclaration(false);
    }
    program_.globals.push_back(VariableDeclaration());
  }

  // "struct Name { type field; ... } [variable] [;]"
  void StructDeclaration() {
    Next();
    StructDef def;
    def.pos = Peek().pos;
    def.name = ExpectName("after 'struct'");
    Expect(Tok::LBrace, "after the struct name");
    while (!Accept(Tok::RBrace)) {
      Field field;
      field.typeName = ParseType();
      field.pos = Peek().pos;
      field.name = ExpectName("as field name");
      Expect(Tok::Semicolon, "after the field");
      def.fields.push_back(std::move(field));
    }
    const QByteArray structName = def.name;
    program_.structs.push_back(std::move(def));
    // "} name" declares a variable, unless two names follow: then they start a declaration
    // of their own ("} Point origin;").
    if (Peek().kind == Tok::Ident && Peek(1).kind != Tok::Ident) {
      auto var = MakeStmt(StmtKind::Var, Peek().pos);
      var->varType = {var->pos, TypeKind::Struct, structName};
      var->name = Next().text;
      program_.globals.push_back(std::move(var));
    }
    Accept(Tok::Semicolon);
  }

  void FunctionDeclaration(bool native) {
    Function function;
    function.native = native;
    function.returnTypeName = ParseType();
    function.pos = Peek().pos;
    function.name = ExpectName("as function name");
    Expect(Tok::LParen, "after the function name");
    if (Peek().kind == Tok::KwVoid && Peek(1).kind == Tok::RParen) {
      Next();
    }
    if (!Accept(Tok::RParen)) {
      do {
        Param param;
        param.type = ParseType();
        param.pos = Peek().pos;
        param.name = ExpectName("as parameter name");
        function.params.push_back(std::move(param));
      } while (Accept(Tok::Comma));
      Expect(Tok::RParen, "after the parameters");
    }
    if (native || Peek().kind != Tok::LBrace) {
      Expect(Tok::Semicolon, "after the declaration");
    } else {
      function.body = Block();
    }
    program_.functions.push_back(std::move(function));
  }

  // "type name [= value] {, name [= value]} ;" as one statement, a group when several.
  std::unique_ptr<Stmt> VariableDeclaration() {
    const TypeName type = ParseType();
    auto group = MakeStmt(StmtKind::Block, type.pos);
    group->scoped = false;
    do {
      auto var = MakeStmt(StmtKind::Var, Peek().pos);
      var->varType = type;
      var->name = ExpectName("as variable name");
      if (Accept(Tok::Assign)) {
        var->expr = Expression();
      }
      group->body.push_back(std::move(var));
    } while (Accept(Tok::Comma));
    Expect(Tok::Semicolon, "after the declaration");
    if (group->body.size() == 1) {
      return std::move(group->body.front());
    }
    return group;
  }

  // ---- statements ----

  static std::unique_ptr<Stmt> MakeStmt(StmtKind kind, Pos pos) {
    auto stmt = std::make_unique<Stmt>();
    stmt->kind = kind;
    stmt->pos = pos;
    return stmt;
  }

  std::unique_ptr<Stmt> Block() {
    Nest nest(*this);
    auto block = MakeStmt(StmtKind::Block, Expect(Tok::LBrace, "to open the block").pos);
    while (Peek().kind != Tok::RBrace && Peek().kind != Tok::End) {
      try {
        block->body.push_back(Statement());
      } catch (const SyntaxError&) {
        SkipToStatement();
      }
    }
    Expect(Tok::RBrace, "to close the block");
    return block;
  }

  std::unique_ptr<Stmt> Statement() {
    Nest nest(*this);
    const Token& first = Peek();
    switch (first.kind) {
      case Tok::LBrace:
        return Block();
      case Tok::If:
        return IfStatement();
      case Tok::While:
        return WhileStatement();
      case Tok::Do:
        return DoWhileStatement();
      case Tok::For:
        return ForStatement();
      case Tok::Return: {
        auto stmt = MakeStmt(StmtKind::Return, Next().pos);
        if (Peek().kind != Tok::Semicolon) {
          stmt->expr = Expression();
        }
        Expect(Tok::Semicolon, "after 'return'");
        return stmt;
      }
      case Tok::Break:
      case Tok::Continue: {
        auto stmt =
            MakeStmt(first.kind == Tok::Break ? StmtKind::Break : StmtKind::Continue, Next().pos);
        Expect(Tok::Semicolon, "after the jump");
        return stmt;
      }
      case Tok::Semicolon:
        return MakeStmt(StmtKind::Block, Next().pos);
      case Tok::Struct:
        if (Peek(2).kind == Tok::LBrace) {
          Fail(first.pos, QStringLiteral("structs are declared outside functions"));
        }
        break;
      case Tok::Native:
        Fail(first.pos, QStringLiteral("'native' functions are declared outside functions"));
      default:
        break;
    }
    if (AtType()) {
      return VariableDeclaration();
    }
    auto stmt = MakeStmt(StmtKind::Expr, first.pos);
    stmt->expr = Expression();
    Expect(Tok::Semicolon, "after the statement");
    return stmt;
  }

  std::unique_ptr<Expr> Condition() {
    Expect(Tok::LParen, "before the condition");
    auto condition = Expression();
    Expect(Tok::RParen, "after the condition");
    return condition;
  }

  std::unique_ptr<Stmt> IfStatement() {
    auto stmt = MakeStmt(StmtKind::If, Next().pos);
    stmt->expr = Condition();
    stmt->then = Statement();
    if (Accept(Tok::Else)) {
      stmt->otherwise = Statement();
    }
    return stmt;
  }

  std::unique_ptr<Stmt> WhileStatement() {
    auto stmt = MakeStmt(StmtKind::While, Next().pos);
    stmt->expr = Condition();
    stmt->then = Statement();
    return stmt;
  }

  std::unique_ptr<Stmt> DoWhileStatement() {
    auto stmt = MakeStmt(StmtKind::DoWhile, Next().pos);
    stmt->then = Statement();
    Expect(Tok::While, "after the body of 'do'");
    stmt->expr = Condition();
    Expect(Tok::Semicolon, "after 'do ... while'");
    return stmt;
  }

  std::unique_ptr<Stmt> ForStatement() {
    auto stmt = MakeStmt(StmtKind::For, Next().pos);
    Expect(Tok::LParen, "after 'for'");
    if (AtType()) {
      stmt->init = VariableDeclaration();
    } else if (!Accept(Tok::Semicolon)) {
      stmt->init = MakeStmt(StmtKind::Expr, Peek().pos);
      stmt->init->expr = Expression();
      Expect(Tok::Semicolon, "after the loop start");
    }
    if (Peek().kind != Tok::Semicolon) {
      stmt->expr = Expression();
    }
    Expect(Tok::Semicolon, "after the loop condition");
    if (Peek().kind != Tok::RParen) {
      stmt->step = Expression();
    }
    Expect(Tok::RParen, "after the loop step");
    stmt->then = Statement();
    return stmt;
  }

  // ---- expressions ----

  std::unique_ptr<Expr> MakeExpr(ExprKind kind, Pos pos, std::unique_ptr<Expr> left = nullptr,
                                 std::unique_ptr<Expr> right = nullptr) {
    auto expr = std::make_unique<Expr>();
    expr->kind = kind;
    expr->pos = pos;
    expr->left = std::move(left);
    expr->right = std::move(right);
    expr->height =
        1 + std::max(expr->left ? expr->left->height : 0, expr->right ? expr->right->height : 0);
    if (expr->height > kMaxNesting) {
      diagnostics_.Error(pos, QStringLiteral("expression too deeply nested"));
      throw CompileAbort{};
    }
    return expr;
  }

  std::unique_ptr<Expr> Expression() {
    Nest nest(*this);
    auto target = Binary(1);
    if (!IsAssignment(Peek().kind)) {
      return target;
    }
    const Token& op = Next();
    auto expr = MakeExpr(ExprKind::Assign, op.pos, std::move(target), Expression());
    expr->op = op.kind;
    return expr;
  }

  std::unique_ptr<Expr> Binary(int minPrecedence) {
    auto left = Unary();
    for (;;) {
      const Token& op = Peek();
      const int precedence = Precedence(op.kind);
      if (precedence < minPrecedence || precedence == 0) {
        return left;
      }
      Next();
      auto right = Binary(precedence + 1);
      left = MakeExpr(ExprKind::Binary, op.pos, std::move(left), std::move(right));
      left->op = op.kind;
    }
  }

  std::unique_ptr<Expr> Unary() {
    const Token& op = Peek();
    if (op.kind != Tok::Minus && op.kind != Tok::Not && op.kind != Tok::PlusPlus &&
        op.kind != Tok::MinusMinus) {
      return Postfix(Primary());
    }
    Nest nest(*this);
    Next();
    const bool step = op.kind == Tok::PlusPlus || op.kind == Tok::MinusMinus;
    auto expr = MakeExpr(step ? ExprKind::IncDec : ExprKind::Unary, op.pos, Unary());
    expr->op = op.kind;
    expr->prefix = true;
    return expr;
  }

  std::unique_ptr<Expr> Postfix(std::unique_ptr<Expr> expr) {
    for (;;) {
      const Token& op = Peek();
      if (op.kind == Tok::Dot) {
        Next();
        const Pos pos = Peek().pos;
        const QByteArray field = ExpectName("after '.'");
        expr = MakeExpr(ExprKind::Field, pos, std::move(expr));
        expr->text = field;
      } else if (op.kind == Tok::PlusPlus || op.kind == Tok::MinusMinus) {
        Next();
        expr = MakeExpr(ExprKind::IncDec, op.pos, std::move(expr));
        expr->op = op.kind;
      } else {
        return expr;
      }
    }
  }

  std::unique_ptr<Expr> Primary() {
    const Token& token = Peek();
    switch (token.kind) {
      case Tok::Number: {
        auto expr = MakeExpr(ExprKind::Number, Next().pos);
        expr->number = token.number;
        return expr;
      }
      case Tok::String: {
        auto expr = MakeExpr(ExprKind::String, Next().pos);
        expr->text = token.text;
        // Adjacent literals join, as in C, so long texts can span lines.
        while (Peek().kind == Tok::String) {
          expr->text += Next().text;
        }
        return expr;
      }
      case Tok::Ident:
        Next();
        return Peek().kind == Tok::LParen ? Call(token) : Name(token);
      case Tok::LParen: {
        Next();
        auto inner = Expression();
        Expect(Tok::RParen, "to close the parenthesis");
        return inner;
      }
      default:
        Fail(token.pos,
             QStringLiteral("expected an expression, found %1").arg(Describe(token.kind)));
    }
  }

  std::unique_ptr<Expr> Name(const Token& name) {
    auto expr = MakeExpr(ExprKind::Name, name.pos);
    expr->text = name.text;
    return expr;
  }

  std::unique_ptr<Expr> Call(const Token& name) {
    Next();
    auto call = MakeExpr(ExprKind::Call, name.pos);
    call->text = name.text;
    if (!Accept(Tok::RParen)) {
      do {
        auto arg = Expression();
        call->height = std::max(call->height, arg->height + 1);
        call->args.push_back(std::move(arg));
      } while (Accept(Tok::Comma));
      Expect(Tok::RParen, "after the arguments");
    }
    return call;
  }

  const std::vector<Token>& tokens_;
  Program& program_;
  Diagnostics& diagnostics_;
  size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

void Parse(const std::vector<Token>& tokens, Program& program, Diagnostics& diagnostics) {
  Parser(tokens, program, diagnostics).Run();
}

}  // namespace zscript
