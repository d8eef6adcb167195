#!/usr/bin/env bash
# The shipped build (preset linux-small) installed with a prefix gives a desktop program: the
# stripped executable, a valid .desktop entry, the program's icon as PNGs in the hicolor sizes and
# its manual page; cpack makes the same into a .deb that lintian passes and that declares what
# the binary needs.
#   tests/linux/desktop_install_test.sh BUILD_DIR ICON_FILE
set -euo pipefail
build=$1
ico=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[ -x "$work/prefix/bin/quenfor" ] || fail "no executable bin/quenfor"
file "$work/prefix/bin/quenfor" | grep -q ', stripped' || fail "bin/quenfor is not stripped"
man --warnings -l "$work/prefix/share/man/man1/quenfor.1.gz" 2>&1 >/dev/null | grep . &&
  fail "the manual page has warnings"
entry="$work/prefix/share/applications/quenfor.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
grep -qx 'Exec=quenfor' "$entry" && grep -qx 'Icon=quenfor' "$entry" || fail "the entry does not start quenfor with its icon"

for size in 16 22 24 32 48 64 128 256; do
  png="$work/prefix/share/icons/hicolor/${size}x${size}/apps/quenfor.png"
  [ "$(identify -format '%m %w %h %[channels]' "$png")" = "PNG $size $size srgba" ] ||
    fail "$png: $(identify -format '%m %w %h %[channels]' "$png" 2>&1)"
done
# The 32 x 32 one is the icon itself, transparent corners included.
convert "$ico" "$work/icon.png"
[ "$(compare -metric AE "$work/icon.png" "$work/prefix/share/icons/hicolor/32x32/apps/quenfor.png" null: 2>&1)" = 0 ] ||
  fail "the 32 x 32 PNG differs from the program's icon"
echo "install: bin/quenfor, a valid quenfor.desktop, 8 icon sizes"

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/quenfor_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/quenfor ./usr/share/applications/quenfor.desktop \
         ./usr/share/icons/hicolor/256x256/apps/quenfor.png; do
  grep -qx "$f" <<<"$contents" || fail "$f is not in $(basename "$deb")"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libx11 libfreetype6 libfontconfig1; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
# A binary with packed relative relocations does not start before glibc 2.36.
if readelf -d "$work/prefix/bin/quenfor" | grep -q '(RELR)'; then
  grep -q 'libc6 (>= 2.36)' <<<"$depends" || fail "DT_RELR needs libc6 (>= 2.36): $depends"
fi
findings=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep -E '^(E|W): ' || true)
[ -z "$findings" ] || fail "lintian: $findings"
echo "package: $(basename "$deb"), lintian: no errors or warnings"
