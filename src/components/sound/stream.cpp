#include "components/sound/stream.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "components/sound/httpfile.h"

namespace {

constexpr size_t kPipeCapacity = 512 * 1024;

// A live stream, downloaded on its own thread: every block goes to the callback and into a pipe
// that the decoder reads.
class Download : public NetReader {
 public:
  Download(HttpConnection connection, ZSoundDownloadCallback callback, int readMs)
      : connection_(std::move(connection)),
        callback_(std::move(callback)),
        readMs_(readMs),
        demuxer_(connection_.Response().metaInterval),
        headers_(JoinTags(connection_.Response().lines)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~Download() override {
    Close();
    thread_.join();
  }

  void Close() override {
    std::lock_guard lock(mutex_);
    closed_ = true;
    connection_.Shutdown();
    changed_.notify_all();
  }

  int Read(uint8_t* buffer, int size) override {
    std::unique_lock lock(mutex_);
    const bool ready = changed_.wait_for(lock, std::chrono::milliseconds(readMs_),
                                         [this] { return !pipe_.empty() || ended_ || closed_; });
    if (!ready || (closed_ && pipe_.empty())) {
      return -1;
    }
    const size_t take = std::min(pipe_.size(), static_cast<size_t>(size));
    std::copy(pipe_.begin(), pipe_.begin() + static_cast<std::ptrdiff_t>(take), buffer);
    pipe_.erase(pipe_.begin(), pipe_.begin() + static_cast<std::ptrdiff_t>(take));
    changed_.notify_all();
    return static_cast<int>(take);
  }

  std::string Tags(ZSoundTags type) const override {
    if (type == ZSoundTags::IcyHeaders) {
      return headers_;
    }
    std::lock_guard lock(mutex_);
    return metadata_.empty() ? std::string() : JoinTags({metadata_});
  }

 private:
  void Run() {
    uint8_t buffer[16384];
    bool alive = true;
    while (alive) {
      const ssize_t got = connection_.Receive(buffer, sizeof(buffer), readMs_);
      alive = got > 0 && Deliver(buffer, static_cast<size_t>(got));
    }
    {
      std::lock_guard lock(mutex_);
      ended_ = true;
      changed_.notify_all();
    }
    if (callback_) {
      callback_(nullptr, 0);
    }
  }

  // Hands one received block on, split at its titles: the audio before a title goes on first,
  // then the title shows, before any of its own audio can play or be recorded. False once the
  // stream was closed.
  bool Deliver(const uint8_t* data, size_t size) {
    for (size_t at = 0; at < size;) {
      std::string audio;
      std::vector<std::string> titles;
      at += demuxer_.Feed(data + at, size - at, &audio, &titles);
      if (!PassOn(audio)) {
        return false;
      }
      if (!titles.empty()) {
        std::lock_guard lock(mutex_);
        metadata_ = titles.back();
      }
    }
    return true;
  }

  bool PassOn(const std::string& audio) {
    if (audio.empty()) {
      return true;
    }
    if (callback_) {
      callback_(reinterpret_cast<const uint8_t*>(audio.data()), audio.size());
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || pipe_.size() < kPipeCapacity; });
    pipe_.insert(pipe_.end(), audio.begin(), audio.end());
    changed_.notify_all();
    return !closed_;
  }

  HttpConnection connection_;
  ZSoundDownloadCallback callback_;
  const int readMs_;
  IcyDemuxer demuxer_;
  const std::string headers_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<uint8_t> pipe_;
  std::string metadata_;
  bool ended_ = false;
  bool closed_ = false;
  std::thread thread_;
};

// Live streams neither seek nor know their length; files served over HTTP do both.
class UrlSource : public SoundSource {
 public:
  UrlSource(std::shared_ptr<NetReader> reader, std::unique_ptr<SoundSource> decoder)
      : reader_(std::move(reader)), decoder_(std::move(decoder)) {}
  ~UrlSource() override {
    reader_->Close();
    decoder_.reset();
  }

  int Read(int16_t* frames, int maxFrames) override { return decoder_->Read(frames, maxFrames); }
  bool Seek(int64_t frame) override { return decoder_->Seek(frame); }
  bool Seekable() const override { return decoder_->Seekable(); }
  int Rate() const override { return decoder_->Rate(); }
  int64_t LengthFrames() const override {
    return decoder_->Seekable() ? decoder_->LengthFrames() : -1;
  }
  std::string Tags(ZSoundTags type) const override { return reader_->Tags(type); }
  void Interrupt() override { reader_->Close(); }

 private:
  std::shared_ptr<NetReader> reader_;
  std::unique_ptr<SoundSource> decoder_;
};

}  // namespace

std::unique_ptr<SoundSource> OpenUrlSource(const std::string& url, bool metadata,
                                           ZSoundDownloadCallback download,
                                           const NetTimeouts& timeouts, ZSoundError* error) {
  HttpConnection connection;
  *error = ZSoundError::Ok;
  if (!connection.Open({url, metadata, -1}, timeouts, -1, error)) {
    return nullptr;
  }
  std::shared_ptr<NetReader> reader;
  std::string format;
  if (IsHttpFile(connection.Response())) {
    // A file of known size: FFmpeg finds its format itself, seeking where it needs to.
    reader = HttpFile::Start(&connection, download, timeouts);
  }
  if (!reader) {
    format = FormatForContentType(connection.Response().contentType);
    reader =
        std::make_shared<Download>(std::move(connection), std::move(download), timeouts.readMs);
  }
  auto decoder = OpenStreamDecoder(reader, format, error);
  if (!decoder) {
    if (reader->Failure() != ZSoundError::Ok) {
      *error = reader->Failure();
    }
    reader->Close();
    return nullptr;
  }
  return std::make_unique<UrlSource>(std::move(reader), std::move(decoder));
}
