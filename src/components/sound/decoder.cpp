#include "components/sound/decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

namespace {

struct FormatCloser {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFreer {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ResamplerFreer {
  void operator()(SwrContext* context) const { swr_free(&context); }
};
struct IoFreer {
  void operator()(AVIOContext* io) const {
    av_freep(&io->buffer);
    avio_context_free(&io);
  }
};
struct DictionaryFreer {
  void operator()(AVDictionary* dictionary) const { av_dict_free(&dictionary); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFreer>;
using IoPtr = std::unique_ptr<AVIOContext, IoFreer>;

constexpr int kIoBufferSize = 32768;
// Compressed frames depend on the ones before; a seek starts this far ahead and decodes on.
constexpr int kSeekPrerollDivisor = 10;  // a tenth of a second

// Musepack SV8 keeps the exact sample count in its stream header; FFmpeg's demuxer reports the
// length only in coarse blocks, so we read it ourselves. Returns -1 when it cannot.
int64_t Musepack8Samples(AVIOContext* io) {
  const int64_t start = avio_tell(io);
  uint8_t buffer[512];
  if (avio_seek(io, 0, SEEK_SET) < 0) {
    return -1;
  }
  const int size = avio_read(io, buffer, sizeof(buffer));
  avio_seek(io, start, SEEK_SET);
  if (size < 8 || std::memcmp(buffer, "MPCK", 4) != 0) {
    return -1;
  }
  auto varint = [&](int* at, int64_t* value) {
    *value = 0;
    for (int i = 0; i < 9 && *at < size; ++i) {
      const uint8_t byte = buffer[(*at)++];
      *value = (*value << 7) | (byte & 0x7F);
      if (!(byte & 0x80)) {
        return true;
      }
    }
    return false;
  };
  int at = 4;
  while (at + 2 < size) {
    const bool header = buffer[at] == 'S' && buffer[at + 1] == 'H';
    const int packetStart = at;
    at += 2;
    int64_t length = 0;
    if (!varint(&at, &length) || length < 2 || length > size) {
      return -1;
    }
    if (header) {
      at += 5;  // CRC and version
      int64_t samples = 0;
      int64_t silence = 0;
      if (!varint(&at, &samples) || !varint(&at, &silence) || silence > samples) {
        return -1;
      }
      return samples - silence;
    }
    at = packetStart + static_cast<int>(length);
  }
  return -1;
}

// Opens a demuxer on a file or on a custom reader; owns the custom I/O context if any.
struct Demuxer {
  IoPtr io;  // must outlive `format`, so declared first and destroyed last
  FormatPtr format;
};

bool OpenDemuxer(const std::string& url, AVIOContext* io, const AVInputFormat* forced,
                 Demuxer* demuxer) {
  // Damaged files make FFmpeg print a line per bad frame; failures reach callers as error codes.
  static const bool quiet = (av_log_set_level(AV_LOG_FATAL), true);
  (void)quiet;
  AVFormatContext* raw = avformat_alloc_context();
  if (!raw) {
    return false;
  }
  AVDictionary* options = nullptr;
  if (io) {
    raw->pb = io;
    raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    av_dict_set(&options, "probesize", "65536", 0);
    av_dict_set(&options, "analyzeduration", "500000", 0);
  } else {
    // A media file must not make the demuxer reach the network or run programs.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
  }
  // Tracker modules: render at the rate whose byte arithmetic the player uses.
  av_dict_set(&options, "sample_rate", "44100", 0);
  const int result = avformat_open_input(&raw, url.c_str(), forced, &options);
  std::unique_ptr<AVDictionary, DictionaryFreer> leftover(options);
  if (result < 0) {
    return false;  // avformat_open_input frees the context on failure
  }
  demuxer->format.reset(raw);
  return avformat_find_stream_info(raw, nullptr) >= 0;
}

class FfmpegSource : public SoundSource {
 public:
  ~FfmpegSource() override = default;

  bool Open(Demuxer demuxer, bool seekable, ZSoundError* error) {
    demuxer_ = std::move(demuxer);
    AVFormatContext* format = demuxer_.format.get();
    const AVCodec* codec = nullptr;
    streamIndex_ = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (streamIndex_ < 0 || !codec) {
      *error = ZSoundError::Format;
      return false;
    }
    stream_ = format->streams[streamIndex_];
    codec_.reset(avcodec_alloc_context3(codec));
    if (!codec_ || avcodec_parameters_to_context(codec_.get(), stream_->codecpar) < 0 ||
        avcodec_open2(codec_.get(), codec, nullptr) < 0 || codec_->sample_rate <= 0 ||
        codec_->ch_layout.nb_channels <= 0) {
      *error = ZSoundError::Format;
      return false;
    }
    rate_ = codec_->sample_rate;
    seekable_ = seekable;
    packet_.reset(av_packet_alloc());
    frame_.reset(av_frame_alloc());
    if (!packet_ || !frame_ || !MakeResampler()) {
      *error = ZSoundError::Unknown;
      return false;
    }
    lengthFrames_ = ComputeLength();
    return true;
  }

  int Read(int16_t* frames, int maxFrames) override {
    int done = 0;
    while (done < maxFrames) {
      if (pendingRead_ < pending_.size() / 2) {
        const size_t take = std::min<size_t>(maxFrames - done, pending_.size() / 2 - pendingRead_);
        std::memcpy(frames + done * 2, pending_.data() + pendingRead_ * 2,
                    take * 2 * sizeof(int16_t));
        pendingRead_ += take;
        done += static_cast<int>(take);
        continue;
      }
      const int decoded = DecodeNext();
      if (decoded < 0) {
        return done > 0 ? done : -1;
      }
      if (decoded == 0) {
        break;
      }
    }
    return done;
  }

  bool Seek(int64_t frame) override {
    if (!seekable_) {
      return false;
    }
    // Land before the target, then decode up to the exact frame.
    const int64_t from = std::max<int64_t>(0, frame - rate_ / kSeekPrerollDivisor);
    const int64_t timestamp =
        av_rescale_q(from, AVRational{1, rate_}, stream_->time_base) + StartTime();
    if (av_seek_frame(demuxer_.format.get(), streamIndex_, timestamp, AVSEEK_FLAG_BACKWARD) < 0 ||
        !SkipTo(frame)) {
      return SeekFromStart(frame);
    }
    return true;
  }

  bool Seekable() const override { return seekable_; }
  int Rate() const override { return rate_; }
  int64_t LengthFrames() const override { return lengthFrames_; }

 private:
  bool MakeResampler() {
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* raw = nullptr;
    if (swr_alloc_set_opts2(&raw, &stereo, AV_SAMPLE_FMT_S16, rate_, &codec_->ch_layout,
                            codec_->sample_fmt, rate_, 0, nullptr) < 0) {
      return false;
    }
    resampler_.reset(raw);
    if (codec_->ch_layout.nb_channels == 1) {
      // A mono source sounds at full level on both speakers, not 3 dB down as swresample's
      // own upmix has it (its centre mix level does not apply to a lone centre channel).
      const double bothAtFullLevel[2] = {1.0, 1.0};
      if (swr_set_matrix(raw, bothAtFullLevel, 1) < 0) {
        return false;
      }
    }
    return swr_init(raw) >= 0;
  }

  int64_t StartTime() const {
    return stream_->start_time == AV_NOPTS_VALUE ? 0 : stream_->start_time;
  }

  int64_t ComputeLength() const {
    const AVFormatContext* format = demuxer_.format.get();
    if (format->pb && std::strcmp(format->iformat->name, "mpc8") == 0) {
      const int64_t samples = Musepack8Samples(format->pb);
      if (samples > 0) {
        return samples;
      }
    }
    if (stream_->duration > 0 && stream_->duration != AV_NOPTS_VALUE) {
      return av_rescale_q(stream_->duration, stream_->time_base, AVRational{1, rate_});
    }
    if (format->duration > 0 && format->duration != AV_NOPTS_VALUE) {
      return av_rescale(format->duration, rate_, AV_TIME_BASE);
    }
    return -1;
  }

  // Decodes one more frame into pending_; returns its frame count, 0 at the end, -1 on error.
  int DecodeNext() {
    while (true) {
      const int received = avcodec_receive_frame(codec_.get(), frame_.get());
      if (received >= 0) {
        const int count = Convert();
        av_frame_unref(frame_.get());
        if (count != 0) {
          return count;
        }
        continue;
      }
      if (received == AVERROR_EOF) {
        return 0;
      }
      if (received != AVERROR(EAGAIN)) {
        return -1;
      }
      if (!FeedPacket()) {
        return -1;
      }
    }
  }

  // Sends the next packet of our stream (or the end-of-stream marker) to the decoder.
  bool FeedPacket() {
    while (true) {
      const int read = av_read_frame(demuxer_.format.get(), packet_.get());
      if (read < 0) {
        if (read != AVERROR_EOF && !(demuxer_.format->pb && avio_feof(demuxer_.format->pb))) {
          readErrors_++;
          if (readErrors_ < 8) {
            continue;  // a damaged stretch: try to resynchronise
          }
        }
        avcodec_send_packet(codec_.get(), nullptr);
        return true;
      }
      readErrors_ = 0;
      const bool ours = packet_->stream_index == streamIndex_;
      if (ours) {
        // A packet the decoder rejects as corrupt is dropped; decoding goes on with the next.
        avcodec_send_packet(codec_.get(), packet_.get());
      }
      av_packet_unref(packet_.get());
      if (ours) {
        return true;
      }
    }
  }

  int Convert() {
    AVFrame* frame = frame_.get();
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE) {
      lastFramePosition_ = av_rescale_q(frame->best_effort_timestamp - StartTime(),
                                        stream_->time_base, AVRational{1, rate_});
    } else {
      lastFramePosition_ = -1;
    }
    const int capacity = swr_get_out_samples(resampler_.get(), frame->nb_samples);
    if (capacity <= 0) {
      return 0;
    }
    pending_.resize(static_cast<size_t>(capacity) * 2);
    uint8_t* out = reinterpret_cast<uint8_t*>(pending_.data());
    const int count =
        swr_convert(resampler_.get(), &out, capacity,
                    const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    pending_.resize(static_cast<size_t>(std::max(count, 0)) * 2);
    pendingRead_ = 0;
    return std::max(count, 0);
  }

  // After a demuxer seek: decodes and drops frames until `target` is next.
  bool SkipTo(int64_t target) {
    avcodec_flush_buffers(codec_.get());
    swr_init(resampler_.get());
    pending_.clear();
    pendingRead_ = 0;
    const int count = DecodeNext();
    if (count <= 0) {
      return target >= lengthFrames_ && count == 0;
    }
    if (lastFramePosition_ < 0 || lastFramePosition_ > target) {
      return false;
    }
    return Discard(target - lastFramePosition_);
  }

  bool Discard(int64_t frames) {
    std::vector<int16_t> scratch(4096 * 2);
    while (frames > 0) {
      const int read = Read(scratch.data(), static_cast<int>(std::min<int64_t>(frames, 4096)));
      if (read <= 0) {
        return read == 0;
      }
      frames -= read;
    }
    return true;
  }

  bool SeekFromStart(int64_t frame) {
    if (av_seek_frame(demuxer_.format.get(), streamIndex_, StartTime(), AVSEEK_FLAG_BACKWARD) < 0 &&
        avformat_seek_file(demuxer_.format.get(), -1, INT64_MIN, 0, INT64_MAX, 0) < 0) {
      return false;
    }
    avcodec_flush_buffers(codec_.get());
    swr_init(resampler_.get());
    pending_.clear();
    pendingRead_ = 0;
    return Discard(frame);
  }

  Demuxer demuxer_;
  AVStream* stream_ = nullptr;
  int streamIndex_ = -1;
  CodecPtr codec_;
  PacketPtr packet_;
  FramePtr frame_;
  ResamplerPtr resampler_;
  std::vector<int16_t> pending_;
  size_t pendingRead_ = 0;
  int64_t lastFramePosition_ = -1;
  int64_t lengthFrames_ = -1;
  int rate_ = 0;
  int readErrors_ = 0;
  bool seekable_ = false;
};

int ReadFromReader(void* opaque, uint8_t* buffer, int size) {
  const int read = static_cast<ByteReader*>(opaque)->Read(buffer, size);
  return read > 0 ? read : AVERROR_EOF;
}

int64_t SeekReader(void* opaque, int64_t offset, int whence) {
  auto* reader = static_cast<ByteReader*>(opaque);
  const int64_t size = reader->Size();
  if (whence & AVSEEK_SIZE) {
    return size;
  }
  whence &= ~AVSEEK_FORCE;
  if (whence == SEEK_END) {
    offset += size;
  } else if (whence != SEEK_SET) {
    return AVERROR(EINVAL);
  }
  return reader->SeekTo(offset) ? offset : AVERROR(EIO);
}

// Keeps the reader alive as long as the source that reads from it.
class StreamSource : public FfmpegSource {
 public:
  explicit StreamSource(std::shared_ptr<ByteReader> reader) : reader_(std::move(reader)) {}

 private:
  std::shared_ptr<ByteReader> reader_;
};

}  // namespace

std::unique_ptr<SoundSource> OpenFileDecoder(const std::string& path, ZSoundError* error) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    *error = ZSoundError::FileOpen;
    return nullptr;
  }
  Demuxer demuxer;
  if (!OpenDemuxer("file:" + path, nullptr, nullptr, &demuxer)) {
    *error = ZSoundError::Format;
    return nullptr;
  }
  auto source = std::make_unique<FfmpegSource>();
  if (!source->Open(std::move(demuxer), true, error)) {
    return nullptr;
  }
  return source;
}

std::unique_ptr<SoundSource> OpenStreamDecoder(std::shared_ptr<ByteReader> reader,
                                               const std::string& formatHint, ZSoundError* error) {
  auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
  if (!buffer) {
    *error = ZSoundError::Unknown;
    return nullptr;
  }
  const bool seekable = reader->Size() >= 0;
  AVIOContext* io = avio_alloc_context(buffer, kIoBufferSize, 0, reader.get(), ReadFromReader,
                                       nullptr, seekable ? SeekReader : nullptr);
  if (!io) {
    av_free(buffer);
    *error = ZSoundError::Unknown;
    return nullptr;
  }
  io->seekable = seekable ? AVIO_SEEKABLE_NORMAL : 0;
  Demuxer demuxer;
  demuxer.io.reset(io);
  const AVInputFormat* forced =
      formatHint.empty() ? nullptr : av_find_input_format(formatHint.c_str());
  if (!OpenDemuxer("", io, forced, &demuxer)) {
    *error = ZSoundError::Format;
    return nullptr;
  }
  auto source = std::make_unique<StreamSource>(std::move(reader));
  if (!source->Open(std::move(demuxer), seekable, error)) {
    return nullptr;
  }
  return source;
}

double ModuleDurationSeconds(const std::string& path) {
  std::error_code ignored;
  const AVInputFormat* tracker = av_find_input_format("libopenmpt");
  if (!tracker || !std::filesystem::is_regular_file(path, ignored)) {
    return -1;
  }
  // Only the tracker demuxer may answer: a sound file misnamed as a module has no module length.
  Demuxer demuxer;
  if (!OpenDemuxer("file:" + path, nullptr, tracker, &demuxer)) {
    return -1;
  }
  const AVFormatContext* format = demuxer.format.get();
  if (format->duration <= 0 || format->duration == AV_NOPTS_VALUE) {
    return -1;
  }
  return static_cast<double>(format->duration) / AV_TIME_BASE;
}
