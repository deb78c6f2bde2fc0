// Whole-program runs: the help window closes on the first close request also while a modal
// window is open, the template dialog's first folder is the user's templates folder, and the
// write error of a recording that fills the disk paints its text.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

class WindowRun : public e2e::ProgramRun {
 protected:
  void SetUp() override {
    ProgramRun::SetUp();
    // Opened before: no welcome window.
    ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("General", "ResetSettings", 1); }));
  }
  // The close request a window manager sends for a window's close box: WM_DELETE_WINDOW. The
  // round trip afterwards makes sure the server has taken it before anything else happens.
  void RequestClose(xcb_window_t w) {
    xcb_connection_t* c = x.conn();
    auto atom = [c](const char* name) {
      xcb_intern_atom_reply_t* r =
          xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
      const xcb_atom_t a = r != nullptr ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
      std::free(r);
      return a;
    };
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = atom("WM_PROTOCOLS");
    e.data.data32[0] = atom("WM_DELETE_WINDOW");
    e.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }
};

}  // namespace

// The help window over the Advanced Settings window closes on the first close request, whether
// it was opened from there (F1) or was open before the modal window came; the modal window and
// the Properties window stay. Each time the help opens anew and closes again.
TEST_F(WindowRun, HelpClosesOnTheFirstCloseRequestWhileAModalWindowIsOpen) {
  auto program = Start({"/C"});
  const xcb_window_t props = WaitForWindow("Zorvane Properties");
  ASSERT_NE(props, 0u) << "the Properties window did not open";
  ASSERT_TRUE(WaitForFocus(props)) << "the Properties window did not take the keyboard";

  // Opened before the modal window: F1 in the Properties window, then Edit > Advanced Settings.
  ASSERT_TRUE(Keys("F1"));
  ASSERT_NE(WaitForWindow("Zorvane Help"), 0u) << "F1 did not open the help";
  ASSERT_TRUE(Focus(props));
  ASSERT_TRUE(OpenPopup("alt+e")) << "the Edit menu did not open";
  ASSERT_TRUE(Keys("a"));
  const xcb_window_t advanced = WaitForWindow("Advanced Settings");
  ASSERT_NE(advanced, 0u) << "the Advanced Settings window did not open";
  e2e::SleepMs(1000);
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    if (round > 0) {  // opened from the modal window
      EXPECT_TRUE(Focus(advanced)) << "the window did not take the keyboard";
      ASSERT_TRUE(Keys("F1"));
    }
    const xcb_window_t help = WaitForWindow("Zorvane Help");
    ASSERT_NE(help, 0u) << "the help did not open";
    e2e::SleepMs(round % 2 == 0 ? 1000 : 100);  // settled, or just shown
    RequestClose(help);
    EXPECT_TRUE(WaitUntilGone("Zorvane Help")) << "the first close request did not close the help";
    EXPECT_TRUE(Shown("Advanced Settings"));
    if (Shown("Zorvane Help")) RequestClose(help);
  }
  EXPECT_TRUE(program->running());

  EXPECT_TRUE(Focus(advanced)) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(WaitUntilGone("Advanced Settings"));
  EXPECT_TRUE(Focus(props)) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the Properties window did not close";
  EXPECT_EQ(program->exitCode(), 0);
}

// With no folder remembered, File > Save Template As starts in the user's templates folder
// (made for it), not in the folder the program was started in: a typed name is saved there.
TEST_F(WindowRun, TemplateDialogStartsInTheUsersTemplatesFolder) {
  const std::string started = std::filesystem::current_path().string();
  auto program = Start({"/C"});
  const xcb_window_t props = WaitForWindow("Zorvane Properties");
  ASSERT_NE(props, 0u) << "the Properties window did not open";
  ASSERT_TRUE(WaitForFocus(props)) << "the Properties window did not take the keyboard";
  ASSERT_TRUE(OpenPopup("alt+f")) << "the File menu did not open";
  ASSERT_TRUE(Keys("a"));
  ASSERT_NE(WaitForKeyboard("Enter or Select Template to Save"), 0u)
      << "File > Save Template As did not open with the keyboard";
  ASSERT_EQ(e2e::RunCommand(x.display(), "xdotool type first"), 0);
  ASSERT_TRUE(Keys("Return"));
  ASSERT_TRUE(WaitUntilGone("Enter or Select Template to Save")) << "the save dialog stayed open";

  const std::string templates = home + "/data/zorvane/templates";
  EXPECT_TRUE(std::filesystem::is_regular_file(templates + "/first.GLX")) << "not saved in " << templates;
  EXPECT_FALSE(std::filesystem::exists(started + "/first.GLX"));
  EXPECT_EQ(WithStore([] { return store::GetSettingString("Template", "Path_Dir", ""); }), templates);

  EXPECT_TRUE(Focus(props)) << "the window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the Properties window did not close";
  EXPECT_EQ(program->exitCode(), 0);
}

// A recording of 320 x 240 frames that the file-size limit cuts short (as a full disk would)
// ends with "There was an error writing the file.": its box paints its text at once, and no
// temporary file is left.
TEST_F(WindowRun, FullDiskMessageOfARecordingPaints) {
  ASSERT_TRUE(WithStore([] { return store::SaveRegSetting("Video", "FrameTotal", 480); }));
  std::unique_ptr<e2e::Process> program;
  {
    // The program inherits the limit, and a write past it fails instead of ending the program.
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{2 << 20, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    program = Start({"/C"});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
  }
  ASSERT_NE(WaitForKeyboard("Zorvane Properties"), 0u) << "the Properties window did not open with the keyboard";
  ASSERT_TRUE(OpenPopup("alt+e")) << "the Edit menu did not open";
  ASSERT_TRUE(Keys("v"));
  ASSERT_NE(WaitForKeyboard("Zorvane Video Creation"), 0u) << "Edit > Video Capture did not open with the keyboard";
  ASSERT_TRUE(Keys("Return"));
  ASSERT_NE(WaitForKeyboard("Video Compression"), 0u) << "Begin did not ask for the compressor";
  ASSERT_TRUE(Keys("Return"));

  const xcb_window_t box = WaitForWindow("Zorvane");
  ASSERT_NE(box, 0u) << "no message after the write failed";
  // Looked at until it has painted (up to 10 s, for a busy machine): a box that waits for the
  // recording to let it paint stays blank.
  size_t light = 0, dark = 0, size = 0;
  for (int waited = 0; waited <= 10000; waited += 250) {
    e2e::SleepMs(250);
    const std::vector<uint32_t> pixels = x.Grab(box, 0, 0, 200, 40);
    ASSERT_EQ(pixels.size(), 200u * 40u);
    size = pixels.size(), light = 0, dark = 0;
    for (const uint32_t p : pixels) {
      const uint32_t g = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
      light += g > 3 * 0xC0;
      dark += g < 3 * 0x40;
    }
    if (light > size / 2 && dark > 20u) break;
  }
  EXPECT_GT(light, size / 2) << "the box's background is not painted";
  EXPECT_GT(dark, 20u) << "the box's text is not painted";

  ASSERT_NE(WaitForKeyboard("Zorvane"), 0u) << "the message did not take the keyboard";
  ASSERT_TRUE(Keys("Return"));
  ASSERT_TRUE(WaitUntilGone("Zorvane"));
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(home + "/Videos", ec))
    EXPECT_NE(entry.path().filename().string().rfind("ZORV_VideoTemp", 0), 0u) << entry.path();
  // No window manager gives the keyboard back here.
  ASSERT_TRUE(Focus("Zorvane Video Creation")) << "the video window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(WaitUntilGone("Zorvane Video Creation")) << "Esc did not close the video window";
  ASSERT_TRUE(Focus("Zorvane Properties")) << "the Properties window did not take the keyboard";
  ASSERT_TRUE(Keys("Escape"));
  ASSERT_TRUE(program->WaitFor(45000)) << "the program did not end";
  EXPECT_EQ(program->exitCode(), 0);
}
