#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs one exe under the already prepared Wine prefix.
export WINEPREFIX="${PYXOM_WINEPREFIX:-$HOME/.cache/pyxom/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec "$(command -v wine || echo /usr/lib/wine/wine64)" "$@"
