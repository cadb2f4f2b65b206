#pragma once
// The mixer of all channels and the two places its output goes: an SDL2 audio device (the mixer
// runs in SDL's audio callback) or memory (the caller pulls blocks and so drives the clock).

#include <SDL2/SDL.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Channel;

class Mixer {
 public:
  Mixer(int channels, bool waitForData) : channels_(channels), waitForData_(waitForData) {}

  void Add(std::shared_ptr<Channel> channel);
  void Remove(const std::shared_ptr<Channel>& channel);
  // Writes `frames` interleaved frames of the mix, clipped to -1..1.
  void Render(float* out, int frames);
  int Channels() const { return channels_; }

 private:
  std::mutex mutex_;  // held for a whole block, so a removed channel is never mid-mix
  std::vector<std::shared_ptr<Channel>> members_;
  const int channels_;
  const bool waitForData_;
};

// Output device names: index 0 is the system default.
std::vector<std::string> SdlDeviceNames();

class SdlOutput {
 public:
  ~SdlOutput();
  // `deviceIndex` 0 is the default device, then the SDL devices in order. Asks for `channels`
  // and, with `acceptOtherLayout`, takes the channel count the device offers.
  bool Open(int deviceIndex, int frequency, int channels, bool acceptOtherLayout);
  int Channels() const { return channels_; }
  void Start(Mixer* mixer);

 private:
  static void Callback(void* userdata, Uint8* stream, int length);

  SDL_AudioDeviceID device_ = 0;
  int channels_ = 0;
  bool subsystem_ = false;
  Mixer* mixer_ = nullptr;
};
