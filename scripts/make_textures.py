#!/usr/bin/python3
"""Draws the texture pictures the program ships: paper (foreground) and desk
(background) tiles for the score view, as 24-bit BMP files that repeat without seams.

Everything is computed here from a fixed seed, so running the script again gives the
same files. Run from the top of the tree:

    /usr/bin/python3 scripts/make_textures.py

It writes data/texture/foreground/*.bmp and data/texture/background/*.bmp, the folders
that "Foreground File Path" and "Background File Path" of data/Tansy.ini name.
"""

import math
import os
import random
import struct

SIZE = 128  # tile edge in pixels; a multiple of 4 keeps BMP rows unpadded


def write_bmp(path, pixels):
    """pixels: SIZE rows (top first) of SIZE (r, g, b) tuples."""
    row_bytes = SIZE * 3
    image = bytearray()
    for row in reversed(pixels):  # BMP rows run bottom-up
        for r, g, b in row:
            image += bytes((b, g, r))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(image), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    assert len(image) == row_bytes * SIZE
    with open(path, 'wb') as out:
        out.write(header + info + image)


class PeriodicNoise:
    """Value noise on a lattice that wraps around the tile, so the tile repeats."""

    def __init__(self, seed, cells):
        rng = random.Random(seed)
        self.cells = cells
        self.values = [[rng.random() for _ in range(cells)] for _ in range(cells)]

    def at(self, x, y):
        fx = x * self.cells / SIZE
        fy = y * self.cells / SIZE
        x0, y0 = int(math.floor(fx)), int(math.floor(fy))
        tx, ty = fx - x0, fy - y0
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        c = self.cells
        v = self.values
        a = v[y0 % c][x0 % c]
        b = v[y0 % c][(x0 + 1) % c]
        d = v[(y0 + 1) % c][x0 % c]
        e = v[(y0 + 1) % c][(x0 + 1) % c]
        top = a + (b - a) * tx
        bottom = d + (e - d) * tx
        return top + (bottom - top) * ty  # 0 .. 1


def fractal(seed, octaves, x, y, cache={}):
    total, weight, amplitude = 0.0, 0.0, 1.0
    for i in range(octaves):
        key = (seed, i)
        if key not in cache:
            cache[key] = PeriodicNoise(seed * 31 + i, 4 << i)
        total += cache[key].at(x, y) * amplitude
        weight += amplitude
        amplitude *= 0.5
    return total / weight


def clamp(v):
    return max(0, min(255, int(round(v))))


def tile(shade):
    return [[tuple(clamp(c) for c in shade(x, y)) for x in range(SIZE)] for y in range(SIZE)]


def fibers(seed, count, length):
    """Short bright and dark strokes, as the fibres of a paper, wrapped around the tile."""
    rng = random.Random(seed)
    marks = {}
    for _ in range(count):
        x, y = rng.uniform(0, SIZE), rng.uniform(0, SIZE)
        angle = rng.uniform(0, math.pi)
        strength = rng.uniform(-1, 1)
        steps = int(rng.uniform(0.4, 1.0) * length)
        for s in range(steps):
            px = int(x + math.cos(angle) * s) % SIZE
            py = int(y + math.sin(angle) * s) % SIZE
            marks[(px, py)] = marks.get((px, py), 0) + strength
    return marks


def white_paper():
    grain = fibers(11, 90, 10)
    return tile(lambda x, y: [c + (fractal(1, 4, x, y) - 0.5) * 8 + grain.get((x, y), 0) * 3
                              for c in (250, 250, 246)])


def cream_paper():
    grain = fibers(12, 140, 12)
    return tile(lambda x, y: [c + (fractal(2, 5, x, y) - 0.5) * 14 + grain.get((x, y), 0) * 4
                              for c in (245, 236, 212)])


def rice_paper():
    grain = fibers(13, 260, 18)

    def shade(x, y):
        cloud = (fractal(3, 3, x, y) - 0.5) * 18
        fine = (fractal(4, 5, x, y) - 0.5) * 6
        f = grain.get((x, y), 0) * 5
        return [c + cloud + fine + f for c in (240, 235, 222)]
    return tile(shade)


def wood():
    def shade(x, y):
        warp = fractal(5, 3, x, y) * 1.2
        rings = math.sin((y / SIZE * 5 + warp) * 2 * math.pi) * 0.5 + 0.5
        pores = math.sin((y + fractal(9, 2, x, y) * 6) * 2 * math.pi / 4) * 4
        streak = (fractal(6, 5, x, y) - 0.5) * 14 + pores
        base = (140, 95, 58)
        dark = (108, 70, 40)
        return [b + (d - b) * rings ** 3 + streak for b, d in zip(base, dark)]
    return tile(shade)


def gray_linen():
    def shade(x, y):
        weave = (math.sin(x * 2 * math.pi / 4) + math.sin(y * 2 * math.pi / 4)) * 4
        slub = (fractal(7, 4, x, y) - 0.5) * 18
        return [c + weave + slub for c in (132, 134, 136)]
    return tile(shade)


def blue_cloth():
    def shade(x, y):
        twill = math.sin((x + y) * 2 * math.pi / 8) * 5
        mottle = (fractal(8, 4, x, y) - 0.5) * 16
        return [c + twill + mottle for c in (40, 58, 92)]
    return tile(shade)


PICTURES = {
    os.path.join('data', 'texture', 'foreground', '白纸.bmp'): white_paper,
    os.path.join('data', 'texture', 'foreground', '米黄纸.bmp'): cream_paper,
    os.path.join('data', 'texture', 'foreground', '宣纸.bmp'): rice_paper,
    os.path.join('data', 'texture', 'background', '木纹.bmp'): wood,
    os.path.join('data', 'texture', 'background', '灰色亚麻.bmp'): gray_linen,
    os.path.join('data', 'texture', 'background', '深蓝布纹.bmp'): blue_cloth,
}


def main():
    for path, draw in PICTURES.items():
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_bmp(path, draw())
        print(path)


if __name__ == '__main__':
    main()
