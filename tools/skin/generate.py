#!/usr/bin/python3
"""Renders every picture of the default skin and writes every layout file.

    /usr/bin/python3 tools/skin/generate.py [output folder [page ...]]

The output folder defaults to data/skins. Naming pages (main, advanced, macro, color) renders
only those pages' pictures, for trying out a change quickly; popups, dialogs, the knob, the
masks and the layouts are always written.

Rectangles and texts come from skin_desc.py only.
"""
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import skin_desc as D
from draw import Canvas, catmull_rom, mix, rgb

STATES = ("normal", "over", "down")
JPEG_QUALITY = 90

# palette
BG_TOP, BG_BOTTOM = (19, 22, 28), (11, 13, 17)
PANEL, PANEL_EDGE = (21, 25, 32), (42, 49, 60)
BTN, BTN_EDGE = (29, 34, 43), (55, 63, 76)
BTN_OVER, EDGE_OVER = (36, 44, 57), (0, 160, 196)
DOWN_TOP, DOWN_BOTTOM = (0, 96, 124), (0, 58, 78)
CYAN = D.CYAN
DIM = (120, 131, 148)
FAINT = (70, 78, 92)
RED = (235, 50, 70)


def inset(r, d):
    x, y, w, h = r
    return (x + d, y + d, w - 2 * d, h - 2 * d)


def center(r):
    x, y, w, h = r
    return (x + w / 2, y + h / 2)


# --- icons ---------------------------------------------------------------------------------

def icon(c, kind, cx, cy, col, s=1.0):
    w = 2 * s
    if kind == "min":
        c.line([(cx - 7 * s, cy + 4 * s), (cx + 7 * s, cy + 4 * s)], col, w)
    elif kind == "close":
        c.line([(cx - 6 * s, cy - 6 * s), (cx + 6 * s, cy + 6 * s)], col, w)
        c.line([(cx - 6 * s, cy + 6 * s), (cx + 6 * s, cy - 6 * s)], col, w)
    elif kind in ("import", "export"):
        # tray with an arrow into it (import) or out of it (export)
        c.line([(cx - 10, cy + 2), (cx - 10, cy + 9), (cx + 10, cy + 9), (cx + 10, cy + 2)], col, 2)
        if kind == "import":
            c.line([(cx, cy - 10), (cx, cy + 4)], col, 2)
            c.line([(cx - 5, cy - 1), (cx, cy + 4), (cx + 5, cy - 1)], col, 2)
        else:
            c.line([(cx, cy + 4), (cx, cy - 10)], col, 2)
            c.line([(cx - 5, cy - 5), (cx, cy - 10), (cx + 5, cy - 5)], col, 2)
    elif kind == "reset":
        pts = [(cx + 9 * math.cos(a), cy + 9 * math.sin(a))
               for a in [math.radians(t) for t in range(-60, 235, 8)]]
        c.line(pts, col, 2)
        ex, ey = pts[0]
        c.polygon([(ex + 1, ey - 7), (ex + 4, ey + 3), (ex - 6, ey + 1)], col)
    elif kind == "pointer":
        c.polygon([(cx - 5, cy - 9), (cx - 5, cy + 7), (cx - 1, cy + 3), (cx + 2, cy + 9),
                   (cx + 4, cy + 8), (cx + 1, cy + 2), (cx + 6, cy + 2)], col)
    elif kind == "wheel":
        c.rrect((cx - 6, cy - 9, 12, 18), 6, outline=col, width=1.6)
        c.line([(cx, cy - 5), (cx, cy - 1)], col, 2)
    elif kind == "fire":
        c.ellipse((cx - 8, cy - 8, 16, 16), outline=col, width=1.6)
        for a in range(0, 360, 90):
            ux, uy = math.cos(math.radians(a)), math.sin(math.radians(a))
            c.line([(cx + ux * 4, cy + uy * 4), (cx + ux * 11, cy + uy * 11)], col, 1.6)
    elif kind == "plus":
        c.line([(cx - 6, cy), (cx + 6, cy)], col, 2)
        c.line([(cx, cy - 6), (cx, cy + 6)], col, 2)
    elif kind == "slow" or kind == "fast":
        n = 3 if kind == "slow" else 5
        for i in range(n):
            a0 = i * 360 / n
            pts = [(cx + 11 * math.cos(math.radians(a)), cy + 11 * math.sin(math.radians(a)))
                   for a in range(int(a0), int(a0 + 360 / n - 24), 6)]
            c.line(pts, mix(col, D.LEVEL_COLOURS[i % 4], 0.55), 3)
    elif kind == "steady":
        c.ellipse((cx - 10, cy - 10, 20, 20), outline=col, width=2)
        c.ellipse((cx - 5, cy - 5, 10, 10), fill=col)
    elif kind == "off":
        c.ellipse((cx - 10, cy - 10, 20, 20), outline=col, width=2)
        c.line([(cx - 7, cy + 7), (cx + 7, cy - 7)], col, 2)


# --- element styles ------------------------------------------------------------------------

def plate(c, r, state, radius=6, accent=False):
    """The common button body."""
    if accent:
        top, bot, edge = {"normal": ((0, 122, 152), (0, 82, 108), (0, 170, 206)),
                          "over": ((0, 150, 186), (0, 102, 134), CYAN),
                          "down": ((0, 70, 92), (0, 110, 140), CYAN)}[state]
        c.grad_rrect(r, radius, top, bot)
        c.rrect(r, radius, outline=edge, width=1)
        if state != "down":
            c.line([(r[0] + radius, r[1] + 1.5), (r[0] + r[2] - radius, r[1] + 1.5)],
                   (255, 255, 255, 60), 1)
        return
    if state == "normal":
        c.grad_rrect(r, radius, mix(BTN, (255, 255, 255), 0.03), BTN)
        c.rrect(r, radius, outline=BTN_EDGE, width=1)
    elif state == "over":
        c.grad_rrect(r, radius, mix(BTN_OVER, (255, 255, 255), 0.04), BTN_OVER)
        c.rrect(r, radius, outline=EDGE_OVER, width=1)
    else:
        c.grad_rrect(r, radius, DOWN_TOP, DOWN_BOTTOM)
        c.rrect(r, radius, outline=CYAN, width=1.5)


def st_none(c, el, state, ctx):
    pass


def st_button(c, el, state, ctx):
    plate(c, el["rect"], state)


def st_accent(c, el, state, ctx):
    plate(c, el["rect"], state, accent=True)


def st_profile(c, el, state, ctx):
    r = el["rect"]
    cx, cy = center(r)
    if state == "normal":
        c.rrect(r, 5, fill=(24, 28, 36), outline=BTN_EDGE)
        col = DIM
    elif state == "over":
        c.rrect(r, 5, fill=BTN_OVER, outline=EDGE_OVER)
        col = (235, 240, 245)
    else:
        c.glow(c.rrect_mask(r, 5), CYAN, 4, 0.5)
        c.grad_rrect(r, 5, (0, 190, 230), (0, 120, 160))
        c.rrect(r, 5, outline=(150, 240, 255))
        col = (255, 255, 255)
    c.text((cx, cy + 0.5), el["number"], 15, col)


def st_profile5(c, el, state, ctx):
    if state == "down":
        st_profile(c, el, state, ctx)


def st_tab(c, el, state, ctx):
    x, y, w, h = el["rect"]
    if state == "over":
        c.rrect((x, y, w, h), 4, fill=(255, 255, 255, 12))
        c.rrect((x + 12, y + h - 3, w - 24, 2), 1, fill=(0, 160, 196))
    elif state == "down":
        c.grad_rrect((x, y, w, h), 4, (0, 216, 255, 0), (0, 216, 255, 46))
        c.glow(c.rrect_mask((x + 8, y + h - 4, w - 16, 3), 1), CYAN, 3, 1.2)
        c.rrect((x + 8, y + h - 4, w - 16, 3), 1, fill=CYAN)


def st_winbtn(c, el, state, ctx):
    r = el["rect"]
    cx, cy = center(r)
    close = el["icon"] == "close"
    col = DIM
    if state == "over":
        c.rrect(r, 6, fill=(200, 38, 58) if close else (44, 51, 63))
        col = (255, 255, 255)
    elif state == "down":
        c.rrect(r, 6, fill=(150, 24, 40) if close else (0, 96, 124))
        col = (255, 255, 255)
    icon(c, el["icon"], cx, cy, col)


def st_tool(c, el, state, ctx):
    r = el["rect"]
    cx, cy = center(r)
    plate(c, r, state, 8)
    icon(c, el["icon"], cx, cy, {"normal": (190, 200, 212), "over": CYAN,
                                 "down": (255, 255, 255)}[state])


def st_lang(c, el, state, ctx):
    r = el["rect"]
    if state == "normal":
        c.rrect(r, 14, outline=BTN_EDGE)
    elif state == "over":
        c.rrect(r, 14, fill=BTN_OVER, outline=EDGE_OVER)
    else:
        c.grad_rrect(r, 14, (0, 150, 186), (0, 96, 124))
        c.rrect(r, 14, outline=CYAN)


def st_label(c, el, state, ctx):
    x, y, w, h = el["rect"]
    plate(c, (x, y, w, h), state, 7)
    badge = (x + 6, y + 7, 30, h - 14)
    if state == "normal":
        c.rrect(badge, 5, fill=(40, 47, 58))
        col = (200, 208, 220)
    elif state == "over":
        c.rrect(badge, 5, fill=(0, 120, 150))
        col = (255, 255, 255)
    else:
        c.rrect(badge, 5, fill=CYAN)
        col = (5, 30, 40)
    c.text(center(badge), el["number"], 14, col)


def st_marker(c, el, state, ctx):
    r = el["rect"]
    cx, cy = center(r)
    if state == "normal":
        c.ellipse(inset(r, 5), fill=(10, 14, 18, 200), outline=(0, 216, 255, 200), width=2)
        c.ellipse((cx - 3, cy - 3, 6, 6), fill=CYAN)
    elif state == "over":
        c.glow(c.ellipse_mask(inset(r, 4)), CYAN, 3, 1.4)
        c.ellipse(inset(r, 4), fill=(0, 40, 52), outline=(150, 240, 255), width=2.5)
        c.ellipse((cx - 4, cy - 4, 8, 8), fill=(255, 255, 255))
    else:
        c.glow(c.ellipse_mask(inset(r, 4)), CYAN, 3, 1.8)
        c.ellipse(inset(r, 4), fill=CYAN, outline=(220, 250, 255), width=2)
        c.ellipse((cx - 3, cy - 3, 6, 6), fill=(5, 30, 40))


def logo_mark(c, cx, cy, col, s=1.0):
    pts = [(cx - 14 * s, cy - 12 * s), (cx + 2 * s, cy - 12 * s), (cx + 14 * s, cy),
           (cx + 2 * s, cy + 12 * s), (cx - 14 * s, cy + 12 * s), (cx - 2 * s, cy)]
    c.polygon(pts, col)
    return pts


def st_logo(c, el, state, ctx):
    x, y, w, h = el["rect"]
    lit = state == "down"
    mcol = CYAN if lit else (0, 140, 170)
    if lit:
        m = c.poly_mask([(x + 6, y + 10), (x + 22, y + 10), (x + 34, y + 22), (x + 22, y + 34),
                         (x + 6, y + 34), (x + 18, y + 22)])
        c.glow(m, CYAN, 5, 1.2)
    logo_mark(c, x + 20, y + h / 2, mcol)
    c.text((x + 44, y + h / 2 + 1), "PYXOM", 21, (240, 244, 248) if lit else (170, 178, 190),
           anchor="lm", spacing=1.5)


def st_segbar(c, el, state, ctx):
    x, y, w, h = el["rect"]
    n = 10
    seg = w / n
    for i in range(n):
        r = (x + i * seg + 1, y + 1, seg - 4, h - 2)
        if state == "down":
            col = mix((0, 110, 255), CYAN, i / (n - 1))
            c.glow(c.rrect_mask(r, 3), col, 2, 0.6)
            c.grad_rrect(r, 3, mix(col, (255, 255, 255), 0.25), col)
        else:
            c.rrect(r, 3, fill=(34, 40, 50), outline=EDGE_OVER if state == "over" else (48, 56, 68))


def groove(c, r, state, radius):
    if state == "down":
        c.grad_rrect(r, radius, (0, 100, 255), CYAN, vertical=False)
        c.rrect((r[0], r[1], r[2], r[3] / 2), radius, fill=(255, 255, 255, 40))
    else:
        c.rrect(r, radius, fill=(30, 36, 45), outline=EDGE_OVER if state == "over" else (50, 58, 70))


def st_bar(c, el, state, ctx):
    x, y, w, h = el["rect"]
    groove(c, (x, y + 4, w, h - 8), state, 7)


def st_slider(c, el, state, ctx):
    x, y, w, h = el["rect"]
    groove(c, (x, y + 6, w, h - 12), state, 6)


def st_value(c, el, state, ctx):
    c.rrect(el["rect"], 6, fill=(15, 18, 23), outline=(46, 53, 64))


def st_toggle(c, el, state, ctx):
    x, y, w, h = el["rect"]
    r = (x, y, w, h)
    if state == "down":
        c.grad_rrect(r, h / 2, (0, 160, 200), (0, 110, 150))
        c.rrect(r, h / 2, outline=CYAN)
        c.ellipse((x + w - h + 3, y + 3, h - 6, h - 6), fill=(255, 255, 255))
    else:
        c.rrect(r, h / 2, fill=(32, 38, 47), outline=EDGE_OVER if state == "over" else (60, 68, 82))
        c.ellipse((x + 3, y + 3, h - 6, h - 6), fill=(120, 130, 146) if state == "normal"
                  else (190, 200, 212))


def st_level(c, el, state, ctx):
    r = el["rect"]
    if state == "down":
        c.glow(c.rrect_mask(r, 7), CYAN, 4, 0.6)
    plate(c, r, state, 7)
    c.text(center(r), el["number"], 18, (255, 255, 255) if state == "down" else
           (230, 235, 240) if state == "over" else DIM)


def st_swatch(c, el, state, ctx):
    r = el["rect"]
    c.rrect(r, 3, fill=(12, 14, 18), outline=EDGE_OVER if state == "over" else (86, 96, 112),
            width=2)


def st_record(c, el, state, ctx):
    x, y, w, h = el["rect"]
    if state == "down":
        c.grad_rrect((x, y, w, h), 7, (150, 24, 40), (100, 14, 28))
        c.rrect((x, y, w, h), 7, outline=(255, 90, 110), width=1.5)
        c.glow(c.ellipse_mask((x + 16, y + h / 2 - 7, 14, 14)), (255, 60, 80), 4, 1.5)
        c.rrect((x + 17, y + h / 2 - 6, 12, 12), 2, fill=(255, 255, 255))
    else:
        plate(c, (x, y, w, h), state, 7)
        c.ellipse((x + 16, y + h / 2 - 7, 14, 14), fill=RED if state == "normal" else (255, 80, 96))


def st_insert(c, el, state, ctx):
    x, y, w, h = el["rect"]
    plate(c, (x, y, w, h), state, 7)
    icon(c, "plus", x + 23, y + h / 2, CYAN if state != "down" else (255, 255, 255))


def st_option(c, el, state, ctx):
    x, y, w, h = el["rect"]
    if state == "over":
        c.rrect((x, y, w, h), 6, fill=(255, 255, 255, 10), outline=(0, 120, 150))
    elif state == "down":
        c.rrect((x, y, w, h), 6, fill=(0, 216, 255, 26), outline=(0, 150, 186))
    cx, cy = x + 20, y + h / 2
    c.ellipse((cx - 8, cy - 8, 16, 16), outline=CYAN if state != "normal" else (110, 120, 136),
              width=2)
    if state == "down":
        c.ellipse((cx - 4, cy - 4, 8, 8), fill=CYAN)


def st_mode(c, el, state, ctx):
    x, y, w, h = el["rect"]
    plate(c, (x, y, w, h), state, 8)
    if state == "down":
        c.rrect((x + 1, y + 8, 4, h - 16), 2, fill=CYAN)
    icon(c, el["icon"], x + 30, y + h / 2, (255, 255, 255) if state != "normal" else (200, 208, 220))


def st_keyfield(c, el, state, ctx):
    r = el["rect"]
    c.rrect(r, 6, fill=(12, 14, 18), outline={"normal": (60, 68, 82), "over": EDGE_OVER,
                                              "down": CYAN}[state], width=1.5)


def st_caption(c, el, state, ctx):
    pass


def st_preview(c, el, state, ctx):
    x, y, w, h = el["rect"]
    colour = D.PREVIEW[{"normal": "pink", "over": "red", "down": "purple"}.get(state, state)]
    c.rrect((x, y, w, h), 10, fill=(13, 15, 19), outline=PANEL_EDGE)
    cx, cy = x + w / 2, y + h / 2
    if state == "gray":
        # the LED is off: an unlit mouse
        draw_mouse(c, cx, cy - 190, 0.78, glow=None, lit=colour, lit_glow=False)
        return
    # floor glow under the mouse
    c.glow(c.ellipse_mask((cx - 120, cy + 140, 240, 50)), colour, 18, 0.9)
    draw_mouse(c, cx, cy - 190, 0.78, glow=colour)


STYLES = {k[3:]: v for k, v in globals().items() if k.startswith("st_")}


def draw_element(c, el, state, ctx=None):
    if el["rect"] is None:
        return
    STYLES[el["style"]](c, el, state, ctx)


# --- the mouse -----------------------------------------------------------------------------

MOUSE_RIGHT = [(0, 0), (40, 2), (78, 14), (104, 42), (116, 86), (114, 140), (110, 180),
               (118, 240), (124, 300), (120, 360), (102, 410), (64, 438), (0, 448)]


def mouse_outline(cx, top, s):
    right = [(cx + dx * s, top + dy * s) for dx, dy in MOUSE_RIGHT]
    left = [(cx - dx * s, top + dy * s) for dx, dy in reversed(MOUSE_RIGHT[1:-1])]
    return catmull_rom(right + left, 10)


def draw_mouse(c, cx, top, s=1.0, glow=None, lit=None, lit_glow=True):
    P = lambda dx, dy: (cx + dx * s, top + dy * s)
    body = mouse_outline(cx, top, s)
    bm = c.poly_mask(body)
    bx = (cx - 126 * s, top, 252 * s, 450 * s)
    # shadow and rim glow
    c.glow(bm, (0, 0, 0), 10 * s, 1.0)
    if glow is not None:
        c.glow(bm, glow, 14 * s, 0.8)
    c.grad_mask(bm, bx, (54, 60, 70), (24, 27, 33))
    # side shading for volume
    c.put_masked(c.gradient(bx, (255, 255, 255, 22), (0, 0, 0, 70), vertical=False), bm)
    # main buttons: the front part down to a curved seam
    seam = [P(-112, 190), P(-60, 200), P(0, 204), P(60, 200), P(112, 190)]
    front = c.poly_mask([P(-130, -4), P(130, -4)] + list(reversed(seam)))
    fm = ImageChops.multiply(bm, front)
    c.grad_mask(fm, bx, (66, 73, 84), (40, 45, 53))
    # a soft reflection on the front left
    hl = c.ellipse_mask((cx - 92 * s, top + 20 * s, 70 * s, 150 * s))
    hl = ImageChops.multiply(hl.filter(ImageFilter.GaussianBlur(c.s(18 * s))), bm)
    c.put_masked(c.gradient(bx, (255, 255, 255, 46), (255, 255, 255, 0)), hl)
    c.line(seam, (12, 14, 17), 2.2 * s)
    c.line([P(0, 2), P(0, 120)], (12, 14, 17), 2.2 * s)
    # rim light around the body
    c.fill_mask(c.outline_mask(bm, 1.2 * s), (110, 122, 138, 140))
    # grip texture on both flanks
    dots = []
    for sign in (-1, 1):
        for row in range(9):
            for k in range(3):
                dx = sign * (96 - k * 9 + (row % 2) * 4)
                dy = 214 + row * 10
                dots.append((cx + dx * s, top + dy * s))
    lay = c.layer()
    dd = ImageDraw.Draw(lay)
    for px, py in dots:
        rr = c.s(1.4 * s)
        dd.ellipse((c.s(px) - rr, c.s(py) - rr, c.s(px) + rr, c.s(py) + rr), fill=(8, 10, 12, 150))
    c.put(lay)
    # wheel
    wr = (cx - 12 * s, top + 44 * s, 24 * s, 66 * s)
    c.rrect((wr[0] - 3 * s, wr[1] - 3 * s, wr[2] + 6 * s, wr[3] + 6 * s), 12 * s, fill=(10, 12, 15))
    c.grad_rrect(wr, 10 * s, (70, 78, 90), (30, 34, 40), vertical=False)
    for k in range(1, 11):
        yy = wr[1] + k * wr[3] / 11
        c.line([(wr[0] + 4 * s, yy), (wr[0] + wr[2] - 4 * s, yy)], (20, 23, 28, 200), 1.2 * s)
    lit = lit or (glow if glow is not None else D.CYAN)
    c.rrect((cx - 1.5 * s, wr[1] + 6 * s, 3 * s, wr[3] - 12 * s), 1.5 * s, fill=lit + (150,))
    # DPI buttons behind the wheel
    for dy in (124, 152):
        r = (cx - 11 * s, top + dy * s, 22 * s, 22 * s)
        c.rrect(inset(r, -2 * s), 7 * s, fill=(10, 12, 15))
        c.grad_rrect(r, 6 * s, (72, 80, 92), (38, 43, 51))
    # side buttons (back, forward) and the top button
    for r in [(cx - 121 * s, top + 198 * s, 16 * s, 48 * s), (cx - 123 * s, top + 254 * s, 16 * s, 48 * s)]:
        c.rrect(inset(r, -2 * s), 9 * s, fill=(10, 12, 15))
        c.grad_rrect(r, 8 * s, (80, 88, 100), (44, 49, 58), vertical=False)
    fr = (cx - 91 * s, top + 15 * s, 18 * s, 24 * s)
    c.rrect(inset(fr, -2 * s), 9 * s, fill=(10, 12, 15))
    c.grad_rrect(fr, 8 * s, (92, 100, 112), (50, 56, 66))
    # light strips along both flanks and the palm logo
    for sign in (-1, 1):
        strip = [P(sign * 120, 318), P(sign * 122, 340), P(sign * 120, 362), P(sign * 113, 384),
                 P(sign * 100, 404)]
        if lit_glow:
            c.line(strip, lit + (120,), 5 * s)
        c.line(strip, mix(lit, (255, 255, 255), 0.5), 1.6 * s)
    lx, ly = P(0, 330)
    pts = [(lx - 14 * s, ly - 12 * s), (lx + 2 * s, ly - 12 * s), (lx + 14 * s, ly),
           (lx + 2 * s, ly + 12 * s), (lx - 14 * s, ly + 12 * s), (lx - 2 * s, ly)]
    if lit_glow:
        c.glow(c.poly_mask(pts), lit, 6 * s, 1.3)
    c.polygon(pts, mix(lit, (255, 255, 255), 0.25))


# --- page chrome ---------------------------------------------------------------------------

def window_outline(w, h, chamfer, radius):
    """The window's shape: top-left and bottom-right corners cut, the other two rounded."""
    def arc(cx, cy, a0, a1):
        return [(cx + radius * math.cos(math.radians(a)), cy + radius * math.sin(math.radians(a)))
                for a in range(a0, a1 + 1, 10)]
    return ([(chamfer, 0)] + arc(w - radius, radius, -90, 0) + [(w, h - chamfer), (w - chamfer, h)]
            + arc(radius, h - radius, 90, 180) + [(0, chamfer)])


def window_mask(c, w, h, chamfer, radius, clip=None):
    m = c.poly_mask(window_outline(w, h, chamfer, radius))
    if clip is not None:
        m = ImageChops.multiply(m, c.rrect_mask(clip, 0))
    return m


def window_base(c, w, h, chamfer=D.CHAMFER, radius=D.CORNER):
    c.grad_mask(window_mask(c, w, h, chamfer, radius), (0, 0, w, h), BG_TOP, BG_BOTTOM)


def window_border(c, w, h, chamfer=D.CHAMFER, radius=D.CORNER, accent=CYAN):
    pts = window_outline(w - 1, h - 1, chamfer, radius)
    pts = [(x + 0.5, y + 0.5) for x, y in pts]
    c.line(pts + pts[:1], (56, 64, 78), 1, joint=None)
    # the two cut corners carry the accent
    c.line([(chamfer + 60, 1), (chamfer, 1), (1, chamfer), (1, chamfer + 30)], accent + (190,), 2)
    c.line([(w - chamfer - 60, h - 1.5), (w - chamfer, h - 1.5), (w - 1.5, h - chamfer),
            (w - 1.5, h - chamfer - 30)], accent + (190,), 2)


def chrome(c):
    w, h = D.WINDOW
    window_base(c, w, h)
    # header band with a faint diagonal texture
    hb = window_mask(c, w, h, D.CHAMFER, D.CORNER, (0, 0, w, 60))
    c.grad_mask(hb, (0, 0, w, 60), (26, 30, 38), (20, 23, 29))
    c.lines([[(x, 60), (x + 60, 0)] for x in range(-60, w, 14)], (255, 255, 255, 5), 1)
    # content area: a faint hexagon grid, stronger towards the top
    hexes = []
    r = 18
    dx, dy = r * math.sqrt(3), r * 1.5
    for row in range(int((618 - 109) / dy) + 2):
        for col in range(int(w / dx) + 2):
            hx = col * dx + (dx / 2 if row % 2 else 0)
            hy = 109 + row * dy
            hexes.append([(hx + r * math.cos(math.radians(a)), hy + r * math.sin(math.radians(a)))
                          for a in range(30, 391, 60)])
    c.lines(hexes, (255, 255, 255, 6), 1)
    c.put(c.gradient((0, 109, w, 509), (0, 0, 0, 0), BG_BOTTOM + (200,)))
    c.line([(0, 60), (w, 60)], (38, 44, 54), 1)
    # tab strip
    c.rrect((0, 61, w, 47), 0, fill=(16, 19, 24))
    c.line([(0, 108), (w, 108)], (44, 51, 62), 1)
    c.grad_rrect((0, 107, 420, 2), 1, (0, 216, 255, 150), (0, 216, 255, 0), vertical=False)
    for i in range(1, 4):
        x = 20 + i * 176 - 4
        c.line([(x, 74), (x, 94)], (44, 51, 62), 1)
    # footer band
    fb = window_mask(c, w, h, D.CHAMFER, D.CORNER, (0, 618, w, h - 618))
    c.grad_mask(fb, (0, 618, w, h - 618), (18, 21, 27), (14, 16, 21))
    c.line([(0, 618), (w, 618)], (44, 51, 62), 1)
    c.line([(276, 636), (276, 676)], (44, 51, 62), 1)
    window_border(c, w, h)


def panel(c, r, title=None):
    c.rrect(r, 10, fill=PANEL, outline=PANEL_EDGE)
    if title:
        x, y, w, h = r
        c.text((x + 18, y + 20), title, 13, (150, 160, 176), anchor="lm", spacing=1)


def frame(c, r, d=2):
    c.rrect(inset(r, -d), 4, fill=(22, 22, 22), outline=(58, 66, 80))


def leaders(c):
    for i, b in enumerate(D.MOUSE_BUTTONS):
        lab = D.MAIN[25 + i]["rect"]
        mx, my = D.marker_centre(b)
        ly = lab[1] + lab[3] / 2
        if b["col"] == "L":
            sx, ex = lab[0] + lab[2], lab[0] + lab[2] + 26
        else:
            sx, ex = lab[0], lab[0] - 26
        dx, dy = mx - ex, my - ly
        d = math.hypot(dx, dy) or 1
        end = (mx - dx / d * (D.MARKER / 2 - 2), my - dy / d * (D.MARKER / 2 - 2))
        c.line([(sx, ly), (ex, ly), end], (0, 216, 255, 110), 1.4)
        c.ellipse((ex - 2.5, ly - 2.5, 5, 5), fill=(0, 216, 255, 200))


def static_main(c):
    # a soft spotlight behind the mouse
    c.glow(c.ellipse_mask((350, 150, 300, 400)), (0, 120, 160), 60, 0.35)
    draw_mouse(c, D.MOUSE["cx"], D.MOUSE["top"], D.MOUSE["s"])
    leaders(c)


def static_advanced(c):
    panel(c, (24, 118, 556, 488), "DPI")
    panel(c, (592, 118, 384, 488))
    for i in range(4):
        y = D.LEVEL_Y0 + i * D.LEVEL_DY + 24
        c.line([(336, y), (452, y)], (40, 46, 56), 1)
    c.line([(44, 454), (560, 454)], (40, 46, 56), 1)
    # slider guide: scale dots under the track
    x, y, w, h = D.SLIDER
    for k in range(11):
        xx = x + k * w / 10
        c.ellipse((xx - 1.5, y + h + 1, 3, 3), fill=(70, 80, 96))
    # bar scales and an icon by each caption
    for i, kind in enumerate(("pointer", "wheel", "fire")):
        cx0, cy0, _, chh = D.ADVANCED[3 * i]["rect"]
        icon(c, kind, cx0 + 10, cy0 + chh / 2, (0, 170, 206))
    for i, (lo, hi) in enumerate((("1", "10"), ("1", "10"), ("8", "300"))):
        bx, by, bw, bh = D.ADVANCED[3 * i + 1]["rect"]
        c.text((bx + 2, by + bh + 12), lo, 10, FAINT, bold=False, anchor="lm")
        c.text((bx + bw - 2, by + bh + 12), hi, 10, FAINT, bold=False, anchor="rm")
        if i < 2:
            c.line([(610, by + bh + 40), (958, by + bh + 40)], (40, 46, 56), 1)


def static_macro(c):
    frame(c, D.GROUP_LIST)
    frame(c, D.EVENT_LIST)
    frame(c, D.EDIT)
    c.line([(698, 272), (976, 272)], (44, 51, 62), 1)
    c.line([(698, 448), (976, 448)], (44, 51, 62), 1)


def static_color(c):
    # which colour stands for which DPI level
    x0, y0 = 60, 486
    c.rrect((x0, y0, 400, 90), 10, fill=PANEL, outline=PANEL_EDGE)
    c.text((x0 + 18, y0 + 20), "DPI", 12, (150, 160, 176), anchor="lm", spacing=1)
    for i, col in enumerate(D.PREVIEW[k] for k in ("blue", "pink", "red", "purple")):
        cx = x0 + 62 + i * 92
        cy = y0 + 56
        c.glow(c.ellipse_mask((cx - 9, cy - 9, 18, 18)), col, 5, 1.0)
        c.ellipse((cx - 9, cy - 9, 18, 18), fill=col)
        c.text((cx + 24, cy), str(i + 1), 15, (200, 208, 220), anchor="mm")


PAGES = {
    "main": (D.MAIN, static_main),
    "advanced": (D.ADVANCED, static_advanced),
    "macro": (D.MACRO, static_macro),
    "color": (D.COLOR, static_color),
}


def header_elements():
    return {k: v for k, v in D.MAIN.items() if k < 20 or k == 50}


def render_page(page, state, preview=None):
    """The page with every element in one state (the logo always lit)."""
    own, static = PAGES[page]
    c = Canvas(*D.WINDOW)
    chrome(c)
    static(c)
    for k, el in header_elements().items():
        draw_element(c, el, "down" if k == 50 else state)
    for k, el in own.items():
        if page == "main" and (k < 20 or k == 50):
            continue
        st = state
        if el["style"] == "preview" and preview is not None:
            st = preview
        draw_element(c, el, st)
    return c.finish().convert("RGB")


def element_rects(page):
    own, _ = PAGES[page]
    rects = [el["rect"] for el in header_elements().values()]
    rects += [el["rect"] for el in own.values()]
    return [r for r in rects if r and r[2] > 0 and r[3] > 0]


def compose(base, full, rects):
    """Base picture with the pixels of `full` inside the given rectangles."""
    out = base.copy()
    for x, y, w, h in rects:
        out.paste(full.crop((x, y, x + w, y + h)), (x, y))
    return out


def page_pictures(page):
    base = render_page(page, "normal")
    rects = element_rects(page)
    pics = {"normal": base}
    for st in ("over", "down"):
        pics[st] = compose(base, render_page(page, st), rects)
    if page == "color":
        c5 = [D.COLOR[5]["rect"]]
        for extra in ("blue", "gray"):
            pics[extra] = compose(base, render_page(page, "normal", preview=extra), c5)
    return pics


def mask_picture(w, h, chamfer, radius):
    c = Canvas(w, h, (255, 255, 255, 255))
    c.fill_mask(window_mask(c, w, h, chamfer, radius), (0, 0, 0))
    return c.finish().convert("RGB")


def menu_pictures(menu_desc):
    w, rows, rh = menu_desc["w"], menu_desc["rows"], menu_desc["row_h"]
    h = rows * rh + 1
    out = {}
    for st in STATES:
        c = Canvas(w, h)
        c.grad_rrect((0, 0, w, h), 0, (26, 30, 38), (17, 20, 25))
        for k in range(rows):
            y = k * rh
            if st != "normal":
                top, bot = ((0, 84, 110), (0, 58, 78)) if st == "over" else ((0, 150, 186), (0, 100, 130))
                c.grad_rrect((0, y, w, rh), 0, top, bot)
                c.rrect((0, y, 3, rh), 0, fill=CYAN)
            if k:
                c.line([(8, y), (w - 8, y)], (44, 51, 62), 1)
            if (k + 1) in menu_desc["arrows"]:
                ax, ay = w - 16, y + rh / 2
                c.line([(ax - 3, ay - 5), (ax + 2, ay), (ax - 3, ay + 5)],
                       CYAN if st == "normal" else (255, 255, 255), 1.8)
        c.rrect((0, 0, w, h), 0, outline=(60, 70, 86), width=1)
        out[st] = c.finish().convert("RGB")
    out["mask"] = Image.new("RGB", (w, h), (0, 0, 0))
    return out


def dialog_pictures(size, elements, states, accent_line=CYAN):
    w, h = size
    out = {}
    for st in states:
        c = Canvas(w, h, (255, 255, 255, 255))
        window_base(c, w, h, 12, 10)
        for el in elements.values():
            draw_element(c, el, st)
        window_border(c, w, h, 12, 10, accent_line)
        out[st] = c.finish().convert("RGB")
    base = out["normal"]
    rects = [el["rect"] for el in elements.values()]
    for st in states[1:]:
        out[st] = compose(base, out[st], rects)
    out["mask"] = mask_picture(w, h, 12, 10)
    return out


def knob_picture():
    kw, kh = D.KNOB
    c = Canvas(kw, kh, (0, 0, 0, 0))
    c.glow(c.rrect_mask((2, 1, kw - 4, kh - 2), 5), (0, 216, 255), 1.5, 1.0)
    c.grad_rrect((2, 1, kw - 4, kh - 2), 5, (255, 255, 255), (190, 200, 212))
    c.rrect((2, 1, kw - 4, kh - 2), 5, outline=(0, 216, 255), width=1.2)
    c.line([(kw / 2, 7), (kw / 2, kh - 7)], (90, 100, 116), 1.2)
    return c.finish()


# --- layout files --------------------------------------------------------------------------

def entry(el, lang):
    if el is None or el["rect"] is None:
        return "unused,0,0,0,0,,"
    x, y, w, h = el["rect"]
    text = el["en"] if lang == "en" else el["ru"]
    assert "," not in text and "," not in el["label"], el
    return "%s,%d,%d,%d,%d,%s," % (el["label"], x, y, w, h, text)


def rect_entry(label, r):
    x, y, w, h = r
    return "%s,%d,%d,%d,%d," % (label, x, y, w, h)


def ini_text(sections):
    lines = []
    for name, pairs in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in pairs]
        lines.append("")
    return "\r\n".join(lines)


def layout_sections(kind, lang):
    def table(d, last):
        return [(str(k), entry(d.get(k), lang)) for k in range(last + 1)]
    if kind == "main":
        fun = [(str(k), (D.FUNCTIONS[k][0] if lang == "en" else D.FUNCTIONS[k][1]) + ",")
               for k in range(1, 55)]
        return [("BUTTONPOS", table(D.MAIN, 49)), ("BtnExpand", [("50", entry(D.MAIN[50], lang))]),
                ("FUN_STRING", fun)]
    if kind == "advanced":
        return [("BUTTONPOS", table(D.ADVANCED, 32))]
    if kind == "color":
        return [("BUTTONPOS", table(D.COLOR, 5))]
    if kind == "macro":
        return [("BUTTONPOS", table(D.MACRO, 12)),
                ("EDIT", [("1", rect_entry("repeat count box", D.EDIT))]),
                ("MACRODISPLAY", [("1", rect_entry("group list", D.GROUP_LIST)),
                                  ("2", rect_entry("event list", D.EVENT_LIST))])]
    if kind == "warning":
        return [("BUTTONPOS", table(D.WARNING, 2))]
    if kind == "keyset":
        return [("BUTTONPOS", table(D.KEYSET, 3))]
    raise KeyError(kind)


def write_ini(path, text):
    # UTF-16LE with a byte-order mark: the private-profile functions read it in every locale
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


def save_jpeg(img, path):
    img.save(path, "JPEG", quality=JPEG_QUALITY, subsampling=0, optimize=True)


def main(out):
    os.makedirs(out, exist_ok=True)
    for lang, folder in (("en", "INI_EN"), ("ru", "INI_CN")):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for kind, names in D.LAYOUTS.items():
            name = names[0] if lang == "en" else names[1]
            write_ini(os.path.join(out, folder, name), ini_text(layout_sections(kind, lang)))

    w, h = D.WINDOW
    save_jpeg(mask_picture(w, h, D.CHAMFER, D.CORNER), os.path.join(out, "main_mask.jpg"))
    names = {
        "main": {"normal": "main_normal", "over": "main_over", "down": "main_down"},
        "advanced": {"normal": "advanced_normal", "over": "advanced_over", "down": "advanced_down"},
        "macro": {"normal": "mac_normal", "over": "mac_over", "down": "mac_down"},
        "color": {"normal": "color_normal_pink", "over": "color_over_red",
                  "down": "color_down_purple", "gray": "color_normal_gray",
                  "blue": "color_over_blue"},
    }
    only = set(sys.argv[2:])
    for page, files in names.items():
        if only and page not in only:
            continue
        pics = page_pictures(page)
        for st, name in files.items():
            save_jpeg(pics[st], os.path.join(out, name + ".jpg"))
        print("rendered", page)
    knob_picture().save(os.path.join(out, "moveRect.png"), "PNG", optimize=True)
    for menu_desc, prefix in ((D.MENU, "menu_"), (D.SUBMENU, "advanced menu_")):
        for st, img in menu_pictures(menu_desc).items():
            save_jpeg(img, os.path.join(out, prefix + st + ".jpg"))
    for st, img in dialog_pictures(D.KEYSET_SIZE, D.KEYSET, STATES).items():
        save_jpeg(img, os.path.join(out, "keyset_" + st + ".jpg"))
    for st, img in dialog_pictures(D.WARNING_SIZE, D.WARNING, ("normal", "over"),
                                   accent_line=(255, 170, 40)).items():
        save_jpeg(img, os.path.join(out, "warning_" + st + ".jpg"))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.normpath(os.path.join(here, "..", "..", "data", "skins"))
    main(sys.argv[1] if len(sys.argv) > 1 else default)
