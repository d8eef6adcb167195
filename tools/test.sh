#!/usr/bin/env bash
# Every test, from a fresh Debian 12 machine: installs what is missing, then builds and tests the
# native debug build, the sanitizer build and, when its scripts are present, the Windows build
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh --win32

jobs=$(nproc)
for preset in linux linux-asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset"
done

# The shipped native build (link-time optimised, unlike the test builds): what it installs, its
# package, and the program itself end to end.
echo "== linux-small"
cmake --preset linux-small >/dev/null
cmake --build --preset linux-small -j"$jobs"
bash tests/linux/desktop_install_test.sh build/linux-small resources/art/program_icon.ico
bash tests/linux/quenfor_linux_e2e.sh build/linux-small/app/quenfor

# Each fuzz target (fuzz/, the `fuzz` preset) for a minute; any finding fails the run.
echo "== fuzz"
for target in form bitmap jpeg icon; do tools/fuzz.sh "$target" 60; done
# The headless suites and a session of the native program under valgrind.
echo "== memcheck"
tools/memcheck.sh

if [ -x tools/ci-win32.sh ]; then
  echo "== win32"
  tools/ci-win32.sh
fi
