#include "dvdmedia.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "testsupport.h"

namespace {

const QStringList kDvdVideo{QStringLiteral("-target"), QStringLiteral("ntsc-dvd"),
                            QStringLiteral("-aspect"), QStringLiteral("4:3"),
                            QStringLiteral("-acodec"), QStringLiteral("ac3"),
                            QStringLiteral("-b:a"),    QStringLiteral("192k")};

bool Run(const QString& program, const QStringList& args, QString* error) {
  QString output;
  if (RunProgram(program, args, &output) == 0) {
    return true;
  }
  *error = program + QStringLiteral(" failed: ") + output.right(2000);
  return false;
}

// ffmpeg with lavfi inputs: `inputs` are the filter texts, the rest DVD-Video encoding.
bool Encode(const QStringList& inputs, double seconds, const QString& out, QString* error) {
  QStringList args{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")};
  QStringList maps;
  for (int i = 0; i < inputs.size(); ++i) {
    args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i") << inputs[i];
    maps << QStringLiteral("-map") << QString::number(i);
  }
  args << maps << QStringLiteral("-t") << QString::number(seconds) << kDvdVideo << out;
  return Run(QStringLiteral("ffmpeg"), args, error);
}

bool Picture(const QString& filter, const QString& out, QString* error) {
  return Run(QStringLiteral("ffmpeg"),
             {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
              QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
              QStringLiteral("color=c=black@0.0:s=720x480,format=rgba") + filter,
              QStringLiteral("-frames:v"), QStringLiteral("1"), out},
             error);
}

bool Write(const QString& path, const QByteArray& text, QString* error) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size()) {
    return true;
  }
  *error = QStringLiteral("cannot write ") + path;
  return false;
}

// spumux reads the stream on standard input and writes the muxed one on standard output.
bool Spumux(const QString& folder, const QString& xml, const QString& in, const QString& out,
            QString* error) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.setStandardInputFile(in);
  process.setStandardOutputFile(out);
  process.start(QStringLiteral("spumux"), {QStringLiteral("-m"), QStringLiteral("dvd"), xml});
  if (process.waitForFinished(60000) && process.exitCode() == 0) {
    return true;
  }
  *error = QStringLiteral("spumux failed: ") + QString::fromUtf8(process.readAllStandardError());
  return false;
}

const char kMenuButtons[] = R"(<subpictures><stream>
<spu start="00:00:00.00" force="yes" image="none.png" highlight="frame.png" select="frame.png">
<button name="b1" x0="96" y0="96" x1="304" y1="184" right="b2" down="b2"/>
<button name="b2" x0="396" y0="96" x1="604" y1="184" left="b1" up="b1"/>
</spu></stream></subpictures>
)";

// One subtitle a second, so that a choice made while the title plays shows within a second.
QByteArray Subtitles() {
  QByteArray xml = "<subpictures><stream>\n";
  for (int second = 0; second < 9; ++second) {
    xml += QStringLiteral(
               "<spu start=\"00:00:0%1.10\" end=\"00:00:0%1.90\" image=\"subtitle.png\"/>\n")
               .arg(second)
               .toLatin1();
  }
  return xml + "</stream></subpictures>\n";
}

const char kAuthoring[] = R"(<dvdauthor dest="disc">
 <vmgm><menus><pgc entry="title">
  <button name="b1">jump title 1;</button>
  <button name="b2">jump title 2;</button>
  <vob file="menu_spu.mpg" pause="inf"/>
 </pgc></menus></vmgm>
 <titleset><titles>
  <video format="ntsc" aspect="4:3"/>
  <audio lang="en"/><audio lang="de"/>
  <subpicture lang="fr"/>
  <pgc><vob file="title1_spu.mpg" chapters="0,3,6"/><post>call vmgm menu 1;</post></pgc>
  <pgc><vob file="title2.mpg"/><post>call vmgm menu 1;</post></pgc>
 </titles></titleset>
</dvdauthor>
)";

bool Author(const QString& work, QString* error) {
  const auto at = [&work](const char* name) { return work + QLatin1String(name); };
  return Encode({QStringLiteral("color=c=navy:s=720x480:r=30000/1001:d=2,"
                                "drawbox=x=100:y=100:w=200:h=80:c=yellow:t=fill,"
                                "drawbox=x=400:y=100:w=200:h=80:c=green:t=fill"),
                 QStringLiteral("anullsrc=r=48000:cl=stereo")},
                2, at("menu.mpg"), error) &&
         Picture(QString(), at("none.png"), error) &&
         Picture(QStringLiteral(",drawbox=x=96:y=96:w=208:h=88:c=white:t=4,"
                                "drawbox=x=396:y=96:w=208:h=88:c=white:t=4"),
                 at("frame.png"), error) &&
         Write(at("menu.xml"), kMenuButtons, error) &&
         Spumux(work, QStringLiteral("menu.xml"), at("menu.mpg"), at("menu_spu.mpg"), error) &&
         Encode(
             {QStringLiteral("testsrc=s=720x480:r=30000/1001:d=9"),
              QStringLiteral("sine=f=440:r=48000:d=9"), QStringLiteral("sine=f=880:r=48000:d=9")},
             9, at("title1.mpg"), error) &&
         Picture(QStringLiteral(",drawbox=x=200:y=380:w=320:h=40:c=white:t=fill"),
                 at("subtitle.png"), error) &&
         Write(at("subtitle.xml"), Subtitles(), error) &&
         Spumux(work, QStringLiteral("subtitle.xml"), at("title1.mpg"), at("title1_spu.mpg"),
                error) &&
         Encode(
             {QStringLiteral("smptebars=s=720x480:r=30000/1001:d=2"),
              QStringLiteral("sine=f=330:r=48000:d=2"), QStringLiteral("sine=f=660:r=48000:d=2")},
             2, at("title2.mpg"), error) &&
         Write(at("disc.xml"), kAuthoring, error);
}

}  // namespace

bool MakeTestDvd(const QString& folder, TestDvd* dvd, QString* error) {
  const QString work = QDir(folder).absolutePath() + '/';
  QDir().mkpath(work);
  if (!Author(work, error)) {
    return false;
  }
  QProcess authoring;
  authoring.setWorkingDirectory(work);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("VIDEO_FORMAT"), QStringLiteral("NTSC"));
  authoring.setProcessEnvironment(environment);
  authoring.start(QStringLiteral("dvdauthor"), {QStringLiteral("-x"), QStringLiteral("disc.xml")});
  if (!authoring.waitForFinished(120000) || authoring.exitCode() != 0) {
    *error = QStringLiteral("dvdauthor failed: ") +
             QString::fromUtf8(authoring.readAllStandardError()).right(2000);
    return false;
  }
  dvd->Folder = work + QStringLiteral("disc");
  dvd->Ifo = dvd->Folder + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO");
  return QFile::exists(dvd->Ifo);
}

bool MakeTestDvdImage(TestDvd* dvd, QString* error) {
  const QString image = dvd->Folder + QStringLiteral(".iso");
  if (!Run(QStringLiteral("genisoimage"),
           {QStringLiteral("-quiet"), QStringLiteral("-dvd-video"), QStringLiteral("-V"),
            QStringLiteral("TESTDVD"), QStringLiteral("-o"), image, dvd->Folder},
           error)) {
    return false;
  }
  dvd->Image = image;
  return true;
}
