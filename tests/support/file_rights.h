// Tests of files this process may not write. A process of root passes over every file's mode
// through its capabilities, so a mode alone does not stop its writes. While a NoFileOverride
// lives, the calling thread has no effective capabilities and meets the modes as any user
// does; a user without capabilities is not changed at all. Other threads keep their rights.
#pragma once

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>

namespace testsupport {

class NoFileOverride {
 public:
  NoFileOverride() {
    if (syscall(SYS_capget, &header_, saved_) != 0) {
      ADD_FAILURE() << "the thread's capabilities could not be read";
      return;
    }
    __user_cap_data_struct none[2] = {saved_[0], saved_[1]};
    none[0].effective = 0;
    none[1].effective = 0;
    dropped_ = syscall(SYS_capset, &header_, none) == 0;
    EXPECT_TRUE(dropped_) << "the thread's capabilities could not be cleared";
  }
  ~NoFileOverride() {
    if (dropped_) syscall(SYS_capset, &header_, saved_);
  }
  NoFileOverride(const NoFileOverride&) = delete;
  NoFileOverride& operator=(const NoFileOverride&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
  bool dropped_ = false;
};

// Gives `path` the mode `mode` while it lives, then its old mode again (so that the test's
// folders can be removed by a user too).
class ScopedMode {
 public:
  ScopedMode(std::string path, mode_t mode) : path_(std::move(path)) {
    struct stat st {};
    had_ = ::stat(path_.c_str(), &st) == 0;
    old_ = st.st_mode & 07777;
    EXPECT_TRUE(had_ && ::chmod(path_.c_str(), mode) == 0) << path_;
  }
  ~ScopedMode() {
    if (had_) ::chmod(path_.c_str(), old_);
  }
  ScopedMode(const ScopedMode&) = delete;
  ScopedMode& operator=(const ScopedMode&) = delete;

 private:
  std::string path_;
  mode_t old_ = 0;
  bool had_ = false;
};

}  // namespace testsupport
