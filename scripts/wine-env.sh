#!/usr/bin/env bash
# Source this file: prepares a Wine prefix and an X display for running the Windows build.
#   PYXOM_WINEPREFIX  prefix to use (default: ~/.cache/pyxom/wine)
#   PYXOM_XVFB=1      always use a private virtual display, even when DISPLAY is set
# Exports WINEPREFIX, WINEDEBUG, DISPLAY and PYXOM_WINE (the wine loader).
# pyxom_wine_stop stops what was started here.

export WINEPREFIX="${PYXOM_WINEPREFIX:-$HOME/.cache/pyxom/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
PYXOM_WINE="$(command -v wine || echo /usr/lib/wine/wine64)"
export PYXOM_WINE
# Debian's wine64 package keeps the server out of PATH.
PYXOM_WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver64)"
export PYXOM_WINESERVER
PYXOM_XVFB_PID=""

pyxom__reg_import() {  # $1 = .reg text (UTF-8); imported as UTF-16LE so non-ASCII names survive
  local f="$WINEPREFIX/drive_c/pyxom-setup.reg"
  { printf '\xff\xfe'; printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; } > "$f"
  "$PYXOM_WINE" regedit /S 'C:\pyxom-setup.reg' >/dev/null 2>&1
  rm -f "$f"
}

pyxom__make_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$PYXOM_WINE" wineboot -i >/dev/null 2>&1 </dev/null
  "$PYXOM_WINESERVER" -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  pyxom__reg_import $'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"微软雅黑"="WenQuanYi Micro Hei"\r\n"Microsoft YaHei"="WenQuanYi Micro Hei"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Mouse]\r\n"MouseSensitivity"="10"\r\n\r\n'
  "$PYXOM_WINESERVER" -w
  touch "$WINEPREFIX/.pyxom-ready"
}

pyxom_wine_start() {
  if [ -z "${DISPLAY:-}" ] || [ "${PYXOM_XVFB:-0}" = 1 ]; then
    local n=99
    while [ -e "/tmp/.X${n}-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    PYXOM_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
  [ -f "$WINEPREFIX/.pyxom-ready" ] || pyxom__make_prefix
  # A persistent server, warmed with output away from any pipe, keeps each later start fast.
  "$PYXOM_WINESERVER" -p >/dev/null 2>&1 </dev/null
  "$PYXOM_WINE" wineboot >/dev/null 2>&1 </dev/null
}

pyxom_wine_stop() {
  "$PYXOM_WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$PYXOM_XVFB_PID" ]; then kill "$PYXOM_XVFB_PID" 2>/dev/null || true; wait "$PYXOM_XVFB_PID" 2>/dev/null || true; fi
}
