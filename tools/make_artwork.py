#!/usr/bin/env python3
"""Draws the program's icon (res/zevo.ico) and the file chooser's picture
strip (res/chooser.bmp) from the pixel art below, so that the binary files in
res/ can be made again and changed in text."""
import struct
import sys
from pathlib import Path

# 16-colour palette (the standard VGA colours); index 15 is white, which
# the chooser's image list treats as transparent.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CHARS = {'.': 15, 'k': 0, 'g': 8, 's': 7, 'y': 11, 'o': 3, 'b': 4, 'B': 12, 'c': 6,
         'C': 14, 'r': 1, 'R': 9, 'G': 2, 'w': 15}

# Twelve cells of 17 x 13 pixels: empty, closed folder, open folder,
# document, memory chip, hard disk, removable drive, CD-ROM, four empty.
EMPTY = ['.' * 17] * 13
CELLS = [
    EMPTY,
    [".................",
     "..ooooo..........",
     ".oyyyyyo.........",
     ".oyyyyyyoooooooo.",
     ".oyyyyyyyyyyyyyo.",
     ".oyyyyyyyyyyyyyo.",
     ".oyyyyyyyyyyyyyo.",
     ".oyyyyyyyyyyyyyo.",
     ".oyyyyyyyyyyyyyo.",
     ".oyyyyyyyyyyyyyo.",
     ".oyyyyyyyyyyyyyo.",
     ".ooooooooooooooo.",
     "................."],
    [".................",
     "..ooooo..........",
     ".oyyyyyo.........",
     ".oyyyyyyoooooo...",
     ".oyyoooooooooooo.",
     ".oyoyyyyyyyyyyyo.",
     ".oyoyyyyyyyyyyo..",
     ".ooyyyyyyyyyyyo..",
     ".ooyyyyyyyyyyo...",
     ".oyyyyyyyyyyyo...",
     ".oyyyyyyyyyyo....",
     ".oooooooooooo....",
     "................."],
    ["....kkkkkkk......",
     "....kwwwwwkk.....",
     "....kwwwwwkwk....",
     "....kwggggkkkk...",
     "....kwwwwwwwwk...",
     "....kwggggggwk...",
     "....kwwwwwwwwk...",
     "....kwggggggwk...",
     "....kwwwwwwwwk...",
     "....kwggggggwk...",
     "....kwwwwwwwwk...",
     "....kkkkkkkkkk...",
     "................."],
    [".................",
     "...k.k.k.k.k.k...",
     "..kkkkkkkkkkkkk..",
     "..kGGGGGGGGGGGk..",
     "..kGkkkGkkkGGGk..",
     "..kGkkkGkkkGGGk..",
     "..kGGGGGGGGGGGk..",
     "..kkkkkkkkkkkkk..",
     "...k.k.k.k.k.k...",
     ".................",
     ".................",
     ".................",
     "................."],
    [".................",
     ".................",
     ".................",
     "..kkkkkkkkkkkkk..",
     ".kssssssssssssgk.",
     ".kswwwwwwwwwwsgk.",
     ".ksssssssssssssgk",
     ".kssssssssssGsgk.",
     ".kggggggggggggggk",
     "..kkkkkkkkkkkkk..",
     ".................",
     ".................",
     "................."],
    [".................",
     ".................",
     "..kkkkkkkkkkkkk..",
     ".kssssssssssssgk.",
     ".ksssskkkkkssssk.",
     ".kssssssssssssgk.",
     ".kssssssssssGsgk.",
     ".kggggggggggggggk",
     "..kkkkkkkkkkkkk..",
     ".................",
     ".................",
     ".................",
     "................."],
    [".....kkkkkkk.....",
     "...kkCCCCCCCkk...",
     "..kCCCcccccCCCk..",
     ".kCCcccccccccCCk.",
     ".kCcccccgcccccCk.",
     "kCcccccgwgcccccCk",
     "kCccccgwkwgccccCk",
     "kCcccccgwgcccccCk",
     ".kCcccccgcccccCk.",
     ".kCCcccccccccCCk.",
     "..kCCCcccccCCCk..",
     "...kkCCCCCCCkk...",
     ".....kkkkkkk....."],
    EMPTY, EMPTY, EMPTY, EMPTY,
]

ICON = [
    "................................",
    "................................",
    "....bbbbbbbbbbbbbbbbbbbbbbbb....",
    "...bBBBBBBBBBBBBBBBBBBBBBBBBb...",
    "..bBBBBBBBBBBBBBBBBBBBBBBBBBBb..",
    "..bBBBBBBBBBBBBBBBBBBBBBBBBBBb..",
    "..bBBBwwwwwwwwwwwwwwwwwwwwBBBb..",
    "..bBBBwwwwwwwwwwwwwwwwwwwwBBBb..",
    "..bBBBwwwwwwwwwwwwwwwwwwwwBBBb..",
    "..bBBBBBBBBBBBBBBBBwwwwwwBBBBb..",
    "..bBBBBBBBBBBBBBBBwwwwwwBBBBBb..",
    "..bBBBBBBBBBBBBBBwwwwwwBBBBBBb..",
    "..bBBBBBBBBBBBBBwwwwwwBBBBBBBb..",
    "..bBBBBBBBBBBBBwwwwwwBBBBBBBBb..",
    "..bBBBBBBBBBBBwwwwwwBBBBBBBBBb..",
    "..bBBBBBBBBBBwwwwwwBBBBBBBBBBb..",
    "..bBBBBBBBBBwwwwwwBBBBBBBBBBBb..",
    "..bBBBBBBBBwwwwwwBBBBBBBBBBBBb..",
    "..bBBBBBBBwwwwwwBBBBBBBBBBBBBb..",
    "..bBBBBBBwwwwwwBBBBBBBBBBBBBBb..",
    "..bBBBBBwwwwwwBBBBBBBBBBBBBBBb..",
    "..bBBBBwwwwwwBBBBBBBBBBBBBBBBb..",
    "..bBBBwwwwwwwwwwwwwwwwwwwwBBBb..",
    "..bBBBwwwwwwwwwwwwwwwwwwwwBBBb..",
    "..bBBBwwwwwwwwwwwwwwwwwwwwBBBb..",
    "..bBBBBBBBBBBBBBBBBBBBBBBBBBBb..",
    "..bBBBBBBBBBBBBBBBBBBBBBBBGGBb..",
    "..bBBBBBBBBBBBBBBBBBBBBBBBGGBb..",
    "...bBBBBBBBBBBBBBBBBBBBBBBBBb...",
    "....bbbbbbbbbbbbbbbbbbbbbbbb....",
    "................................",
    "................................",
]


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)


def pack_4bit(rows):
    """Bottom-up rows of 4-bit pixels, each row padded to 4 bytes."""
    out = b''
    for row in reversed(rows):
        nibbles = [CHARS[c] for c in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        out += data + b'\0' * ((4 - len(data) % 4) % 4)
    return out


def make_bmp(rows):
    width, height = len(rows[0]), len(rows)
    pixels = pack_4bit(rows)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + 64
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette_bytes() + pixels


def make_ico(rows):
    width, height = len(rows[0]), len(rows)
    pixels = pack_4bit(rows)
    # The AND mask: 1 where the picture is transparent (the '.' border).
    mask = b''
    for row in reversed(rows):
        bits = ''.join('1' if c == '.' else '0' for c in row)
        data = int(bits, 2).to_bytes(width // 8, 'big')
        mask += data + b'\0' * ((4 - len(data) % 4) % 4)
    info = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 4, 0, len(pixels) + len(mask), 0, 0, 16, 0)
    image = info + palette_bytes() + pixels + mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', width, height, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / 'res'
    for cell in CELLS:
        assert len(cell) == 13 and all(len(r) == 17 for r in cell), cell
    assert len(ICON) == 32 and all(len(r) == 32 for r in ICON)
    strip = [''.join(cell[y] for cell in CELLS) + '.' * (219 - 17 * len(CELLS)) for y in range(13)]
    root.mkdir(parents=True, exist_ok=True)
    (root / 'chooser.bmp').write_bytes(make_bmp(strip))
    (root / 'zevo.ico').write_bytes(make_ico(ICON))


if __name__ == '__main__':
    main()
