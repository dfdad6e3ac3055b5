#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12.
set -euo pipefail
PKGS=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
      g++-mingw-w64-x86-64-posix wine wine64 fonts-wine fonts-wqy-microhei
      xvfb xauth xdotool imagemagick x11-utils python3 python3-pil)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
