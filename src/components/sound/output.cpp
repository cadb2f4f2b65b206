#include "components/sound/output.h"

#include <algorithm>

#include "components/sound/channel.h"

void Mixer::Add(std::shared_ptr<Channel> channel) {
  std::lock_guard lock(mutex_);
  members_.push_back(std::move(channel));
}

void Mixer::Remove(const std::shared_ptr<Channel>& channel) {
  std::lock_guard lock(mutex_);
  std::erase(members_, channel);
}

void Mixer::Render(float* out, int frames) {
  std::fill(out, out + static_cast<size_t>(frames) * channels_, 0.0f);
  std::lock_guard lock(mutex_);
  for (const auto& channel : members_) {
    channel->MixInto(out, frames, channels_, waitForData_);
  }
  for (int i = 0; i < frames * channels_; ++i) {
    out[i] = std::clamp(out[i], -1.0f, 1.0f);
  }
}

namespace {

// Keeps the SDL audio subsystem initialised while alive (SDL counts the references).
class AudioSubsystem {
 public:
  AudioSubsystem() : ok_(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {}
  ~AudioSubsystem() {
    if (ok_) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
  }
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

}  // namespace

std::vector<std::string> SdlDeviceNames() {
  AudioSubsystem audio;
  if (!audio.ok()) {
    return {};
  }
  std::vector<std::string> names{"Default output"};
  const int count = SDL_GetNumAudioDevices(0);
  for (int i = 0; i < count; ++i) {
    const char* name = SDL_GetAudioDeviceName(i, 0);
    names.emplace_back(name ? name : "Audio device");
  }
  return names;
}

SdlOutput::~SdlOutput() {
  if (device_) {
    SDL_CloseAudioDevice(device_);
  }
  if (subsystem_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

bool SdlOutput::Open(int deviceIndex, int frequency, int channels, bool acceptOtherLayout) {
  if (!subsystem_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      return false;
    }
    subsystem_ = true;
  }
  const char* name = nullptr;
  if (deviceIndex > 0) {
    name = SDL_GetAudioDeviceName(deviceIndex - 1, 0);
    if (!name) {
      return false;
    }
  }
  SDL_AudioSpec wanted{};
  wanted.freq = frequency;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = static_cast<Uint8>(channels);
  wanted.samples = 1024;
  wanted.callback = &SdlOutput::Callback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  device_ = SDL_OpenAudioDevice(name, 0, &wanted, &obtained,
                                acceptOtherLayout ? SDL_AUDIO_ALLOW_CHANNELS_CHANGE : 0);
  if (!device_) {
    return false;
  }
  channels_ = obtained.channels;
  return true;
}

void SdlOutput::Start(Mixer* mixer) {
  SDL_LockAudioDevice(device_);
  mixer_ = mixer;
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void SdlOutput::Callback(void* userdata, Uint8* stream, int length) {
  auto* self = static_cast<SdlOutput*>(userdata);
  auto* out = reinterpret_cast<float*>(stream);
  const int frames = length / static_cast<int>(sizeof(float)) / self->channels_;
  if (!self->mixer_) {
    std::fill(out, out + frames * self->channels_, 0.0f);
    return;
  }
  self->mixer_->Render(out, frames);
}
