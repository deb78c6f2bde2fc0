// The fake pacer of the editors' preview tests: it runs `onPace` in every frame's events.
#pragma once

#include <functional>

#include "engine/engine_fixture.h"

namespace dialogstest {

class Pacer : public enginetest::FakeHost {
 public:
  std::function<void()> onPace;

 protected:
  void OnPace() override {
    if (onPace) onPace();
  }
};

}  // namespace dialogstest
