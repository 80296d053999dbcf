#!/usr/bin/env python3
"""Draws the two mouse-pointer images of the race screen and writes them as
32 x 32 icons into data/Images: "handred.ico", the red hand shown over
everything that toggles or clears, and "racer.ico", the racing car shown over
a name cell that opens the racer list.

Run it again only to change the drawings; its outputs are committed, so a
build never needs it.  Standard library only.

    python3 data/tools/make_icons.py [output-folder]
"""

import math
import struct
import sys
from pathlib import Path

SIZE = 32
OUTLINE = (20, 20, 20)


class Canvas:
    """A 32 x 32 picture of RGB pixels; None is transparent."""

    def __init__(self):
        self.pixels = [[None] * SIZE for _ in range(SIZE)]

    def fill(self, inside, colour):
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[y][x] = colour

    def set(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def outline(self):
        """Rings every drawn shape with a dark pixel so the pointer stays
        visible on the lane colours, light or dark."""
        ring = []
        for y in range(SIZE):
            for x in range(SIZE):
                if self.pixels[y][x] is not None:
                    continue
                near = any(
                    0 <= x + dx < SIZE
                    and 0 <= y + dy < SIZE
                    and self.pixels[y + dy][x + dx] not in (None, OUTLINE)
                    for dx in (-1, 0, 1)
                    for dy in (-1, 0, 1)
                )
                if near:
                    ring.append((x, y))
        for x, y in ring:
            self.pixels[y][x] = OUTLINE


def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
        return math.hypot(x - (ax + t * vx), y - (ay + t * vy)) <= r

    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return inside


def draw_hand():
    red, light = (215, 25, 30), (245, 110, 110)
    c = Canvas()
    for shape in (
        capsule(11, 3, 11, 17, 2.5),  # pointing finger
        capsule(16, 11, 16, 18, 2.4),
        capsule(20.8, 12, 20.8, 19, 2.4),
        capsule(25.2, 14, 25.2, 20, 2.2),
        capsule(4.5, 15.5, 9.5, 23, 2.5),  # thumb
        rect(8.5, 16, 27.4, 27),  # palm
        rect(10.5, 27, 25.5, 30.5),  # wrist
    ):
        c.fill(shape, red)
    # The creases between the curled fingers.
    for x, top, bottom in ((13, 10, 20), (18, 11, 21), (23, 13, 21)):
        for y in range(top, bottom):
            if c.pixels[y][x] is not None:
                c.set(x, y, OUTLINE)
    c.outline()
    # A lit left edge gives the hand some body.
    for y in range(SIZE):
        for x in range(1, SIZE):
            if c.pixels[y][x] == red and c.pixels[y][x - 1] == OUTLINE:
                c.set(x, y, light)
    return c


def draw_car():
    blue, white, yellow, grey = (30, 90, 220), (255, 255, 255), (250, 210, 20), (150, 150, 150)
    c = Canvas()
    body = polygon([(2, 21), (3, 16), (10, 15), (13, 12), (21, 12), (24, 15),
                    (29, 16), (30.5, 19), (30.5, 21.5), (2, 21.5)])
    c.fill(rect(1, 9.5, 6.5, 11.5), blue)  # rear wing
    c.fill(rect(3, 11.5, 4.5, 16), blue)
    c.fill(body, blue)
    c.fill(rect(4, 18, 28.5, 19), white)  # racing stripe
    c.fill(circle(17, 11, 2.6), yellow)  # driver's helmet
    for cx in (8, 25):
        c.fill(circle(cx, 22.5, 4.2), OUTLINE)
        c.fill(circle(cx, 22.5, 1.6), grey)
    c.outline()
    return c


def ico_bytes(canvas):
    """One 32-bit image with its transparency mask, in the icon format every
    desktop and Qt's image reader understand."""
    rows = []
    mask_rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray()
        mask = 0
        for x in range(SIZE):
            p = canvas.pixels[y][x]
            if p is None:
                row += bytes((0, 0, 0, 0))
                mask |= 1 << (SIZE - 1 - x)
            else:
                row += bytes((p[2], p[1], p[0], 255))
        rows.append(bytes(row))
        mask_rows.append(mask.to_bytes(SIZE // 8, "big"))
    pixels = b"".join(rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels), 0, 0, 0, 0)
    image = header + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "Images"
    out.mkdir(parents=True, exist_ok=True)
    (out / "handred.ico").write_bytes(ico_bytes(draw_hand()))
    (out / "racer.ico").write_bytes(ico_bytes(draw_car()))


if __name__ == "__main__":
    main()
