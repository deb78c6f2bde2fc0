#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop and an idle daemon find there:
# the program, its help folder, the desktop entry and the icon. The prefix is removed at the end,
# also when a check fails.
#   install_test.sh <build dir> <source dir>
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
build="$1"
source="$2"
prefix="$(mktemp -d "${TMPDIR:-/tmp}/zorvane-test-install-XXXXXX")"
trap 'rm -rf "$prefix"' EXIT

# The user's own install list (build/install_manifest.txt, from the user's own install) stays as
# it was: the test's install lists its files elsewhere.
manifest="$build/install_manifest.txt"
before="$(cat "$manifest" 2>/dev/null || echo none)"
cmake --install "$build" --component zorvane --prefix "$prefix" >/dev/null
[ "$(cat "$manifest" 2>/dev/null || echo none)" = "$before" ] || fail "the test's install replaced build/install_manifest.txt"
grep -qx "$prefix/bin/zorvane" "$build/install_manifest_zorvane.txt" || fail "the component's install list lacks the program"

[ -x "$prefix/bin/zorvane" ] || fail "bin/zorvane is not an installed program"
[ ! -e "$prefix/bin/help" ] || fail "the help folder is installed beside the program in bin/"

help="$prefix/share/zorvane/help"
[ -f "$help/index.tsv" ] || fail "share/zorvane/help/index.tsv is missing"
# Every help file of the source tree, nothing left out.
(cd "$source/help" && find . -type f | sort) >"$prefix/want"
(cd "$help" && find . -type f | sort) >"$prefix/got"
diff -u "$prefix/want" "$prefix/got" || fail "the installed help folder differs from help/"

entry="$prefix/share/applications/zorvane.desktop"
[ -f "$entry" ] || fail "share/applications/zorvane.desktop is missing"
for line in "Name=Zorvane" "Exec=zorvane /C" "Icon=zorvane" "Type=Application"; do
  grep -qx "$line" "$entry" || fail "the desktop entry lacks '$line'"
done
grep -q '^Categories=.*Settings;' "$entry" || fail "the desktop entry is not in the Settings category"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate refuses the desktop entry"
fi

icon="$prefix/share/icons/hicolor/scalable/apps/zorvane.svg"
[ -f "$icon" ] || fail "the scalable icon is missing"
if command -v xmllint >/dev/null; then
  xmllint --noout "$icon" || fail "the icon is not well-formed XML"
fi
grep -q '<svg' "$icon" || fail "the icon is no SVG picture"
# The README's uninstall, for the prefix of one install: every file the install put in place
# goes, and the program's emptied folder with them.
rm -f "$prefix/want" "$prefix/got"
p="$prefix"
rm -f "$p/bin/zorvane" "$p/share/applications/zorvane.desktop" "$p/share/icons/hicolor/scalable/apps/zorvane.svg"
rm -r "$p/share/zorvane/help"
rmdir --ignore-fail-on-non-empty "$p/share/zorvane"
left="$(find "$prefix" -type f)"
[ -z "$left" ] || fail "files left after the uninstall: $left"
[ ! -e "$prefix/share/zorvane" ] || fail "the emptied share/zorvane folder is left"
echo "installed, checked and removed in a scratch prefix"
