// Set-up shared by the tests that read and write templates: a private settings store, a
// fresh folder holding the template file "t.glx" (TemplatePath), and the template writer and
// reader cache closed and cleared before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "store/registry_access.h"
#include "store/template_lookup.h"
#include "settings/template_file.h"
#include "support/test_support.h"

namespace settingstest {

class TemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::MakeTempDir();
    path_ = dir_ + "/t.glx";
    settings::CloseTemplateFile();
    settings::templateWriter() = {};
    store::ClearTemplateCache();
    store::templateState().TemplatePath = path_;
  }
  void TearDown() override {
    settings::CloseTemplateFile();
    store::ClearTemplateCache();
    store::templateState().TemplatePath.clear();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // A registry value as stored, or "<missing>".
  std::string Raw(std::string_view section, std::string_view key) {
    return store::GetRegSettingRaw(section, key, "<missing>");
  }
  // Makes `text` the template file and drops what the reader cached of it.
  void UseTemplate(const std::string& text) {
    testsupport::WriteFile(path_, text);
    store::ClearTemplateCache();
  }

  testsupport::TempConfig config_;
  std::string dir_, path_;
};

}  // namespace settingstest
