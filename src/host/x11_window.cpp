#include "host/x11_window.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace host {

namespace {

xcb_connection_t* Connection() {
  static xcb_connection_t* conn = [] {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
      xcb_disconnect(c);
      return static_cast<xcb_connection_t*>(nullptr);
    }
    return c;
  }();
  return conn;
}

}  // namespace

bool X11WindowSize(uint32_t window, int32_t& width, int32_t& height) {
  xcb_connection_t* c = Connection();
  if (!c || window == 0) return false;
  xcb_generic_error_t* err = nullptr;
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &err);
  std::free(err);
  if (!g) return false;
  width = g->width;
  height = g->height;
  std::free(g);
  return true;
}

bool X11WindowExists(uint32_t window) {
  int32_t w = 0, h = 0;
  return X11WindowSize(window, w, h);
}

}  // namespace host
