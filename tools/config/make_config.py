#!/usr/bin/env python3
"""Writes data/config.ini: the button layout, product names, Init keys, the user profiles 1 to 5,
the last-sent section Config6 and the factory sections CfgReset2..5 and CfgReset_EN5.

The file is UTF-16LE with a byte-order mark and CRLF line ends, so the private-profile functions
keep the Russian product name on every locale. Run from anywhere: python3 tools/config/make_config.py
"""
from pathlib import Path

# Button n-1 of the layout: (device key index, factory function).
BUTTONS = [
    (1, 1),   # left: primary click
    (2, 2),   # right
    (3, 3),   # middle
    (4, 4),   # back
    (5, 5),   # forward
    (6, 15),  # DPI up
    (7, 16),  # DPI down
    (8, 6),   # top button: DPI cycle
]

PRODUCT_EN = "Pyxom Gaming Mouse"
PRODUCT_RU = "Игровая мышь Pyxom"

# DPI steps per level for model 0 (DPI_E_SET, 12 steps), model 1 (DPI_F_SET, 17 steps) and
# model 2 (DPI_C_SET, 5 steps).
FACTORY_STEPS = {"E": [3, 5, 6, 8], "F": [5, 10, 13, 16], "C": [0, 1, 2, 4]}


def profile(buttons, *, level=0, steps=FACTORY_STEPS, enabled=(1, 1, 1, 1), led=0, pointer=5,
            wheel=2, rate=2, fire=50, macro_mode=0):
    return dict(buttons=buttons, level=level, steps=steps, enabled=enabled, led=led,
                pointer=pointer, wheel=wheel, rate=rate, fire=fire, macro_mode=macro_mode)


FACTORY = profile([f for _, f in BUTTONS])
SHOOTER = profile([1, 2, 3, 4, 5, 15, 16, 12], level=1,
                  steps={"E": [2, 4, 7, 11], "F": [3, 8, 12, 16], "C": [0, 2, 3, 4]},
                  led=1, rate=3, fire=30, macro_mode=1)
OFFICE = profile([1, 2, 3, 31, 32, 34, 33, 12],
                 steps={"E": [1, 3, 5, 7], "F": [2, 5, 8, 11], "C": [0, 1, 2, 3]},
                 enabled=(1, 1, 1, 0), led=2, pointer=6, wheel=4, rate=1)
MEDIA = profile([1, 2, 3, 26, 27, 24, 25, 29], level=1, enabled=(1, 1, 0, 0), led=3, wheel=1)
BROWSE = profile([1, 2, 3, 4, 5, 21, 23, 30],
                 steps={"E": [2, 5, 8, 10], "F": [4, 9, 12, 15], "C": [0, 1, 3, 4]},
                 led=0, pointer=4, wheel=3)
BROWSE_EN = profile([1, 2, 3, 4, 5, 21, 35, 37],
                    steps={"E": [2, 5, 8, 10], "F": [4, 9, 12, 15], "C": [0, 1, 3, 4]},
                    led=1, pointer=4, wheel=3)


def profile_lines(p):
    lines = [f"K{i}={code}" for i, code in enumerate(p["buttons"])]
    lines += [f"DPI_LEVEL={p['level']}", "WHEEL_STATUS=0", f"MACRO_MODE2={p['macro_mode']}"]
    for j in range(4):
        lines += [f"DPI_{m}_SET{j}={p['steps'][m][j]}" for m in ("E", "F", "C")]
        lines.append(f"DPI_SET_EN{j}={p['enabled'][j]}")
    lines += [f"LED_STATUS={p['led']}", f"DPI_SPEED={p['pointer']}", f"WHEEL_SPEED={p['wheel']}",
              f"USB_SPEED={p['rate']}", f"FIRE_TIME={p['fire']}"]
    return lines


def sections():
    yield "PRODUCTNAME", [f"PRODUCTNAME_CN={PRODUCT_RU}", f"PRODUCTNAME_EN={PRODUCT_EN}"]
    yield "KEYNUM", [f"KeyNum={len(BUTTONS)}"]
    yield "KEYMAP", [f"K{n}_MAP={index}" for n, (index, _) in enumerate(BUTTONS, 1)]
    yield "KEY_UIFC", [f"K{n}_INIT_VAL={f}" for n, (_, f) in enumerate(BUTTONS, 1)]
    yield "Init", ["CurConfig=1", "VER_SEL=1"]
    users = [FACTORY, SHOOTER, OFFICE, MEDIA, BROWSE]
    for n, p in enumerate(users, 1):
        yield f"Config{n}", profile_lines(p)
    yield "Config6", profile_lines(FACTORY)
    for n, p in enumerate(users[1:], 2):
        yield f"CfgReset{n}", profile_lines(p)
    yield "CfgReset_EN5", profile_lines(BROWSE_EN)


def main():
    text = ""
    for name, lines in sections():
        text += f"[{name}]\r\n" + "".join(line + "\r\n" for line in lines) + "\r\n"
    out = Path(__file__).resolve().parents[2] / "data" / "config.ini"
    out.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))
    print(f"wrote {out}")


if __name__ == "__main__":
    main()
