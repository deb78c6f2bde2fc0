// A per-user store of text settings in place of the system registry: keys addressed by
// hive and full path ("SOFTWARE\ZORV\VERE_Vurodo\Universe\Galaxy3"), each holding named
// values. Key paths and value names compare without regard to case. Every write is
// committed at once (SQLite in WAL mode), so a second process sees it straight away.
//
// A database that cannot be opened, or that turns out to be damaged, is never overwritten
// or deleted: reads find nothing and writes fail. An intact database this process may read
// but not write (its folder, its file or a side file of its log is read-only) is opened for
// reading only: reads find what is stored, writes fail, and no file is made beside it (but
// the log's index, when the log is there without it and the folder can be written: the log
// cannot be read without it).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace platform {

enum class Hive : int { LocalMachine = 0, CurrentUser = 1, ClassesRoot = 2, Users = 3 };

// Stored value types; only text is written by the system, a 32-bit number may be stored by
// other programs (and by tests) and is read back as its decimal form.
enum class ValueType : int { Text = 1, Dword = 4 };

// Why a store that is read as it is stored cannot be written: every part of it that this
// process may not write, several at once. Nothing is set while the store can be written (or
// is not open).
struct ReadOnlyParts {
  bool folder = false;                 // the folder that holds it (or its file system)
  bool file = false;                   // the store's file
  std::vector<std::string> sideFiles;  // the log's side files that are there: "-wal", then "-shm"
  bool any() const { return folder || file || !sideFiles.empty(); }
  bool operator==(const ReadOnlyParts&) const = default;
};

struct StoredValue {
  ValueType type = ValueType::Text;
  std::string data;  // text, or the decimal form of a Dword
};

class RegistryStore {
 public:
  explicit RegistryStore(std::string path);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // False when the database could not be opened or is damaged.
  bool ok() const { return db_ != nullptr; }
  // True when something is stored at path() but could not be opened as the store (a damaged
  // or foreign file, a store locked by another program, a folder in its place, a folder that
  // cannot be read): settings exist that cannot be read. A store that is merely missing and
  // cannot be made is not unreadable.
  // A store opened read-only (see readOnly()) is not unreadable.
  bool unreadable() const { return unreadable_; }
  // Set (any()) when the store is intact but cannot be written by this process: it is open for
  // reading only, and every write fails.
  const ReadOnlyParts& readOnly() const { return readOnly_; }
  const std::string& path() const { return path_; }

  bool keyExists(Hive hive, std::string_view keyPath);
  // Creates the key and every key above it; true on success.
  bool createKey(Hive hive, std::string_view keyPath);
  // Writes a value; the key must exist (see createKey). True on success.
  bool setValue(Hive hive, std::string_view keyPath, std::string_view name, const StoredValue& value);
  std::optional<StoredValue> value(Hive hive, std::string_view keyPath, std::string_view name);
  // Deletes the key, its values and all keys below it. Returns 0 on success, 2 when the key
  // does not exist, 5 when the store cannot be written.
  int deleteKey(Hive hive, std::string_view keyPath);

  // A batch: every write between beginBatch and endBatch joins one transaction, so the writes
  // land together or not at all. beginBatch is false (and nothing is begun) when the store
  // cannot be written or a batch is already open. endBatch(true) commits when no write of the
  // batch failed and returns true; otherwise (or with false) every write of the batch is
  // undone and it returns false.
  bool beginBatch();
  bool endBatch(bool commit);
  bool inBatch() const { return batch_; }

 private:
  bool exec(const char* sql);
  // Opens the intact store at path() for reading only and sets readOnly_; otherwise the store
  // stays closed and unreadable_ tells whether something is stored there.
  void OpenReadOnly();
  // The parts of the store at path() that this process is refused to write.
  ReadOnlyParts RefusedParts() const;
  // Whether the opened database passes SQLite's quick check of its pages.
  bool Healthy();
  // One write step of several statements: its own transaction, or a savepoint inside a batch.
  bool beginStep();
  bool endStep(bool good);
  // Records a failed write of the open batch; returns `good`.
  bool noteWrite(bool good);
  std::string path_;
  sqlite3* db_ = nullptr;
  bool unreadable_ = false;
  ReadOnlyParts readOnly_;
  bool batch_ = false;
  bool batchFailed_ = false;
};

// The store of this user: $XDG_CONFIG_HOME/zorvane/registry.sqlite3 (~/.config when unset).
// Opened on first use.
RegistryStore& Registry();
// Path that Registry() opens.
std::string DefaultRegistryPath();
// Drops the open store so the next Registry() call opens DefaultRegistryPath() again
// (tests change XDG_CONFIG_HOME between cases).
void ResetRegistry();

}  // namespace platform
