// Private X servers started at the same moment (test programs run side by side): each session gets
// a server of its own, never another session's.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "e2e/xvfb_session.h"

TEST(XvfbSessions, SessionsStartedTogetherEachTalkToTheirOwnServer) {
  constexpr int kSessions = 4;
  std::vector<std::unique_ptr<e2e::XvfbSession>> sessions(kSessions);
  std::vector<std::thread> starts;
  // Screens of different widths tell the servers apart.
  for (int i = 0; i < kSessions; ++i)
    starts.emplace_back([&sessions, i] { sessions[i] = std::make_unique<e2e::XvfbSession>(200 + 10 * i, 100); });
  for (std::thread& t : starts) t.join();

  std::set<std::string> displays;
  for (int i = 0; i < kSessions; ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(sessions[i]->ok()) << "the server did not start";
    displays.insert(sessions[i]->display());
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(sessions[i]->conn())).data;
    EXPECT_EQ(screen->width_in_pixels, 200 + 10 * i) << sessions[i]->display() << " is another session's server";
  }
  EXPECT_EQ(displays.size(), static_cast<size_t>(kSessions));
}
