#!/usr/bin/env python3
"""Draws the application icon (a statement sheet with two arrows, 16 colours) pixel by pixel at
32x32 and 16x16 and writes it as XPM (compiled into the program) and PNG; the larger sizes
(24, 48, 64, 128 and 256 pixels) are trelvan.svg, the same picture drawn as a vector, rendered
with rsvg-convert (package librsvg2-bin). The PNGs and the SVG go into the icon theme; the
Windows icon is made from the same files by ../windows/make_windows_resources.py.
Run from this folder after changing a drawing; the outputs are kept in the repository."""
import struct
import subprocess
import zlib

# Sizes drawn pixel by pixel; every other size is rendered from trelvan.svg.
PIXEL_SIZES = (16, 32)
SVG_SIZES = (24, 48, 64, 128, 256)

PALETTE = {
    ".": None,             # transparent
    "k": (40, 40, 48),     # outline
    "w": (255, 255, 255),  # sheet
    "g": (200, 204, 212),  # rows, fold
    "b": (36, 92, 200),    # header band
    "B": (20, 52, 130),    # band edge
    "e": (40, 160, 72),    # arrow to the table
    "E": (20, 100, 40),
    "o": (236, 132, 28),   # arrow back to the statement
    "O": (160, 80, 10),
}


def blank(size):
    return [["." for _ in range(size)] for _ in range(size)]


def fill(img, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


def sheet(img, x0, y0, x1, y1, fold, band, rows):
    fill(img, x0, y0, x1, y1, "w")
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = "k"
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = "k"
    # folded corner
    for i in range(fold):
        for x in range(x1 - fold + 1 + i, x1 + 1):
            img[y0 + i][x] = "."
        img[y0 + i][x1 - fold + i] = "k"
    fill(img, x1 - fold + 1, y0 + fold, x1 - 1, y0 + fold, "k")
    for i in range(1, fold):
        fill(img, x1 - fold, y0 + i, x1 - fold + i - 1, y0 + i, "g")
    by0, by1 = band
    fill(img, x0 + 1, by0, x1 - fold - 1, by1, "b")
    fill(img, x0 + 1, by1, x1 - fold - 1, by1, "B")
    for y in rows:
        fill(img, x0 + 2, y, x1 - 2, y, "g")


def arrow(img, x0, x1, yc, half, head, right, c, edge):
    """Horizontal arrow: a shaft of 2*half-1 rows and a triangular head `head` wide."""
    tip, base = (x1, x1 - head) if right else (x0, x0 + head)
    shaft = range(x0, base + 1) if right else range(base, x1 + 1)
    for x in shaft:
        for y in range(yc - half + 1, yc + half):
            img[y][x] = c
        img[yc - half][x] = img[yc + half][x] = edge
    for i in range(head + 1):
        x = tip - i if right else tip + i
        h = i * (2 * half + 1) // head
        for y in range(yc - h, yc + h + 1):
            img[y][x] = c
        img[yc - h][x] = img[yc + h][x] = edge


def icon32():
    img = blank(32)
    sheet(img, 3, 1, 22, 27, 6, (4, 8), [11, 14, 17])
    arrow(img, 10, 30, 19, 2, 6, True, "e", "E")
    arrow(img, 1, 21, 26, 2, 6, False, "o", "O")
    return img


def icon16():
    img = blank(16)
    sheet(img, 1, 0, 11, 13, 3, (2, 4), [6, 8])
    arrow(img, 5, 15, 9, 1, 3, True, "e", "E")
    arrow(img, 0, 10, 12, 1, 3, False, "o", "O")
    return img


def used_keys(img):
    return sorted({c for row in img for c in row})


def write_xpm(img, name, path):
    keys = used_keys(img)
    lines = [f"/* XPM */\nstatic const char* const {name}[] = {{",
             f'"{len(img[0])} {len(img)} {len(keys)} 1",']
    for k in keys:
        rgb = PALETTE[k]
        colour = "None" if rgb is None else "#%02X%02X%02X" % rgb
        lines.append(f'"{k} c {colour}",')
    lines += [f'"{"".join(row)}",' for row in img]
    lines[-1] = lines[-1].rstrip(",")
    lines.append("};\n")
    with open(path, "w") as out:
        out.write("\n".join(lines))


def png_bytes(img):
    raw = b""
    for row in img:
        raw += b"\0"
        for k in row:
            rgb = PALETTE[k]
            raw += bytes((0, 0, 0, 0)) if rgb is None else bytes(rgb + (255,))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    size = len(img)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    big, small = icon32(), icon16()
    write_xpm(big, "trelvan_32_xpm", "trelvan-32.xpm")
    write_xpm(small, "trelvan_16_xpm", "trelvan-16.xpm")
    for img, name in ((big, "trelvan-32.png"), (small, "trelvan-16.png")):
        with open(name, "wb") as f:
            f.write(png_bytes(img))
    for size in SVG_SIZES:
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "trelvan.svg",
                        "-o", f"trelvan-{size}.png"], check=True)
