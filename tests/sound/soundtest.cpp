#include "soundtest.h"

#include <QDataStream>
#include <QFile>
#include <cmath>
#include <cstdlib>

void MemoryOutputTest::SetUp() {
  ASSERT_TRUE(ZSoundInit(kZSoundMemoryDevice, kRate, 0)) << ZSoundErrorText(ZSoundErrorCode());
}

std::vector<float> MemoryOutputTest::Render(int frames) {
  std::vector<float> out;
  EXPECT_TRUE(ZSoundRenderMemory(frames, &out));
  return out;
}

std::vector<float> MemoryOutputTest::Take(const std::vector<float>& frames, int channels,
                                          int which) {
  std::vector<float> one;
  for (size_t i = static_cast<size_t>(which); i < frames.size(); i += channels) {
    one.push_back(frames[i]);
  }
  return one;
}

QString MakeSine(const ScratchFolder& scratch, const QString& name, int frequency, double seconds,
                 const QStringList& encoder) {
  const QString path = scratch.file(name);
  QStringList args{
      "-hide_banner",
      "-loglevel",
      "error",
      "-y",
      "-f",
      "lavfi",
      "-i",
      QString("sine=frequency=%1:sample_rate=44100:duration=%2").arg(frequency).arg(seconds),
      "-ac",
      "2"};
  args << encoder << path;
  QString output;
  EXPECT_EQ(RunProgram("ffmpeg", args, &output), 0) << output.toStdString();
  return path;
}

QString MakeWav(const ScratchFolder& scratch, const QString& name, int frames, int rate,
                int16_t (*sample)(int frame, int channel)) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  const quint32 dataBytes = static_cast<quint32>(frames) * 4;
  out.writeRawData("RIFF", 4);
  out << quint32(36 + dataBytes);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(2) << quint32(rate) << quint32(rate * 4) << quint16(4)
      << quint16(16);
  out.writeRawData("data", 4);
  out << dataBytes;
  for (int i = 0; i < frames; ++i) {
    out << sample(i, 0) << sample(i, 1);
  }
  const QString path = scratch.file(name);
  WriteBytes(path, bytes);
  return path;
}

QString MakeModule(const ScratchFolder& scratch, const QString& name) {
  QByteArray mod(20, '\0');
  mod.replace(0, 4, "test");
  // Sample 1: a looped 64-byte square wave; samples 2-31 empty.
  const int sampleWords = 32;
  for (int s = 0; s < 31; ++s) {
    QByteArray header(30, '\0');
    if (s == 0) {
      header[22] = 0;
      header[23] = sampleWords;  // length in words, big-endian
      header[25] = 64;           // volume
      header[28] = 0;
      header[29] = sampleWords;  // loop length
    }
    mod.append(header);
  }
  mod.append(char(1));    // song length
  mod.append(char(127));  // restart byte
  QByteArray order(128, '\0');
  mod.append(order);
  mod.append("M.K.");
  QByteArray pattern(64 * 4 * 4, '\0');
  // Row 0, channel 0: sample 1 at period 428 (C-2).
  pattern[0] = char(0x01);
  pattern[1] = char(0xAC);
  pattern[2] = char(0x10);
  mod.append(pattern);
  for (int i = 0; i < sampleWords * 2; ++i) {
    mod.append(char(i < sampleWords ? 100 : -100));
  }
  const QString path = scratch.file(name);
  WriteBytes(path, mod);
  return path;
}

void UseDummyAudioDriver() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
}

double ZeroCrossingFrequency(const std::vector<float>& mono, int rate) {
  int first = -1;
  int last = -1;
  int crossings = 0;
  for (size_t i = 1; i < mono.size(); ++i) {
    if (mono[i - 1] < 0 && mono[i] >= 0) {
      if (first < 0) {
        first = static_cast<int>(i);
      } else {
        ++crossings;
      }
      last = static_cast<int>(i);
    }
  }
  if (crossings == 0) {
    return 0;
  }
  return static_cast<double>(crossings) * rate / (last - first);
}

double Rms(const std::vector<float>& mono, size_t from, size_t to) {
  to = std::min(to, mono.size());
  double sum = 0;
  for (size_t i = from; i < to; ++i) {
    sum += static_cast<double>(mono[i]) * mono[i];
  }
  return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

double Decibels(double ratio) {
  return 20.0 * std::log10(ratio);
}
