#!/usr/bin/env bash
# Runs the temporary-folder check program in a temporary folder of its own: exactly its one
# deliberate failure is reported, and no folder it made is left behind.
#   temp_cleanup_check.sh <check program>
set -uo pipefail
tmp="$(mktemp -d "${TMPDIR:-/tmp}/cleanup-check-XXXXXX")" || exit 1
trap 'rm -rf "$tmp"' EXIT
out="$(TMPDIR="$tmp" "$1" 2>&1)"
rc=$?
failed="$(printf '%s\n' "$out" | grep -E '^\[  FAILED  \] [A-Za-z]' | sed 's/ (.*//' | sort -u)"
if [ "$rc" -eq 0 ] || [ "$failed" != "[  FAILED  ] TempFolders.AFailingTestMakesAFolder" ]; then
  printf '%s\n' "$out"
  echo "FAIL: expected exactly the deliberate failure, got: $failed" >&2
  exit 1
fi
left="$(find "$tmp" -mindepth 1 -maxdepth 1 -name 'zorvane-*')"
if [ -n "$left" ]; then
  echo "FAIL: left behind: $left" >&2
  exit 1
fi
echo "no folder left behind"
