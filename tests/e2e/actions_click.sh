#!/usr/bin/env bash
# The real pyxom.exe with a simulated mouse under Wine: clicks of mouse buttons that leave
# their function to the host reach the mouse and config.ini as they should.
#   model 0: a button with a shipped macro plays its keys through key-emulation reports;
#   model 0: volume down sends the consumer report 0xEA; the mouse's own DPI cycle reports
#            its new level, which is saved as DPI_LEVEL of the current profile;
#   model 2: DPI up sends the DPI current report for the next level and saves it.
set -euo pipefail
source "$(dirname "$0")/support/run-pyxom.bash" actions

config_value() {  # section key
  iconv -f UTF-16 -t UTF-8 "$work/config.ini" | tr -d '\r' |
    awk -v s="[$1]" -v k="$2" '$0 == s {in_s = 1; next} /^\[/ {in_s = 0} in_s && index($0, k "=") == 1 {print substr($0, length(k) + 2); exit}'
}
trace_has() { grep -q "^$1" "$work/trace.txt" 2>/dev/null; }
downloaded() { [ "$(grep -c '^F 07 09 ' "$work/trace.txt" 2>/dev/null || true)" -ge 4 ] 2>/dev/null; }
start() {  # model
  start_pyxom "$1"
  wait_for 30 downloaded || fail "model $1: the configuration download did not reach the mouse"
}

layout=$'[PRODUCTNAME]\nPRODUCTNAME_CN=Pyxom\nPRODUCTNAME_EN=Pyxom\n[KEYNUM]\nKeyNum=3\n[KEYMAP]\nK1_MAP=1\nK2_MAP=2\nK3_MAP=3\n[KEY_UIFC]\nK1_INIT_VAL=1\nK2_INIT_VAL=1\nK3_INIT_VAL=1\n[Init]\nCurConfig=1\nVER_SEL=1\n'
levels=$'DPI_SET_EN0=1\nDPI_SET_EN1=1\nDPI_SET_EN2=1\nDPI_SET_EN3=1\nDPI_E_SET0=1\nDPI_E_SET1=3\nDPI_E_SET2=5\nDPI_E_SET3=7\nDPI_C_SET0=0\nDPI_C_SET1=1\nDPI_C_SET2=2\nDPI_C_SET3=3\nFIRE_TIME=50\nDPI_SPEED=5\nWHEEL_SPEED=2\n'

# Model 0: button 1 (key index 2) volume down, button 2 (key index 3) DPI cycle.
write_config "$layout"$'[Config1]\nK0=1\nK1=25\nK2=6\nDPI_LEVEL=0\n'"$levels"
start 0
sim click 2 || fail "pyxom-sim click 2"
wait_for 10 trace_has "F .. 17 00 EA" || fail "no consumer report 0xEA after the click of the volume-down button"
trace_has "I 06 F2 00" || fail "the press of the volume-down button was not reported"
sim click 3 || fail "pyxom-sim click 3"
wait_for 10 trace_has "I 06 F3 01" || fail "the mouse did not report its new DPI level 1"
level_saved() { [ "$(config_value Config1 DPI_LEVEL)" = 1 ]; }
wait_for 10 level_saved || fail "DPI_LEVEL of Config1 is '$(config_value Config1 DPI_LEVEL)', not 1"
stop

# Model 0: button 2 (key index 3) plays the first macro of the shipped group "Office" (Copy):
# Ctrl down, C down, C up, Ctrl up through key-emulation reports, then everything released.
write_config "$layout"$'[Config1]\nK0=1\nK1=1\nK2=256\nDPI_LEVEL=0\n'"$levels"
start 0
sim click 3 || fail "pyxom-sim click 3"
copy_played() { trace_has "F 07 15 E0 06 00"; }
wait_for 10 copy_played || fail "no key report with Ctrl and C held after the click of the macro button"
all_released() { grep -A20 "^F 07 15 E0 06 00" "$work/trace.txt" | grep -q "^F 07 15 00 00 00 00 00 00"; }
wait_for 10 all_released || fail "the keys of the macro were not all released"
stop

# Model 2: button 1 (key index 2) DPI up from level 1; the mouse has DPI code 8 for level 2.
write_config "$layout"$'[Config1]\nK0=1\nK1=15\nK2=0\nDPI_LEVEL=1\n'"$levels"
start 2
sim click 2 || fail "pyxom-sim click 2"
wait_for 10 trace_has "F 07 09 02 20" || fail "no DPI current report for level 2 after DPI up"
level2_saved() { [ "$(config_value Config1 DPI_LEVEL)" = 2 ]; }
wait_for 10 level2_saved || fail "DPI_LEVEL of Config1 is '$(config_value Config1 DPI_LEVEL)', not 2"
stop
echo "actions_click: all checks passed"
