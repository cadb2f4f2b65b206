#include "scriptlexer.h"

#include <array>
#include <string_view>
#include <utility>

namespace zscript {
namespace {

struct Spelling {
  std::string_view text;
  Tok kind;
};

constexpr std::array kKeywords = {
    Spelling{"struct", Tok::Struct},   Spelling{"native", Tok::Native},
    Spelling{"if", Tok::If},           Spelling{"else", Tok::Else},
    Spelling{"while", Tok::While},     Spelling{"do", Tok::Do},
    Spelling{"for", Tok::For},         Spelling{"return", Tok::Return},
    Spelling{"break", Tok::Break},     Spelling{"continue", Tok::Continue},
    Spelling{"string", Tok::KwString}, Spelling{"int", Tok::KwInt},
    Spelling{"byte", Tok::KwByte},     Spelling{"void", Tok::KwVoid},
};

// Longest spellings first, so "+=" wins over "+".
constexpr std::array kPunctuation = {
    Spelling{"+=", Tok::PlusAssign},
    Spelling{"-=", Tok::MinusAssign},
    Spelling{"*=", Tok::StarAssign},
    Spelling{"/=", Tok::SlashAssign},
    Spelling{"%=", Tok::PercentAssign},
    Spelling{"++", Tok::PlusPlus},
    Spelling{"--", Tok::MinusMinus},
    Spelling{"==", Tok::Equal},
    Spelling{"!=", Tok::NotEqual},
    Spelling{"<=", Tok::LessEqual},
    Spelling{">=", Tok::GreaterEqual},
    Spelling{"&&", Tok::AndAnd},
    Spelling{"||", Tok::OrOr},
    Spelling{"(", Tok::LParen},
    Spelling{")", Tok::RParen},
    Spelling{"{", Tok::LBrace},
    Spelling{"}", Tok::RBrace},
    Spelling{";", Tok::Semicolon},
    Spelling{",", Tok::Comma},
    Spelling{".", Tok::Dot},
    Spelling{"=", Tok::Assign},
    Spelling{"+", Tok::Plus},
    Spelling{"-", Tok::Minus},
    Spelling{"*", Tok::Star},
    Spelling{"/", Tok::Slash},
    Spelling{"%", Tok::Percent},
    Spelling{"<", Tok::Less},
    Spelling{">", Tok::Greater},
    Spelling{"!", Tok::Not},
};

bool IsIdentStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsIdentPart(char c) {
  return IsIdentStart(c) || IsDigit(c);
}

int HexValue(char c) {
  if (IsDigit(c)) {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

class Lexer {
 public:
  Lexer(const QByteArray& source, int file, Diagnostics& diagnostics)
      : src_(source), file_(file), diagnostics_(diagnostics) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    tokens.reserve(src_.size() / 4 + 1);
    for (;;) {
      SkipSpaceAndComments();
      Token token;
      token.pos = Here();
      const int start = at_;
      if (at_ >= src_.size()) {
        tokens.push_back(token);
        return tokens;
      }
      if (!Scan(token)) {
        continue;
      }
      token.length = at_ - start;
      tokens.push_back(std::move(token));
    }
  }

 private:
  Pos Here() const { return {file_, line_, at_ - lineStart_ + 1}; }
  char Peek(int ahead = 0) const { return at_ + ahead < src_.size() ? src_[at_ + ahead] : '\0'; }
  void NewLine() {
    ++line_;
    lineStart_ = at_;
  }

  void SkipSpaceAndComments() {
    while (at_ < src_.size()) {
      const char c = src_[at_];
      if (c == '\n') {
        ++at_;
        NewLine();
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++at_;
      } else if (c == '/' && Peek(1) == '/') {
        while (at_ < src_.size() && src_[at_] != '\n') {
          ++at_;
        }
      } else if (c == '/' && Peek(1) == '*') {
        SkipBlockComment();
      } else {
        return;
      }
    }
  }

  void SkipBlockComment() {
    const Pos opened = Here();
    at_ += 2;
    while (at_ < src_.size()) {
      if (src_[at_] == '*' && Peek(1) == '/') {
        at_ += 2;
        return;
      }
      if (src_[at_++] == '\n') {
        NewLine();
      }
    }
    diagnostics_.Error(opened, QStringLiteral("unterminated comment"));
  }

  // Fills `token` from the text at the cursor; false when nothing usable was there.
  bool Scan(Token& token) {
    const char c = src_[at_];
    if (IsIdentStart(c)) {
      return ScanWord(token);
    }
    if (IsDigit(c)) {
      return ScanNumber(token);
    }
    if (c == '"') {
      return ScanString(token);
    }
    if (c == '\'') {
      return ScanCharacter(token);
    }
    const std::string_view rest(src_.constData() + at_, std::min<qsizetype>(2, src_.size() - at_));
    for (const Spelling& p : kPunctuation) {
      if (rest.starts_with(p.text)) {
        token.kind = p.kind;
        at_ += static_cast<int>(p.text.size());
        return true;
      }
    }
    const unsigned char byte = static_cast<unsigned char>(c);
    diagnostics_.Error(Here(),
                       byte >= 0x20 && byte < 0x7f
                           ? QStringLiteral("unexpected character '%1'").arg(QChar(c))
                           : QStringLiteral("unexpected byte 0x%1").arg(byte, 2, 16, QChar(u'0')));
    ++at_;
    return false;
  }

  bool ScanWord(Token& token) {
    const int start = at_;
    while (at_ < src_.size() && IsIdentPart(src_[at_])) {
      ++at_;
    }
    const std::string_view word(src_.constData() + start, at_ - start);
    token.kind = Tok::Ident;
    for (const Spelling& k : kKeywords) {
      if (word == k.text) {
        token.kind = k.kind;
        return true;
      }
    }
    token.text = QByteArray(word.data(), static_cast<qsizetype>(word.size()));
    return true;
  }

  // Decimal or 0x hexadecimal; anything up to 32 bits, so 0xFFFFFFFF and the magnitude of the
  // smallest int can be written.
  bool ScanNumber(Token& token) {
    const Pos pos = Here();
    const bool hex = src_[at_] == '0' && (Peek(1) == 'x' || Peek(1) == 'X');
    const int base = hex ? 16 : 10;
    if (hex) {
      at_ += 2;
    }
    quint64 value = 0;
    bool overflow = false;
    int digits = 0;
    while (at_ < src_.size() && IsIdentPart(src_[at_])) {
      const int digit = HexValue(src_[at_]);
      if (digit < 0 || digit >= base) {
        diagnostics_.Error(Here(),
                           QStringLiteral("invalid digit '%1' in number").arg(QChar(src_[at_])));
        return SkipWordRest();
      }
      value = value * base + digit;
      overflow = overflow || value > 0xFFFFFFFFull;
      ++digits;
      ++at_;
    }
    if (hex && digits == 0) {
      diagnostics_.Error(pos, QStringLiteral("hexadecimal number without digits"));
      return false;
    }
    if (overflow) {
      diagnostics_.Error(pos, QStringLiteral("number out of range"));
      return false;
    }
    token.kind = Tok::Number;
    token.number = static_cast<qint32>(static_cast<quint32>(value));
    return true;
  }

  bool SkipWordRest() {
    while (at_ < src_.size() && IsIdentPart(src_[at_])) {
      ++at_;
    }
    return false;
  }

  // Reads one character of a quoted literal at the cursor into `out`; false on an escape error.
  bool ScanEscapedChar(QByteArray& out) {
    const char c = src_[at_];
    if (c != '\\') {
      out.append(c);
      ++at_;
      return true;
    }
    const Pos pos = Here();
    const char e = Peek(1);
    at_ += 2;
    switch (e) {
      case 'n':
        out.append('\n');
        return true;
      case 't':
        out.append('\t');
        return true;
      case 'r':
        out.append('\r');
        return true;
      case '0':
        out.append('\0');
        return true;
      case '\\':
        out.append('\\');
        return true;
      case '"':
        out.append('"');
        return true;
      case '\'':
        out.append('\'');
        return true;
      case 'x': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && HexValue(Peek()) >= 0) {
          value = value * 16 + HexValue(Peek());
          ++at_;
          ++digits;
        }
        if (digits > 0) {
          out.append(static_cast<char>(value));
          return true;
        }
        break;
      }
      default:
        break;
    }
    if (e == '\n' || e == '\0') {
      --at_;  // leave the line end to the caller, which reports the open literal
    }
    diagnostics_.Error(pos, QStringLiteral("unknown escape sequence"));
    return false;
  }

  // Reads a literal up to `quote`; false (after reporting) when the line or text ends first.
  bool ScanQuoted(char quote, QByteArray& value) {
    const Pos opened = Here();
    ++at_;
    bool ok = true;
    while (at_ < src_.size() && src_[at_] != quote && src_[at_] != '\n') {
      ok = ScanEscapedChar(value) && ok;
    }
    if (at_ >= src_.size() || src_[at_] != quote) {
      diagnostics_.Error(opened, quote == '"' ? QStringLiteral("unterminated string")
                                              : QStringLiteral("unterminated character"));
      return false;
    }
    ++at_;
    return ok;
  }

  bool ScanString(Token& token) {
    if (!ScanQuoted('"', token.text)) {
      return false;
    }
    token.kind = Tok::String;
    return true;
  }

  bool ScanCharacter(Token& token) {
    const Pos pos = Here();
    QByteArray value;
    if (!ScanQuoted('\'', value)) {
      return false;
    }
    if (value.size() != 1) {
      diagnostics_.Error(pos, QStringLiteral("a character literal holds exactly one character"));
      return false;
    }
    token.kind = Tok::Number;
    token.number = static_cast<unsigned char>(value[0]);
    return true;
  }

  const QByteArray& src_;
  const int file_;
  Diagnostics& diagnostics_;
  int at_ = 0;
  int line_ = 1;
  int lineStart_ = 0;
};

}  // namespace

std::vector<Token> Tokenize(const QByteArray& source, int file, Diagnostics& diagnostics) {
  return Lexer(source, file, diagnostics).Run();
}

QString Describe(Tok kind) {
  switch (kind) {
    case Tok::End:
      return QStringLiteral("end of text");
    case Tok::Ident:
      return QStringLiteral("identifier");
    case Tok::Number:
      return QStringLiteral("number");
    case Tok::String:
      return QStringLiteral("string");
    default:
      break;
  }
  for (const Spelling& k : kKeywords) {
    if (k.kind == kind) {
      return QStringLiteral("'%1'").arg(QLatin1StringView(k.text.data(), k.text.size()));
    }
  }
  for (const Spelling& p : kPunctuation) {
    if (p.kind == kind) {
      return QStringLiteral("'%1'").arg(QLatin1StringView(p.text.data(), p.text.size()));
    }
  }
  return QStringLiteral("token");
}

}  // namespace zscript
