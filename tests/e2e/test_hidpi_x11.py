#!/usr/bin/python3
"""The clock on screens of 1, 1.5 and 2 device pixels to one, on a real X
server. Usage: test_hidpi_x11.py PROGRAM_DIRECTORY
"""
import os

from PIL import Image
from Xlib.ext import shape

import x11session
from x11session import BODY, SOURCE_DIR, X11Session, faked_time, set_xft_dpi

REFERENCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reference")


def drawn_pixels(name):
    with Image.open(os.path.join(SOURCE_DIR, "resources", name)) as source:
        alpha = source.convert("RGBA").getchannel("A")
    return {(i % alpha.width, i // alpha.width) for i, a in enumerate(alpha.getdata()) if a}


class ClockAtScreenRatios(X11Session):

    def clock_at(self, size, dpi=None, **env):
        """The clock started at 10:08:30, standing still, once it shows at size."""
        set_xft_dpi(self.x, dpi)
        directory = self.program_copy("%dx%d" % size)
        self.program = self.start([os.path.join(directory, "tansywatch")],
                                  env=dict(faked_time(self.env, "2026-12-07 10:08:30"), **env))
        self.addCleanup(self.stop, self.program)
        return self.one_sized(size, "the clock at %d x %d" % size)

    def test_at_1x_the_clock_is_cut_and_drawn_as_before(self):
        window, _, (left, top), _ = self.clock_at(BODY)
        with open(os.path.join(REFERENCE, "clock-1x-shape.txt")) as stored:
            self.assertEqual([(r.x, r.y, r.width, r.height)
                              for r in window.shape_get_rectangles(shape.SK.Bounding).rectangles],
                             [tuple(map(int, line.split())) for line in stored])
        outline = self.outline(window)
        inside = Image.new("1", BODY)
        inside.putdata([(x, y) in outline for y in range(BODY[1]) for x in range(BODY[0])])
        reference = Image.open(os.path.join(REFERENCE, "clock-1x.png")).convert("RGB").tobytes()

        def as_before():
            shot = self.screenshot().crop((left, top, left + BODY[0], top + BODY[1]))
            return Image.composite(shot, Image.new("RGB", BODY), inside).tobytes() == reference
        # From the first tick on, which puts the hands at 10:08:30.
        self.wait(as_before, "the clock drawn as the stored picture")

    def test_at_2x_outline_and_body_follow_the_screens_pixels(self):
        window, _, (left, top), (width, height) = self.clock_at((284, 396), dpi=192)
        outline = self.outline(window)
        self.assertEqual(outline, drawn_pixels("clock_body@2x.gif"))
        rows = [{x for x, y in outline if y == row} for row in range(height)]
        self.assertFalse(all(rows[y] == rows[y + 1] for y in range(0, height, 2)), "an outline in 2-pixel stairs")
        # The loop, the crown and the neck, above the hands' reach: blocks of
        # 2 x 2 pixels all of one colour would be the 1x picture doubled.
        pixels = self.screenshot().crop((left, top, left + width, top + 120)).load()
        blocks = [{pixels[x + dx, y + dy] for dx in (0, 1) for dy in (0, 1)} for y in range(0, 120, 2)
                  for x in range(0, width, 2) if {(x, y), (x + 1, y + 1)} <= outline]
        self.assertLess(sum(len(block) == 1 for block in blocks), 0.5 * len(blocks))

    def test_at_1_5_the_window_is_its_whole_picture(self):
        window = self.clock_at((213, 297), QT_SCALE_FACTOR="1.5")[0]
        self.assertEqual(self.outline(window), drawn_pixels("clock_body@1.5x.gif"))


if __name__ == "__main__":
    x11session.main(__doc__)
