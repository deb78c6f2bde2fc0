// Reads an AVI file back with libavformat: its one stream's size and codec and its packets.
#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct AviReadBack {
  bool opened = false;  // the file opened as a media file with exactly one stream
  int64_t packets = 0;
  int width = 0, height = 0;
  AVCodecID codec = AV_CODEC_ID_NONE;
  std::vector<uint8_t> firstPacket;
};

inline AviReadBack ReadAvi(const std::string& path) {
  AviReadBack r;
  AVFormatContext* fc = nullptr;
  if (avformat_open_input(&fc, path.c_str(), nullptr, nullptr) < 0) return r;
  if (avformat_find_stream_info(fc, nullptr) >= 0 && fc->nb_streams == 1) {
    r.opened = true;
    r.width = fc->streams[0]->codecpar->width;
    r.height = fc->streams[0]->codecpar->height;
    r.codec = fc->streams[0]->codecpar->codec_id;
    AVPacket* pkt = av_packet_alloc();
    while (av_read_frame(fc, pkt) >= 0) {
      if (r.packets++ == 0) r.firstPacket.assign(pkt->data, pkt->data + pkt->size);
      av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
  }
  avformat_close_input(&fc);
  return r;
}

}  // namespace testsupport
