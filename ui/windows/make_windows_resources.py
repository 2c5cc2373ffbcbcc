#!/usr/bin/env python3
"""Writes the Windows icon (group 128: 32x32 and 16x16 with 16 colours as classic bitmaps, drawn
by ../resources/make_icons.py, then 24, 48, 64, 128 and 256 pixels as the PNG images that
script renders, which Windows Vista and later take inside an icon) and the link cursor (32x32
monochrome pointing hand, hot spot 6,0). Run from this folder after a change; the outputs are
kept in the repository."""
import os
import struct
import sys

make_icons_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
sys.path.insert(0, make_icons_dir)
import make_icons  # noqa: E402

# The pointing hand: X outline (black), w fill (white), . transparent. The tip of the index
# finger is the hot spot.
HAND = [
    "......XX........",
    ".....XwwX.......",
    ".....XwwX.......",
    ".....XwwX.......",
    ".....XwwX.......",
    ".....XwwXXX.....",
    ".....XwwXwwXXX..",
    ".....XwwXwwXwwXX.",
    ".XX..XwwXwwXwwXwX",
    ".XwX.XwwwwwwwwXwwX",
    ".XwwXXwwwwwwwwwwwX",
    "..XwwXwwwwwwwwwwwX",
    "...XwwwwwwwwwwwwwX",
    "...XwwwwwwwwwwwwwX",
    "....XwwwwwwwwwwwwX",
    "....XwwwwwwwwwwwX",
    ".....XwwwwwwwwwwX",
    ".....XwwwwwwwwwX",
    "......XwwwwwwwwX",
    "......XwwwwwwwwX",
    "......XXXXXXXXXX",
]
HOT_SPOT = (6, 0)


def rows_bottom_up(rows):
    return list(reversed(rows))


def pack_bits(bits):
    """One row of 1-bit pixels, padded to a multiple of 32 bits."""
    out = bytearray()
    for i in range(0, len(bits), 8):
        byte = 0
        for bit in bits[i:i + 8]:
            byte = byte << 1 | bit
        out.append(byte << (8 - len(bits[i:i + 8])))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def pack_nibbles(indexes):
    out = bytearray()
    for i in range(0, len(indexes), 2):
        out.append(indexes[i] << 4 | (indexes[i + 1] if i + 1 < len(indexes) else 0))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def dib_header(size, bit_count, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bit_count, 0, 0, 0, 0, colours, 0)


def icon_image(img):
    """A 16-colour icon image: header, palette, colour bits, transparency mask."""
    keys = [k for k in make_icons.used_keys(img) if make_icons.PALETTE[k] is not None]
    assert len(keys) <= 15, "more than 16 colours"
    palette = [(0, 0, 0)] + [make_icons.PALETTE[k] for k in keys]
    palette += [(0, 0, 0)] * (16 - len(palette))
    index = {k: i + 1 for i, k in enumerate(keys)}
    size = len(img)
    colour = b"".join(pack_nibbles([index.get(k, 0) for k in row]) for row in rows_bottom_up(img))
    mask = b"".join(pack_bits([1 if k == "." else 0 for k in row]) for row in rows_bottom_up(img))
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return dib_header(size, 4, 16) + quads + colour + mask


def cursor_image():
    size = 32
    rows = [row.ljust(size, ".") for row in HAND] + ["." * size] * (size - len(HAND))
    # Monochrome: mask 1 keeps the screen, mask 0 paints the colour bit (0 black, 1 white).
    colour = b"".join(pack_bits([1 if k == "w" else 0 for k in row]) for row in rows_bottom_up(rows))
    mask = b"".join(pack_bits([1 if k == "." else 0 for k in row]) for row in rows_bottom_up(rows))
    quads = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    return dib_header(size, 1, 2) + quads + colour + mask


def write_group(path, kind, images, entry):
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for image, fields in zip(images, entry):
        out += struct.pack("<BBBBHHII", *fields, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    big, small = make_icons.icon32(), make_icons.icon16()
    images = [icon_image(big), icon_image(small)]
    entries = [(32, 32, 16, 0, 1, 4), (16, 16, 16, 0, 1, 4)]
    for size in make_icons.SVG_SIZES:
        with open(os.path.join(make_icons_dir, f"trelvan-{size}.png"), "rb") as png:
            images.append(png.read())
        side = size % 256  # 0 stands for 256
        entries.append((side, side, 0, 0, 1, 32))
    write_group("trelvan.ico", 1, images, entries)
    write_group("link.cur", 2, [cursor_image()], [(32, 32, 2, 0, HOT_SPOT[0], HOT_SPOT[1])])
