"""Vector-like drawing on a supersampled PIL canvas.

All coordinates are in output pixels (floats allowed); the canvas draws at SS times the size
and `finish()` scales down with a Lanczos filter, which gives smooth edges without any
anti-aliasing support in PIL's primitives.
"""
from PIL import Image, ImageDraw, ImageFilter, ImageFont, ImageChops

SS = 2  # supersampling factor

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
_font_cache = {}


def font(size, bold=True, condensed=False):
    name = "DejaVuSans"
    if condensed:
        name += "Condensed"
    if bold:
        name += "-Bold"
    key = (name, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONT_DIR + name + ".ttf", int(round(size * SS)))
    return _font_cache[key]


def rgb(c, a=255):
    if isinstance(c, str):
        c = c.lstrip("#")
        c = tuple(int(c[i:i + 2], 16) for i in (0, 2, 4))
    if len(c) == 4:
        return tuple(c)
    return (c[0], c[1], c[2], a)


def mix(a, b, t):
    a, b = rgb(a), rgb(b)
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 255)):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), rgb(fill))

    # --- helpers -------------------------------------------------------------------------
    @staticmethod
    def s(v):
        return int(round(v * SS))

    def box(self, r):
        x, y, w, h = r
        return [self.s(x), self.s(y), self.s(x + w) - 1, self.s(y + h) - 1]

    def layer(self):
        return Image.new("RGBA", self.img.size, (0, 0, 0, 0))

    def mask(self):
        return Image.new("L", self.img.size, 0)

    def put(self, layer):
        bb = layer.getchannel("A").getbbox()
        if bb:
            self.img.alpha_composite(layer.crop(bb), dest=bb[:2])

    def put_masked(self, src, mask):
        """Composite an RGBA source through an extra L mask."""
        a = ImageChops.multiply(src.getchannel("A"), mask)
        src = src.copy()
        src.putalpha(a)
        self.put(src)

    # --- shapes ---------------------------------------------------------------------------
    def rrect(self, r, radius=0, fill=None, outline=None, width=1):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        d.rounded_rectangle(self.box(r), radius=self.s(radius),
                            fill=rgb(fill) if fill is not None else None,
                            outline=rgb(outline) if outline is not None else None,
                            width=max(1, self.s(width)) if outline is not None else 0)
        self.put(lay)

    def rrect_mask(self, r, radius=0):
        m = self.mask()
        ImageDraw.Draw(m).rounded_rectangle(self.box(r), radius=self.s(radius), fill=255)
        return m

    def poly_mask(self, pts):
        m = self.mask()
        ImageDraw.Draw(m).polygon([(self.s(x), self.s(y)) for x, y in pts], fill=255)
        return m

    def ellipse_mask(self, r):
        m = self.mask()
        ImageDraw.Draw(m).ellipse(self.box(r), fill=255)
        return m

    def gradient(self, r, c0, c1, vertical=True):
        """An RGBA layer holding a linear gradient over rectangle r (transparent elsewhere)."""
        x, y, w, h = r
        n = max(1, self.s(h) if vertical else self.s(w))
        strip = Image.new("RGBA", (1, n) if vertical else (n, 1))
        for i in range(n):
            c = mix(c0, c1, i / max(1, n - 1))
            strip.putpixel((0, i) if vertical else (i, 0), c)
        strip = strip.resize((max(1, self.s(w)), max(1, self.s(h))), Image.BILINEAR)
        lay = self.layer()
        lay.paste(strip, (self.s(x), self.s(y)))
        return lay

    def fill_mask(self, m, fill):
        lay = Image.new("RGBA", self.img.size, rgb(fill))
        self.put_masked(lay, m)

    def grad_mask(self, m, r, c0, c1, vertical=True):
        self.put_masked(self.gradient(r, c0, c1, vertical), m)

    def grad_rrect(self, r, radius, c0, c1, vertical=True):
        self.grad_mask(self.rrect_mask(r, radius), r, c0, c1, vertical)

    def glow(self, m, color, blur, strength=1.0):
        g = m.filter(ImageFilter.GaussianBlur(self.s(blur)))
        if strength != 1.0:
            g = g.point(lambda v: min(255, int(v * strength)))
        lay = Image.new("RGBA", self.img.size, rgb(color))
        self.put_masked(lay, g)

    def outline_mask(self, m, width):
        """Ring of the given width just inside the shape of mask m."""
        k = max(3, self.s(width) * 2 + 1)
        inner = m.filter(ImageFilter.MinFilter(k if k % 2 else k + 1))
        return ImageChops.subtract(m, inner)

    def line(self, pts, color, width=1, joint="curve"):
        lay = self.layer()
        ImageDraw.Draw(lay).line([(self.s(x), self.s(y)) for x, y in pts], fill=rgb(color),
                                 width=max(1, self.s(width)), joint=joint)
        self.put(lay)

    def lines(self, polylines, color, width=1):
        """Many polylines on one layer (for textures)."""
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        for pts in polylines:
            d.line([(self.s(x), self.s(y)) for x, y in pts], fill=rgb(color),
                   width=max(1, self.s(width)))
        self.put(lay)

    def ellipse(self, r, fill=None, outline=None, width=1):
        lay = self.layer()
        ImageDraw.Draw(lay).ellipse(self.box(r), fill=rgb(fill) if fill is not None else None,
                                    outline=rgb(outline) if outline is not None else None,
                                    width=max(1, self.s(width)) if outline is not None else 0)
        self.put(lay)

    def polygon(self, pts, fill):
        self.fill_mask(self.poly_mask(pts), fill)

    def text(self, xy, s, size, color, bold=True, anchor="mm", condensed=False, spacing=0):
        lay = self.layer()
        d = ImageDraw.Draw(lay)
        f = font(size, bold, condensed)
        if spacing:
            # letter-spaced text: draw glyph by glyph
            total = sum(d.textlength(ch, font=f) for ch in s) + self.s(spacing) * (len(s) - 1)
            x = self.s(xy[0]) - total / 2 if anchor[0] == "m" else self.s(xy[0])
            for ch in s:
                d.text((x, self.s(xy[1])), ch, font=f, fill=rgb(color), anchor="l" + anchor[1])
                x += d.textlength(ch, font=f) + self.s(spacing)
        else:
            d.text((self.s(xy[0]), self.s(xy[1])), s, font=f, fill=rgb(color), anchor=anchor)
        self.put(lay)

    def text_mask(self, xy, s, size, bold=True, anchor="mm"):
        m = self.mask()
        ImageDraw.Draw(m).text((self.s(xy[0]), self.s(xy[1])), s, font=font(size, bold),
                               fill=255, anchor=anchor)
        return m

    def finish(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def catmull_rom(points, samples=12, closed=True):
    """A smooth closed curve through the given points."""
    out = []
    n = len(points)
    rng = range(n) if closed else range(n - 1)
    for i in rng:
        p0 = points[(i - 1) % n] if closed or i > 0 else points[i]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[(i + 1) % n]
        for k in range(samples):
            t = k / samples
            t2, t3 = t * t, t * t * t
            x = 0.5 * ((2 * p1[0]) + (-p0[0] + p2[0]) * t + (2 * p0[0] - 5 * p1[0] + 4 * p2[0] - p3[0]) * t2
                       + (-p0[0] + 3 * p1[0] - 3 * p2[0] + p3[0]) * t3)
            y = 0.5 * ((2 * p1[1]) + (-p0[1] + p2[1]) * t + (2 * p0[1] - 5 * p1[1] + 4 * p2[1] - p3[1]) * t2
                       + (-p0[1] + 3 * p1[1] - 3 * p2[1] + p3[1]) * t3)
            out.append((x, y))
    if not closed:
        out.append(points[-1])
    return out
