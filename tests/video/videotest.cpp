#include "videotest.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include "base/programpath.h"
#include "components/graph/zgraphnative.h"

FileServer::FileServer(QByteArray body) : body_(std::move(body)) {
  listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(listenFd_, 8) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ADD_FAILURE() << "no listening socket";
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

FileServer::~FileServer() {
  stopping_ = true;
  shutdown(listenFd_, SHUT_RDWR);
  close(listenFd_);
  if (thread_.joinable()) {
    thread_.join();
  }
}

void FileServer::Serve() {
  while (!stopping_) {
    const int client = accept(listenFd_, nullptr, nullptr);
    if (client < 0) {
      return;
    }
    char request[4096];
    // The request itself does not matter: every path gets the whole body.
    if (recv(client, request, sizeof(request), 0) > 0) {
      const QByteArray head =
          "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n"
          "Content-Length: " +
          QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n";
      const QByteArray reply = head + body_;
      for (qsizetype sent = 0; sent < reply.size();) {
        const ssize_t n = send(client, reply.constData() + sent, reply.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
          break;
        }
        sent += n;
      }
    }
    close(client);
  }
}

void VideoTest::SetUp() {
  PlayerTest::SetUp();
  SetProgramPath(scratch_.path());
  engine_ = std::make_unique<TZGraphVideoEngine>(config_, playlist_, view_, windows_);
  engine_->Scripts().SetSettleTime(0);
  player_->SetVideoEngine(engine_.get());
}

void VideoTest::TearDown() {
  player_->Stop();
  player_->SetVideoEngine(nullptr);
  engine_.reset();
  PlayerTest::TearDown();
}

bool VideoTest::PlayUntil(const std::function<bool()>& done, int limitMs) {
  return WaitFor(
      [&] {
        QCoreApplication::processEvents();
        Run(kStepMs);
        QThread::msleep(kStepMs);
        return done();
      },
      limitMs);
}

bool VideoTest::Playing(int index) const {
  return player_->State().ItemLoaded && player_->State().CurrentEntry == playlist_.Get(index);
}

// A test picture and a 440 Hz tone of `seconds` as ffmpeg's first two inputs.
QStringList TestInputs(double seconds) {
  const QString d = QString::number(seconds);
  return {"-v",
          "error",
          "-y",
          "-f",
          "lavfi",
          "-i",
          "testsrc=size=160x120:rate=25:duration=" + d,
          "-f",
          "lavfi",
          "-i",
          "sine=f=440:d=" + d};
}

QString VideoTest::MakeMatroska(const QString& name, double seconds) {
  const QString srt = scratch_.file(name + ".in.srt");
  WriteBytes(srt, "1\n00:00:00,000 --> 00:00:05,000\nHello\n\n");
  const QString path = scratch_.file(name);
  EXPECT_EQ(RunProgram("ffmpeg",
                       TestInputs(seconds) + QStringList{"-f",
                                                         "lavfi",
                                                         "-i",
                                                         "sine=f=880:d=" + QString::number(seconds),
                                                         "-i",
                                                         srt,
                                                         "-map",
                                                         "0",
                                                         "-map",
                                                         "1",
                                                         "-map",
                                                         "2",
                                                         "-map",
                                                         "3",
                                                         "-c:v",
                                                         "libx264",
                                                         "-preset",
                                                         "ultrafast",
                                                         "-c:a",
                                                         "libvorbis",
                                                         "-c:s",
                                                         "srt",
                                                         "-metadata:s:a:0",
                                                         "language=eng",
                                                         "-metadata:s:a:0",
                                                         "title=Director",
                                                         "-metadata:s:a:1",
                                                         "language=ger",
                                                         "-metadata:s:s:0",
                                                         "language=eng",
                                                         path}),
            0);
  return path;
}

QString VideoTest::MakeSilentMatroska(const QString& name, double seconds) {
  const QString path = scratch_.file(name);
  EXPECT_EQ(
      RunProgram("ffmpeg", TestInputs(seconds) + QStringList{"-map", "0", "-an", "-c:v", "libx264",
                                                             "-preset", "ultrafast", path}),
      0);
  return path;
}

QString VideoTest::MakeOgg(const QString& name, double seconds) {
  const QString path = scratch_.file(name);
  EXPECT_EQ(RunProgram("ffmpeg",
                       TestInputs(seconds) + QStringList{"-c:v", "libtheora", "-c:a", "libvorbis",
                                                         "-metadata:s:a:0", "title=Ton: Deutsch",
                                                         "-f", "ogg", path}),
            0);
  return path;
}

QString VideoTest::MakeVideoCd(const QString& folder, double seconds) {
  EXPECT_TRUE(QDir().mkpath(scratch_.file(folder + "/MPEGAV")));
  const QString path = scratch_.file(folder + "/MPEGAV/AVSEQ01.DAT");
  EXPECT_EQ(RunProgram("ffmpeg", TestInputs(seconds) + QStringList{"-target", "pal-vcd", path}), 0);
  return path;
}

QString VideoTest::MakeAiff(const QString& name, double seconds) {
  const QString path = scratch_.file(name);
  EXPECT_EQ(RunProgram("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", path, "synth",
                               QString::number(seconds), "sine", "440", "vol", "0.5"}),
            0);
  return path;
}

void VideoTest::Add(const QString& path) {
  playlist_.Add(QFileInfo(path).fileName(), path, false, "00", "00:00:00");
}

GstElement* VideoTest::FindElement(const char* factory) const {
  GstElement* found = nullptr;
  GstIterator* it = gst_bin_iterate_recurse(GST_BIN(ZNativePipeline(engine_->Graph())));
  GValue item = G_VALUE_INIT;
  while (!found && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    auto* element = GST_ELEMENT(g_value_get_object(&item));
    GstElementFactory* f = gst_element_get_factory(element);
    if (f && g_strcmp0(GST_OBJECT_NAME(f), factory) == 0) {
      found = element;
    }
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  return found;
}
