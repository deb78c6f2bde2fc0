// The fake pacer of the editors' preview tests: it runs `onPace` in every frame's events.
#pragma once

#include "engine/engine_fixture.h"

namespace dialogstest {

using Pacer = enginetest::FakeHost;

}  // namespace dialogstest
