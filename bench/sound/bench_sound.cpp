// Figures of the sound library beside baselines measured in the same run:
//  - decode speed of MP3, OGG and AAC against "ffmpeg -f null -" on the same file;
//  - the share of one core used while two channels play in real time on the SDL output with ten
//    equalizer bands each and FFT data read every 45 ms, against "mpv --ao=null" playing the
//    same file for the same time.
// Usage: bench_sound [seconds of playback, default 10]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "components/sound/decoder.h"
#include "components/sound/zsound.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs a program quietly; returns false when it fails.
bool Run(const std::vector<std::string>& args) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
      argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
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

// Best of three, to keep other load on the machine out of the figure.
template <typename F>
double Best(F measure) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    best = std::min(best, measure());
  }
  return best;
}

double PlaybackCpuShare(const std::string& path, int seconds) {
  if (!ZSoundInit(1, 44100, 0)) {
    return -1;
  }
  std::vector<ZSoundHandle> channels;
  for (int c = 0; c < 2; ++c) {
    const ZSoundHandle handle = ZSoundOpenFile(path, 0);
    const float centres[] = {60, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
    for (float centre : centres) {
      ZSoundSetEq(ZSoundAddEq(handle), {centre, 18.0f, c == 0 ? 6.0f : -6.0f});
    }
    ZSoundPlay(handle, false);
    channels.push_back(handle);
  }
  const double cpuStart = CpuSeconds(RUSAGE_SELF);
  const auto start = Clock::now();
  std::vector<float> fft;
  while (Clock::now() - start < std::chrono::seconds(seconds)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(45));
    ZSoundGetFft(channels[0], &fft);
  }
  const double share = (CpuSeconds(RUSAGE_SELF) - cpuStart) / Seconds(Clock::now() - start);
  ZSoundFree();
  return share;
}

double MpvCpuShare(const std::string& path, int seconds) {
  const double before = CpuSeconds(RUSAGE_CHILDREN);
  const auto start = Clock::now();
  if (!Run({"mpv", "--no-config", "--no-video", "--ao=null", "--really-quiet",
            "--length=" + std::to_string(seconds), path})) {
    return -1;
  }
  return (CpuSeconds(RUSAGE_CHILDREN) - before) / Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("bench_sound_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);

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
      std::printf("%-8s cannot be made\n", format.name);
      continue;
    }
    const double ours = Best([&] { return DecodeSeconds(path, 60.0); });
    const double baseline = Best([&] { return FfmpegSeconds(path); });
    std::printf("%-8s %10.3f %10.3f %7.2fx\n", format.name + 6, ours, baseline, ours / baseline);
  }

  const std::string music = (folder / "music.mp3").string();
  std::printf("\nreal-time playback for %d s (share of one core)\n", seconds);
  const double ours = PlaybackCpuShare(music, seconds);
  const double mpv = MpvCpuShare(music, seconds);
  std::printf("ours: 2 channels, 10 EQ bands each, FFT every 45 ms: %6.2f %%\n", ours * 100);
  std::printf("mpv --no-video --ao=null, 1 channel:                 %6.2f %%\n", mpv * 100);
  if (ours >= 0 && mpv > 0) {
    std::printf("ratio ours / mpv: %.2fx\n", ours / mpv);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
