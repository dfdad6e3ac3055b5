#!/usr/bin/env bash
# Installs what is needed, builds pyxom.exe and starts it under Wine against a simulated mouse.
#   scripts/run.sh [MODEL]   MODEL = 0, 1 or 2 (default 0)
# With a display (DISPLAY set) the program opens on your desktop and this script returns when
# it ends. Without one it runs on a virtual display, saves a screenshot and stops the program.
set -euo pipefail
cd "$(dirname "$0")/.."
model="${1:-0}"
bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
dist="$PWD/build/windows/dist"
source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
  pyxom_wine_start
  echo "Starting pyxom.exe --simulate=$model (drive it with: $PYXOM_WINE $dist/pyxom-sim.exe press 1|unplug)"
  (cd "$dist" && "$PYXOM_WINE" ./pyxom.exe --simulate="$model")
else
  PYXOM_XVFB=1 pyxom_wine_start
  (cd "$dist" && "$PYXOM_WINE" ./pyxom.exe --simulate="$model" >/dev/null 2>&1 &)
  for _ in $(seq 100); do "$PYXOM_WINE" "$dist/pyxom-sim.exe" state >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  shot="$PWD/build/pyxom-screenshot.png"
  import -window root "$shot"
  echo "pyxom.exe ran on a virtual display; screenshot: $shot"
  "$PYXOM_WINE" "$dist/pyxom-sim.exe" unplug >/dev/null 2>&1 || true
  sleep 1
  pyxom_wine_stop
fi
