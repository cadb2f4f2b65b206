// Starts an X server of the test's own and runs the X11 probes of the video window on it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "xvfb.h"

namespace {

TEST(VideoWindowX11, ProbesPassOnAnXServer) {
  XvfbServer server;
  ASSERT_FALSE(server.DisplayName().isEmpty()) << "Xvfb did not start";
  QProcess probe;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), server.DisplayName());
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  probe.setProcessEnvironment(environment);
  probe.setProcessChannelMode(QProcess::MergedChannels);
  probe.start(QStringLiteral(VIDEOWIN_X11_PROBE), {});
  ASSERT_TRUE(probe.waitForFinished(240000));
  const QString output = QString::fromLocal8Bit(probe.readAll());
  EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(probe.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ]"))) << output.toStdString();
}

}  // namespace
