// The example scripts shipped in data/dsgraphs and data/dvdgraphs compile with the prelude, say
// what they serve, and build a graph only from filters they added or the three fixed ones.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>

#include "components/script/zscript.h"
#include "components/script/zscriptprelude.h"
#include "scripttest.h"

namespace {

// Fake host functions: the graph they "build" is the filters added, each with one input pin
// and, for the demuxer, the pads a file with one video and one audio stream would give.
class FakeGraph {
 public:
  explicit FakeGraph(TZScriptCompiler& compiler) {
    compiler.SetPrelude(FilterGraphPrelude());
    const auto text = [](const TZScriptValue& v) { return QString::fromLatin1(v.text); };
    compiler.AddHostFunction("SetTypeName", [=, this](const std::vector<TZScriptValue>& a) {
      typeName = text(a.at(0));
      return TZScriptValue();
    });
    compiler.AddHostFunction("AddFileType", [=, this](const std::vector<TZScriptValue>& a) {
      fileTypes << text(a.at(0));
      return TZScriptValue();
    });
    compiler.AddHostFunction("AddFileName", [=, this](const std::vector<TZScriptValue>& a) {
      fileNames << text(a.at(0));
      return TZScriptValue();
    });
    compiler.AddHostFunction("AddFilter", [=, this](const std::vector<TZScriptValue>& a) {
      filters << text(a.at(0));
      return TZScriptValue();
    });
    compiler.AddHostFunction("Export", [=, this](const std::vector<TZScriptValue>& a) {
      exports << text(a.at(0)) + "=" + text(a.at(1));
      return TZScriptValue();
    });
    compiler.AddHostFunction("ConnectPins", [=, this](const std::vector<TZScriptValue>& a) {
      connected << text(a.at(0)) + " > " + text(a.at(2));
      return TZScriptValue();
    });
    compiler.AddHostFunction("ConnectPinsAuto", [=, this](const std::vector<TZScriptValue>& a) {
      connected << text(a.at(0)) + " > " + text(a.at(1));
      return TZScriptValue();
    });
    compiler.AddHostFunction("GetFilters",
                             [](const std::vector<TZScriptValue>&) { return TZScriptValue(); });
    compiler.AddHostFunction("GetFilterCount", [this](const std::vector<TZScriptValue>&) {
      return TZScriptValue::Int(filters.size());
    });
    compiler.AddHostFunction("GetFilter", [this](const std::vector<TZScriptValue>& a) {
      TZScriptValue filter;
      filter.kind = TZScriptValue::Kind::Struct;
      const qint64 i = a.at(0).number;
      const bool valid = i >= 0 && i < filters.size();
      filter.fields = {
          {"name", TZScriptValue::String(valid ? filters[i].toLatin1() : QByteArray())},
          {"guid", TZScriptValue::String(valid ? "{00000000-0000-0000-0000-000000000000}" : "")},
          {"numpins", TZScriptValue::Int(valid ? PinsOf(i).size() : 0)}};
      return filter;
    });
    compiler.AddHostFunction("GetPin", [this](const std::vector<TZScriptValue>& a) {
      TZScriptValue pin;
      pin.kind = TZScriptValue::Kind::Struct;
      const qint64 i = a.at(0).number;
      const qint64 p = a.at(1).number;
      const QStringList pins = i >= 0 && i < filters.size() ? PinsOf(i) : QStringList();
      const bool valid = p >= 0 && p < pins.size();
      pin.fields = {{"name", TZScriptValue::String(valid ? pins[p].toLatin1() : QByteArray())},
                    {"dir", TZScriptValue::Int(valid && p > 0 ? 1 : 0)}};
      return pin;
    });
    compiler.AddHostFunction("strcomp", [](const std::vector<TZScriptValue>& a) {
      return TZScriptValue::Int(a.at(0).text.compare(a.at(1).text));
    });
  }

  // Pin 0 is the input; a demuxer has two output pads.
  QStringList PinsOf(qint64 filter) const {
    if (filters[filter].contains("demuxer")) {
      return {"sink", "video_0", "audio_0"};
    }
    return {"sink", "src"};
  }

  QString typeName;
  QStringList fileTypes, fileNames, filters, exports, connected;
};

QStringList ExampleScripts() {
  QStringList paths;
  for (const char* folder : {"data/dsgraphs", "data/dvdgraphs"}) {
    const QDir dir(QStringLiteral(ZEPHONIC_SOURCE_DIR "/") + folder);
    for (const QString& name : dir.entryList({"*.zgraph"}, QDir::Files)) {
      paths << dir.filePath(name);
    }
  }
  return paths;
}

TEST(ScriptExamples, EachCompilesNamesItsFilesAndBuildsAConsistentGraph) {
  const QStringList scripts = ExampleScripts();
  ASSERT_GE(scripts.size(), 3);
  const QSet<QString> fixed = {"[Audio Renderer]", "[Video Renderer]", "[DSP Filter]"};
  for (const QString& path : scripts) {
    SCOPED_TRACE(path.toStdString());
    TZScriptCompiler compiler(ZEPHONIC_SOURCE_DIR, ScriptTempFolder());
    FakeGraph graph(compiler);
    ASSERT_TRUE(compiler.CompileFile(path)) << compiler.ErrorText().toStdString();
    for (const char* name : {"Filetypes", "Filter", "Connect"}) {
      const auto function = compiler.FindFunction(name);
      ASSERT_TRUE(function) << name;
      ASSERT_TRUE(function()) << compiler.ErrorText().toStdString();
    }
    EXPECT_FALSE(graph.typeName.isEmpty());
    EXPECT_FALSE(graph.fileTypes.isEmpty());
    for (const QString& type : graph.fileTypes) {
      EXPECT_TRUE(type.startsWith(u'.')) << type.toStdString();
    }

    ASSERT_EQ(graph.exports.size(), 1);
    const QString exported = graph.exports.first().section(u'=', 1);
    EXPECT_TRUE(graph.filters.contains(exported)) << exported.toStdString();
    EXPECT_FALSE(graph.connected.isEmpty());
    for (const QString& link : graph.connected) {
      for (const QString& end : link.split(" > ")) {
        EXPECT_TRUE(graph.filters.contains(end) || fixed.contains(end)) << link.toStdString();
      }
    }
    // Sound reaches the speakers through the player's own DSP filter. A disc's renderer holds
    // that chain itself: it takes the navigator's picture, subpictures and sound.
    if (path.contains(QStringLiteral("/dvdgraphs/"))) {
      EXPECT_EQ(graph.connected.count(exported + " > [Video Renderer]"), 3);
    } else {
      EXPECT_TRUE(graph.connected.contains("[DSP Filter] > [Audio Renderer]"));
    }
  }
}

TEST(ScriptExamples, TheMatroskaScriptConnectsOnlyTheStreamsTheFileHas) {
  TZScriptCompiler compiler(ZEPHONIC_SOURCE_DIR, ScriptTempFolder());
  FakeGraph graph(compiler);
  ASSERT_TRUE(compiler.CompileFile("data/dsgraphs/Matroska.zgraph"))
      << compiler.ErrorText().toStdString();
  ASSERT_TRUE(compiler.FindFunction("Filetypes")());
  EXPECT_EQ(graph.typeName, "Matroska");
  EXPECT_EQ(graph.fileTypes, (QStringList{".mkv", ".mka", ".webm"}));
  ASSERT_TRUE(compiler.FindFunction("Filter")());
  EXPECT_EQ(graph.exports, QStringList{"[FileSource]=File Source"});
  ASSERT_TRUE(compiler.FindFunction("Connect")());
  EXPECT_EQ(graph.connected,
            (QStringList{"File Source > Matroska demuxer", "Matroska demuxer > [Video Renderer]",
                         "Matroska demuxer > [DSP Filter]", "[DSP Filter] > [Audio Renderer]"}));

  // Without the demuxer in the graph nothing past the source is connected.
  graph.connected.clear();
  graph.filters = {"File Source"};
  ASSERT_TRUE(compiler.FindFunction("Connect")());
  EXPECT_EQ(graph.connected, QStringList{"File Source > Matroska demuxer"});
}

}  // namespace
