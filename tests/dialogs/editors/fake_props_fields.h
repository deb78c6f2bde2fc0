// A stand-in for the Properties dialog as the editors see it: the galaxy and universe boxes as
// texts, the galaxy type's name, and a record of every write and property copy.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/properties/props_fields.h"

namespace dialogs::testing {

class FakePropsFields : public PropsFields {
 public:
  std::string GalaxyText(int index) const override { return Find(galaxy, index); }
  void SetGalaxyText(int index, const std::string& text) override {
    galaxyWrites.emplace_back(index, text);
    galaxy[index] = text;
  }
  std::string UniText(int index) const override { return Find(uni, index); }
  void SetUniText(int index, const std::string& text) override {
    uniWrites.emplace_back(index, text);
    uni[index] = text;
  }
  std::string UniGalName() const override { return galName; }
  void CopyPropValueToAllGalaxyTypes(int32_t propIndex, float value) override {
    copies.emplace_back(propIndex, value);
  }

  std::map<int, std::string> galaxy, uni;
  std::string galName = "Test Galaxy";
  std::vector<std::pair<int, std::string>> galaxyWrites, uniWrites;
  std::vector<std::pair<int32_t, float>> copies;

 private:
  static std::string Find(const std::map<int, std::string>& boxes, int index) {
    auto it = boxes.find(index);
    return it == boxes.end() ? std::string() : it->second;
  }
};

}  // namespace dialogs::testing
