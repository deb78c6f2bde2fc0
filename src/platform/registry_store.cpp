#include "platform/registry_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Key paths are kept without leading or trailing backslashes.
std::string NormalisePath(std::string_view p) {
  size_t b = 0, e = p.size();
  while (b < e && p[b] == '\\') ++b;
  while (e > b && p[e - 1] == '\\') --e;
  return std::string(p.substr(b, e - b));
}

struct Stmt {
  sqlite3_stmt* s = nullptr;
  Stmt(sqlite3* db, const char* sql) {
    if (db && sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) s = nullptr;
  }
  ~Stmt() { sqlite3_finalize(s); }
  explicit operator bool() const { return s != nullptr; }
  void text(int i, std::string_view v) {
    sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  }
  void integer(int i, int64_t v) { sqlite3_bind_int64(s, i, v); }
  int step() { return sqlite3_step(s); }
};

// Whether anything is at `path`, or whether that cannot be known because a folder on the way
// cannot be searched.
bool SomethingStoredAt(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) return true;
  return errno != ENOENT && errno != ENOTDIR;
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FolderOf(const std::string& path) {
  const std::filesystem::path p(path);
  return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

// Whether this process may write `path` with the rights it has now (as an open for writing
// would find); false on a read-only file system too.
bool Writable(const std::string& path) { return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

// Whether `path` is there and its mode or owner refuses this process the write (a read-only
// file system refuses it too, but that is the folder's part, not the file's).
bool Refused(const std::string& path) { return !Writable(path) && (errno == EACCES || errno == EPERM); }

// The side files of the log in WAL mode: the log, and its index in shared memory.
constexpr const char* kSideFileSuffixes[] = {"-wal", "-shm"};

// The file's URI for SQLite, with `query`: the characters a URI gives a meaning of its own
// are written as %XX.
std::string FileUri(const std::string& path, const char* query) {
  std::string uri = "file:";
  if (!path.empty() && path[0] == '/') uri += "//";  // an empty authority: "file:///a/b"
  for (char ch : path) {
    if (ch == '%' || ch == '?' || ch == '#') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(ch));
      uri += hex;
    } else {
      uri += ch;
    }
  }
  return uri + "?" + query;
}

}  // namespace

RegistryStore::RegistryStore(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  std::filesystem::path p(path_);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
  // A side file of the log that this process may not write lets the store be opened for
  // writing and read, yet fails every write; such a store is read as it is from the start.
  if (IsFile(path_) && !RefusedParts().sideFiles.empty()) {
    OpenReadOnly();
    return;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    unreadable_ = SomethingStoredAt(path_);
    return;
  }
  db_ = db;
  // A file this process may not write has been opened for reading only. It is closed before
  // any statement runs: a read through the log would make side files beside it.
  if (sqlite3_db_readonly(db_, "main") == 1) {
    sqlite3_close(db_);
    db_ = nullptr;
    OpenReadOnly();
    return;
  }
  sqlite3_busy_timeout(db_, 5000);
  // A damaged or foreign file fails here; it is left exactly as it is.
  bool good = exec("PRAGMA journal_mode=WAL") &&
              exec("CREATE TABLE IF NOT EXISTS reg_keys(hive INTEGER NOT NULL, path TEXT NOT NULL COLLATE NOCASE,"
                   " PRIMARY KEY(hive, path))") &&
              exec("CREATE TABLE IF NOT EXISTS reg_values(hive INTEGER NOT NULL, path TEXT NOT NULL COLLATE NOCASE,"
                   " name TEXT NOT NULL COLLATE NOCASE, type INTEGER NOT NULL, data TEXT NOT NULL,"
                   " PRIMARY KEY(hive, path, name))") &&
              Healthy();
  if (!good) {
    sqlite3_close(db_);
    db_ = nullptr;
    // The log's side files cannot be made in a folder this process may not write, so an
    // intact store there fails above; it is read as it is.
    if (IsFile(path_) && !Writable(FolderOf(path_))) {
      OpenReadOnly();
      return;
    }
    unreadable_ = SomethingStoredAt(path_);
  }
}

ReadOnlyParts RegistryStore::RefusedParts() const {
  ReadOnlyParts parts;
  parts.folder = !Writable(FolderOf(path_));
  parts.file = Refused(path_);
  for (const char* suffix : kSideFileSuffixes)
    if (Refused(path_ + suffix)) parts.sideFiles.push_back(path_ + suffix);
  return parts;
}

void RegistryStore::OpenReadOnly() {
  ReadOnlyParts parts = RefusedParts();
  // Opened for reading only while no part refuses a write by its mode: the file system itself
  // is read-only, which is the folder's part.
  if (!parts.any()) parts.folder = true;
  // With the log there, the store is read through the log as every connection sees it; SQLite
  // makes nothing beside it but the log's index, when that is missing and the folder can be
  // written. Otherwise (or when the log cannot be read so) the file alone is read: it then
  // holds everything committed, and SQLite makes no side file for an immutable database.
  std::vector<const char*> queries;
  if (IsFile(path_ + "-wal")) queries.push_back("mode=ro");
  queries.push_back("immutable=1");
  for (const char* query : queries) {
    sqlite3* db = nullptr;
    const int opened =
        sqlite3_open_v2(FileUri(path_, query).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (opened == SQLITE_OK) {
      db_ = db;
      sqlite3_busy_timeout(db_, 5000);
      // The same check of its pages as a store that can be written: a damaged one is not shown.
      if (Healthy()) {
        readOnly_ = std::move(parts);
        return;
      }
      db_ = nullptr;
    }
    sqlite3_close(db);
  }
  unreadable_ = SomethingStoredAt(path_);
}

RegistryStore::~RegistryStore() { sqlite3_close(db_); }

bool RegistryStore::exec(const char* sql) {
  if (!db_) return false;
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool RegistryStore::Healthy() {
  // A file whose head is sound may still be damaged further in; its reads would then fail
  // one by one, and writes into it could damage it further.
  Stmt st(db_, "PRAGMA quick_check(1)");
  if (!st || st.step() != SQLITE_ROW) return false;
  const unsigned char* result = sqlite3_column_text(st.s, 0);
  return result != nullptr && std::string_view(reinterpret_cast<const char*>(result)) == "ok";
}

bool RegistryStore::beginStep() {
  if (readOnly_.any()) return false;
  return exec(batch_ ? "SAVEPOINT reg_step" : "BEGIN IMMEDIATE");
}

bool RegistryStore::endStep(bool good) {
  if (batch_) {
    if (good && exec("RELEASE reg_step")) return true;
    exec("ROLLBACK TO reg_step");
    exec("RELEASE reg_step");
    return false;
  }
  if (good && exec("COMMIT")) return true;
  exec("ROLLBACK");
  return false;
}

bool RegistryStore::noteWrite(bool good) {
  if (batch_ && !good) batchFailed_ = true;
  return good;
}

bool RegistryStore::beginBatch() {
  if (batch_ || readOnly_.any() || !exec("BEGIN IMMEDIATE")) return false;
  batch_ = true;
  batchFailed_ = false;
  return true;
}

bool RegistryStore::endBatch(bool commit) {
  if (!batch_) return false;
  batch_ = false;
  if (commit && !batchFailed_ && exec("COMMIT")) return true;
  exec("ROLLBACK");
  return false;
}

bool RegistryStore::keyExists(Hive hive, std::string_view keyPath) {
  Stmt st(db_, "SELECT 1 FROM reg_keys WHERE hive=?1 AND path=?2");
  if (!st) return false;
  st.integer(1, static_cast<int>(hive));
  st.text(2, NormalisePath(keyPath));
  return st.step() == SQLITE_ROW;
}

bool RegistryStore::createKey(Hive hive, std::string_view keyPath) {
  std::string path = NormalisePath(keyPath);
  if (!db_ || path.empty()) return noteWrite(false);
  if (!beginStep()) return noteWrite(false);
  bool good = true;
  // The key and each key above it.
  for (size_t pos = 0; good;) {
    size_t next = path.find('\\', pos);
    std::string prefix = path.substr(0, next);
    Stmt st(db_, "INSERT OR IGNORE INTO reg_keys(hive, path) VALUES(?1, ?2)");
    if (!st) {
      good = false;
      break;
    }
    st.integer(1, static_cast<int>(hive));
    st.text(2, prefix);
    good = st.step() == SQLITE_DONE;
    if (next == std::string::npos) break;
    pos = next + 1;
  }
  return noteWrite(endStep(good));
}

bool RegistryStore::setValue(Hive hive, std::string_view keyPath, std::string_view name, const StoredValue& value) {
  if (readOnly_.any() || !keyExists(hive, keyPath)) return noteWrite(false);
  Stmt st(db_,
          "INSERT INTO reg_values(hive, path, name, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
          " ON CONFLICT(hive, path, name) DO UPDATE SET type=excluded.type, data=excluded.data");
  if (!st) return noteWrite(false);
  st.integer(1, static_cast<int>(hive));
  st.text(2, NormalisePath(keyPath));
  st.text(3, name);
  st.integer(4, static_cast<int>(value.type));
  st.text(5, value.data);
  return noteWrite(st.step() == SQLITE_DONE);
}

std::optional<StoredValue> RegistryStore::value(Hive hive, std::string_view keyPath, std::string_view name) {
  Stmt st(db_, "SELECT type, data FROM reg_values WHERE hive=?1 AND path=?2 AND name=?3");
  if (!st) return std::nullopt;
  st.integer(1, static_cast<int>(hive));
  st.text(2, NormalisePath(keyPath));
  st.text(3, name);
  if (st.step() != SQLITE_ROW) return std::nullopt;
  StoredValue v;
  v.type = sqlite3_column_int(st.s, 0) == static_cast<int>(ValueType::Dword) ? ValueType::Dword : ValueType::Text;
  const unsigned char* t = sqlite3_column_text(st.s, 1);
  int n = sqlite3_column_bytes(st.s, 1);
  if (t) v.data.assign(reinterpret_cast<const char*>(t), static_cast<size_t>(n));
  return v;
}

int RegistryStore::deleteKey(Hive hive, std::string_view keyPath) {
  std::string path = NormalisePath(keyPath);
  if (!db_) return noteWrite(false) ? 0 : 5;
  if (!keyExists(hive, path)) return 2;
  if (!beginStep()) return noteWrite(false) ? 0 : 5;
  bool good = true;
  // The key itself and every key whose path starts with "<path>\" (compared without case).
  for (const char* sql : {"DELETE FROM reg_keys WHERE hive=?1 AND (path=?2 OR lower(substr(path, 1, ?3)) = lower(?4))",
                          "DELETE FROM reg_values WHERE hive=?1 AND (path=?2 OR lower(substr(path, 1, ?3)) = lower(?4))"}) {
    Stmt st(db_, sql);
    if (!st) {
      good = false;
      break;
    }
    std::string prefix = path + "\\";
    st.integer(1, static_cast<int>(hive));
    st.text(2, path);
    st.integer(3, static_cast<int64_t>(prefix.size()));
    st.text(4, prefix);
    good = good && st.step() == SQLITE_DONE;
  }
  return noteWrite(endStep(good)) ? 0 : 5;
}

namespace {
std::unique_ptr<RegistryStore>& Slot() {
  static std::unique_ptr<RegistryStore> store;
  return store;
}
}  // namespace

std::string DefaultRegistryPath() {
  std::string base;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) {
    base = x;
  } else if (const char* h = std::getenv("HOME"); h && *h) {
    base = std::string(h) + "/.config";
  } else {
    base = ".config";
  }
  return base + "/zorvane/registry.sqlite3";
}

RegistryStore& Registry() {
  auto& s = Slot();
  if (!s) s = std::make_unique<RegistryStore>(DefaultRegistryPath());
  return *s;
}

void ResetRegistry() { Slot().reset(); }

}  // namespace platform
