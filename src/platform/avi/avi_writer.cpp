#include "platform/avi/avi_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <array>
#include <limits>
#include <mutex>
#include <string_view>

namespace avi {
namespace {

// Encoder wrappers and name suffixes of hardware encoders (their sessions need devices this
// program does not set up).
constexpr std::array<std::string_view, 12> kHardwareSuffixes = {
    "omx", "qsv", "nvenc", "vaapi", "v4l2m2m", "amf", "mediacodec", "videotoolbox", "mf", "rkmpp", "mmal", "cuvid"};

// The compressors listed right after "Uncompressed", in this order.
constexpr std::array<std::string_view, 3> kFirstEncoders = {"mjpeg", "ffv1", "mpeg4"};
// A compressor is chosen and stored by its four-character code, so the list holds one
// compressor per code. Where several share a code the one listed first stays, except that
// these win over a later-sorted namesake: H.263+ takes any frame size, plain H.263 only five.
constexpr std::array<std::string_view, 1> kPreferredOnSharedCode = {"h263p"};

void QuietLibraries() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

const AVOutputFormat* AviFormat() { return av_guess_format("avi", nullptr, nullptr); }

bool IsHardware(const AVCodec* codec) {
  constexpr int kExcluded = AV_CODEC_CAP_HARDWARE | AV_CODEC_CAP_HYBRID | AV_CODEC_CAP_EXPERIMENTAL;
  if (codec->capabilities & kExcluded) return true;
  if (avcodec_get_hw_config(codec, 0) != nullptr) return true;
  if (codec->wrapper_name != nullptr && std::string_view(codec->wrapper_name).substr(0, 3) != "lib") return true;
  const std::string_view name(codec->name);
  const size_t underscore = name.rfind('_');
  if (underscore == std::string_view::npos) return false;
  const std::string_view suffix = name.substr(underscore + 1);
  return std::find(kHardwareSuffixes.begin(), kHardwareSuffixes.end(), suffix) != kHardwareSuffixes.end();
}

bool HasPrivateOption(const AVCodec* codec, const char* option) {
  if (codec->priv_class == nullptr) return false;
  const AVClass* cls = codec->priv_class;
  return av_opt_find(&cls, option, nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ) != nullptr;
}

// Encoders driven by a quantiser scale (the MPEG video family) or by a constant-rate factor.
bool TakesQualityOrRate(const AVCodec* codec) {
  const AVCodecDescriptor* desc = avcodec_descriptor_get(codec->id);
  if (desc == nullptr || !(desc->props & AV_CODEC_PROP_LOSSY)) return false;
  return HasPrivateOption(codec, "mpv_flags") || HasPrivateOption(codec, "crf");
}

AVPixelFormat EncoderPixelFormat(const AVCodec* codec) {
  if (codec->pix_fmts == nullptr) return AV_PIX_FMT_BGR24;
  const AVPixelFormat best = avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, AV_PIX_FMT_BGR24, 0, nullptr);
  if (best != AV_PIX_FMT_NONE && sws_isSupportedOutput(best)) return best;
  for (const AVPixelFormat* p = codec->pix_fmts; *p != AV_PIX_FMT_NONE; ++p) {
    if (sws_isSupportedOutput(*p)) return *p;
  }
  return AV_PIX_FMT_NONE;
}

std::vector<EncoderInfo> BuildEncoderList() {
  QuietLibraries();
  std::vector<EncoderInfo> first(kFirstEncoders.size()), rest;
  const AVOutputFormat* format = AviFormat();
  if (format == nullptr) return {};
  void* it = nullptr;
  while (const AVCodec* codec = av_codec_iterate(&it)) {
    if (!av_codec_is_encoder(codec) || codec->type != AVMEDIA_TYPE_VIDEO) continue;
    if (codec->id == AV_CODEC_ID_RAWVIDEO || IsHardware(codec)) continue;
    if (avformat_query_codec(format, codec->id, FF_COMPLIANCE_NORMAL) != 1) continue;
    const unsigned tag = av_codec_get_tag(format->codec_tag, codec->id);
    if (tag == 0 || EncoderPixelFormat(codec) == AV_PIX_FMT_NONE) continue;
    const AVCodecDescriptor* desc = avcodec_descriptor_get(codec->id);
    EncoderInfo info;
    info.name = codec->name;
    info.title = codec->long_name != nullptr && *codec->long_name ? codec->long_name : codec->name;
    info.fourcc = tag;
    info.quality = info.dataRate = TakesQualityOrRate(codec);
    info.keyFrames = desc != nullptr && !(desc->props & AV_CODEC_PROP_INTRA_ONLY);
    const auto pos = std::find(kFirstEncoders.begin(), kFirstEncoders.end(), info.name);
    if (pos != kFirstEncoders.end()) {
      first[static_cast<size_t>(pos - kFirstEncoders.begin())] = std::move(info);
    } else {
      rest.push_back(std::move(info));
    }
  }
  std::sort(rest.begin(), rest.end(), [](const EncoderInfo& a, const EncoderInfo& b) {
    return a.title != b.title ? a.title < b.title : a.name < b.name;
  });
  const auto preferred = [](const EncoderInfo& e) {
    return std::find(kPreferredOnSharedCode.begin(), kPreferredOnSharedCode.end(), e.name) != kPreferredOnSharedCode.end();
  };
  const auto isFirst = [](const EncoderInfo& e) {
    return std::find(kFirstEncoders.begin(), kFirstEncoders.end(), e.name) != kFirstEncoders.end();
  };
  std::vector<EncoderInfo> list;
  list.push_back(EncoderInfo{"", "Uncompressed", 0, false, false, false});
  const auto add = [&](EncoderInfo&& e) {
    const auto same = std::find_if(list.begin(), list.end(), [&](const EncoderInfo& k) { return k.fourcc == e.fourcc; });
    if (same == list.end()) {
      list.push_back(std::move(e));
    } else if (preferred(e) && !preferred(*same) && !isFirst(*same)) {
      *same = std::move(e);  // takes the place of its namesake
    }
  };
  for (auto& e : first) {
    if (!e.name.empty()) add(std::move(e));
  }
  for (auto& e : rest) add(std::move(e));
  return list;
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

uint32_t FourCC(const char (&code)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 8) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(code[3])) << 24);
}

namespace {

// The muxer writes through these on the writer's own descriptor, so the file it fills is the
// one the caller created, whatever its path names meanwhile.
constexpr int kIoBufferBytes = 1 << 18;

#if LIBAVFORMAT_VERSION_MAJOR >= 61
using IoBytes = const uint8_t*;
#else
using IoBytes = uint8_t*;
#endif

int WriteToFile(void* opaque, IoBytes buf, int size) {
  const int fd = *static_cast<const int*>(opaque);
  int done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, buf + done, static_cast<size_t>(size - done));
    if (n < 0 && errno == EINTR) continue;
    // A file-size limit or a full disk: the write fails (EFBIG, ENOSPC) and the muxer sees it.
    if (n < 0) return AVERROR(errno);
    if (n == 0) return AVERROR(EIO);
    done += static_cast<int>(n);
  }
  return done;
}

int64_t SeekInFile(void* opaque, int64_t offset, int whence) {
  const int fd = *static_cast<const int*>(opaque);
  if (whence == AVSEEK_SIZE) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? static_cast<int64_t>(st.st_size) : AVERROR(errno);
  }
  const off_t at = ::lseek(fd, static_cast<off_t>(offset), whence & ~AVSEEK_FORCE);
  return at < 0 ? AVERROR(errno) : static_cast<int64_t>(at);
}

// Flushes and frees the I/O context and closes the descriptor; the first error met, or 0.
int CloseFileIo(AVIOContext*& pb, int& fd) {
  int result = 0;
  if (pb != nullptr) {
    avio_flush(pb);
    if (pb->error < 0) result = pb->error;
    av_freep(&pb->buffer);
    avio_context_free(&pb);
  }
  if (fd >= 0) {
    if (::close(fd) != 0 && result == 0) result = AVERROR(errno);
    fd = -1;
  }
  return result;
}

}  // namespace

const std::vector<EncoderInfo>& AviEncoders() {
  static const std::vector<EncoderInfo> list = BuildEncoderList();
  return list;
}

const EncoderInfo* FindEncoder(uint32_t fourcc) {
  for (const EncoderInfo& e : AviEncoders()) {
    if (e.fourcc == fourcc) return &e;
  }
  return nullptr;
}

struct AviWriter::Impl {
  int fd = -1;  // the file, owned; written through `format->pb`
  AVFormatContext* format = nullptr;
  AVStream* stream = nullptr;
  AVCodecContext* encoder = nullptr;  // null: raw bottom-up bitmaps
  SwsContext* scaler = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  int32_t width = 0, height = 0;
  int64_t written = 0;
};

AviWriter::AviWriter() = default;
AviWriter::~AviWriter() { Release(); }

bool AviWriter::isOpen() const { return impl_ != nullptr; }
int64_t AviWriter::framesWritten() const { return impl_ ? impl_->written : 0; }

bool AviWriter::Fail(const std::string& what, int code) {
  failed_ = true;
  error_ = code < 0 ? what + ": " + AvError(code) : what;
  return false;
}

void AviWriter::Release() {
  if (!impl_) return;
  Impl& d = *impl_;
  if (d.format != nullptr) {
    CloseFileIo(d.format->pb, d.fd);
  } else if (d.fd >= 0) {
    ::close(d.fd);
  }
  avformat_free_context(d.format);
  avcodec_free_context(&d.encoder);
  sws_freeContext(d.scaler);
  av_frame_free(&d.frame);
  av_packet_free(&d.packet);
  impl_.reset();
}

bool AviWriter::Open(const std::string& path, int32_t width, int32_t height, int32_t framesPerSecond,
                     const CompressOptions& options) {
  // A link at the name is not followed: the file written is the one of that name.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) {
    Release();
    return Fail("cannot create the file", AVERROR(errno));
  }
  return Open(fd, width, height, framesPerSecond, options);
}

bool AviWriter::Open(int fd, int32_t width, int32_t height, int32_t framesPerSecond, const CompressOptions& options) {
  QuietLibraries();
  Release();
  failed_ = false;
  error_.clear();
  impl_ = std::make_unique<Impl>();
  impl_->fd = fd;
  if (width < 1 || height < 1 || width % 4 != 0 || framesPerSecond < 1 ||
      static_cast<int64_t>(width) * height * 3 > std::numeric_limits<int32_t>::max()) {
    Release();
    return Fail("invalid frame size or rate", 0);
  }
  Impl& d = *impl_;
  d.width = width;
  d.height = height;
  const AVRational timeBase{1, framesPerSecond};

  int ret = avformat_alloc_output_context2(&d.format, AviFormat(), nullptr, nullptr);
  if (ret < 0 || d.format == nullptr) {
    Release();
    return Fail("cannot create the AVI muxer", ret);
  }
  d.stream = avformat_new_stream(d.format, nullptr);
  d.packet = av_packet_alloc();
  if (d.stream == nullptr || d.packet == nullptr) {
    Release();
    return Fail("out of memory", 0);
  }
  d.stream->time_base = timeBase;
  d.stream->avg_frame_rate = AVRational{framesPerSecond, 1};

  AVDictionary* muxerOptions = nullptr;
  if (options.fourcc == 0) {
    AVCodecParameters* par = d.stream->codecpar;
    par->codec_type = AVMEDIA_TYPE_VIDEO;
    par->codec_id = AV_CODEC_ID_RAWVIDEO;
    par->format = AV_PIX_FMT_BGR24;
    par->width = width;
    par->height = height;
    par->bits_per_coded_sample = 24;
    par->codec_tag = 0;
    av_dict_set(&muxerOptions, "flipped_raw_rgb", "1", 0);
  } else {
    const EncoderInfo* info = FindEncoder(options.fourcc);
    const AVCodec* codec = info != nullptr ? avcodec_find_encoder_by_name(info->name.c_str()) : nullptr;
    if (codec == nullptr) {
      Release();
      return Fail("no encoder for this compressor", 0);
    }
    const AVPixelFormat pixels = EncoderPixelFormat(codec);
    d.encoder = avcodec_alloc_context3(codec);
    d.frame = av_frame_alloc();
    if (d.encoder == nullptr || d.frame == nullptr) {
      Release();
      return Fail("out of memory", 0);
    }
    AVCodecContext* enc = d.encoder;
    enc->width = width;
    enc->height = height;
    enc->pix_fmt = pixels;
    enc->time_base = timeBase;
    enc->framerate = AVRational{framesPerSecond, 1};
    enc->max_b_frames = 0;
    if (info->keyFrames && options.keyFrameEvery > 0) enc->gop_size = options.keyFrameEvery;
    AVDictionary* codecOptions = nullptr;
    const int32_t quality = std::clamp(options.quality, -1, 10000);
    if (info->dataRate && options.bytesPerSecond > 0) {
      enc->bit_rate = static_cast<int64_t>(options.bytesPerSecond) * 8;
    } else if (info->quality && quality >= 0) {
      if (HasPrivateOption(codec, "crf")) {
        // Constant-rate factor: 0 (best) to 51 for H.264, 4 to 63 for VPx.
        const bool vpx = info->name.rfind("libvpx", 0) == 0;
        const int lo = vpx ? 4 : 0, hi = vpx ? 63 : 51;
        const int crf = hi - (hi - lo) * quality / 10000;
        av_dict_set_int(&codecOptions, "crf", crf, 0);
      } else {
        // Quantiser scale 31 (worst) to 1 (best).
        const int q = 31 - 30 * quality / 10000;
        enc->flags |= AV_CODEC_FLAG_QSCALE;
        enc->global_quality = FF_QP2LAMBDA * q;
      }
    }
    if (d.format->oformat->flags & AVFMT_GLOBALHEADER) enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ret = avcodec_open2(enc, codec, &codecOptions);
    av_dict_free(&codecOptions);
    if (ret < 0) {
      Release();
      return Fail("the compressor cannot encode this frame size", ret);
    }
    ret = avcodec_parameters_from_context(d.stream->codecpar, enc);
    if (ret < 0) {
      Release();
      return Fail("cannot set the stream format", ret);
    }
    d.stream->time_base = timeBase;
    d.frame->format = pixels;
    d.frame->width = width;
    d.frame->height = height;
    ret = av_frame_get_buffer(d.frame, 0);
    d.scaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, pixels,
                              SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (ret < 0 || d.scaler == nullptr) {
      Release();
      return Fail("cannot convert frames for this compressor", ret);
    }
  }

  auto* ioBuffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
  d.format->pb = ioBuffer == nullptr ? nullptr
                                     : avio_alloc_context(ioBuffer, kIoBufferBytes, 1, &d.fd, nullptr, &WriteToFile,
                                                          &SeekInFile);
  if (d.format->pb == nullptr) av_free(ioBuffer);
  // The muxer goes back to complete the headers and the index once the frames are written.
  // Data is buffered up to the buffer's size before it is written (as libavformat does for a
  // file it opens itself), not flushed at every header and packet boundary.
  if (d.format->pb != nullptr) {
    d.format->pb->seekable = AVIO_SEEKABLE_NORMAL;
    d.format->pb->min_packet_size = kIoBufferBytes;
  }
  d.format->flags |= AVFMT_FLAG_CUSTOM_IO;
  ret = d.format->pb == nullptr ? AVERROR(ENOMEM) : 0;
  if (ret < 0) {
    av_dict_free(&muxerOptions);
    Release();
    return Fail("cannot create the file", ret);
  }
  ret = avformat_write_header(d.format, &muxerOptions);
  av_dict_free(&muxerOptions);
  if (ret < 0 || d.format->pb->error < 0) {
    Release();
    return Fail("cannot write the file header", ret < 0 ? ret : 0);
  }
  return true;
}

bool AviWriter::WritePacket(void* p) {
  Impl& d = *impl_;
  AVPacket* pkt = static_cast<AVPacket*>(p);
  pkt->stream_index = d.stream->index;
  if (d.encoder != nullptr) av_packet_rescale_ts(pkt, d.encoder->time_base, d.stream->time_base);
  const int ret = av_write_frame(d.format, pkt);
  av_packet_unref(pkt);
  if (ret < 0) return Fail("cannot write a frame", ret);
  if (d.format->pb->error < 0) return Fail("cannot write the file", d.format->pb->error);
  return true;
}

bool AviWriter::Drain(bool flush) {
  Impl& d = *impl_;
  for (;;) {
    const int ret = avcodec_receive_packet(d.encoder, d.packet);
    if (ret == AVERROR(EAGAIN)) return !flush || Fail("the compressor did not finish", ret);
    if (ret == AVERROR_EOF) return true;
    if (ret < 0) return Fail("the compressor failed", ret);
    if (!WritePacket(d.packet)) return false;
  }
}

bool AviWriter::WriteFrame(std::span<const uint8_t> bits) {
  if (!impl_ || failed_) return false;
  Impl& d = *impl_;
  const size_t rowBytes = static_cast<size_t>(d.width) * 3;
  if (bits.size() != rowBytes * static_cast<size_t>(d.height)) return false;
  if (d.encoder == nullptr) {
    // Raw bitmaps go to the muxer as they are; the packet only borrows the bytes.
    AVPacket* pkt = d.packet;
    pkt->data = const_cast<uint8_t*>(bits.data());
    pkt->size = static_cast<int>(bits.size());
    pkt->pts = pkt->dts = d.written;
    pkt->duration = 1;
    pkt->flags |= AV_PKT_FLAG_KEY;
    if (!WritePacket(pkt)) return false;
  } else {
    int ret = av_frame_make_writable(d.frame);
    if (ret < 0) return Fail("out of memory", ret);
    // Bottom-up rows: start at the last one and step backwards, so the encoder sees the top row
    // first.
    const uint8_t* src[1] = {bits.data() + rowBytes * static_cast<size_t>(d.height - 1)};
    const int srcStride[1] = {-static_cast<int>(rowBytes)};
    if (sws_scale(d.scaler, src, srcStride, 0, d.height, d.frame->data, d.frame->linesize) != d.height) {
      return Fail("cannot convert the frame", 0);
    }
    d.frame->pts = d.written;
    ret = avcodec_send_frame(d.encoder, d.frame);
    if (ret < 0) return Fail("the compressor refused a frame", ret);
    if (!Drain(false)) return false;
  }
  ++d.written;
  return true;
}

bool AviWriter::Close() {
  if (!impl_) return false;
  Impl& d = *impl_;
  if (!failed_ && d.encoder != nullptr) {
    const int ret = avcodec_send_frame(d.encoder, nullptr);
    if (ret < 0) {
      Fail("the compressor failed", ret);
    } else {
      Drain(true);
    }
  }
  if (!failed_) {
    const int ret = av_write_trailer(d.format);
    if (ret < 0) {
      Fail("cannot finish the file", ret);
    } else if (d.format->pb->error < 0) {
      Fail("cannot write the file", d.format->pb->error);
    }
  }
  const int closed = CloseFileIo(d.format->pb, d.fd);
  if (closed < 0 && !failed_) Fail("cannot close the file", closed);
  Release();
  return !failed_;
}

}  // namespace avi
