#include "zscript.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <utility>

#include "scriptchecker.h"
#include "scriptmachine.h"
#include "scriptparser.h"

using namespace zscript;

TZScriptValue TZScriptValue::Int(qint64 value) {
  TZScriptValue out;
  out.kind = Kind::Int;
  out.number = value;
  return out;
}

TZScriptValue TZScriptValue::String(QByteArray value) {
  TZScriptValue out;
  out.kind = Kind::String;
  out.text = std::move(value);
  return out;
}

namespace {

// Real scripts are a few kilobytes; anything far larger is not worth the time to compile.
constexpr qsizetype kLargestSource = 1 << 20;

// One compiled script with its running state. Functions handed out keep it alive, so they stay
// callable after the compiler moved on to another script.
struct Module {
  Program program;
  std::vector<QString> fileNames;
  std::unique_ptr<Machine> machine;
};

QString FormatAll(const std::vector<QString>& fileNames, const std::vector<Diagnostic>& errors) {
  QStringList lines;
  for (const Diagnostic& error : errors) {
    lines << FormatDiagnostic(fileNames, error);
  }
  return lines.join(u'\n');
}

}  // namespace

class TZScriptCompiler::Impl {
 public:
  explicit Impl(QString programFolder) : programFolder_(std::move(programFolder)) {}

  bool CompileFile(const QString& path) {
    const QString resolved = QDir(programFolder_).filePath(path);
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly)) {
      errors_ = std::make_shared<QString>(QStringLiteral("%1: cannot read the file").arg(path));
      module_.reset();
      return false;
    }
    return CompileText(file.readAll(), path);
  }

  bool CompileText(QByteArray source, const QString& fileName) {
    errors_ = std::make_shared<QString>();
    module_.reset();
    if (source.startsWith("\xEF\xBB\xBF")) {
      source.remove(0, 3);
    }

    auto module = std::make_shared<Module>();
    module->fileNames = {QStringLiteral("<prelude>"), fileName};
    if (source.size() > kLargestSource) {
      *errors_ = FormatDiagnostic(
          module->fileNames,
          {{1, 1, 1}, QStringLiteral("script too large (over %1 bytes)").arg(kLargestSource)});
      return false;
    }
    Diagnostics diagnostics;
    try {
      Parse(Tokenize(prelude_.join(u'\n').toUtf8(), 0, diagnostics), module->program, diagnostics);
      Parse(Tokenize(source, 1, diagnostics), module->program, diagnostics);
      if (diagnostics.Empty()) {
        Check(module->program, diagnostics);
      }
    } catch (const CompileAbort&) {
    }
    if (!diagnostics.Empty()) {
      *errors_ = FormatAll(module->fileNames, diagnostics.All());
      return false;
    }

    module->machine = std::make_unique<Machine>(module->program, BindNatives(module->program));
    module->machine->SetLimits(limits_);
    try {
      module->machine->Initialise();
    } catch (const RunError& error) {
      *errors_ = FormatDiagnostic(module->fileNames, {error.pos, error.message});
      return false;
    }
    module_ = std::move(module);
    return true;
  }

  std::vector<TZScriptHostFunction> BindNatives(const Program& program) const {
    std::vector<TZScriptHostFunction> natives(program.functions.size());
    for (size_t i = 0; i < program.functions.size(); ++i) {
      if (program.functions[i].native) {
        natives[i] = hosts_.value(program.functions[i].name);
      }
    }
    return natives;
  }

  Function FindFunction(const QString& name) const {
    if (!module_) {
      return {};
    }
    const QByteArray wanted = name.toUtf8();
    const std::vector<zscript::Function>& functions = module_->program.functions;
    for (size_t i = 0; i < functions.size(); ++i) {
      const zscript::Function& function = functions[i];
      if (function.name == wanted && function.body && function.params.empty()) {
        return Callable(static_cast<int>(i));
      }
    }
    return {};
  }

  Function Callable(int index) const {
    return [module = module_, errors = errors_, index]() {
      try {
        module->machine->Call(index);
        return true;
      } catch (const RunError& error) {
        *errors = FormatDiagnostic(module->fileNames, {error.pos, error.message});
        return false;
      }
    };
  }

  void Reset() {
    module_.reset();
    hosts_.clear();
    prelude_.clear();
    errors_ = std::make_shared<QString>();
  }

  const QString programFolder_;
  QHash<QByteArray, TZScriptHostFunction> hosts_;
  QStringList prelude_;
  TZScriptLimits limits_;
  std::shared_ptr<Module> module_;
  std::shared_ptr<QString> errors_ = std::make_shared<QString>();
};

// Scripts are compiled in memory: the temporary folder is never needed.
TZScriptCompiler::TZScriptCompiler(QString programFolder, QString /*tempFolder*/)
    : impl_(std::make_unique<Impl>(std::move(programFolder))) {}

TZScriptCompiler::~TZScriptCompiler() = default;

void TZScriptCompiler::AddHostFunction(const QString& name, TZScriptHostFunction function) {
  impl_->hosts_.insert(name.toUtf8(), std::move(function));
}

void TZScriptCompiler::SetPrelude(const QStringList& lines) {
  impl_->prelude_ = lines;
}

void TZScriptCompiler::SetLimits(const TZScriptLimits& limits) {
  impl_->limits_ = limits;
  if (impl_->module_) {
    impl_->module_->machine->SetLimits(limits);
  }
}

bool TZScriptCompiler::CompileFile(const QString& path) {
  return impl_->CompileFile(path);
}

bool TZScriptCompiler::CompileText(const QByteArray& source, const QString& fileName) {
  return impl_->CompileText(source, fileName);
}

QString TZScriptCompiler::ErrorText() const {
  return *impl_->errors_;
}

TZScriptCompiler::Function TZScriptCompiler::FindFunction(const QString& name) {
  return impl_->FindFunction(name);
}

void TZScriptCompiler::Reset() {
  impl_->Reset();
}
