#!/usr/bin/python3
"""Checks a rendered skin folder.

    /usr/bin/python3 tools/skin/check.py [skin folder]   (default: data/skins)

Errors (exit status 1):
- a layout file is missing, is not UTF-16LE with a byte-order mark, lacks a key the program
  reads, or has a value with more than six commas;
- an element the program uses has an empty rectangle, or a rectangle that leaves its window
  or lies on a part the window's mask cuts away; the slider knob at full fill leaves the window;
- the two languages give an element different rectangles (the pictures are shared);
- a picture is missing or differs in size from its window's mask; the knob has no alpha;
- a function name is empty.
Warnings: a text that is wider than its rectangle in the 13-pixel font Wine uses.
"""
import os
import sys

from PIL import Image, ImageFont

from preview import FONT, LAYOUT_FILES, read_ini, split_entry, to_int

PAGE_PICTURES = ["main_normal", "main_over", "main_down", "advanced_normal", "advanced_over",
                 "advanced_down", "mac_normal", "mac_over", "mac_down", "color_normal_pink",
                 "color_over_red", "color_down_purple", "color_normal_gray", "color_over_blue"]
GROUPS = {
    "main_mask": PAGE_PICTURES,
    "menu_mask": ["menu_normal", "menu_over", "menu_down"],
    "advanced menu_mask": ["advanced menu_normal", "advanced menu_over", "advanced menu_down"],
    "keyset_mask": ["keyset_normal", "keyset_over", "keyset_down"],
    "warning_mask": ["warning_normal", "warning_over"],
}

# Keys each layout must carry, and the elements the program draws or hit-tests with a meaning.
KEYS = {
    "main": [("BUTTONPOS", range(0, 50)), ("BtnExpand", [50]), ("FUN_STRING", range(1, 55))],
    "advanced": [("BUTTONPOS", range(0, 33))],
    "color": [("BUTTONPOS", range(0, 6))],
    "macro": [("BUTTONPOS", range(0, 13)), ("EDIT", [1]), ("MACRODISPLAY", [1, 2])],
    "warning": [("BUTTONPOS", range(0, 3))],
    "keyset": [("BUTTONPOS", range(0, 4))],
}
HEADER_USED = [0, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19]
USED = {
    "advanced": [0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17, 18, 20, 21, 22, 23,
                 25, 26, 27, 28, 30, 31, 32],
    "color": [0, 1, 2, 3, 4, 5],
    "macro": [2, 3, 5, 6],
    "warning": [0, 1, 2],
    "keyset": [0, 1, 2, 3],
}
POPUP_CODES = list(range(1, 17)) + list(range(21, 39))


class Report:
    def __init__(self):
        self.errors, self.warnings = [], []

    def error(self, msg):
        self.errors.append(msg)

    def warn(self, msg):
        self.warnings.append(msg)


def key_count(skin):
    """KeyNum of the shipped config.ini beside the skins folder, 8 when it is not there."""
    path = os.path.join(skin, "..", "config.ini")
    try:
        return to_int(read_ini(path).get("KEYNUM", {}).get("KeyNum", "8"))
    except (OSError, UnicodeError):
        return 8


def load(skin, lang, kind, rep):
    path = os.path.join(skin, LAYOUT_FILES[lang][kind])
    if not os.path.exists(path):
        rep.error("%s: missing" % path)
        return None
    if open(path, "rb").read(2) != b"\xff\xfe":
        rep.error("%s: not UTF-16LE with a byte-order mark" % path)
    ini = read_ini(path)
    out = {}
    for sec, keys in KEYS[kind]:
        for k in keys:
            v = ini.get(sec, {}).get(str(k))
            if v is None:
                rep.error("%s: [%s] %d missing" % (path, sec, k))
                continue
            if v.count(",") > 6:
                rep.error("%s: [%s] %d has more than six commas" % (path, sec, k))
            f = split_entry(v)
            out[(sec, k)] = (tuple(to_int(x) for x in f[1:5]), f[5], f[0])
    return out


def dark(mask, x, y):
    r, g, b = mask.getpixel((x, y))[:3]
    return not (r > 100 and g > 100 and b > 100)


def check_rect(rep, where, r, size, mask):
    x, y, w, h = r
    W, H = size
    if w <= 0 or h <= 0:
        rep.error("%s: empty rectangle %s" % (where, r))
        return
    if x < 0 or y < 0 or x + w > W or y + h > H:
        rep.error("%s: rectangle %s leaves the %dx%d window" % (where, r, W, H))
        return
    if mask is not None:
        for px, py in ((x, y), (x + w - 1, y), (x, y + h - 1), (x + w - 1, y + h - 1)):
            if not dark(mask, px, py):
                rep.error("%s: corner (%d, %d) of %s is cut away by the mask" % (where, px, py, r))
                break


def main(skin):
    rep = Report()
    pics = {}
    for mask_name, members in GROUPS.items():
        path = os.path.join(skin, mask_name + ".jpg")
        if not os.path.exists(path):
            rep.error("%s: missing" % path)
            continue
        mask = Image.open(path).convert("RGB")
        pics[mask_name] = mask
        for name in members:
            p = os.path.join(skin, name + ".jpg")
            if not os.path.exists(p):
                rep.error("%s: missing" % p)
            elif Image.open(p).size != mask.size:
                rep.error("%s: size %s, mask %s" % (p, Image.open(p).size, mask.size))
    knob_path = os.path.join(skin, "moveRect.png")
    knob = None
    if not os.path.exists(knob_path):
        rep.error("%s: missing" % knob_path)
    else:
        knob = Image.open(knob_path)
        if knob.mode != "RGBA":
            rep.error("%s: no alpha channel (mode %s)" % (knob_path, knob.mode))

    font = ImageFont.truetype(FONT, 13)
    width = lambda s: font.getlength(s)
    n = key_count(skin)
    main_mask = pics.get("main_mask")
    size = main_mask.size if main_mask else (0, 0)
    layouts = {}
    for lang in ("en", "ru"):
        L = {kind: load(skin, lang, kind, rep) for kind in KEYS}
        layouts[lang] = L
        if any(v is None for v in L.values()):
            continue
        tag = lambda kind, k: "%s %s %d" % (LAYOUT_FILES[lang][kind], "element", k)
        main_used = HEADER_USED + [50] + list(range(25, 25 + n)) + list(range(35, 35 + n))
        for k in main_used:
            key = ("BtnExpand", 50) if k == 50 else ("BUTTONPOS", k)
            check_rect(rep, tag("main", k), L["main"][key][0], size, main_mask)
        for kind in ("advanced", "color", "macro"):
            for k in USED[kind]:
                check_rect(rep, tag(kind, k), L[kind][("BUTTONPOS", k)][0], size, main_mask)
        for key in (("EDIT", 1), ("MACRODISPLAY", 1), ("MACRODISPLAY", 2)):
            check_rect(rep, "%s %s %d" % (LAYOUT_FILES[lang]["macro"], *key), L["macro"][key][0],
                       size, main_mask)
        for kind, mask_name in (("warning", "warning_mask"), ("keyset", "keyset_mask")):
            m = pics.get(mask_name)
            for k in USED[kind]:
                check_rect(rep, tag(kind, k), L[kind][("BUTTONPOS", k)][0],
                           m.size if m else (0, 0), m)
        if knob is not None:
            x, y, w, h = L["advanced"][("BUTTONPOS", 30)][0]
            check_rect(rep, "knob at the end of the slider", (x + w, y) + knob.size, size, main_mask)
        # function names: present and fitting the popups and the button labels
        menu_w = pics["menu_mask"].size[0] if "menu_mask" in pics else 0
        label_w = min(L["main"][("BUTTONPOS", 25 + i)][0][2] for i in range(n)) if n else 0
        for k in range(1, 55):
            name = L["main"][("FUN_STRING", k)][2]
            if not name:
                rep.error("%s: function name %d is empty" % (LAYOUT_FILES[lang]["main"], k))
            if k in POPUP_CODES and width(name) > menu_w - 12:
                rep.warn("%s: function name %d %r is wider than the popup" % (lang, k, name))
            if width(name) > label_w - 40:
                rep.warn("%s: function name %d %r is wider than a button label" % (lang, k, name))
        # texts of the layouts
        for kind, d in L.items():
            for (sec, k), (r, text, _) in d.items():
                if sec == "BUTTONPOS" and text and r[2] > 0 and width(text) > r[2]:
                    rep.warn("%s: text %r (%d px) is wider than its rectangle %s"
                             % (tag(kind, k), text, width(text), r))
    if all(layouts[l][k] for l in layouts for k in KEYS):
        for kind in KEYS:
            for key, (r, _, _) in layouts["en"][kind].items():
                other = layouts["ru"][kind].get(key)
                if key[0] != "FUN_STRING" and other and other[0] != r:
                    rep.error("%s %s: English %s and second language %s differ"
                              % (kind, key, r, other[0]))
    total = sum(os.path.getsize(os.path.join(dp, f)) for dp, _, fs in os.walk(skin) for f in fs)
    for w in rep.warnings:
        print("warning:", w)
    for e in rep.errors:
        print("error:", e)
    print("%s: %d errors, %d warnings, %.1f MB" % (skin, len(rep.errors), len(rep.warnings),
                                                  total / 1e6))
    return 1 if rep.errors else 0


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else
                  os.path.normpath(os.path.join(here, "..", "..", "data", "skins"))))
