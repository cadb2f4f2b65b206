#include "components/sound/zsound.h"

#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "components/sound/cd.h"
#include "components/sound/channel.h"
#include "components/sound/decoder.h"
#include "components/sound/output.h"
#include "components/sound/stream.h"

namespace {

thread_local ZSoundError lastError = ZSoundError::Ok;

struct Effect {
  ZSoundHandle channel = 0;
  int id = 0;
};

// Everything the library holds between ZSoundInit and ZSoundFree.
struct System {
  int rate = 0;
  int speakers = 0;
  std::unique_ptr<Mixer> mixer;
  std::unique_ptr<SdlOutput> sdl;  // none for the memory device
  std::map<ZSoundHandle, std::shared_ptr<Channel>> channels;
  std::map<ZSoundHandle, Effect> effects;
  ZSoundHandle nextHandle = 1;
};

std::mutex systemMutex;
std::unique_ptr<System> sys;
NetTimeouts netTimeouts;

bool Fail(ZSoundError error) {
  lastError = error;
  return false;
}

template <typename T>
T FailWith(ZSoundError error, T value) {
  lastError = error;
  return value;
}

bool Succeed() {
  lastError = ZSoundError::Ok;
  return true;
}

std::shared_ptr<Channel> Find(ZSoundHandle handle) {
  std::lock_guard lock(systemMutex);
  if (!sys) {
    lastError = ZSoundError::NotInitialized;
    return nullptr;
  }
  const auto found = sys->channels.find(handle);
  if (found == sys->channels.end()) {
    lastError = ZSoundError::Handle;
    return nullptr;
  }
  return found->second;
}

ZSoundHandle NextHandle() {
  ZSoundHandle handle = sys->nextHandle++;
  if (sys->nextHandle == 0) {
    sys->nextHandle = 1;
  }
  return handle;
}

ZSoundHandle AddChannel(std::unique_ptr<SoundSource> source, uint32_t flags, ZSoundError error) {
  if (!source) {
    return FailWith<ZSoundHandle>(error, 0);
  }
  std::lock_guard lock(systemMutex);
  if (!sys) {
    return FailWith<ZSoundHandle>(ZSoundError::NotInitialized, 0);
  }
  auto channel = std::make_shared<Channel>(std::move(source), flags, sys->rate);
  const ZSoundHandle handle = NextHandle();
  sys->channels.emplace(handle, channel);
  sys->mixer->Add(std::move(channel));
  lastError = ZSoundError::Ok;
  return handle;
}

bool Initialized() {
  std::lock_guard lock(systemMutex);
  return sys != nullptr;
}

}  // namespace

uint32_t ZSoundVersion() {
  return kZSoundInterfaceVersion;
}

ZSoundError ZSoundErrorCode() {
  return lastError;
}

const char* ZSoundErrorText(ZSoundError error) {
  switch (error) {
    case ZSoundError::Ok:
      return "no error";
    case ZSoundError::NotInitialized:
      return "the sound system is not initialised";
    case ZSoundError::AlreadyInitialized:
      return "the sound system is already initialised";
    case ZSoundError::Device:
      return "the output device cannot be opened";
    case ZSoundError::FileOpen:
      return "the file or drive cannot be opened";
    case ZSoundError::Format:
      return "not a supported sound format";
    case ZSoundError::Handle:
      return "invalid handle";
    case ZSoundError::NotSeekable:
      return "the stream cannot seek";
    case ZSoundError::Position:
      return "position out of range";
    case ZSoundError::Network:
      return "network connection failed";
    case ZSoundError::Timeout:
      return "the server did not answer in time";
    case ZSoundError::Certificate:
      return "the server's certificate does not verify: the connection is not secure";
    case ZSoundError::Parameter:
      return "invalid parameter";
    case ZSoundError::NoTrack:
      return "no such audio track";
    case ZSoundError::Unknown:
      break;
  }
  return "unknown error";
}

bool ZSoundDeviceDescription(int device, std::string* description) {
  const std::vector<std::string> names = SdlDeviceNames();
  if (device < 1 || device > static_cast<int>(names.size())) {
    return Fail(ZSoundError::Parameter);
  }
  *description = names[device - 1];
  return Succeed();
}

bool ZSoundInit(int device, int frequency, uint32_t flags) {
  if (frequency < 8000 || frequency > 192000) {
    return Fail(ZSoundError::Parameter);
  }
  std::lock_guard lock(systemMutex);
  if (sys) {
    return Fail(ZSoundError::AlreadyInitialized);
  }
  auto next = std::make_unique<System>();
  next->rate = frequency;
  const bool speakers = flags & kZSoundInitSpeakers;
  int channels = speakers ? 8 : 2;
  if (device != kZSoundMemoryDevice) {
    next->sdl = std::make_unique<SdlOutput>();
    if (device < 1 || !next->sdl->Open(device - 1, frequency, channels, speakers)) {
      return Fail(ZSoundError::Device);
    }
    channels = next->sdl->Channels();
  }
  next->speakers = speakers ? channels : 0;
  next->mixer = std::make_unique<Mixer>(channels, !next->sdl);
  if (next->sdl) {
    next->sdl->Start(next->mixer.get());
  }
  sys = std::move(next);
  return Succeed();
}

void ZSoundFree() {
  std::unique_ptr<System> old;
  {
    std::lock_guard lock(systemMutex);
    old = std::move(sys);
  }
  if (old) {
    old->sdl.reset();  // stops the callback before the mixer and channels go
    old->channels.clear();
  }
  lastError = ZSoundError::Ok;
}

int ZSoundSpeakerCount() {
  std::lock_guard lock(systemMutex);
  return sys ? sys->speakers : 0;
}

int ZSoundOutputChannels() {
  std::lock_guard lock(systemMutex);
  return sys ? sys->mixer->Channels() : 0;
}

bool ZSoundRenderMemory(int frames, std::vector<float>* out) {
  Mixer* mixer = nullptr;
  {
    std::lock_guard lock(systemMutex);
    if (!sys) {
      return Fail(ZSoundError::NotInitialized);
    }
    if (sys->sdl || frames <= 0) {
      return Fail(ZSoundError::Parameter);
    }
    mixer = sys->mixer.get();
  }
  out->resize(static_cast<size_t>(frames) * mixer->Channels());
  mixer->Render(out->data(), frames);
  return Succeed();
}

ZSoundHandle ZSoundOpenFile(const std::string& path, uint32_t flags) {
  if (!Initialized()) {
    return FailWith<ZSoundHandle>(ZSoundError::NotInitialized, 0);
  }
  ZSoundError error = ZSoundError::Unknown;
  auto source = OpenFileDecoder(path, &error);
  return AddChannel(std::move(source), flags, error);
}

void ZSoundSetNetTimeouts(int connectMs, int readMs) {
  std::lock_guard lock(systemMutex);
  netTimeouts.connectMs = std::max(connectMs, 1);
  netTimeouts.readMs = std::max(readMs, 1);
}

ZSoundHandle ZSoundOpenUrl(const std::string& url, uint32_t flags,
                           ZSoundDownloadCallback download) {
  NetTimeouts timeouts;
  {
    std::lock_guard lock(systemMutex);
    if (!sys) {
      return FailWith<ZSoundHandle>(ZSoundError::NotInitialized, 0);
    }
    timeouts = netTimeouts;
  }
  ZSoundError error = ZSoundError::Unknown;
  auto source =
      OpenUrlSource(url, flags & kZSoundStreamMetadata, std::move(download), timeouts, &error);
  return AddChannel(std::move(source), flags, error);
}

bool ZSoundFreeChannel(ZSoundHandle handle) {
  std::shared_ptr<Channel> channel;
  {
    std::lock_guard lock(systemMutex);
    if (!sys) {
      return Fail(ZSoundError::NotInitialized);
    }
    const auto found = sys->channels.find(handle);
    if (found == sys->channels.end()) {
      return Fail(ZSoundError::Handle);
    }
    channel = found->second;
    sys->channels.erase(found);
    std::erase_if(sys->effects,
                  [handle](const auto& entry) { return entry.second.channel == handle; });
    sys->mixer->Remove(channel);
  }
  channel.reset();  // joins the decoding thread outside the lock
  return Succeed();
}

bool ZSoundPlay(ZSoundHandle handle, bool restart) {
  const auto channel = Find(handle);
  return channel ? (channel->Play(restart) ? Succeed() : Fail(ZSoundError::Position)) : false;
}

bool ZSoundPause(ZSoundHandle handle) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  channel->Pause();
  return Succeed();
}

bool ZSoundStop(ZSoundHandle handle) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  channel->Stop();
  return Succeed();
}

ZSoundActivity ZSoundIsActive(ZSoundHandle handle) {
  const auto channel = Find(handle);
  return channel ? channel->Activity() : ZSoundActivity::Stopped;
}

int64_t ZSoundGetPosition(ZSoundHandle handle) {
  const auto channel = Find(handle);
  if (!channel) {
    return -1;
  }
  lastError = ZSoundError::Ok;
  return channel->PositionFrames() * kBytesPerFrame;
}

bool ZSoundSetPosition(ZSoundHandle handle, int64_t bytes) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  const ZSoundError error = channel->Seek(bytes / kBytesPerFrame);
  return error == ZSoundError::Ok ? Succeed() : Fail(error);
}

int64_t ZSoundGetLength(ZSoundHandle handle) {
  const auto channel = Find(handle);
  if (!channel) {
    return -1;
  }
  const int64_t frames = channel->LengthFrames();
  if (frames < 0) {
    return FailWith<int64_t>(ZSoundError::NotSeekable, -1);
  }
  lastError = ZSoundError::Ok;
  return frames * kBytesPerFrame;
}

double ZSoundBytesToSeconds(ZSoundHandle handle, int64_t bytes) {
  const auto channel = Find(handle);
  if (!channel) {
    return -1;
  }
  lastError = ZSoundError::Ok;
  return static_cast<double>(bytes / kBytesPerFrame) / channel->SourceRate();
}

int64_t ZSoundSecondsToBytes(ZSoundHandle handle, double seconds) {
  const auto channel = Find(handle);
  if (!channel) {
    return -1;
  }
  lastError = ZSoundError::Ok;
  return std::llround(seconds * channel->SourceRate()) * kBytesPerFrame;
}

bool ZSoundGetAttributes(ZSoundHandle handle, ZSoundAttributes* attributes) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  *attributes = channel->Attributes();
  return Succeed();
}

bool ZSoundSetAttributes(ZSoundHandle handle, int rate, int volume, int pan) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  channel->SetAttributes(rate, volume, pan);
  return Succeed();
}

bool ZSoundSlideAttributes(ZSoundHandle handle, int rate, int volume, int pan, int ms) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  channel->SlideAttributes(rate, volume, pan, ms);
  return Succeed();
}

bool ZSoundIsSliding(ZSoundHandle handle) {
  const auto channel = Find(handle);
  return channel && channel->Sliding();
}

bool ZSoundGetFft(ZSoundHandle handle, std::vector<float>* magnitudes) {
  const auto channel = Find(handle);
  if (!channel) {
    return false;
  }
  *magnitudes = FftMagnitudes(channel->History());
  return Succeed();
}

std::string ZSoundGetTags(ZSoundHandle handle, ZSoundTags type) {
  const auto channel = Find(handle);
  if (!channel) {
    return {};
  }
  lastError = ZSoundError::Ok;
  return channel->Tags(type);
}

ZSoundHandle ZSoundAddEq(ZSoundHandle handle) {
  const auto channel = Find(handle);
  if (!channel) {
    return 0;
  }
  const int id = channel->AddEq();
  std::lock_guard lock(systemMutex);
  if (!sys || !sys->channels.count(handle)) {
    return FailWith<ZSoundHandle>(ZSoundError::Handle, 0);
  }
  const ZSoundHandle effect = NextHandle();
  sys->effects.emplace(effect, Effect{handle, id});
  lastError = ZSoundError::Ok;
  return effect;
}

namespace {

bool FindEffect(ZSoundHandle effect, std::shared_ptr<Channel>* channel, int* id) {
  std::lock_guard lock(systemMutex);
  if (!sys) {
    return Fail(ZSoundError::NotInitialized);
  }
  const auto found = sys->effects.find(effect);
  if (found == sys->effects.end()) {
    return Fail(ZSoundError::Handle);
  }
  *channel = sys->channels.at(found->second.channel);
  *id = found->second.id;
  return true;
}

}  // namespace

bool ZSoundSetEq(ZSoundHandle effect, const ZSoundEqParameters& parameters) {
  std::shared_ptr<Channel> channel;
  int id = 0;
  if (!FindEffect(effect, &channel, &id)) {
    return false;
  }
  if (!(parameters.center > 0) || !(parameters.bandwidth > 0) || !std::isfinite(parameters.gain)) {
    return Fail(ZSoundError::Parameter);
  }
  return channel->SetEq(id, parameters) ? Succeed() : Fail(ZSoundError::Handle);
}

bool ZSoundGetEq(ZSoundHandle effect, ZSoundEqParameters* parameters) {
  std::shared_ptr<Channel> channel;
  int id = 0;
  if (!FindEffect(effect, &channel, &id)) {
    return false;
  }
  return channel->GetEq(id, parameters) ? Succeed() : Fail(ZSoundError::Handle);
}

bool ZSoundRemoveEq(ZSoundHandle effect) {
  std::shared_ptr<Channel> channel;
  int id = 0;
  if (!FindEffect(effect, &channel, &id)) {
    return false;
  }
  channel->RemoveEq(id);
  std::lock_guard lock(systemMutex);
  if (sys) {
    sys->effects.erase(effect);
  }
  return Succeed();
}

int64_t ZSoundModuleLength(const std::string& path) {
  const double seconds = ModuleDurationSeconds(path);
  if (seconds < 0) {
    return FailWith<int64_t>(ZSoundError::Format, -1);
  }
  lastError = ZSoundError::Ok;
  return std::llround(seconds * 44100) * kBytesPerFrame;
}

std::vector<std::string> ZSoundCdDrives() {
  lastError = ZSoundError::Ok;
  return CdDriveList();
}

bool ZSoundCdIsReady(const std::string& drive) {
  return CdReady(drive) ? Succeed() : Fail(ZSoundError::FileOpen);
}

int ZSoundCdTrackCount(const std::string& drive) {
  const int count = CdTrackCount(drive);
  return count < 0 ? FailWith(ZSoundError::FileOpen, -1) : (lastError = ZSoundError::Ok, count);
}

int64_t ZSoundCdTrackLength(const std::string& drive, int track) {
  lastError = ZSoundError::Ok;
  return CdTrackBytes(drive, track);
}

ZSoundHandle ZSoundOpenCdTrack(const std::string& drive, int track, uint32_t flags) {
  if (!Initialized()) {
    return FailWith<ZSoundHandle>(ZSoundError::NotInitialized, 0);
  }
  ZSoundError error = ZSoundError::Unknown;
  auto source = OpenCdSource(drive, track, &error);
  return AddChannel(std::move(source), flags, error);
}
