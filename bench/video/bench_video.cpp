// Video playback of our graph engine beside mpv and GStreamer's own player, measured in the same
// run under a private Xvfb (no GPU), on media ffmpeg makes in a temp folder: 10 s of 1080p and
// of 720p H.264 with AAC sound.
//  1. Each file played to its end: CPU seconds (user + system, taken from the kernel for the
//     whole child process) per second of video, ours against "mpv --vo=x11 --no-config" (and
//     "--vo=xv" when the server has an XVideo adaptor), with the frames each side dropped. Ours
//     dropped what the stream holds (ffprobe's count) minus what the picture control painted;
//     beside it, as parts of that figure, the frames GStreamer's elements reported dropping for
//     QoS and the frames the sink handed over that the picture control never painted. mpv's are its
//     own two counters: frames the output dropped and frames the decoder skipped. A third side
//     is GStreamer's X11 overlay sink (ximagesink under gst-play-1.0), CPU only.
//  2. Time from the start of the process to the first picture on screen, median of 5 runs: ours
//     against gst-play-1.0 with ximagesink on the same file. Both are timed by this program from
//     fork() to the first output of the child that says the picture goes to the X server:
//     "first-frame" from our driver after its first paint, and ximagesink's own debug line
//     "XShmPutImage" (GST_DEBUG=ximagesink:LOG), written just before it puts the first picture.
// The sound goes nowhere on both sides the same way: GStreamer's autoaudiosink (which falls back
// to a fake sink without a sound server) for ours and gst-play-1.0, "--ao=null" for mpv.
// A run that fails ends the program with an error instead of printing a figure.
// Usage: bench_video [runs for the first picture, default 5]

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + " failed");
}

struct ChildRun {
  double cpuSeconds = 0;
  double markSeconds = -1;  // from fork() to the first output holding the marker; -1 never
  std::string output;       // stdout and stderr together
};

// Runs `args` to its end with its output in a pipe; fails the benchmark when it does not exit 0.
ChildRun RunChild(const std::vector<std::string>& args, const std::string& marker = {}) {
  int fds[2];
  if (pipe(fds) != 0) {
    Fail("pipe");
  }
  std::fflush(stdout);
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    dup2(fds[1], STDERR_FILENO);
    close(fds[0]);
    close(fds[1]);
    std::vector<char*> argv;
    for (const auto& arg : args) {
      argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  ChildRun run;
  char buffer[4096];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof(buffer))) > 0;) {
    run.output.append(buffer, static_cast<size_t>(got));
    if (!marker.empty() && run.markSeconds < 0 && run.output.find(marker) != std::string::npos) {
      run.markSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
  }
  close(fds[0]);
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s\n", run.output.c_str());
    Fail(args[0]);
  }
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return run;
}

// The number after `key` at its last place in `text` (status lines repeat); fails when absent.
double LastNumberAfter(const std::string& text, const std::string& key) {
  const size_t at = text.rfind(key);
  if (at == std::string::npos) {
    Fail("finding \"" + key + "\"");
  }
  return std::atof(text.c_str() + at + key.size());
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A private X server on the first free display; stopped (only this one) when destroyed.
class XServer {
 public:
  XServer() {
    for (display_ = 90; display_ < 200 && Taken(display_); ++display_) {
    }
    pid_ = fork();
    if (pid_ == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      const std::string name = ":" + std::to_string(display_);
      execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1920x1200x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display_);
    for (int i = 0; i < 100 && !fs::exists(socket); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (pid_ < 0 || !fs::exists(socket)) {
      Fail("starting Xvfb");
    }
  }
  ~XServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  std::string Name() const { return ":" + std::to_string(display_); }

 private:
  static bool Taken(int display) {
    const std::string n = std::to_string(display);
    return fs::exists("/tmp/.X11-unix/X" + n) || fs::exists("/tmp/.X" + n + "-lock");
  }
  int display_ = 90;
  pid_t pid_ = -1;
};

// A temp folder removed with everything in it when destroyed.
class TempFolder {
 public:
  TempFolder() {
    std::string name = (fs::temp_directory_path() / "bench_video.XXXXXX").string();
    if (!mkdtemp(name.data())) {
      Fail("mkdtemp");
    }
    path_ = name;
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

struct Media {
  std::string label;
  std::string path;
  double seconds = 0;
  long frames = 0;
};

// 10 s of moving test picture and a tone; the stream's own length and frame count from ffprobe.
Media MakeMedia(const fs::path& folder, const std::string& label, const std::string& size) {
  Media media{label, (folder / (label + ".mp4")).string()};
  RunChild({"ffmpeg",
            "-v",
            "error",
            "-nostdin",
            "-y",
            "-f",
            "lavfi",
            "-i",
            "testsrc2=size=" + size + ":rate=25:duration=10",
            "-f",
            "lavfi",
            "-i",
            "sine=f=440:d=10",
            "-c:v",
            "libx264",
            "-preset",
            "veryfast",
            "-pix_fmt",
            "yuv420p",
            "-c:a",
            "aac",
            "-shortest",
            media.path});
  const ChildRun probe = RunChild(
      {"ffprobe", "-v", "error", "-select_streams", "v:0", "-count_packets", "-show_entries",
       "stream=nb_read_packets:format=duration", "-of", "default=noprint_wrappers=1", media.path});
  media.frames = static_cast<long>(LastNumberAfter(probe.output, "nb_read_packets="));
  media.seconds = LastNumberAfter(probe.output, "duration=");
  if (media.frames <= 0 || media.seconds <= 0) {
    Fail("probing " + label);
  }
  return media;
}

struct Playback {
  double cpuPerSecond = 0;
  long dropped = 0;
  // Ours only, both part of `dropped`: frames GStreamer's elements reported dropping for QoS,
  // and frames the sink handed over that the picture control never painted.
  long qosDropped = 0;
  long handOverDropped = 0;
};

Playback PlayOurs(const Media& media) {
  const ChildRun run = RunChild({BENCH_VIDEO_DRIVER, media.path});
  const long handed = static_cast<long>(LastNumberAfter(run.output, "frames "));
  const long presented = static_cast<long>(LastNumberAfter(run.output, "presented "));
  return {run.cpuSeconds / media.seconds, media.frames - presented,
          static_cast<long>(LastNumberAfter(run.output, "qos-dropped ")), handed - presented};
}

// mpv's own counters at the end of the run: frames the output dropped and frames the decoder
// skipped to keep up.
Playback PlayMpv(const Media& media, const std::string& vo) {
  const ChildRun run =
      RunChild({"mpv", "--no-config", "--vo=" + vo, "--ao=null",
                "--term-status-msg=drops=${frame-drop-count} decoder=${decoder-frame-drop-count}",
                media.path});
  const long dropped = static_cast<long>(LastNumberAfter(run.output, "drops=") +
                                         LastNumberAfter(run.output, "decoder="));
  return {run.cpuSeconds / media.seconds, dropped};
}

// GStreamer's own X11 sink, the one a window handle would go to through GstVideoOverlay: it
// converts and puts every picture itself, the same work in its own window as in ours. Played by
// gst-play-1.0 through the same decoders as ours.
double PlayOverlaySink(const Media& media) {
  const ChildRun run = RunChild({"gst-play-1.0", "--no-interactive", "--videosink=ximagesink",
                                 "--audiosink=autoaudiosink", media.path});
  return run.cpuSeconds / media.seconds;
}

void ComparePlayback(const Media& media, bool xvideo) {
  const Playback ours = PlayOurs(media);
  std::printf(
      "%-6s ours (Qt window, x11)   %6.3f CPU s per s of video, %ld of %ld frames dropped (%ld "
      "by GStreamer QoS, %ld in the hand-over to the window)\n",
      media.label.c_str(), ours.cpuPerSecond, ours.dropped, media.frames, ours.qosDropped,
      ours.handOverDropped);
  std::vector<std::string> outputs{"x11"};
  if (xvideo) {
    outputs.push_back("xv");
  }
  for (const std::string& vo : outputs) {
    const Playback mpv = PlayMpv(media, vo);
    std::printf(
        "%-6s mpv --vo=%-3s            %6.3f CPU s per s of video, %ld frames dropped"
        "   ours/mpv %.2f\n",
        media.label.c_str(), vo.c_str(), mpv.cpuPerSecond, mpv.dropped,
        ours.cpuPerSecond / mpv.cpuPerSecond);
  }
  const double overlay = PlayOverlaySink(media);
  std::printf("%-6s ximagesink (overlay)    %6.3f CPU s per s of video   ours/overlay %.2f\n",
              media.label.c_str(), overlay, ours.cpuPerSecond / overlay);
}

void CompareFirstPicture(const Media& media, int runs) {
  std::vector<double> ours, openToFirst, player;
  for (int i = 0; i < runs; ++i) {
    const ChildRun run = RunChild({BENCH_VIDEO_DRIVER, media.path}, "first-frame");
    ours.push_back(run.markSeconds * 1000);
    openToFirst.push_back(LastNumberAfter(run.output, "open-to-first-frame-ms "));
    const ChildRun base = RunChild(
        {"env", "GST_DEBUG=ximagesink:LOG", "GST_DEBUG_NO_COLOR=1", "gst-play-1.0",
         "--no-interactive", "--videosink=ximagesink", "--audiosink=autoaudiosink", media.path},
        "XShmPutImage");
    player.push_back(base.markSeconds * 1000);
    if (run.markSeconds < 0 || base.markSeconds < 0) {
      Fail("seeing the first picture");
    }
  }
  std::printf(
      "%-6s first picture, median of %d: ours %.0f ms (Open to first frame %.0f ms), "
      "gst-play-1.0 %.0f ms   ours/gst-play %.2f\n",
      media.label.c_str(), runs, Median(ours), Median(openToFirst), Median(player),
      Median(ours) / Median(player));
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  try {
    XServer server;
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Xvfb has the XVideo extension but usually no adaptor behind it; mpv's xv output needs one.
    const bool xvideo = RunChild({"xvinfo"}).output.find("Adaptor #") != std::string::npos;
    TempFolder folder;
    const std::vector<Media> media{MakeMedia(folder.Path(), "1080p", "1920x1080"),
                                   MakeMedia(folder.Path(), "720p", "1280x720")};
    std::printf("Xvfb %s, no GPU, XVideo adaptor %s\n", server.Name().c_str(),
                xvideo ? "present" : "absent: mpv --vo=xv not run");
    for (const Media& m : media) {
      ComparePlayback(m, xvideo);
    }
    for (const Media& m : media) {
      CompareFirstPicture(m, runs);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_video: %s\n", error.what());
    return 1;
  }
  return 0;
}
