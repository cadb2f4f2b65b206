// A stand-in for the script compiler while the real one is not built: it understands just enough
// of the language for the host's tests — functions without arguments whose bodies are calls of
// host functions with string and integer literals, one statement per line — and reports
// anything else as a compile error.

#include <QFile>
#include <QRegularExpression>
#include <map>

#include "components/script/zscript.h"

TZScriptValue TZScriptValue::Int(qint64 value) {
  TZScriptValue result;
  result.kind = Kind::Int;
  result.number = value;
  return result;
}

TZScriptValue TZScriptValue::String(QByteArray value) {
  TZScriptValue result;
  result.kind = Kind::String;
  result.text = std::move(value);
  return result;
}

namespace {

struct Call {
  QString name;
  std::vector<TZScriptValue> args;
};

std::vector<TZScriptValue> ParseArgs(const QString& text, bool* ok) {
  static const QRegularExpression argument(
      QStringLiteral(R"re(\s*(?:"([^"]*)"|(-?\d+))\s*(,|$))re"));
  std::vector<TZScriptValue> args;
  int at = 0;
  *ok = true;
  while (at < text.size()) {
    const QRegularExpressionMatch match = argument.match(
        text, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    if (!match.hasMatch()) {
      *ok = false;
      return args;
    }
    args.push_back(match.capturedLength(1) || match.captured(2).isEmpty()
                       ? TZScriptValue::String(match.captured(1).toUtf8())
                       : TZScriptValue::Int(match.captured(2).toLongLong()));
    at = match.capturedEnd();
  }
  return args;
}

}  // namespace

class TZScriptCompiler::Impl {
 public:
  std::map<QString, TZScriptHostFunction> host;
  std::map<QString, std::vector<Call>> functions;
  QString error;

  bool Compile(const QByteArray& source, const QString& fileName) {
    static const QRegularExpression header(QStringLiteral(R"re(^void\s+(\w+)\s*\(\s*\)\s*\{$)re"));
    static const QRegularExpression call(QStringLiteral(R"re(^(\w+)\s*\((.*)\)\s*;$)re"));
    functions.clear();
    QString current;
    const QStringList lines = QString::fromUtf8(source).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
      const QString line = lines[i].trimmed();
      if (line.isEmpty() || line.startsWith(QLatin1String("//"))) {
        continue;
      }
      const auto fail = [&](const QString& message) {
        error = QStringLiteral("%1:%2:1: %3").arg(fileName).arg(i + 1).arg(message);
        return false;
      };
      if (current.isEmpty()) {
        const QRegularExpressionMatch match = header.match(line);
        if (!match.hasMatch()) {
          return fail(QStringLiteral("syntax error"));
        }
        current = match.captured(1);
        functions[current];
      } else if (line == QLatin1String("}")) {
        current.clear();
      } else {
        const QRegularExpressionMatch match = call.match(line);
        bool ok = match.hasMatch();
        const std::vector<TZScriptValue> args =
            ok ? ParseArgs(match.captured(2), &ok) : std::vector<TZScriptValue>();
        if (!ok) {
          return fail(QStringLiteral("syntax error"));
        }
        if (!host.count(match.captured(1))) {
          return fail(QStringLiteral("unknown function '%1'").arg(match.captured(1)));
        }
        functions[current].push_back({match.captured(1), args});
      }
    }
    if (!current.isEmpty()) {
      error = QStringLiteral("%1:%2:1: missing '}'").arg(fileName).arg(lines.size());
      return false;
    }
    return true;
  }
};

TZScriptCompiler::TZScriptCompiler(QString, QString) : impl_(std::make_unique<Impl>()) {}
TZScriptCompiler::~TZScriptCompiler() = default;

void TZScriptCompiler::AddHostFunction(const QString& name, TZScriptHostFunction function) {
  impl_->host[name] = std::move(function);
}

void TZScriptCompiler::SetPrelude(const QStringList&) {}
void TZScriptCompiler::SetLimits(const TZScriptLimits&) {}

bool TZScriptCompiler::CompileFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    impl_->error = path + QStringLiteral(":1:1: cannot read the file");
    return false;
  }
  return CompileText(file.readAll(), path);
}

bool TZScriptCompiler::CompileText(const QByteArray& source, const QString& fileName) {
  impl_->error.clear();
  return impl_->Compile(source, fileName);
}

QString TZScriptCompiler::ErrorText() const {
  return impl_->error;
}

TZScriptCompiler::Function TZScriptCompiler::FindFunction(const QString& name) {
  const auto found = impl_->functions.find(name);
  if (found == impl_->functions.end()) {
    return {};
  }
  return [this, calls = found->second] {
    for (const Call& call : calls) {
      impl_->host.at(call.name)(call.args);
    }
    return true;
  };
}

void TZScriptCompiler::Reset() {
  impl_->host.clear();
  impl_->functions.clear();
  impl_->error.clear();
}
