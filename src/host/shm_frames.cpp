#include "host/shm_frames.h"

#include <QGuiApplication>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <bit>
#include <cstdlib>
#include <limits>

namespace host {
namespace {

SharedFrames*& active() {
  static SharedFrames* s = nullptr;
  return s;
}

// The connection of the running Qt application when it draws through xcb onto a display on
// this machine that takes shared memory by file descriptor; nullptr otherwise.
xcb_connection_t* SharedMemoryConnection() {
  if (std::endian::native != std::endian::little) return nullptr;
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (app == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
  if (c == nullptr || xcb_connection_has_error(c)) return nullptr;
  // File descriptors pass over a local socket only.
  sockaddr_storage addr{};
  socklen_t len = sizeof addr;
  if (getsockname(xcb_get_file_descriptor(c), reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
      addr.ss_family != AF_UNIX)
    return nullptr;
  if (xcb_get_setup(c)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return nullptr;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_shm_id);
  if (ext == nullptr || !ext->present) return nullptr;
  xcb_shm_query_version_reply_t* v = xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
  const bool fdPassing = v != nullptr && (v->major_version > 1 || (v->major_version == 1 && v->minor_version >= 2));
  std::free(v);
  return fdPassing ? c : nullptr;
}

// The visual `id` of the display is true colour with red, green and blue in bits 16-23, 8-15
// and 0-7, and depth-24 images take 32 bits a pixel: the frame's own layout.
bool FrameLayoutVisual(const xcb_setup_t* setup, xcb_visualid_t id) {
  bool pixelsFit = false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == 24) pixelsFit = f.data->bits_per_pixel == 32 && f.data->scanline_pad == 32;
  if (!pixelsFit) return false;
  for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
    for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d)) {
      if (d.data->depth != 24) continue;
      for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
        if (v.data->visual_id == id)
          return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xFF0000u &&
                 v.data->green_mask == 0xFF00u && v.data->blue_mask == 0xFFu;
    }
  return false;
}

template <class T>
bool Fits(int64_t v) {
  return v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max();
}

}  // namespace

SharedFrames* activeSharedFrames() { return active(); }

SharedFrames::SharedFrames() {
  if (active() != nullptr) return;  // one at a time
  conn_ = SharedMemoryConnection();
  if (conn_ == nullptr) return;
  segments_.reserve(4);
  active() = this;
  installed_ = true;
  presentation::InstallFrameMemory(this);
}

SharedFrames::~SharedFrames() {
  if (!installed_) return;
  presentation::InstallFrameMemory(nullptr);
  active() = nullptr;
  for (const Segment& s : segments_) Detach(s);
  segments_.clear();
  if (gc_ != 0) xcb_free_gc(conn_, gc_);
  xcb_flush(conn_);
}

void* SharedFrames::Allocate(std::size_t bytes) noexcept {
  if (conn_ == nullptr || xcb_connection_has_error(conn_) || segments_.size() == segments_.capacity()) return nullptr;
  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  if (bytes > std::numeric_limits<size_t>::max() - page) return nullptr;
  const size_t length = (bytes + page - 1) / page * page;
  const int fd = memfd_create("zorvane-frame", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  void* p = MAP_FAILED;
  if (ftruncate(fd, static_cast<off_t>(length)) == 0) p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (p == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  // The server maps the segment itself, read only; xcb closes the descriptor once it is sent.
  const uint32_t id = xcb_generate_id(conn_);
  xcb_generic_error_t* err = xcb_request_check(conn_, xcb_shm_attach_fd_checked(conn_, id, fd, 1));
  if (err != nullptr) {
    std::free(err);
    munmap(p, length);
    return nullptr;
  }
  segments_.push_back(Segment{id, static_cast<uint8_t*>(p), length});  // within the reserved capacity
  return p;
}

bool SharedFrames::Release(void* block, std::size_t) noexcept {
  for (auto it = segments_.begin(); it != segments_.end(); ++it) {
    if (it->base != block) continue;
    Detach(*it);
    segments_.erase(it);
    xcb_flush(conn_);
    return true;
  }
  return false;
}

void SharedFrames::Detach(const Segment& s) {
  xcb_shm_detach(conn_, s.id);
  munmap(s.base, s.bytes);
}

const SharedFrames::Segment* SharedFrames::Find(const void* p, size_t bytes) const {
  const auto* b = static_cast<const uint8_t*>(p);
  for (const Segment& s : segments_)
    if (b >= s.base && b < s.base + s.bytes && bytes <= static_cast<size_t>(s.base + s.bytes - b)) return &s;
  return nullptr;
}

bool SharedFrames::WindowFits(uint32_t window) {
  if (window == window_) return windowFits_;
  if (gc_ != 0) xcb_free_gc(conn_, gc_);
  gc_ = 0;
  window_ = window;
  windowFits_ = false;
  xcb_get_window_attributes_reply_t* a =
      xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, window), nullptr);
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr);
  if (a != nullptr && g != nullptr && g->depth == 24 && FrameLayoutVisual(xcb_get_setup(conn_), a->visual)) {
    gc_ = xcb_generate_id(conn_);
    const uint32_t noExposures = 0;
    xcb_create_gc(conn_, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    windowFits_ = true;
  }
  std::free(a);
  std::free(g);
  return windowFits_;
}

bool SharedFrames::Put(uint32_t window, const uint32_t* bits, int32_t rowPixels, int32_t rows, int32_t srcX,
                       int32_t srcY, int32_t width, int32_t height, int32_t dstX, int32_t dstY) {
  if (conn_ == nullptr || xcb_connection_has_error(conn_) || window == 0 || bits == nullptr) return false;
  if (rowPixels <= 0 || rows <= 0 || width <= 0 || height <= 0 || srcX < 0 || srcY < 0 ||
      int64_t{srcX} + width > rowPixels || int64_t{srcY} + height > rows)
    return false;
  if (!Fits<uint16_t>(rowPixels) || !Fits<uint16_t>(rows) || !Fits<int16_t>(dstX) || !Fits<int16_t>(dstY))
    return false;
  const Segment* s = Find(bits, static_cast<size_t>(rowPixels) * static_cast<size_t>(rows) * 4);
  if (s == nullptr) return false;
  const auto offset = static_cast<size_t>(reinterpret_cast<const uint8_t*>(bits) - s->base);
  if (offset > std::numeric_limits<uint32_t>::max() || !WindowFits(window)) return false;
  // The reply to the check comes after the server has copied the pixels, so the next frame
  // may be drawn into the segment.
  xcb_generic_error_t* err = xcb_request_check(
      conn_, xcb_shm_put_image_checked(conn_, window, gc_, static_cast<uint16_t>(rowPixels), static_cast<uint16_t>(rows),
                                       static_cast<uint16_t>(srcX), static_cast<uint16_t>(srcY),
                                       static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                                       static_cast<int16_t>(dstX), static_cast<int16_t>(dstY), 24,
                                       XCB_IMAGE_FORMAT_Z_PIXMAP, 0, s->id, static_cast<uint32_t>(offset)));
  if (err != nullptr) {
    std::free(err);
    windowFits_ = false;  // this window takes the ordinary path from now on
    return false;
  }
  ++puts_;
  return true;
}

}  // namespace host
