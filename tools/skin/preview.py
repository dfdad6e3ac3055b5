#!/usr/bin/python3
"""Composes a page of the rendered skin the way the program paints it, for looking at the art.

    /usr/bin/python3 tools/skin/preview.py OUT.png [--skin data/skins] [--lang en|ru]
        [--page 0-3] [--hover N] [--down] [--profile 1-5] [--led 0-3] [--level 0-3]
        [--buttons 1,2,3,...] [--recording]

It reads the shipped layout files and pictures only, so what it shows is what the skin gives
the program. Texts use WenQuanYi Micro Hei at 13 pixels, the face Wine substitutes for the
program's font.
"""
import argparse
import os

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
HIGHLIGHT = (0, 216, 255)
WHITE = (255, 255, 255)

PAGES = [("main_normal", "main_over", "main_down"),
         ("advanced_normal", "advanced_over", "advanced_down"),
         ("mac_normal", "mac_over", "mac_down"),
         ("color_normal_pink", "color_over_red", "color_down_purple")]
LAYOUT_FILES = {
    "en": dict(main="INI_EN/skin_main_en.ini", advanced="INI_EN/skin_advance_en.ini",
               color="INI_EN/skin_color_en.ini", macro="INI_EN/skin_mac_en.ini",
               warning="INI_EN/LBWarning_en.ini", keyset="INI_EN/skin_keyset_en.ini"),
    "ru": dict(main="INI_CN/skin_main.ini", advanced="INI_CN/skin_advance.ini",
               color="INI_CN/skin_color.ini", macro="INI_CN/skin_mac.ini",
               warning="INI_CN/LBWarning.ini", keyset="INI_CN/skin_keyset.ini"),
}
DPI_CODES_MODEL0 = [1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 13, 15]


def read_ini(path):
    """Sections of a UTF-16LE (or UTF-8) INI file as {section: {key: value}}."""
    raw = open(path, "rb").read()
    text = raw[2:].decode("utf-16-le") if raw[:2] == b"\xff\xfe" else raw.decode("utf-8-sig")
    out, cur = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            cur = out.setdefault(line[1:-1], {})
        elif "=" in line and cur is not None:
            k, v = line.split("=", 1)
            cur[k.strip()] = v.strip()
    return out


def split_entry(value):
    """Fields f0 to f6 of a layout value."""
    if "," not in value:
        return [value] + [""] * 6
    parts = value.split(",", 6)
    parts += [""] * (7 - len(parts))
    return parts


def to_int(s):
    s = s.lstrip()
    sign, i = 1, 0
    if s[:1] in "+-" and s[:1]:
        sign = -1 if s[0] == "-" else 1
        i = 1
    n = 0
    while i < len(s) and s[i].isdigit():
        n = n * 10 + int(s[i])
        i += 1
    return sign * n


def load_layout(skin, lang, kind):
    ini = read_ini(os.path.join(skin, LAYOUT_FILES[lang][kind]))
    table = {}
    for sec in ("BUTTONPOS", "BtnExpand"):
        for k, v in ini.get(sec, {}).items():
            f = split_entry(v)
            table[int(k)] = (tuple(to_int(x) for x in f[1:5]), f[5])
    extra = {}
    for sec in ("EDIT", "MACRODISPLAY", "FUN_STRING"):
        for k, v in ini.get(sec, {}).items():
            f = split_entry(v)
            extra[(sec, int(k))] = f[0] if sec == "FUN_STRING" else tuple(to_int(x) for x in f[1:5])
    return table, extra


def copy(dst, src, r, w=None):
    x, y, rw, rh = r
    if w is not None:
        rw = w
    if rw <= 0 or rh <= 0:
        return
    dst.paste(src.crop((x, y, x + rw, y + rh)), (x, y))


def compose(a):
    skin = a.skin
    pics = [Image.open(os.path.join(skin, n + ".jpg")).convert("RGB") for n in PAGES[a.page]]
    buf, over, down = pics
    main, mextra = load_layout(skin, a.lang, "main")
    own = {0: main, 1: load_layout(skin, a.lang, "advanced")[0],
           2: load_layout(skin, a.lang, "macro")[0], 3: load_layout(skin, a.lang, "color")[0]}
    layout = own[a.page]
    hv = a.hover
    hover_main = hv if hv is not None and hv < 100 and (a.page == 0 or hv < 20) else None
    hover_own = hv - 100 if hv is not None and hv >= 100 and a.page != 0 else None
    buttons = [int(b) for b in a.buttons.split(",")] if a.buttons else [1, 2, 3, 4, 5, 15, 16, 11]
    n = len(buttons)
    # hovered element of the page's own layout
    if hover_own is not None and hover_own in layout:
        src = down if a.down and not (a.page == 1 and hover_own in (1, 4, 7, 30)) else over
        copy(buf, src, layout[hover_own][0])
    if a.page == 0 and hover_main is not None:
        copy(buf, down if a.down else over, main[hover_main][0])
    # overlays
    if a.page == 0 and hover_main is not None:
        h = hover_main
        if 25 <= h < n + 26:
            copy(buf, down, main[h + 10][0])
        elif 35 <= h < n + 35:
            copy(buf, down, main[h - 10][0])
    levels = [a.step0, 5, 6, 8]
    if a.page == 1:
        copy(buf, down, layout[15 + a.level][0])
        colours = [(0, 0, 255), (255, 0, 255), (255, 0, 0), (128, 0, 255)]
        d = ImageDraw.Draw(buf)
        for i in range(4):
            x, y, w, h = layout[20 + i][0]
            d.rectangle((x + 2, y + 2, x + 2 + w - 5 - 1, y + 2 + h - 5 - 1), fill=colours[i])
            if i != 3:
                copy(buf, down, layout[10 + i][0])
        x, y, w, h = layout[30][0]
        p = levels[a.level]
        fill = w if p + 1 == 12 else int((p + 1) * (w / 12))
        copy(buf, down, layout[30][0], fill)
        knob = Image.open(os.path.join(skin, "moveRect.png")).convert("RGBA")
        buf.paste(knob, (x + fill, y), knob)
        for e, val, div in ((1, 5, 10), (4, 3, 10), (7, 50, 300)):
            r = layout[e][0]
            copy(buf, down, r, val * r[2] // div)
    if a.page == 2:
        if a.recording:
            copy(buf, down, layout[2][0])
        copy(buf, down, layout[6][0])
    if a.page == 3:
        copy(buf, down, layout[a.led + 1][0])
        copy(buf, Image.open(os.path.join(skin, "color_over_blue.jpg")).convert("RGB"), layout[5][0])
    # header
    for i in range(20):
        lit = i == a.profile + 3 or i == 9 + a.page or (i == 18 and a.lang == "ru") or \
            (i == 19 and a.lang == "en")
        if lit:
            copy(buf, down, main[i][0])
        elif hover_main == i:
            copy(buf, down if a.down else over, main[i][0])
    copy(buf, down, main[50][0])
    # texts
    d = ImageDraw.Draw(buf)
    font = ImageFont.truetype(FONT, 13)
    asc, desc = font.getmetrics()

    def put(text, r, colour=WHITE, dx=0, dy_extra=None):
        if not text:
            return
        x, y, w, h = r
        cx = int(d.textlength(text, font=font))
        cy = asc + desc
        X = x + (w - cx) // 2 + dx
        Y = y + (h - cy) // 2 if dy_extra is None else y + (h - cy + dy_extra) // 2
        d.text((X, Y), text, font=font, fill=colour)

    for i in range(20):
        extra = 100 if 4 <= i <= 7 else 75 if 15 <= i <= 17 else None
        put(main[i][1], main[i][0], dy_extra=extra)
    if a.page == 0:
        for k in range(20, 51):
            r, text = main[k]
            if 25 <= k < 25 + n:
                c = buttons[k - 25]
                put(mextra.get(("FUN_STRING", c), ""), r, HIGHLIGHT if hover_main == k else WHITE, 15)
            else:
                put(text, r, dx=15 if k == 31 else 0)
    elif a.page == 1:
        put(layout[0][1], layout[0][0])
        put("5", layout[2][0])
        put(layout[3][1], layout[3][0])
        put("3", layout[5][0])
        put(layout[6][1], layout[6][0])
        put("50", layout[8][0])
        for i in range(4):
            put(str(200 * DPI_CODES_MODEL0[levels[i]]) if DPI_CODES_MODEL0[levels[i]] <= 10 else
                {12: "2400", 13: "3200", 15: "4800"}[DPI_CODES_MODEL0[levels[i]]],
                layout[25 + i][0], HIGHLIGHT if i == a.level else WHITE)
        put("0", layout[31][0])
        put("4800", layout[32][0])
    elif a.page == 2:
        rec = {"en": ("Record", "Stop", "Insert"), "ru": ("Запись", "Стоп", "Вставить")}[a.lang]
        for k in range(13):
            r, text = layout[k]
            if k == 2:
                text = rec[1] if a.recording else rec[0]
            if k == 3:
                text = rec[2]
            put(text, r, HIGHLIGHT if hover_own == k else WHITE)
        # stand-ins for the standard controls
        for key in (("EDIT", 1), ("MACRODISPLAY", 1), ("MACRODISPLAY", 2)):
            x, y, w, h = load_layout(skin, a.lang, "macro")[1][key]
            d.rectangle((x, y, x + w - 1, y + h - 1), fill=(22, 22, 22))
    elif a.page == 3:
        for k in range(6):
            r, text = layout[k]
            put(text, r, HIGHLIGHT if 1 <= k <= 4 and k - 1 == a.led else WHITE)
    return buf


def main():
    p = argparse.ArgumentParser()
    p.add_argument("out")
    here = os.path.dirname(os.path.abspath(__file__))
    p.add_argument("--skin", default=os.path.join(here, "..", "..", "data", "skins"))
    p.add_argument("--lang", default="en")
    p.add_argument("--page", type=int, default=0)
    p.add_argument("--hover", type=int)
    p.add_argument("--down", action="store_true")
    p.add_argument("--profile", type=int, default=1)
    p.add_argument("--led", type=int, default=0)
    p.add_argument("--level", type=int, default=1)
    p.add_argument("--step0", type=int, default=3)
    p.add_argument("--buttons")
    p.add_argument("--recording", action="store_true")
    a = p.parse_args()
    img = compose(a)
    # show the window's shape: pixels the mask cuts away become the desktop
    mask = Image.open(os.path.join(a.skin, "main_mask.jpg")).convert("L").point(lambda v: 255 if v <= 100 else 0)
    shot = Image.new("RGB", img.size, (70, 84, 100))
    shot.paste(img, (0, 0), mask)
    shot.save(a.out)


if __name__ == "__main__":
    main()


def popup(skin, lang, kind, hover=None, down=False):
    """A popup or dialog with its texts, for looking at: kind menu, submenu, keyset, warning."""
    font = ImageFont.truetype(FONT, 13)
    asc, desc = font.getmetrics()
    if kind in ("menu", "submenu"):
        pre = "menu_" if kind == "menu" else "advanced menu_"
        names = load_layout(skin, lang, "main")[1]
        rows = 10 if kind == "menu" else 8
        codes = list(range(1, 11)) if kind == "menu" else list(range(31, 39))
        base = Image.open(os.path.join(skin, pre + "normal.jpg")).convert("RGB")
        src = Image.open(os.path.join(skin, pre + ("down" if down else "over") + ".jpg")).convert("RGB")
        W = base.size[0]
        H = base.size[1] // (10 if kind == "menu" else 12)
        if hover:
            copy(base, src, (0, H * (hover - 1), W, H))
        d = ImageDraw.Draw(base)
        for k in range(1, rows + 1):
            t = names[("FUN_STRING", codes[k - 1])]
            cx = int(d.textlength(t, font=font))
            d.text(((W - cx) // 2, H * (k - 1) + (H - asc - desc) // 2), t, font=font, fill=WHITE)
        return base.crop((0, 0, W, rows * H + 1))
    pre = kind + "_"
    base = Image.open(os.path.join(skin, pre + "normal.jpg")).convert("RGB")
    table = load_layout(skin, lang, kind)[0]
    if hover is not None:
        st = "down" if down and kind == "keyset" else "over"
        copy(base, Image.open(os.path.join(skin, pre + st + ".jpg")).convert("RGB"), table[hover][0])
    d = ImageDraw.Draw(base)
    f = font if kind == "keyset" else ImageFont.truetype(FONT, 15)
    a2, d2 = f.getmetrics()
    for k, (r, t) in sorted(table.items()):
        if kind == "keyset" and k == 0:
            t = "LSHIFT"
        x, y, w, h = r
        cx = int(d.textlength(t, font=f))
        d.text((x + (w - cx) // 2, y + (h - a2 - d2) // 2), t, font=f,
               fill=HIGHLIGHT if kind == "keyset" and k == 0 else WHITE)
    return base
