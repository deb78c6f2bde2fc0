// A template named on the command line, applied by the whole program to a store that already
// holds a settings set: the set changes whole or not at all, even when the program is killed
// while it writes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "e2e/program_run.h"
#include "store/registry_access.h"

namespace {

constexpr int kTypes = 50;
constexpr int kComposites = 16;

// A connection that asks for the store's write lock without waiting: while another program
// holds it (a write of that program is under way) the ask is refused.
class WriteLockProbe {
 public:
  explicit WriteLockProbe(const std::string& db) {
    if (sqlite3_open_v2(db.c_str(), &h_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      sqlite3_close(h_);
      h_ = nullptr;
    }
  }
  ~WriteLockProbe() { sqlite3_close(h_); }
  bool ok() const { return h_ != nullptr; }
  // True when another connection holds the write lock right now.
  bool HeldElsewhere() {
    const int rc = sqlite3_exec(h_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) sqlite3_exec(h_, "ROLLBACK", nullptr, nullptr, nullptr);
    return rc == SQLITE_BUSY;
  }

 private:
  sqlite3* h_ = nullptr;
};

class TemplateRoad : public e2e::ProgramRun {
 protected:
  std::string StorePath() const { return home + "/config/zorvane/registry.sqlite3"; }

  // A complete stored set of its own: every galaxy type and composite named "Old ...", the
  // render size stored (so the start-up stores nothing of its own).
  void StoreOldSet() const {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(StorePath() + suffix);
    const bool stored = WithStore([] {
      store::SettingsBatch batch;
      store::SaveRegSetting("General", "AnimationType", 0);
      store::SaveRegSetting("General", "ResetSettings", 1);
      store::SaveRegSetting("DirectX", "DX_WinWidth", 800);
      store::SaveRegSetting("DirectX", "DX_WinHeight", 600);
      store::SaveRegSetting("Universe", "Universe_Stars", 1111);
      for (int n = 0; n < kTypes; ++n) {
        const std::string section = "Universe\\Galaxy" + std::to_string(n);
        store::SaveRegSetting(section, "_UniGalName", "Old " + std::to_string(n));
        store::SaveRegSetting(section, "Galaxy_Radius", 1000 + n);
      }
      for (int c = 0; c < kComposites; ++c)
        store::SaveRegSetting("Universe\\CompGal" + std::to_string(c), "_CompGalName", "Old comp " + std::to_string(c));
      return batch.Commit();
    });
    ASSERT_TRUE(stored);
  }

  // A whole template: every section, every galaxy type and composite named "New ...".
  std::string WriteNewTemplate() const {
    std::string t = "\r\n[Admin]\r\nProduct=Zorvane\r\n\r\n[General]\r\nAnimationType=0\r\n"
                    "\r\n[Advanced]\r\nFocalLength=1\r\n"
                    "\r\n[DirectX]\r\nDX_WinWidth=800\r\nDX_WinHeight=600\r\nDX_FilterIndex=0\r\n"
                    "\r\n[GenColor]\r\nHWC_ConeBright=90\r\n\r\n[Universe]\r\nUniverse_Stars=7777\r\n";
    for (int n = 0; n < kTypes; ++n)
      t += "\r\n[UniGal" + std::to_string(n) + "]\r\n_UniGalName=New " + std::to_string(n) +
           "\r\nGalaxy_Radius=" + std::to_string(2000 + n) + "\r\n";
    for (int c = 0; c < kComposites; ++c)
      t += "\r\n[CompGal" + std::to_string(c) + "]\r\n_CompGalName=New comp " + std::to_string(c) + "\r\n";
    const std::string path = home + "/whole set.glx";
    testsupport::WriteFile(path, t);
    return path;
  }

  // Whether the last value the road writes (the last composite) is stored.
  bool NewSetStored() const {
    for (const std::string& row : e2e::StoredValues(StorePath()))
      if (row.find("CompGal15|_CompGalName=New comp 15") != std::string::npos) return true;
    return false;
  }
};

TEST_F(TemplateRoad, KilledWhileTheTemplateIsStoredLeavesTheOldSetWhole) {
  using Clock = std::chrono::steady_clock;
  const std::string glx = WriteNewTemplate();

  // The template applied to the end: the whole new set, for comparison, and how long the
  // program held the store's write lock for it (from the first sight of the lock until the
  // new set is seen).
  StoreOldSet();
  const std::vector<std::string> oldSet = e2e::StoredValues(StorePath());
  ASSERT_GT(oldSet.size(), 100u);
  Clock::duration writing{};
  {
    WriteLockProbe probe(StorePath());
    ASSERT_TRUE(probe.ok());
    auto run = Start({glx});
    std::optional<Clock::time_point> firstSeen;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    auto nextLook = Clock::now();
    while (Clock::now() < deadline) {
      if (probe.HeldElsewhere()) {
        if (!firstSeen) firstSeen = Clock::now();
      } else if ((firstSeen || Clock::now() >= nextLook) && NewSetStored()) {
        if (firstSeen) writing = Clock::now() - *firstSeen;
        break;
      } else if (!firstSeen && Clock::now() >= nextLook) {
        nextLook = Clock::now() + std::chrono::milliseconds(20);
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_TRUE(run->running());
    // When the set is not there, what the program shows says why (a box over a failed write,
    // or no saver yet: a start that never reached the template).
    ASSERT_TRUE(NewSetStored()) << "the write lock was seen held: " << firstSeen.has_value()
                                << "; a box shown: " << Shown("Zorvane")
                                << ", the saver shown: " << Shown("ZIDI:Zorvane 6.0")
                                << ", the program's error output: " << ErrorOutput();
  }
  const std::vector<std::string> newSet = e2e::StoredValues(StorePath());
  for (int n = 0; n < kTypes; ++n)
    EXPECT_NE(std::find(newSet.begin(), newSet.end(),
                        "1|SOFTWARE\\ZORV\\VERE_Vurodo\\Universe\\Galaxy" + std::to_string(n) + "|_UniGalName=New " +
                            std::to_string(n)),
              newSet.end())
        << n;

  // Killed part of the way into that write, while it still holds the lock: the old set must
  // come back whole. Whenever the lock is seen held, the stored values are looked at: anything
  // but the whole old or the whole new set is a mix.
  bool killedMidWrite = false;
  for (double part : {0.5, 0.25, 0.75, 0.1, 0.5, 0.25, 0.1, 0.5}) {
    if (killedMidWrite) break;
    SCOPED_TRACE("killed " + std::to_string(part) + " of the way");
    StoreOldSet();
    ASSERT_TRUE(e2e::StoredValues(StorePath()) == oldSet);
    WriteLockProbe probe(StorePath());
    ASSERT_TRUE(probe.ok());
    auto run = Start({glx});
    std::optional<Clock::time_point> firstSeen;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    auto nextLook = Clock::now();
    while (Clock::now() < deadline) {
      if (!probe.HeldElsewhere()) {
        // Too late when the set is stored already (also when the write went by unseen).
        if (firstSeen || Clock::now() >= nextLook) {
          if (NewSetStored()) break;
          nextLook = Clock::now() + std::chrono::milliseconds(20);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        continue;
      }
      if (!firstSeen) firstSeen = Clock::now();
      const std::vector<std::string> now = e2e::StoredValues(StorePath());
      if (now == newSet) break;
      ASSERT_TRUE(now == oldSet) << "a mix of old and new values is stored";
      if (Clock::now() - *firstSeen < writing * part) continue;
      run.reset();  // SIGKILL, then reaped
      const std::vector<std::string> after = e2e::StoredValues(StorePath());
      // Otherwise the write ended between the look and the kill.
      killedMidWrite = after == oldSet;
      ASSERT_TRUE(killedMidWrite || after == newSet) << "a mix of old and new values is stored";
      break;
    }
  }
  EXPECT_TRUE(killedMidWrite) << "the program was never killed while storing the template";
}

}  // namespace
