// Figures of the sound library beside baselines measured in the same run:
//  - decode speed of MP3, OGG and AAC against "ffmpeg -f null -" on the same file;
//  - the share of one core used by a whole process that plays one file in real time, ours on the
//    SDL output against "mpv --ao=null", both counted from start-up to exit; beside it, ours
//    with two channels, ten equalizer bands each and FFT data read every 45 ms (no baseline).
// A run that fails ends the program with an error instead of printing a figure.
// Usage: bench_sound [seconds of playback, default 10]

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "../support/childprocess.h"
#include "components/sound/decoder.h"
#include "components/sound/zsound.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Runs a program quietly; returns false when it fails.
bool Run(const std::vector<std::string>& args) {
  return ChildCpuSeconds(args, true) >= 0;
}

// Decodes the whole file; the time, or -1 when the file did not decode completely.
// Like ffmpeg's rtime, the time of the decoding loop after the file was opened.
double DecodeSeconds(const std::string& path, double expectedSeconds) {
  ZSoundError error = ZSoundError::Ok;
  auto source = OpenFileDecoder(path, &error);
  if (!source) {
    return -1;
  }
  const auto start = Clock::now();
  std::vector<int16_t> buffer(8192 * 2);
  int64_t frames = 0;
  for (int read; (read = source->Read(buffer.data(), 8192)) > 0;) {
    frames += read;
  }
  const double elapsed = Seconds(Clock::now() - start);
  return std::abs(static_cast<double>(frames) / source->Rate() - expectedSeconds) < 0.5 ? elapsed
                                                                                        : -1;
}

// ffmpeg's own timing of its decoding loop ("-benchmark" prints rtime), so that the start-up of
// the process is not counted against it.
double FfmpegSeconds(const std::string& path) {
  const std::string command =
      "ffmpeg -hide_banner -nostdin -benchmark -i '" + path + "' -f null - 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    return -1;
  }
  std::string output;
  char buffer[4096];
  while (size_t got = std::fread(buffer, 1, sizeof(buffer), pipe)) {
    output.append(buffer, got);
  }
  pclose(pipe);
  const size_t at = output.find("rtime=");
  return at == std::string::npos ? -1 : std::atof(output.c_str() + at + 6);
}

// A measurement that failed: the figures would mean nothing, so the run ends here.
[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + " failed");
}

// Best of three, to keep other load on the machine out of the figure.
template <typename F>
double Best(const std::string& what, F measure) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const double value = measure();
    if (value < 0) {
      Fail(what);
    }
    best = std::min(best, value);
  }
  return best;
}

// What a playback process does: one plain channel, or two with equalizers and FFT reads.
enum class Playback { Plain, Effects };

// The child's work: plays the file on the SDL output for `seconds`; false on failure.
bool PlayFor(const std::string& path, int seconds, Playback kind) {
  if (!ZSoundInit(1, 44100, 0)) {
    return false;
  }
  std::vector<ZSoundHandle> channels;
  for (int c = 0; c < (kind == Playback::Plain ? 1 : 2); ++c) {
    const ZSoundHandle handle = ZSoundOpenFile(path, 0);
    if (handle == 0) {
      return false;
    }
    if (kind == Playback::Effects) {
      const float centres[] = {60, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
      for (float centre : centres) {
        ZSoundSetEq(ZSoundAddEq(handle), {centre, 18.0f, c == 0 ? 6.0f : -6.0f});
      }
    }
    if (!ZSoundPlay(handle, false)) {
      return false;
    }
    channels.push_back(handle);
  }
  const auto start = Clock::now();
  std::vector<float> fft;
  while (Clock::now() - start < std::chrono::seconds(seconds)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(45));
    if (kind == Playback::Effects) {
      ZSoundGetFft(channels[0], &fft);
    }
  }
  const bool stillPlaying = ZSoundIsActive(channels[0]) == ZSoundActivity::Playing;
  ZSoundFree();
  return stillPlaying;
}

// The share of one core a whole process used from its start to its exit.
double ProcessCpuShare(const std::string& what, const std::vector<std::string>& args) {
  const auto start = Clock::now();
  const double cpu = ChildCpuSeconds(args, true);
  if (cpu < 0) {
    Fail(what);
  }
  return cpu / Seconds(Clock::now() - start);
}

// Makes the test files in `folder` and prints every figure.
void Measure(const std::filesystem::path& folder, int seconds) {
  struct Format {
    const char* name;
    std::vector<std::string> encoder;
  };
  const std::vector<Format> formats = {{"music.mp3", {"-c:a", "libmp3lame", "-b:a", "192k"}},
                                       {"music.ogg", {"-c:a", "libvorbis", "-q:a", "5"}},
                                       {"music.m4a", {"-c:a", "aac", "-b:a", "192k"}}};
  std::printf("decode speed (60 s of stereo, best of 3)\n");
  std::printf("%-8s %10s %10s %8s\n", "format", "ours s", "ffmpeg s", "ratio");
  for (const Format& format : formats) {
    const std::string path = (folder / format.name).string();
    std::vector<std::string> make = {"ffmpeg",
                                     "-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-y",
                                     "-f",
                                     "lavfi",
                                     "-i",
                                     "aevalsrc=0.3*sin(2*PI*440*t)+0.2*sin(2*PI*3000*t)*"
                                     "sin(2*PI*0.5*t)|0.3*sin(2*PI*660*t):s=44100:d=60"};
    make.insert(make.end(), format.encoder.begin(), format.encoder.end());
    make.push_back(path);
    if (!Run(make)) {
      Fail(std::string("making ") + format.name);
    }
    const double ours =
        Best(std::string("decoding ") + format.name, [&] { return DecodeSeconds(path, 60.0); });
    const double baseline =
        Best(std::string("ffmpeg decoding ") + format.name, [&] { return FfmpegSeconds(path); });
    std::printf("%-8s %10.3f %10.3f %7.2fx\n", format.name + 6, ours, baseline, ours / baseline);
  }

  // Both sides are whole processes, start-up included, playing the same file for the same time.
  const std::string music = (folder / "music.mp3").string();
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string length = std::to_string(seconds);
  std::printf("\nreal-time playback for %d s, whole process (share of one core)\n", seconds);
  const double ours = ProcessCpuShare("our playback", {self, "--play", music, length, "plain"});
  const double mpv =
      ProcessCpuShare("mpv playback", {"mpv", "--no-config", "--no-video", "--ao=null",
                                       "--really-quiet", "--length=" + length, music});
  const double effects =
      ProcessCpuShare("our playback with effects", {self, "--play", music, length, "effects"});
  std::printf("ours, 1 channel:                                   %6.2f %%\n", ours * 100);
  std::printf("mpv --no-video --ao=null, 1 channel:               %6.2f %%\n", mpv * 100);
  std::printf("ratio ours / mpv: %.2fx\n", ours / mpv);
  std::printf("ours, 2 channels, 10 EQ bands each, FFT every 45 ms: %6.2f %% (no baseline)\n",
              effects * 100);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (argc == 5 && std::string(argv[1]) == "--play") {
    const Playback kind = std::string(argv[4]) == "effects" ? Playback::Effects : Playback::Plain;
    return PlayFor(argv[2], std::atoi(argv[3]), kind) ? 0 : 1;
  }
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("bench_sound_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  int status = 0;
  try {
    Measure(folder, seconds);
  } catch (const std::runtime_error& failure) {
    std::fprintf(stderr, "bench_sound: %s\n", failure.what());
    status = 1;
  }
  std::filesystem::remove_all(folder);
  return status;
}
