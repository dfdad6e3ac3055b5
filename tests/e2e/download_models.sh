#!/usr/bin/env bash
# The real pyxom.exe under Wine with a simulated mouse of each model: after the start-up
# download the mouse holds the current profile (button map by key index, DPI codes per level,
# enable mask, current level, LED mode, fire interval), and the system's pointer speed and wheel
# lines follow the profile's settings.
set -euo pipefail
source "$(dirname "$0")/support/run-pyxom.bash" download

reg_value() {  # key value
  "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v {print $NF}'
}
# The download is over once the trace has been quiet for a second.
quiet() {
  local now; now="$(wc -l < "$work/trace.txt" 2>/dev/null || echo 0)"
  if [ "$now" -gt 0 ] && [ "$now" = "${last_lines:-}" ]; then return 0; fi
  last_lines="$now"; sleep 0.9; return 1
}
start() {  # model
  last_lines=""
  start_pyxom "$1"
  wait_for 30 quiet || fail "model $1: the download never ended"
}

layout=$'[PRODUCTNAME]\nPRODUCTNAME_CN=Pyxom\nPRODUCTNAME_EN=Pyxom\n[KEYNUM]\nKeyNum=3\n[KEYMAP]\nK1_MAP=2\nK2_MAP=1\nK3_MAP=3\n[KEY_UIFC]\nK1_INIT_VAL=1\nK2_INIT_VAL=1\nK3_INIT_VAL=1\n[Init]\nCurConfig=2\nVER_SEL=1\n'
# Profile 2 is current; profile 1 differs so a download of the wrong one shows.
profile=$'K0=1\nK1=2\nK2=3\nDPI_LEVEL=1\nDPI_SET_EN0=1\nDPI_SET_EN1=1\nDPI_SET_EN2=0\nDPI_SET_EN3=1\nLED_STATUS=2\nDPI_SPEED=5\nWHEEL_SPEED=2\nFIRE_TIME=50\n'
other=$'K0=3\nK1=3\nK2=3\nDPI_LEVEL=0\nDPI_SET_EN0=0\nDPI_SET_EN1=0\nDPI_SET_EN2=0\nDPI_SET_EN3=0\nLED_STATUS=0\nDPI_SPEED=1\nWHEEL_SPEED=7\nFIRE_TIME=300\n'
steps=$'DPI_E_SET0=1\nDPI_E_SET1=3\nDPI_E_SET2=5\nDPI_E_SET3=7\nDPI_F_SET0=1\nDPI_F_SET1=3\nDPI_F_SET2=5\nDPI_F_SET3=7\nDPI_C_SET0=0\nDPI_C_SET1=1\nDPI_C_SET2=2\nDPI_C_SET3=4\n'

# model -> DPI codes of steps (1,3,5,7) on models 0 and 1 and (0,1,2,4) on model 2.
declare -A codes=([0]="2 4 6 10" [1]="2 4 6 8" [2]="6 8 10 13")
for model in 0 1 2; do
  write_config "$layout"$'[Config1]\n'"$other$steps"$'[Config2]\n'"$profile$steps"
  reg_before="$(reg_value 'HKCU\Control Panel\Mouse' MouseSensitivity)"
  start "$model"
  state="$(sim state | tr -d '\r')"
  expect() { grep -qx "$1" <<<"$state" || fail "model $model: expected $1, mouse state:"$'\n'"$state"; }
  # Key index 2 carries button 0 (code 1), key index 1 button 1 (code 2), key index 3 button 2.
  expect "model=$model"
  read -r c0 c1 c2 c3 <<<"${codes[$model]}"
  expect "dpiCode.0=$c0"; expect "dpiCode.1=$c1"; expect "dpiCode.2=$c2"; expect "dpiCode.3=$c3"
  expect "enableMask=11"
  expect "level=1"
  expect "led=2"
  expect "fire=48"
  expect "exited=0"
  expect "rejectedReports=0"
  expect "button.1=2"; expect "button.2=1"; expect "button.3=3"
  speed="$(reg_value 'HKCU\Control Panel\Mouse' MouseSensitivity)"
  [ "$speed" = 10 ] || fail "model $model: pointer speed $speed (was $reg_before), not 10 for DPI_SPEED=5"
  lines="$(reg_value 'HKCU\Control Panel\Desktop' WheelScrollLines)"
  [ "$lines" = 3 ] || fail "model $model: wheel scroll lines $lines, not 3 for WHEEL_SPEED=2"
  stop
done
echo "download_models: all checks passed"
