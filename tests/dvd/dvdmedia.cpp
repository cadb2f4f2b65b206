#include "dvdmedia.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>

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

// An opaque white area of the picture as a geq expression: 1 inside [x0, x1] x [y0, y1].
QString Area(int x0, int y0, int x1, int y1) {
  return QStringLiteral("between(X,%1,%2)*between(Y,%3,%4)").arg(x0).arg(x1).arg(y0).arg(y1);
}

// A white outline `thickness` wide around the button's rectangle.
QString Outline(const QRect& button, int thickness) {
  const QRect inner = button.adjusted(thickness, thickness, -thickness, -thickness);
  return Area(button.left(), button.top(), button.right(), button.bottom()) +
         QStringLiteral("*not(") + Area(inner.left(), inner.top(), inner.right(), inner.bottom()) +
         ')';
}

// A subpicture image for spumux: white where `opaque` (a geq expression) is nonzero and fully
// transparent elsewhere. The transparency must be in the alpha channel itself: spumux keeps only
// opaque pixels, so a picture drawn over a transparent canvas with its alpha left at 0 stays
// invisible on the disc.
bool Picture(const QString& opaque, const QString& out, QString* error) {
  const QString alpha =
      opaque.isEmpty() ? QStringLiteral("0") : QStringLiteral("255*gt(%1,0)").arg(opaque);
  return Run(QStringLiteral("ffmpeg"),
             {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
              QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
              QStringLiteral("color=c=white:s=720x480,format=rgba,geq=r=255:g=255:b=255:a='%1'")
                  .arg(alpha),
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

// Title 1's titleset has a menu of each kind a viewer can call while it plays; title 2's
// titleset has none.
const char kAuthoring[] = R"(<dvdauthor dest="disc">
 <vmgm><menus><pgc entry="title">
  <button name="b1">jump title 1;</button>
  <button name="b2">jump title 2;</button>
  <vob file="menu_spu.mpg" pause="inf"/>
 </pgc></menus></vmgm>
 <titleset>
  <menus>
   <video format="ntsc" aspect="4:3"/>
   <pgc entry="root"><vob file="menu_root.mpg" pause="inf"/></pgc>
   <pgc entry="subtitle"><vob file="menu_subtitle.mpg" pause="inf"/></pgc>
   <pgc entry="audio"><vob file="menu_audio.mpg" pause="inf"/></pgc>
   <pgc entry="angle"><vob file="menu_angle.mpg" pause="inf"/></pgc>
   <pgc entry="ptt"><vob file="menu_ptt.mpg" pause="inf"/></pgc>
  </menus>
  <titles>
   <video format="ntsc" aspect="4:3"/>
   <audio lang="en"/><audio lang="de"/>
   <subpicture lang="fr"/>
   <pgc><vob file="title1_spu.mpg" chapters="0,3,6"/><post>call vmgm menu 1;</post></pgc>
  </titles>
 </titleset>
 <titleset><titles>
  <video format="ntsc" aspect="4:3"/>
  <audio lang="en"/><audio lang="de"/>
  <pgc><vob file="title2.mpg"/><post>call vmgm menu 1;</post></pgc>
 </titles></titleset>
</dvdauthor>
)";

// Each of title 1's menus is a still of one plain colour.
bool TitleMenus(const QString& work, QString* error) {
  for (const TestDvd::Menu& menu : TestDvd::kMenus) {
    const QString colour =
        QStringLiteral("0x%1").arg(menu.Colour & 0xffffff, 6, 16, QLatin1Char('0'));
    if (!Encode({QStringLiteral("color=c=%1:s=720x480:r=30000/1001:d=1").arg(colour),
                 QStringLiteral("anullsrc=r=48000:cl=stereo")},
                1, work + QStringLiteral("menu_%1.mpg").arg(QLatin1String(menu.Entry)), error)) {
      return false;
    }
  }
  return true;
}

bool Author(const QString& work, QString* error) {
  const auto at = [&work](const char* name) { return work + QLatin1String(name); };
  return Encode({QStringLiteral("color=c=navy:s=720x480:r=30000/1001:d=2,"
                                "drawbox=x=100:y=100:w=200:h=80:c=yellow:t=fill,"
                                "drawbox=x=400:y=100:w=200:h=80:c=green:t=fill"),
                 QStringLiteral("anullsrc=r=48000:cl=stereo")},
                2, at("menu.mpg"), error) &&
         Picture(QString(), at("none.png"), error) &&
         Picture(Outline(TestDvd::kTitle1Frame, TestDvd::kFrameWidth) + '+' +
                     Outline(TestDvd::kTitle2Frame, TestDvd::kFrameWidth),
                 at("frame.png"), error) &&
         Write(at("menu.xml"), kMenuButtons, error) &&
         Spumux(work, QStringLiteral("menu.xml"), at("menu.mpg"), at("menu_spu.mpg"), error) &&
         Encode(
             {QStringLiteral("testsrc=s=720x480:r=30000/1001:d=9"),
              QStringLiteral("sine=f=440:r=48000:d=9"), QStringLiteral("sine=f=880:r=48000:d=9")},
             9, at("title1.mpg"), error) &&
         Picture(Area(200, 380, 519, 419), at("subtitle.png"), error) &&
         Write(at("subtitle.xml"), Subtitles(), error) &&
         Spumux(work, QStringLiteral("subtitle.xml"), at("title1.mpg"), at("title1_spu.mpg"),
                error) &&
         Encode(
             {QStringLiteral("smptebars=s=720x480:r=30000/1001:d=2"),
              QStringLiteral("sine=f=330:r=48000:d=2"), QStringLiteral("sine=f=660:r=48000:d=2")},
             2, at("title2.mpg"), error) &&
         TitleMenus(work, error) && Write(at("disc.xml"), kAuthoring, error);
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

const TestDvd* SharedTestDvd() {
  static ScratchFolder folder;
  static TestDvd dvd;
  static QString error;
  static const bool made = MakeTestDvd(folder.file(QStringLiteral("media")), &dvd, &error);
  EXPECT_TRUE(made) << error.toStdString();
  return made ? &dvd : nullptr;
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
