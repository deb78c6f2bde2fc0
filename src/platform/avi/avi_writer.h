// AVI files of one video stream, written through libavformat's AVI muxer.
//
// Frames come in as bottom-up rows of 24-bit pixels (blue, green, red), the layout of an
// uncompressed device-independent bitmap. Uncompressed files store these bytes as they are
// (raw video, bottom-up), so the stream format is the bitmap's 40-byte information header;
// every other choice encodes them through libavcodec after libswscale has converted them to a
// pixel format the encoder takes. Encoders never reorder frames (no B-frames).
//
// Every packet write, the file's I/O error state, the trailer and the close are checked: a
// writer reports success only for a file that was written completely.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace avi {

// The four-character code of a text ("vids" -> 0x73646976), first character in the low byte.
uint32_t FourCC(const char (&code)[5]);

// One compressor the AVI muxer accepts.
struct EncoderInfo {
  std::string name;    // libavcodec encoder name; empty for uncompressed
  std::string title;   // name shown to the user
  uint32_t fourcc = 0;  // the codec's AVI four-character code; 0 for uncompressed
  bool quality = false;    // takes a quality setting
  bool keyFrames = false;  // takes a key-frame interval
  bool dataRate = false;   // takes a data rate
};

// The compressors that can write AVI files here, hardware and experimental encoders left out:
// "Uncompressed" first, then MJPEG, FFV1 and MPEG-4 part 2, then the others by name. Built
// once per process.
const std::vector<EncoderInfo>& AviEncoders();
// The entry of that four-character code (the first one in list order); nullptr when none.
const EncoderInfo* FindEncoder(uint32_t fourcc);

// What the compressor dialog chose. Quality is 0..10000 (higher is better), -1 for the
// encoder's default; a key-frame interval of 0 and a data rate of 0 leave the encoder's
// defaults. Settings an encoder does not take are ignored.
struct CompressOptions {
  uint32_t fourcc = 0;  // 0: uncompressed
  int32_t quality = -1;
  int32_t keyFrameEvery = 0;
  int32_t bytesPerSecond = 0;
};

class AviWriter {
 public:
  AviWriter();
  ~AviWriter();  // a writer still open is closed; an unfinished file is left to the caller
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // Creates the file (replacing one of that name) with one video stream of width x height
  // pixels at `framesPerSecond` frames a second (rate = frames per second, scale 1) and writes
  // its header. The width must be a multiple of 4 (bitmap rows then need no padding) and both
  // sizes 1 or more; the rate 1 or more. False, with error() set, when anything fails; the
  // writer is then closed.
  bool Open(const std::string& path, int32_t width, int32_t height, int32_t framesPerSecond,
            const CompressOptions& options);
  // The same on a file the caller has created and opened for writing (an empty one): the
  // writer takes `fd` over and closes it, also when opening fails. The path form opens its
  // file without following a link at the name.
  bool Open(int fd, int32_t width, int32_t height, int32_t framesPerSecond, const CompressOptions& options);
  bool isOpen() const;

  // Appends one frame: exactly width x height x 3 bytes of bottom-up 24-bit rows. False when
  // the frame has another size, the encoder or the muxer refuses it, or the file cannot be
  // written; the frame is then not counted.
  bool WriteFrame(std::span<const uint8_t> bits);
  int64_t framesWritten() const;

  // Drains the encoder, writes the trailer (the index and the final header) and closes the
  // file. True only when all of that and every write before succeeded. Closing a closed
  // writer returns false.
  bool Close();

  const std::string& error() const { return error_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string error_;
  bool failed_ = false;
  bool Fail(const std::string& what, int code);
  bool WritePacket(void* packet);
  bool Drain(bool flush);
  void Release();
};

}  // namespace avi
