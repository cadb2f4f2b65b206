#include "components/sound/channel.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr size_t kRingFrames = 16384;
constexpr int kDecodeChunk = 2048;
// Attribute changes while sounding glide over this many frames instead of jumping (no clicks).
constexpr int64_t kDeclickFrames = 256;
// How long a memory-device render waits for a decoder or a server before sounding silence.
constexpr auto kDataWait = std::chrono::seconds(10);

}  // namespace

void Ramp::Start(double to, int64_t frames) {
  if (frames <= 0) {
    Jump(to);
    return;
  }
  target = to;
  step = (to - value) / static_cast<double>(frames);
  remaining = frames;
}

Channel::Channel(std::unique_ptr<SoundSource> source, uint32_t flags, int deviceRate)
    : source_(std::move(source)),
      flags_(flags),
      deviceRate_(deviceRate),
      sourceRate_(source_->Rate()),
      ring_(kRingFrames * 2) {
  rate_.Jump(sourceRate_);
  volume_.Jump(100);
  pan_.Jump(0);
  decoder_ = std::thread([this] { DecodeLoop(); });
}

Channel::~Channel() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  source_->Interrupt();
  decoder_.join();
}

void Channel::DecodeLoop() {
  std::vector<int16_t> chunk(kDecodeChunk * 2);
  while (true) {
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] {
        return quit_ || (!sourceEnded_ && kRingFrames - ringFill_ >= kDecodeChunk);
      });
      if (quit_) {
        return;
      }
    }
    // Seeks hold sourceMutex_ too, so what is read here belongs to the current position.
    std::lock_guard sourceLock(sourceMutex_);
    const int read = source_->Read(chunk.data(), kDecodeChunk);
    std::lock_guard lock(mutex_);
    if (sourceEnded_ || kRingFrames - ringFill_ < kDecodeChunk) {
      continue;  // a seek moved the source while we waited for it
    }
    for (int i = 0; i < read; ++i) {
      const size_t at = (ringRead_ + ringFill_ + i) % kRingFrames;
      ring_[at * 2] = chunk[i * 2];
      ring_[at * 2 + 1] = chunk[i * 2 + 1];
    }
    ringFill_ += std::max(read, 0);
    sourceEnded_ = read <= 0;
    changed_.notify_all();
  }
}

bool Channel::Play(bool restart) {
  if (restart && source_->Seekable() && Seek(0) != ZSoundError::Ok) {
    return false;
  }
  std::lock_guard lock(mutex_);
  if (!playing_) {
    sounded_ = false;
  }
  playing_ = !ended_;
  paused_ = false;
  return true;
}

void Channel::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = playing_ || paused_;
  playing_ = false;
}

void Channel::Stop() {
  std::lock_guard lock(mutex_);
  playing_ = false;
  paused_ = false;
}

ZSoundActivity Channel::Activity() const {
  std::lock_guard lock(mutex_);
  if (playing_) {
    return stalled_ ? ZSoundActivity::Stalled : ZSoundActivity::Playing;
  }
  return paused_ ? ZSoundActivity::Paused : ZSoundActivity::Stopped;
}

int64_t Channel::PositionFrames() const {
  std::lock_guard lock(mutex_);
  return windowStart_ + static_cast<int64_t>(phase_);
}

ZSoundError Channel::Seek(int64_t frame) {
  if (!source_->Seekable()) {
    return ZSoundError::NotSeekable;
  }
  const int64_t length = source_->LengthFrames();
  if (frame < 0 || (length >= 0 && frame > length)) {
    return ZSoundError::Position;
  }
  std::lock_guard sourceLock(sourceMutex_);
  const bool moved = source_->Seek(frame);
  std::lock_guard lock(mutex_);
  ringRead_ = ringFill_ = 0;
  sourceEnded_ = !moved;
  window_.clear();
  windowStart_ = frame;
  phase_ = 0;
  padded_ = false;
  ended_ = false;
  changed_.notify_all();
  return moved ? ZSoundError::Ok : ZSoundError::Position;
}

ZSoundAttributes Channel::Attributes() const {
  std::lock_guard lock(mutex_);
  return {static_cast<int>(std::lround(rate_.value)), static_cast<int>(std::lround(volume_.value)),
          static_cast<int>(std::lround(pan_.value))};
}

void Channel::SetAttributes(int rate, int volume, int pan) {
  std::lock_guard lock(mutex_);
  const int64_t glide = playing_ && sounded_ ? kDeclickFrames : 0;
  if (rate != kZSoundKeep) {
    rate_.Jump(std::clamp(rate, 100, 1000000));
  }
  if (volume != kZSoundKeep) {
    volume_.Start(std::clamp(volume, 0, 100), glide);
  }
  if (pan != kZSoundKeep) {
    pan_.Start(std::clamp(pan, -100, 100), glide);
  }
  sliding_ = false;
}

void Channel::SlideAttributes(int rate, int volume, int pan, int ms) {
  std::lock_guard lock(mutex_);
  const int64_t frames = std::llround(static_cast<double>(std::max(ms, 0)) * deviceRate_ / 1000.0);
  if (rate != kZSoundKeep) {
    rate_.Start(std::clamp(rate, 100, 1000000), frames);
  }
  if (volume != kZSoundKeep) {
    volume_.Start(std::clamp(volume, 0, 100), frames);
  }
  if (pan != kZSoundKeep) {
    pan_.Start(std::clamp(pan, -100, 100), frames);
  }
  sliding_ = frames > 0;
}

bool Channel::Sliding() const {
  std::lock_guard lock(mutex_);
  return sliding_ && (rate_.remaining > 0 || volume_.remaining > 0 || pan_.remaining > 0);
}

int Channel::AddEq() {
  std::lock_guard lock(mutex_);
  const int id = nextEffect_++;
  effects_.emplace(id, ParametricEq(deviceRate_));
  return id;
}

bool Channel::SetEq(int id, const ZSoundEqParameters& parameters) {
  std::lock_guard lock(mutex_);
  const auto found = effects_.find(id);
  if (found == effects_.end()) {
    return false;
  }
  found->second.Set(parameters);
  return true;
}

bool Channel::GetEq(int id, ZSoundEqParameters* parameters) const {
  std::lock_guard lock(mutex_);
  const auto found = effects_.find(id);
  if (found == effects_.end()) {
    return false;
  }
  *parameters = found->second.Get();
  return true;
}

bool Channel::RemoveEq(int id) {
  std::lock_guard lock(mutex_);
  return effects_.erase(id) > 0;
}

std::array<float, kFftSize> Channel::History() const {
  std::lock_guard lock(mutex_);
  return history_.Snapshot();
}

void Channel::TakeFromRing(size_t frames) {
  const size_t take = std::min(frames, ringFill_);
  const size_t old = window_.size();
  window_.resize(old + take * 2);
  for (size_t i = 0; i < take; ++i) {
    const size_t at = (ringRead_ + i) % kRingFrames;
    window_[old + i * 2] = ring_[at * 2] / 32768.0f;
    window_[old + i * 2 + 1] = ring_[at * 2 + 1] / 32768.0f;
  }
  ringRead_ = (ringRead_ + take) % kRingFrames;
  ringFill_ -= take;
}

void Channel::FillWindow(size_t wantedFrames, bool waitForData,
                         std::unique_lock<std::mutex>& lock) {
  const auto deadline = std::chrono::steady_clock::now() + kDataWait;
  while (window_.size() / 2 < wantedFrames && !padded_) {
    TakeFromRing(wantedFrames - window_.size() / 2);
    changed_.notify_all();  // the decoder may go on
    if (window_.size() / 2 >= wantedFrames) {
      return;
    }
    if (sourceEnded_ && ringFill_ == 0) {
      // One silent frame after the last, so that the last one can be interpolated.
      window_.insert(window_.end(), {0.0f, 0.0f});
      padded_ = true;
      return;
    }
    if (!waitForData || changed_.wait_until(lock, deadline) == std::cv_status::timeout) {
      return;
    }
  }
}

int Channel::Resample(float* stereo, int frames) {
  const size_t available = window_.size() / 2;
  int produced = 0;
  for (; produced < frames; ++produced) {
    const size_t index = static_cast<size_t>(phase_);
    if (index + 1 >= available) {
      if (padded_) {
        ended_ = true;
        playing_ = false;
      }
      break;
    }
    const float fraction = static_cast<float>(phase_ - static_cast<double>(index));
    const float* a = &window_[index * 2];
    stereo[produced * 2] = a[0] + (a[2] - a[0]) * fraction;
    stereo[produced * 2 + 1] = a[1] + (a[3] - a[1]) * fraction;
    phase_ += rate_.value / deviceRate_;
    rate_.Advance();
  }
  const size_t consumed = std::min(static_cast<size_t>(phase_), available);
  window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(consumed * 2));
  windowStart_ += static_cast<int64_t>(consumed);
  phase_ -= static_cast<double>(consumed);
  return produced;
}

int Channel::PairOffset(int outChannels) const {
  // Speaker pairs in the device's channel order: front, centre/LFE, rear, rear 2 (7.1), with
  // a pair that the layout lacks falling back to the nearest one it has.
  switch (flags_ & 0xF000000) {
    case kZSoundSpeakerRear:
      return outChannels >= 6 ? 4 : (outChannels >= 4 ? 2 : 0);
    case kZSoundSpeakerCenterLfe:
      return outChannels >= 6 ? 2 : 0;
    case kZSoundSpeakerRear2:
      return outChannels >= 8 ? 6 : (outChannels >= 6 ? 4 : (outChannels >= 4 ? 2 : 0));
    default:
      return 0;
  }
}

void Channel::AddToOutput(const float* stereo, int produced, int frames, float* out,
                          int outChannels) {
  const int offset = PairOffset(outChannels);
  for (int i = 0; i < frames; ++i) {
    if (i < produced) {
      const float volume = static_cast<float>(volume_.value) / 100.0f;
      const float pan = static_cast<float>(pan_.value) / 100.0f;
      const float left = volume * (pan > 0 ? 1.0f - pan : 1.0f);
      const float right = volume * (pan < 0 ? 1.0f + pan : 1.0f);
      out[i * outChannels + offset] += stereo[i * 2] * left;
      out[i * outChannels + offset + 1] += stereo[i * 2 + 1] * right;
    }
    volume_.Advance();
    pan_.Advance();
  }
}

void Channel::MixInto(float* out, int frames, int outChannels, bool waitForData) {
  std::unique_lock lock(mutex_);
  if (!playing_) {
    return;
  }
  sounded_ = true;
  const double fastest = std::max(rate_.value, rate_.target) / deviceRate_;
  FillWindow(static_cast<size_t>(std::ceil(phase_ + frames * fastest)) + 2, waitForData, lock);
  if (!playing_) {
    return;  // paused or freed while waiting for data
  }
  scratch_.resize(static_cast<size_t>(frames) * 2);
  const int produced = Resample(scratch_.data(), frames);
  stalled_ = produced < frames && !ended_;
  for (auto& [id, effect] : effects_) {
    effect.Process(scratch_.data(), produced);
  }
  history_.Push(scratch_.data(), produced);
  AddToOutput(scratch_.data(), produced, frames, out, outChannels);
}
