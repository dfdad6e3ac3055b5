# Sourced by the scenarios in tests/e2e: a private copy of the ready-to-run folder, the real
# pyxom.exe with a simulated mouse in it, and pyxom-sim.exe to drive the mouse.
#   source support/run-pyxom.bash NAME   (NAME labels the temporary folder)
: "${PYXOM_DIST_DIR:?set PYXOM_DIST_DIR to the dist folder of the Windows build}"
WINE="${PYXOM_WINE:-wine}"

work="$(mktemp -d "/tmp/pyxom-$1.XXXXXX")"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$PYXOM_DIST_DIR"/. "$work"/

fail() { echo "FAIL: $*" >&2; [ -f "$work/trace.txt" ] && sed 's/^/  trace: /' "$work/trace.txt" >&2; exit 1; }

write_config() {  # UTF-16LE with a byte-order mark, as the program's INI files are
  { printf '\xff\xfe'; printf '%s' "$1" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } > "$work/config.ini"
}

sim() { (cd "$work" && "$WINE" ./pyxom-sim.exe "$@" 2>/dev/null); }

wait_for() {  # seconds command...
  local t=$(( $1 * 10 )); shift
  for _ in $(seq "$t"); do "$@" && return 0; sleep 0.1; done
  return 1
}

sim_up() { sim state >/dev/null; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

start_pyxom() {  # model: pyxom.exe --simulate=model, tracing to $work/trace.txt, mouse up
  rm -f "$work/trace.txt"
  # Under Wine the single-instance mutex outlives an ended program by a few seconds; a start in
  # that time only wakes the "running" instance and ends with exit code 1. Start again then.
  local rc
  for _ in $(seq 40); do
    (cd "$work" && exec "$WINE" ./pyxom.exe "--simulate=$1" --sim-trace=trace.txt >/dev/null 2>&1) &
    pid=$!
    if wait_for 1 ended; then
      rc=0; wait "$pid" || rc=$?
      pid=""
      [ "$rc" -eq 1 ] || fail "model $1: pyxom.exe ended at once with $rc"
      sleep 0.3
      continue
    fi
    break
  done
  [ -n "$pid" ] || fail "model $1: pyxom.exe kept finding a running instance"
  wait_for 60 sim_up || fail "model $1: no simulated mouse came up"
}

stop() {  # unplug the mouse; the program must end
  sim unplug || true
  wait_for 30 ended || fail "the program did not end after the unplug"
  wait "$pid" 2>/dev/null || true
  pid=""
}
