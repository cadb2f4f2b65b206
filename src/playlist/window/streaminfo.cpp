#include "playlist/window/streaminfo.h"

#include <cmath>
#include <memory>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include "playlist/codecnames.h"
#include "playlist/mediakind.h"

namespace {

struct InputCloser {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using Input = std::unique_ptr<AVFormatContext, InputCloser>;

const QString kLineBreak = QStringLiteral("\n");

// The first stream's length in seconds, or -1 when neither it nor the file tells.
double LengthSeconds(const AVFormatContext& input) {
  const AVStream& first = *input.streams[0];
  if (first.duration > 0) {
    return double(first.duration) * av_q2d(first.time_base);
  }
  return input.duration > 0 ? double(input.duration) / AV_TIME_BASE : -1.0;
}

QString LengthText(double seconds) {
  if (seconds < 0) {
    return QStringLiteral("Unknown");
  }
  if (seconds > 60) {
    const int minutes = int(seconds / 60);
    return QStringLiteral("%1 min. %2 sec.").arg(minutes).arg(seconds - minutes * 60.0, 0, 'f', 3);
  }
  return QStringLiteral("%1 sec.").arg(seconds, 0, 'f', 3);
}

// The four-character code or wave format tag the stream would carry in an AVI file when the
// container gave none.
unsigned StreamTag(const AVCodecParameters& codec) {
  if (codec.codec_tag != 0) {
    return codec.codec_tag;
  }
  const AVCodecTag* const video[] = {avformat_get_riff_video_tags(), nullptr};
  const AVCodecTag* const audio[] = {avformat_get_riff_audio_tags(), nullptr};
  return av_codec_get_tag(codec.codec_type == AVMEDIA_TYPE_AUDIO ? audio : video, codec.codec_id);
}

QString MajorTypeName(AVMediaType type) {
  switch (type) {
    case AVMEDIA_TYPE_VIDEO:
      return QStringLiteral("Video");
    case AVMEDIA_TYPE_AUDIO:
      return QStringLiteral("Audio");
    case AVMEDIA_TYPE_SUBTITLE:
      return QStringLiteral("Text");
    case AVMEDIA_TYPE_DATA:
      return QStringLiteral("Stream");
    case AVMEDIA_TYPE_ATTACHMENT:
      return QStringLiteral("File");
    default:
      return QStringLiteral("Unknown");
  }
}

QString VideoDetails(const AVStream& stream, double lengthSeconds) {
  const AVCodecParameters& codec = *stream.codecpar;
  const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(AVPixelFormat(codec.format));
  const int bits = pixels ? av_get_bits_per_pixel(pixels) : codec.bits_per_coded_sample;
  const double rate = stream.avg_frame_rate.num > 0 && stream.avg_frame_rate.den > 0
                          ? av_q2d(stream.avg_frame_rate)
                          : 0.0;
  return QStringLiteral("%1 x %2, %3 Bits, %4 Frames, %5 Frames/Sec, %6")
      .arg(codec.width)
      .arg(codec.height)
      .arg(bits)
      .arg(QString::number(std::llround(std::max(0.0, lengthSeconds) * rate)))
      .arg(FormatMeasure(rate))
      .arg(CodecName(StreamTag(codec)));
}

QString AudioDetails(const AVCodecParameters& codec) {
  const int channels = codec.ch_layout.nb_channels;
  const QString layout = channels == 1   ? QStringLiteral("Mono")
                         : channels == 2 ? QStringLiteral("Stereo")
                                         : QStringLiteral("%1 Channels").arg(channels);
  return QStringLiteral("%1, %2 kBit/s, %3 kHz, %4")
      .arg(WaveFormatName(int(StreamTag(codec))))
      .arg(FormatMeasure(double(codec.bit_rate) / 1000))
      .arg(FormatMeasure(codec.sample_rate / 1000.0))
      .arg(layout);
}

}  // namespace

QString FormatMeasure(double value) {
  if (value == std::floor(value)) {
    return QString::number(qint64(value));
  }
  return QString::number(value, 'f', 3);
}

QString DescribeMediaFile(const QString& fileName) {
  if (MediaExtension(fileName).compare(QLatin1String(".mpc"), Qt::CaseInsensitive) == 0) {
    return QString();
  }
  AVFormatContext* opened = nullptr;
  if (avformat_open_input(&opened, fileName.toUtf8().constData(), nullptr, nullptr) < 0) {
    return QStringLiteral("Not supported mediafile or codec not found.") + kLineBreak;
  }
  const Input input(opened);
  if (avformat_find_stream_info(input.get(), nullptr) < 0) {
    return QStringLiteral("Can´t read fileinformation.");
  }
  if (input->nb_streams == 0) {
    return QString();
  }
  const double length = LengthSeconds(*input);
  QString text = QStringLiteral("Media length: ") + LengthText(length) + kLineBreak;
  for (unsigned i = 0; i < input->nb_streams; ++i) {
    const AVStream& stream = *input->streams[i];
    const AVMediaType type = stream.codecpar->codec_type;
    QString details = QStringLiteral("Unknown");
    if (type == AVMEDIA_TYPE_VIDEO) {
      details = VideoDetails(stream, length);
    } else if (type == AVMEDIA_TYPE_AUDIO) {
      details = AudioDetails(*stream.codecpar);
    }
    text += MajorTypeName(type) + QStringLiteral(" format: ") + details + kLineBreak;
  }
  return text;
}
