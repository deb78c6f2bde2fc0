#include "store/registry_access.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace store {

platform::Hive HiveOfSelector(int32_t selector) {
  switch (selector) {
    case 0:
      return platform::Hive::LocalMachine;
    case 1:
      return platform::Hive::CurrentUser;
    case 2:
      return platform::Hive::ClassesRoot;
    default:
      return platform::Hive::Users;
  }
}

std::string SettingsKeyPath(std::string_view app, std::string_view section) {
  std::string p = "SOFTWARE\\ZORV\\";
  p += app;
  p += "\\";
  p += section;
  return p;
}

bool SaveRegSetting(std::string_view section, std::string_view name, const runtime::TextValue& value, int32_t hive,
                    std::string_view app) {
  auto& reg = platform::Registry();
  const platform::Hive h = HiveOfSelector(hive);
  const std::string key = SettingsKeyPath(app, section);
  if (!reg.createKey(h, key)) return false;
  return reg.setValue(h, key, name, {platform::ValueType::Text, runtime::TrimBlanks(value.text())});
}

std::string GetRegSettingRaw(std::string_view section, std::string_view name, const runtime::TextValue& def,
                             int32_t hive, std::string_view app) {
  auto v = platform::Registry().value(HiveOfSelector(hive), SettingsKeyPath(app, section), name);
  return v ? v->data : def.text();
}

int32_t DeleteRegKey(std::string_view app, std::string_view section, std::string_view subKey, int32_t hive) {
  auto& reg = platform::Registry();
  const platform::Hive h = HiveOfSelector(hive);
  const std::string parent = SettingsKeyPath(app, section);
  if (!reg.keyExists(h, parent)) return 0;
  if (subKey.empty()) return 2;  // a key never deletes itself through this call
  return reg.deleteKey(h, parent + "\\" + std::string(subKey));
}

std::string ReadRegistryString(platform::Hive hive, std::string_view keyPath, std::string_view name) {
  auto v = platform::Registry().value(hive, keyPath, name);
  if (!v) return "";
  if (v->type == platform::ValueType::Dword) {
    // An unsigned 32-bit number, at least three digits.
    unsigned long n = std::strtoul(v->data.c_str(), nullptr, 10);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03lu", n);
    return buf;
  }
  return v->data;
}

bool TestRegistryWrite() {
  // A store that refuses the write may still hold the value of an earlier probe.
  const bool written = SaveRegSetting("General", "TestRegWrite", 1, kCurrentUser, kAppKey);
  // Read back as a whole number, the way the typed Long reader does.
  double v = 0;
  if (written && runtime::IsNumeric(GetRegSettingRaw("General", "TestRegWrite", 0, kCurrentUser, kAppKey), &v) &&
      runtime::ToLong(v) == 1)
    return true;
  ShowRegistryReadOnlyMessage();
  return false;
}

void ShowRegistryReadOnlyMessage() {
  platform::ShowMessage(
      "The Registry is read-only.\r\n\r\nThe Property settings cannot be saved.\r\n"
      "You must change your Windows User Privileges so that programs \r\n"
      "can write to the Registry.  See your System Administrator for assistance.",
      platform::kProductName, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

bool StoredSettingsUnreadable() { return platform::Registry().unreadable(); }

void ShowStoredSettingsUnreadableMessage() {
  platform::ShowMessage("The stored settings could not be read:\r\n" + platform::Registry().path() +
                            "\r\n\r\nThe Properties window shows the factory settings. Nothing will be written "
                            "over the stored settings until the store can be written.",
                        platform::kProductName, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

bool StoredSettingsReadOnly() { return platform::Registry().readOnly().any(); }

void ShowStoredSettingsReadOnlyMessage() {
  const platform::RegistryStore& reg = platform::Registry();
  const platform::ReadOnlyParts& parts = reg.readOnly();
  const std::filesystem::path path(reg.path());
  // Each read-only part by its name, and every path of them on a line of its own.
  std::vector<std::string> what;
  std::string paths;
  size_t count = 0;
  auto add = [&](const std::string& noun, const std::string& named) {
    if (std::find(what.begin(), what.end(), noun) == what.end()) what.push_back(noun);
    paths += named + "\r\n";
    ++count;
  };
  if (parts.folder) add("folder", path.has_parent_path() ? path.parent_path().string() : path.string());
  if (parts.file) add("file", path.string());
  for (const std::string& side : parts.sideFiles) add(parts.sideFiles.size() == 1 ? "side file" : "side files", side);
  std::string named;
  for (size_t i = 0; i < what.size(); ++i) {
    if (i > 0) named += i + 1 == what.size() ? " and " : ", ";
    named += what[i];
  }
  platform::ShowMessage("The stored settings can be read but not changed. Their " + named +
                            (count == 1 ? " is" : " are") + " read-only:\r\n" + paths +
                            "\r\nThe Properties window shows the stored settings. Changes cannot be saved "
                            "until the " + named + " can be written.",
                        platform::kProductName, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

SettingsBatch::SettingsBatch() : begun_(platform::Registry().beginBatch()) {}

SettingsBatch::~SettingsBatch() {
  if (begun_) platform::Registry().endBatch(false);
}

bool SettingsBatch::Commit() {
  if (!begun_) return false;
  begun_ = false;
  return platform::Registry().endBatch(true);
}

std::string ReplaceDecimalSeparator(const runtime::TextValue& value) {
  std::string s = value.text();
  for (char& c : s)
    if (c == ',') c = '.';
  return s;
}

}  // namespace store
