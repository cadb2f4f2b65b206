#pragma once
// Splits script text into tokens with their positions. Strings are 8-bit: the bytes between the
// quotes, with escapes resolved, are the value.

#include <QByteArray>
#include <vector>

#include "scriptsource.h"

namespace zscript {

enum class Tok {
  End,
  Ident,
  Number,
  String,
  // Keywords.
  Struct,
  Native,
  If,
  Else,
  While,
  Do,
  For,
  Return,
  Break,
  Continue,
  KwString,
  KwInt,
  KwByte,
  KwVoid,
  // Punctuation.
  LParen,
  RParen,
  LBrace,
  RBrace,
  Semicolon,
  Comma,
  Dot,
  Assign,
  PlusAssign,
  MinusAssign,
  StarAssign,
  SlashAssign,
  PercentAssign,
  PlusPlus,
  MinusMinus,
  Plus,
  Minus,
  Star,
  Slash,
  Percent,
  Equal,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  AndAnd,
  OrOr,
  Not,
};

struct Token {
  Tok kind = Tok::End;
  Pos pos;
  int length = 0;   // in bytes of the source, for positions just after the token
  QByteArray text;  // identifier name or string value
  qint32 number = 0;
};

// Tokens of `source` (file index `file`), always ending in one Tok::End. Lexical errors go to
// `diagnostics`; the offending characters are skipped.
std::vector<Token> Tokenize(const QByteArray& source, int file, Diagnostics& diagnostics);

// How a token kind reads in messages ("';'", "identifier").
QString Describe(Tok kind);

}  // namespace zscript
