#!/usr/bin/env bash
# Runs every test: installs what is needed, builds the native and Windows presets, runs the
# native tests, then the Windows tests under Wine on a private virtual display.
#   PYXOM_SANITIZE_TESTS=1  also build and run the native tests with ASan/UBSan
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

jobs="-j$(nproc)"
status=0
build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1" $jobs; }

echo "== native build and tests"
build native || exit 1
ctest --preset native || status=1

if [ "${PYXOM_SANITIZE_TESTS:-0}" = 1 ]; then
  echo "== native tests with AddressSanitizer and UndefinedBehaviorSanitizer"
  build native-asan || exit 1
  ctest --preset native-asan || status=1
fi

echo "== Windows build and tests under Wine"
build windows || exit 1
export PYXOM_XVFB=1
source scripts/wine-env.sh
pyxom_wine_start
ctest --preset windows || status=1
pyxom_wine_stop

if [ $status -eq 0 ]; then echo "All tests passed."; else echo "Some tests failed."; fi
exit $status
