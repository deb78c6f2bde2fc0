// Settings access: every setting is a text value under
// SOFTWARE\ZORV\<application>\<section> of the hive the selector names
// (0 local machine, 1 current user, 2 classes root, any other the users hive).
// Values of any length read back whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry_store.h"
#include "runtime/numbers.h"

namespace store {

inline constexpr const char* kAppKey = "VERE_Vurodo";
inline constexpr int32_t kCurrentUser = 1;

platform::Hive HiveOfSelector(int32_t selector);
// "SOFTWARE\ZORV\" + application + "\" + section
std::string SettingsKeyPath(std::string_view app, std::string_view section);

// Writes one setting as trimmed text; true when it was written.
bool SaveRegSetting(std::string_view section, std::string_view name, const runtime::TextValue& value,
                    int32_t hive = kCurrentUser, std::string_view app = kAppKey);
// The stored text, or the default's text when the key or value cannot be read.
std::string GetRegSettingRaw(std::string_view section, std::string_view name, const runtime::TextValue& def,
                             int32_t hive = kCurrentUser, std::string_view app = kAppKey);
// Deletes sub-key `subKey` of the section's key (and everything below it). 0 when deleted or
// when the parent key does not exist; otherwise the store's error code (2: no such sub-key).
int32_t DeleteRegKey(std::string_view app, std::string_view section, std::string_view subKey,
                     int32_t hive = kCurrentUser);
// Reads any value of any key of a hive; the empty text when missing. A 32-bit number reads as
// at least three digits ("000", "001", "1234").
std::string ReadRegistryString(platform::Hive hive, std::string_view keyPath, std::string_view name);
// Probes once that settings can be written (the probe value is written and reads back as 1);
// tells the user when they cannot.
bool TestRegistryWrite();
// The message TestRegistryWrite shows when settings cannot be written.
void ShowRegistryReadOnlyMessage();
// True when settings are stored but cannot be read (see platform::RegistryStore::unreadable):
// every read then finds nothing and every write fails, so what is stored stays as it is.
bool StoredSettingsUnreadable();
// Tells the user that the stored settings (at the store's path) could not be read, that the
// factory settings are shown, and that nothing will be written over the stored settings until
// the store can be written.
void ShowStoredSettingsUnreadableMessage();
// True when the stored settings can be read but not written (see
// platform::RegistryStore::readOnly): they read as stored and every write fails.
bool StoredSettingsReadOnly();
// Tells the user that the stored settings are shown but changes cannot be saved, and why, in
// one message: every part that is read-only (the folder, the file, the side files of its log),
// each path named on a line of its own.
void ShowStoredSettingsReadOnlyMessage();

// Settings written while a batch lives land together or not at all (see
// platform::RegistryStore::beginBatch). Commit() keeps them when every write succeeded;
// a batch that ends without Commit() undoes them.
class SettingsBatch {
 public:
  SettingsBatch();
  ~SettingsBatch();
  SettingsBatch(const SettingsBatch&) = delete;
  SettingsBatch& operator=(const SettingsBatch&) = delete;
  // False when the batch could not begin (the store cannot be written).
  bool begun() const { return begun_; }
  // True when every write of the batch is stored.
  bool Commit();

 private:
  bool begun_ = false;
};
// The value's text with every "," replaced by ".".
std::string ReplaceDecimalSeparator(const runtime::TextValue& value);

}  // namespace store
