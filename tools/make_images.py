#!/usr/bin/env python3
"""Turns the character-grid pictures of resources/images.txt into the
.bmp, .ico and .cur files that the resource script includes.

    make_images.py SOURCE OUTDIR

The header lines of SOURCE are described at its top. Every grid row must
have the stated width and every character must be a known colour; a
mistake stops the build with the line number instead of drawing a wrong
picture.
"""

import os
import struct
import sys

# The 16 colours of the system palette, in its usual order: a 4-bit tool
# bar strip with this colour table can be remapped to the button colours.
PALETTE = [
    ("K", (0, 0, 0)),
    ("M", (128, 0, 0)),
    ("D", (0, 128, 0)),
    ("O", (128, 128, 0)),
    ("N", (0, 0, 128)),
    ("P", (128, 0, 128)),
    ("T", (0, 128, 128)),
    ("S", (192, 192, 192)),
    ("G", (128, 128, 128)),
    ("R", (255, 0, 0)),
    ("L", (0, 255, 0)),
    ("Y", (255, 255, 0)),
    ("B", (0, 0, 255)),
    ("F", (255, 0, 255)),
    ("C", (0, 255, 255)),
    ("W", (255, 255, 255)),
]
COLOURS = dict(PALETTE)
INDEX = {name: i for i, (name, _) in enumerate(PALETTE)}
TRANSPARENT_BLUE = (0, 0, 255)
BUTTON_FACE = "S"


class SourceError(Exception):
    pass


def parse(path):
    """Yields (kind, args, rows, line number) for every block of the file."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    blocks = []
    current = None
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip()
        if not line or line.startswith("#"):
            current = None
            continue
        words = line.split()
        if words[0] in ("bitmap", "variant", "icon", "cursor", "strip"):
            current = [words[0], words[1:], [], number]
            blocks.append(current)
        elif current is None:
            raise SourceError(f"{path}:{number}: grid row outside a block")
        else:
            current[2].append((number, line))
    return blocks


def check_grid(rows, width, height, where):
    if len(rows) != height:
        raise SourceError(f"{where}: {len(rows)} rows, expected {height}")
    for number, row in rows:
        if len(row) != width:
            raise SourceError(f"line {number}: {len(row)} columns, expected {width}")
        for ch in row:
            if ch != "." and ch not in COLOURS:
                raise SourceError(f"line {number}: unknown colour {ch!r}")
    return [row for _, row in rows]


def bmp_file(info_and_bits):
    offset = 14 + struct.unpack_from("<I", info_and_bits, 0)[0]
    # Palette entries lie between the header and the bits.
    bits_count = struct.unpack_from("<H", info_and_bits, 14)[0]
    if bits_count <= 8:
        offset += 4 * (1 << bits_count)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info_and_bits), 0, 0, offset) + info_and_bits


def info_header(width, height, bits):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, 0, 0)


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def bitmap24(grid):
    """16x16, 24 bits, bottom-up; '.' becomes pure blue."""
    width, height = len(grid[0]), len(grid)
    bits = b""
    for row in reversed(grid):
        line = b""
        for ch in row:
            r, g, b = TRANSPARENT_BLUE if ch == "." else COLOURS[ch]
            line += bytes((b, g, r))
        bits += padded(line)
    return bmp_file(info_header(width, height, 24) + bits)


def bitmap4(grid, background):
    """4 bits with the system palette; '.' becomes the background colour."""
    width, height = len(grid[0]), len(grid)
    table = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    bits = b""
    for row in reversed(grid):
        nibbles = [INDEX[background if ch == "." else ch] for ch in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        bits += padded(line)
    return bmp_file(info_header(width, height, 4) + table + bits)


def and_mask(grid):
    """1 where the picture is transparent, rows padded to 32 bits."""
    bits = b""
    for row in reversed(grid):
        value = 0
        for ch in row:
            value = (value << 1) | (1 if ch == "." else 0)
        line = value.to_bytes(len(row) // 8, "big")
        bits += padded(line)
    return bits


def icon_image(grid):
    """One 32-bit image of an icon resource: colour with alpha, then mask."""
    width, height = len(grid[0]), len(grid)
    bits = b""
    for row in reversed(grid):
        for ch in row:
            if ch == ".":
                bits += b"\0\0\0\0"
            else:
                r, g, b = COLOURS[ch]
                bits += bytes((b, g, r, 255))
    return info_header(width, 2 * height, 32) + bits + and_mask(grid)


def scaled(grid, factor):
    return ["".join(ch * factor for ch in row) for row in grid for _ in range(factor)]


def directory(kind, images):
    """kind 1 icon, 2 cursor; images = [(width, height, x, y, data)], where
    x and y are planes and bit count for an icon, the hot spot for a cursor."""
    head = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for width, height, x, y, image in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, x, y, len(image),
                               offset + len(data))
        data += image
    return head + entries + data


def icon_file(grid):
    big = scaled(grid, 2)
    return directory(1, [(16, 16, 1, 32, icon_image(grid)), (32, 32, 1, 32, icon_image(big))])


def cursor_file(grid, hot_x, hot_y):
    """Monochrome: K black, W white, '.' transparent (mask 1, colour 0)."""
    width, height = len(grid[0]), len(grid)
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    xor = b""
    for row in reversed(grid):
        value = 0
        for ch in row:
            if ch not in ".KW":
                raise SourceError(f"cursor colour {ch!r}: only K, W and . are possible")
            value = (value << 1) | (1 if ch == "W" else 0)
        xor += padded(value.to_bytes(width // 8, "big"))
    image = info_header(width, 2 * height, 1) + table + xor + and_mask(grid)
    return directory(2, [(width, height, hot_x, hot_y, image)])


def generate(source, outdir):
    blocks = parse(source)
    grids = {}
    outputs = {}
    for kind, args, rows, number in blocks:
        where = f"{source}:{number}"
        name = args[0]
        if kind == "bitmap":
            grids[name] = check_grid(rows, 16, 16, where)
            outputs[name] = bitmap24(grids[name])
        elif kind == "variant":
            if len(args) < 3 or args[1] != "=" or args[2] not in grids:
                raise SourceError(f"{where}: variant NAME = BASE a:b ...")
            swap = dict(pair.split(":") for pair in args[3:])
            grids[name] = ["".join(swap.get(ch, ch) for ch in row) for row in grids[args[2]]]
            check_grid(list(enumerate(grids[name], number)), 16, 16, where)
            outputs[name] = bitmap24(grids[name])
        elif kind == "icon":
            outputs[name] = icon_file(check_grid(rows, 16, 16, where))
        elif kind == "cursor":
            grid = check_grid(rows, 32, 32, where)
            outputs[name] = cursor_file(grid, int(args[1]), int(args[2]))
        elif kind == "strip":
            width, height = int(args[1]), int(args[2])
            buttons, current = [], []
            for number_row in rows + [(None, "-")]:
                if number_row[1] == "-":
                    buttons.append(check_grid(current, width, height, where))
                    current = []
                else:
                    current.append(number_row)
            strip = ["".join(button[y] for button in buttons) for y in range(height)]
            outputs[name] = bitmap4(strip, BUTTON_FACE)
    os.makedirs(outdir, exist_ok=True)
    for name, data in outputs.items():
        path = os.path.join(outdir, name)
        # Unchanged files keep their time, so the resource script is not
        # compiled again for nothing.
        if os.path.exists(path):
            with open(path, "rb") as f:
                if f.read() == data:
                    continue
        with open(path, "wb") as f:
            f.write(data)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        generate(sys.argv[1], sys.argv[2])
    except SourceError as error:
        print(f"make_images: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
