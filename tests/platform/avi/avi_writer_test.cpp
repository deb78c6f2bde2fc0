#include "platform/avi/avi_writer.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "support/test_support.h"

namespace {

// What libavformat reads back from a file.
struct ReadBack {
  bool opened = false;
  int64_t packets = 0;
  int64_t headerFrames = 0;
  int width = 0, height = 0;
  AVCodecID codec = AV_CODEC_ID_NONE;
  AVRational rate{0, 1};
  std::vector<uint8_t> firstFrameTopRow;  // decoded first frame, top row, as BGR bytes
};

ReadBack Read(const std::string& path, bool decodeFirst = false) {
  ReadBack r;
  AVFormatContext* fc = nullptr;
  if (avformat_open_input(&fc, path.c_str(), nullptr, nullptr) < 0) return r;
  if (avformat_find_stream_info(fc, nullptr) < 0 || fc->nb_streams != 1) {
    avformat_close_input(&fc);
    return r;
  }
  r.opened = true;
  AVStream* st = fc->streams[0];
  r.width = st->codecpar->width;
  r.height = st->codecpar->height;
  r.codec = st->codecpar->codec_id;
  r.headerFrames = st->nb_frames;
  r.rate = st->avg_frame_rate;
  AVCodecContext* dec = nullptr;
  if (decodeFirst) {
    const AVCodec* codec = avcodec_find_decoder(r.codec);
    dec = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(dec, st->codecpar);
    if (avcodec_open2(dec, codec, nullptr) < 0) avcodec_free_context(&dec);
  }
  AVPacket* pkt = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  while (av_read_frame(fc, pkt) >= 0) {
    ++r.packets;
    if (dec != nullptr && r.firstFrameTopRow.empty() && avcodec_send_packet(dec, pkt) >= 0 &&
        avcodec_receive_frame(dec, frame) >= 0 && frame->format == AV_PIX_FMT_BGR24) {
      r.firstFrameTopRow.assign(frame->data[0], frame->data[0] + frame->width * 3);
    }
    av_packet_unref(pkt);
  }
  av_frame_free(&frame);
  av_packet_free(&pkt);
  avcodec_free_context(&dec);
  avformat_close_input(&fc);
  return r;
}

// Bottom-up 24-bit frame n: a grey level that changes from frame to frame and a top row
// (the last row of the buffer) of pure red.
std::vector<uint8_t> Frame(int w, int h, int n) {
  std::vector<uint8_t> bits(static_cast<size_t>(w) * h * 3, static_cast<uint8_t>(16 + 8 * n));
  uint8_t* top = bits.data() + static_cast<size_t>(w) * (h - 1) * 3;
  for (int x = 0; x < w; ++x) {
    top[3 * x] = 0;
    top[3 * x + 1] = 0;
    top[3 * x + 2] = 255;
  }
  return bits;
}

struct Case {
  const char* fourcc;  // "" for uncompressed
  AVCodecID codec;
};

class AviWriterTable : public ::testing::TestWithParam<Case> {};

TEST_P(AviWriterTable, WritesFramesThatReadBack) {
  const Case c = GetParam();
  const uint32_t fourcc = *c.fourcc ? avi::FourCC(*reinterpret_cast<const char(*)[5]>(c.fourcc)) : 0;
  if (fourcc != 0) {
    ASSERT_NE(avi::FindEncoder(fourcc), nullptr) << c.fourcc;
  }
  const std::string dir = testsupport::MakeTempDir();
  const std::string path = dir + "/clip.avi";
  constexpr int kW = 64, kH = 48, kFrames = 7;

  avi::AviWriter writer;
  avi::CompressOptions options;
  options.fourcc = fourcc;
  ASSERT_TRUE(writer.Open(path, kW, kH, 12, options)) << writer.error();
  for (int n = 0; n < kFrames; ++n) ASSERT_TRUE(writer.WriteFrame(Frame(kW, kH, n))) << writer.error();
  EXPECT_EQ(writer.framesWritten(), kFrames);
  ASSERT_TRUE(writer.Close()) << writer.error();
  EXPECT_FALSE(writer.isOpen());

  const ReadBack r = Read(path, fourcc == 0);
  ASSERT_TRUE(r.opened);
  EXPECT_EQ(r.packets, kFrames);
  EXPECT_EQ(r.headerFrames, kFrames);
  EXPECT_EQ(r.width, kW);
  EXPECT_EQ(r.height, kH);
  EXPECT_EQ(r.codec, c.codec);
  EXPECT_EQ(av_cmp_q(r.rate, AVRational{12, 1}), 0);
  if (fourcc == 0) {
    // Bottom-up bits stored as they are and read back with the top row on top.
    ASSERT_EQ(r.firstFrameTopRow.size(), static_cast<size_t>(kW) * 3);
    EXPECT_EQ(r.firstFrameTopRow[2], 255);
    EXPECT_EQ(r.firstFrameTopRow[0], 0);
  }
  std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Compressors, AviWriterTable,
                         ::testing::Values(Case{"", AV_CODEC_ID_RAWVIDEO}, Case{"MJPG", AV_CODEC_ID_MJPEG},
                                           Case{"FFV1", AV_CODEC_ID_FFV1}, Case{"FMP4", AV_CODEC_ID_MPEG4},
                                           Case{"HFYU", AV_CODEC_ID_HUFFYUV}, Case{"ULRA", AV_CODEC_ID_UTVIDEO},
                                           Case{"H264", AV_CODEC_ID_H264}, Case{"VP80", AV_CODEC_ID_VP8}));

TEST(AviWriter, UncompressedStreamFormatIsTheBitmapHeader) {
  const std::string dir = testsupport::MakeTempDir();
  const std::string path = dir + "/raw.avi";
  avi::AviWriter writer;
  ASSERT_TRUE(writer.Open(path, 320, 240, 24, {}));
  ASSERT_TRUE(writer.WriteFrame(std::vector<uint8_t>(320 * 240 * 3)));
  ASSERT_TRUE(writer.Close());
  const std::string bytes = testsupport::ReadFile(path);
  const size_t at = bytes.find("strf");
  ASSERT_NE(at, std::string::npos);
  const uint8_t expected[44] = {40, 0, 0, 0,                          // chunk size
                                40, 0, 0, 0, 0x40, 1, 0, 0, 240, 0, 0, 0,  // size, width, height (bottom-up)
                                1, 0, 24, 0, 0, 0, 0, 0,              // planes, bits, uncompressed
                                0x00, 0x84, 0x03, 0,                  // 230400 bytes of bits
                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_GE(bytes.size(), at + 4 + sizeof expected);
  EXPECT_EQ(0, std::memcmp(bytes.data() + at + 4, expected, sizeof expected));
  std::filesystem::remove_all(dir);
}

TEST(AviWriter, EncoderListStartsWithTheCommonCompressors) {
  const auto& list = avi::AviEncoders();
  ASSERT_GE(list.size(), 4u);
  EXPECT_EQ(list[0].title, "Uncompressed");
  EXPECT_EQ(list[0].fourcc, 0u);
  EXPECT_EQ(list[1].name, "mjpeg");
  EXPECT_EQ(list[2].name, "ffv1");
  EXPECT_EQ(list[3].name, "mpeg4");
  EXPECT_TRUE(std::is_sorted(list.begin() + 4, list.end(),
                             [](const avi::EncoderInfo& a, const avi::EncoderInfo& b) { return a.title < b.title; }));
  for (const auto& e : list) {
    EXPECT_EQ(e.name.find("vaapi"), std::string::npos) << e.name;
    EXPECT_EQ(e.name.find("_omx"), std::string::npos) << e.name;
    EXPECT_NE(e.name, "rawvideo");
  }
  // A choice is stored by its code: each code is listed once and finds that very entry.
  for (const auto& e : list) {
    SCOPED_TRACE(e.name);
    const avi::EncoderInfo* found = avi::FindEncoder(e.fourcc);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, e.name);
  }
  // H.263+ (any frame size) stands for the code it shares with plain H.263.
  if (avcodec_find_encoder_by_name("h263p") != nullptr) {
    EXPECT_EQ(avi::FindEncoder(avi::FourCC("H263"))->name, "h263p");
  }
  // Lossless compressors take neither quality nor data rate; MPEG-4 takes all three.
  EXPECT_FALSE(avi::FindEncoder(avi::FourCC("FFV1"))->quality);
  EXPECT_FALSE(list[1].keyFrames);  // MJPEG has only key frames
  const avi::EncoderInfo* mpeg4 = avi::FindEncoder(avi::FourCC("FMP4"));
  EXPECT_TRUE(mpeg4->quality && mpeg4->keyFrames && mpeg4->dataRate);
  EXPECT_EQ(avi::FourCC("vids"), 0x73646976u);
}

TEST(AviWriter, QualityKeyFramesAndDataRateAreTaken) {
  const std::string dir = testsupport::MakeTempDir();
  for (const avi::CompressOptions& o :
       {avi::CompressOptions{avi::FourCC("FMP4"), 10000, 2, 0}, avi::CompressOptions{avi::FourCC("FMP4"), 0, 0, 0},
        avi::CompressOptions{avi::FourCC("FMP4"), -1, 0, 100000}, avi::CompressOptions{avi::FourCC("H264"), 5000, 3, 0}}) {
    avi::AviWriter writer;
    ASSERT_TRUE(writer.Open(dir + "/q.avi", 64, 48, 10, o)) << writer.error();
    for (int n = 0; n < 4; ++n) ASSERT_TRUE(writer.WriteFrame(Frame(64, 48, n)));
    ASSERT_TRUE(writer.Close()) << writer.error();
    EXPECT_EQ(Read(dir + "/q.avi").packets, 4);
  }
  std::filesystem::remove_all(dir);
}

TEST(AviWriter, RefusesBadSizesAndFramesOfAnotherSize) {
  const std::string dir = testsupport::MakeTempDir();
  avi::AviWriter writer;
  EXPECT_FALSE(writer.Open(dir + "/a.avi", 30, 20, 10, {}));  // width not a multiple of 4
  EXPECT_FALSE(writer.Open(dir + "/a.avi", 32, 0, 10, {}));
  EXPECT_FALSE(writer.Open(dir + "/a.avi", 32, 20, 0, {}));
  EXPECT_FALSE(writer.Open(dir + "/missing/a.avi", 32, 20, 10, {}));
  EXPECT_FALSE(writer.isOpen());
  EXPECT_FALSE(writer.Open(dir + "/a.avi", 32, 20, 10, {avi::FourCC("ZZZZ"), -1, 0, 0}));

  ASSERT_TRUE(writer.Open(dir + "/a.avi", 32, 20, 10, {}));
  EXPECT_FALSE(writer.WriteFrame(std::vector<uint8_t>(32 * 20 * 3 + 1)));
  EXPECT_FALSE(writer.WriteFrame(std::vector<uint8_t>(32 * 20 * 3 - 3)));
  EXPECT_TRUE(writer.WriteFrame(std::vector<uint8_t>(32 * 20 * 3)));
  EXPECT_EQ(writer.framesWritten(), 1);
  EXPECT_TRUE(writer.Close());
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(Read(dir + "/a.avi").packets, 1);
  std::filesystem::remove_all(dir);
}

// A link at the file's name is not written through; a descriptor the caller created is written
// whatever its name says meanwhile.
TEST(AviWriter, WritesTheFileItWasGivenNeverThroughALink) {
  const std::string dir = testsupport::MakeTempDir();
  testsupport::WriteFile(dir + "/victim", "keep");
  std::filesystem::create_symlink(dir + "/victim", dir + "/link.avi");
  avi::AviWriter writer;
  EXPECT_FALSE(writer.Open(dir + "/link.avi", 32, 20, 10, {}));
  EXPECT_EQ(testsupport::ReadFile(dir + "/victim"), "keep");

  const int fd = ::open((dir + "/own.avi").c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  std::filesystem::rename(dir + "/own.avi", dir + "/moved.avi");
  ASSERT_TRUE(writer.Open(fd, 32, 20, 10, {avi::FourCC("FFV1"), -1, 0, 0}));
  EXPECT_TRUE(writer.WriteFrame(std::vector<uint8_t>(32 * 20 * 3)));
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(Read(dir + "/moved.avi").packets, 1);
  EXPECT_FALSE(std::filesystem::exists(dir + "/own.avi"));
  // A refused open still closes the descriptor it took.
  const int refused = ::open((dir + "/bad.avi").c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  ASSERT_GE(refused, 0);
  EXPECT_FALSE(writer.Open(refused, 30, 20, 10, {}));
  EXPECT_EQ(::fcntl(refused, F_GETFD), -1);
  std::filesystem::remove_all(dir);
}

// Writes 20 frames of 320 x 240 under a file-size limit in a child process; the exit code
// tells what the writer reported: 0 all succeeded, 1 a write or the close failed, 2 the open
// failed.
int WriteUnderSizeLimit(const std::string& path, rlim_t limit, uint32_t fourcc) {
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{limit, limit};
    setrlimit(RLIMIT_FSIZE, &lim);
    avi::AviWriter writer;
    if (!writer.Open(path, 320, 240, 24, {fourcc, -1, 0, 0})) _exit(2);
    bool ok = true;
    // Noise, so that no compressor can keep the file under the limit.
    std::vector<uint8_t> bits(320 * 240 * 3);
    uint32_t seed = 12345;
    for (int n = 0; n < 20 && ok; ++n) {
      for (uint8_t& b : bits) b = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
      ok = writer.WriteFrame(bits);
    }
    ok = writer.Close() && ok;
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AviWriter, FullDiskIsReportedNotSuccess) {
  const std::string dir = testsupport::MakeTempDir();
  EXPECT_EQ(WriteUnderSizeLimit(dir + "/raw.avi", 1 << 20, 0), 1);
  EXPECT_EQ(WriteUnderSizeLimit(dir + "/ffv1.avi", 1 << 16, avi::FourCC("FFV1")), 1);
  // The same writes without a limit succeed.
  EXPECT_EQ(WriteUnderSizeLimit(dir + "/ok.avi", RLIM_INFINITY, 0), 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
