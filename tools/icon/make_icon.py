#!/usr/bin/python3
"""Draws the program icon (a mouse on a dark rounded tile with a cyan glow) into resources/pyxom.ico."""
import sys
from PIL import Image, ImageDraw, ImageFilter

def tile(size):
    s = size * 4  # draw large, then scale down for smooth edges
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    r = s // 5
    d.rounded_rectangle([0, 0, s - 1, s - 1], radius=r, fill=(18, 20, 28, 255))
    glow = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    g = ImageDraw.Draw(glow)
    body = [s * 0.30, s * 0.16, s * 0.70, s * 0.86]
    g.rounded_rectangle(body, radius=int(s * 0.20), outline=(0, 216, 255, 200), width=max(2, s // 16))
    glow = glow.filter(ImageFilter.GaussianBlur(s / 28))
    img.alpha_composite(glow)
    d.rounded_rectangle(body, radius=int(s * 0.20), fill=(34, 38, 52, 255),
                        outline=(0, 216, 255, 255), width=max(2, s // 24))
    cx = s * 0.5
    d.line([cx, s * 0.17, cx, s * 0.42], fill=(0, 216, 255, 255), width=max(2, s // 28))
    d.rounded_rectangle([cx - s * 0.035, s * 0.24, cx + s * 0.035, s * 0.36], radius=int(s * 0.03),
                        fill=(255, 60, 90, 255))
    d.line([s * 0.31, s * 0.42, s * 0.69, s * 0.42], fill=(0, 216, 255, 255), width=max(2, s // 28))
    return img.resize((size, size), Image.LANCZOS)

def main(out):
    sizes = [16, 24, 32, 48, 64, 256]
    big = tile(256)
    big.save(out, format="ICO", sizes=[(n, n) for n in sizes], append_images=[tile(n) for n in sizes[:-1]])

if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/pyxom.ico")
