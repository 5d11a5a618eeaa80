#!/usr/bin/env python3
"""Draws the default menu images of the velmo.js runtime into runtime/.

    python3 tools/make_images.py [output-folder]

Only the Python standard library is used: the GIF (LZW) and PNG writers are below.
The images are drawn for the default colours (black text on white, white text on
#316AC5 under the pointer) and use transparency so that other colours work too.
"""
import math
import os
import struct
import sys
import zlib

HOVER = (0x31, 0x6A, 0xC5)      # default hover background
PRESSED = (0x1F, 0x4A, 0x93)    # a darker shade for the pressed scroll buttons
INK = (0x00, 0x00, 0x00)        # default text colour
WHITE = (0xFF, 0xFF, 0xFF)
LINE = (0xA6, 0xA3, 0x9A)       # separator line, a darker kin of the bar separator


# ---------------------------------------------------------------- GIF writer

def lzw_encode(indices, min_size):
    """GIF flavour of LZW: variable code width from min_size + 1 up to 12 bits,
    codes packed least significant bit first."""
    clear, stop = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    acc = nbits = 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, stop + 1, min_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    run = ()
    for px in indices:
        grown = run + (px,)
        if grown in table:
            run = grown
            continue
        emit(table[run], width)
        if next_code < 4096:
            table[grown] = next_code
            # the decoder widens its codes once the table reaches 2^width
            if next_code == 1 << width and width < 12:
                width += 1
            next_code += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        run = (px,)
    if run:
        emit(table[run], width)
        # the decoder adds an entry for this last code too, and may widen before the stop
        if next_code == 1 << width and width < 12:
            width += 1
    emit(stop, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, pixels, width, height, palette, transparent=None):
    """pixels: row-major palette indices; palette: list of RGB tuples."""
    bits = max(1, (len(palette) - 1).bit_length())
    size = 1 << bits
    pal = list(palette) + [(0, 0, 0)] * (size - len(palette))
    min_size = max(2, bits)
    data = bytearray(b'GIF89a')
    data += struct.pack('<HHBBB', width, height, 0x80 | 0x70 | (bits - 1), 0, 0)
    for rgb in pal:
        data += bytes(rgb)
    if transparent is not None:
        data += struct.pack('<BBBBHBB', 0x21, 0xF9, 4, 0x01, 0, transparent, 0)
    data += struct.pack('<BHHHHB', 0x2C, 0, 0, width, height, 0)
    data.append(min_size)
    body = lzw_encode(pixels, min_size)
    for i in range(0, len(body), 255):
        chunk = body[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b'\x00\x3B'
    with open(path, 'wb') as f:
        f.write(data)


# ---------------------------------------------------------------- PNG writer

def write_png(path, rgba_rows, width, height):
    """rgba_rows: list of rows, each a list of (r, g, b, a)."""
    def chunk(kind, payload):
        return (struct.pack('>I', len(payload)) + kind + payload
                + struct.pack('>I', zlib.crc32(kind + payload) & 0xFFFFFFFF))
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)  # filter: none
        for px in row:
            raw += bytes(px)
    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
           + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


# ---------------------------------------------------------------- drawings

def canvas(w, h, fill=0):
    return [[fill] * w for _ in range(h)]


def flat(rows):
    return [px for row in rows for px in row]


def triangle(rows, cx, cy, size, pointing):
    """A solid arrow head of palette index 1, its base row k = 0 widest: 'right' is size
    wide and 2*size-1 tall, 'up' and 'down' are 2*size-1 wide and size tall, centred on
    (cx, cy)."""
    for k in range(size):
        for j in range(-(size - 1 - k), size - k):
            if pointing == 'right':
                x, y = cx - size // 2 + k, cy + j
            elif pointing == 'up':
                x, y = cx + j, cy + size // 2 - k
            else:
                x, y = cx + j, cy - size // 2 + k
            rows[y][x] = 1


def sub_arrow(path, colour):
    # 9 x 9 for the 9-pixel arrow column; 4 pixels wide, 7 tall
    rows = canvas(9, 9)
    triangle(rows, 4, 4, 4, 'right')
    write_gif(path, flat(rows), 9, 9, [WHITE, colour], transparent=0)


def separator(path):
    # wide enough for wide menus; centred by the stylesheet, clipped by narrow ones
    w = 1000
    write_gif(path, [1] * w, w, 1, [WHITE, LINE])


def scroll_button(path, pointing, back, shift=0):
    """Up or down arrow for the 11-pixel scroll strips. Normal: a dark arrow on
    transparent ground; hover and pressed: a white arrow on a coloured strip that is
    wider than most pop-ups, so that it fills the strip like an item highlight."""
    if back is None:
        w, h = 15, 11
        rows = canvas(w, h)
        triangle(rows, w // 2, h // 2, 4, pointing)
        write_gif(path, flat(rows), w, h, [WHITE, INK], transparent=0)
        return
    w, h = 600, 11
    rows = canvas(w, h, 2)
    triangle(rows, w // 2, h // 2 + shift, 4, pointing)
    write_gif(path, flat(rows), w, h, [WHITE, WHITE, back])


def shadow(path):
    """17 x 17 soft shadow, sliced 8 | 1 | 8 by the runtime: a blurred box whose
    edge falls off like a Gaussian blur of radius about 3 pixels."""
    n, r = 17, 8
    sigma = 2.2

    def profile(i):
        t = abs(i - r)
        return 0.5 * math.erfc((t - 3.5) / (sigma * math.sqrt(2)))
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            a = 0.42 * profile(x) * profile(y)
            row.append((0, 0, 0, round(255 * a)))
        rows.append(row)
    write_png(path, rows, n, n)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'runtime')
    os.makedirs(out, exist_ok=True)
    p = lambda name: os.path.join(out, name)
    sub_arrow(p('arrowr.gif'), INK)
    sub_arrow(p('arrowrh.gif'), WHITE)
    separator(p('sep.gif'))
    scroll_button(p('scrollu.gif'), 'up', None)
    scroll_button(p('scrolluh.gif'), 'up', HOVER)
    scroll_button(p('scrollud.gif'), 'up', PRESSED, 1)
    scroll_button(p('scrolld.gif'), 'down', None)
    scroll_button(p('scrolldh.gif'), 'down', HOVER)
    scroll_button(p('scrolldd.gif'), 'down', PRESSED, 1)
    shadow(p('shadow.png'))


if __name__ == '__main__':
    main()
