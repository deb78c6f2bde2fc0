#!/usr/bin/env bash
# The layer check passes on a well-layered tree and names the file and the include of each
# fault: an include of a folder above the file's own, and a folder missing from the list.
set -uo pipefail
check="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
status=0

expect() {  # expect <pass|fail> <pattern or ""> <description>
  local out rc
  out="$("$check" "$tmp" 2>&1)"; rc=$?
  if [ "$1" = pass ] && [ $rc -ne 0 ]; then echo "FAIL $3: expected a pass, got: $out"; status=1; fi
  if [ "$1" = fail ] && [ $rc -eq 0 ]; then echo "FAIL $3: expected a failure"; status=1; fi
  if [ -n "$2" ] && ! grep -qF -- "$2" <<<"$out"; then echo "FAIL $3: output lacks '$2': $out"; status=1; fi
  [ $status -eq 0 ] && echo "ok $3"
}

mkdir -p "$tmp/src/runtime" "$tmp/src/store" "$tmp/src/engine"
printf '#pragma once\n' > "$tmp/src/runtime/numbers.h"
printf '#include "runtime/numbers.h"\n#include "values.h"\n' > "$tmp/src/store/values.cpp"
printf '#include "store/values.h"\n#include <vector>\n' > "$tmp/src/engine/renderer.cpp"
expect pass "layer check passed" "a well-layered tree"

printf '#include "engine/renderer.h"\n' > "$tmp/src/store/upward.cpp"
expect fail "src/store/upward.cpp: includes \"engine/renderer.h\"" "an include of a folder above"
rm "$tmp/src/store/upward.cpp"

mkdir -p "$tmp/src/gadgets"
printf 'int x;\n' > "$tmp/src/gadgets/gadget.cpp"
expect fail "src/gadgets/gadget.cpp: folder src/gadgets is not in the list" "a folder missing from the list"
rm -r "$tmp/src/gadgets"

printf '#include "widgets/thing.h"\n' > "$tmp/src/engine/unknown.cpp"
expect fail "includes \"widgets/thing.h\"" "an include of a folder that is no layer"

exit $status
