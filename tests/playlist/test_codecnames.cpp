#include <gtest/gtest.h>

#include "playlist/codecnames.h"

TEST(CodecNames, VideoCodes) {
  EXPECT_EQ(VideoCodecCount(), 332);
  EXPECT_EQ(CodecName(FourCC("XVID")), "XviD MPEG-4 codec");
  EXPECT_EQ(CodecName(FourCC("xvid")), QString("Unknown (%1)").arg(qint32(FourCC("xvid"))));
  EXPECT_EQ(CodecName(0), "Unknown (0)");
  EXPECT_EQ(CodecName(0xFFFFFFFFu), "Unknown (-1)");  // printed as a signed value
  EXPECT_EQ(CodecName(FourCC("RGB")), "Full Frames (Uncompressed)");
  EXPECT_EQ(CodecName(FourCC("RAW")), "Full Frames (Uncompressed)");
  EXPECT_EQ(CodecName(FourCC("Y8\0 ")), "Simple grayscale video");
  EXPECT_EQ(CodecName(FourCC("Y800")), "Simple grayscale video");
  EXPECT_EQ(CodecName(FourCC("DIV3")), "DivX ;-) MPEG-4 Low-Motion");
  EXPECT_EQ(CodecName(FourCC("DIVX")), "OpenDivX (DivX 4.0 and later)");
  EXPECT_EQ(CodecName(FourCC("MJPG")), "IBM Motion JPEG including Huffman Tables");
  EXPECT_EQ(CodecName(FourCC("H264")), "H.264");
  EXPECT_EQ(CodecName(FourCC("I420")), "Intel Indeo 4 H.263");
}

TEST(CodecNames, WaveFormats) {
  EXPECT_EQ(WaveFormatCount(), 147);
  EXPECT_EQ(WaveFormatName(85), "MPEG1 Layer-3");
  EXPECT_EQ(WaveFormatName(9), "Unknown (9)");
  EXPECT_EQ(WaveFormatName(-2), "Unknown (-2)");
  EXPECT_EQ(WaveFormatName(0), "Unknown Wave");
  EXPECT_EQ(WaveFormatName(26481), "Ogg Vorbis (mode 3+)");
  EXPECT_EQ(WaveFormatName(65535), "In Development / Unregistered");
}
