#!/usr/bin/python3
"""The options pages on a real X server, by mouse and keyboard: thickness and
stay-on-top, Default, a hand colour, a face from the file dialog, the About
window, quitting with everything open, and all of it back after a restart.
The time stands still at three o'clock, so the hands hold their places.

Usage: test_options_x11.py PROGRAM_DIRECTORY
"""
import os
import time

from PIL import Image
from Xlib import Xatom

import x11session
from x11session import BODY, DIALOG, X11Session, libfaketime

ABOUT = (326, 236)
# Options dialog, client coordinates.
OPTION_TAB = (36, 19)
BACKGROUND_TAB = (125, 19)
ABOUT_TAB = (185, 19)
HOUR_SWATCH = (24 + 80 + 12, 40 + 16 + 9)
HANDS_DEFAULT = (24 + 16 + 24, 40 + 48 + 8)
BORDER_ARROW = (24 + 72 + 49, 40 + 48 + 11)
MODE_ARROW = (24 + 128 + 49, 40 + 48 + 11)
CUSTOMERIZE = (24 + 8 + 40, 40 + 24 + 40)
ABOUT_BUTTON = (24 + 96 + 40, 40 + 24 + 32)
# Clock-local: the centre the hands turn on, and the red x.
CENTRE = (72, 120)
CLOSE = (68, 34)

FACE_COLOUR = (40, 200, 120)


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


class OptionsOnX11(X11Session):

    def launch(self, directory):
        env = dict(self.env, TZ="UTC", LD_PRELOAD=libfaketime(), FAKETIME="2026-12-07 03:00:00",
                   FAKETIME_DONT_FAKE_MONOTONIC="1")
        self.program = self.start([os.path.join(directory, "tansywatch")], cwd=self.work, env=env)
        clock = self.one_sized(BODY, "the clock")
        # The dialog shows above the clock, though the clock stays above
        # ordinary windows.
        self.assertLess(self.stacking(clock[0]), self.stacking(self.open_dialog()[0]))
        self.xdotool("key", "Escape")
        self.wait(lambda: not self.sized(DIALOG), "the dialog to close on Escape", 5)
        # Past the first tick the hands stand at three o'clock.
        time.sleep(0.5)
        return clock

    def hour_hand(self, clock):
        """Thickness and colour of the hour hand, which points to the right:
        the pixels across it, edges counted by how much of the hand they show."""
        shot = self.screenshot().load()
        left, top = self.clock_origin()
        column = [shot[left + CENTRE[0] + 12, top + CENTRE[1] - 8 + i] for i in range(17)]
        background = column[0]

        def distance(pixel):
            return sum(abs(a - b) for a, b in zip(pixel, background))
        hand = max(column, key=distance)
        if distance(hand) < 60:
            return 0, None
        return round(sum(distance(pixel) for pixel in column) / distance(hand)), hand

    def face_pixel(self, clock):
        left, top = self.clock_origin()
        return self.screenshot().getpixel((left + 44, top + 92))

    def stacking(self, window):
        """The window's place from the bottom of the window manager's stack."""
        stack = self.root.get_full_property(self.atom("_NET_CLIENT_LIST_STACKING"), Xatom.WINDOW)
        return list(stack.value).index(window.id)

    def is_above(self, clock):
        return self.atom("_NET_WM_STATE_ABOVE") in self.states(clock[0])

    def setting(self, directory):
        with open(os.path.join(directory, "setting.ini"), newline="") as file:
            return file.read()

    def test_options_apply_at_once_and_come_back_after_a_restart(self):
        directory = self.program_copy("program")
        face = os.path.join(self.work, "my pictures", "face.gif")
        os.makedirs(os.path.dirname(face))
        Image.new("RGB", (64, 64), FACE_COLOUR).save(face)
        clock = self.launch(directory)
        self.assertTrue(self.is_above(clock))
        dialog = self.open_dialog()[2]

        self.pick_from_list(dialog, BORDER_ARROW, "L")
        self.wait(lambda: self.hour_hand(clock)[0] == 4, "hands 4 px thick", 5)
        self.assertIn("Border=Large\r\n", self.setting(directory))

        before = self.clock_origin()
        self.pick_from_list(dialog, MODE_ARROW, "N")
        self.answer_box("the 'Normal Window' box")
        self.wait(lambda: not self.is_above(clock), "the clock to leave the top", 5)
        self.assertEqual(self.clock_origin(), before, "going Normal moved the clock")

        self.click(dialog, HANDS_DEFAULT)
        self.wait(lambda: self.is_above(clock), "the clock back on top", 5)
        self.wait(lambda: self.hour_hand(clock)[0] == 3, "hands 3 px thick", 5)
        self.assertIn("Border=Middle\r\n", self.setting(directory))

        # Thin hands, a normal window and a yellow hour hand to restart with.
        self.pick_from_list(dialog, BORDER_ARROW, "S")
        self.pick_from_list(dialog, MODE_ARROW, "N")
        self.answer_box("the 'Normal Window' box")
        known = self.windows()
        self.click(dialog, HOUR_SWATCH)
        colours = self.new_window(known, "the colour dialog")
        self.xdotool("key", "alt+h", "ctrl+a")
        self.xdotool("type", "#ffff00")
        self.xdotool("key", "Return")
        self.wait(lambda: all(w[0].id != colours[0].id for w in self.windows()), "the colour dialog to close")
        self.wait(lambda: self.hour_hand(clock) == (2, (255, 255, 0)), "a thin yellow hour hand", 5)

        self.click(dialog, BACKGROUND_TAB)
        self.click(dialog, CUSTOMERIZE)
        known = self.windows()
        self.answer_box("the 64 x 64 hint")
        files = self.new_window(known, "the file dialog")
        self.xdotool("type", face)
        self.xdotool("key", "Return")
        self.wait(lambda: all(w[0].id != files[0].id for w in self.windows()), "the file dialog to close")
        self.answer_box("the 'background is changed' box")
        # The box may have been over the clock, which paints the place anew.
        self.wait(lambda: self.face_pixel(clock) == FACE_COLOUR, "the new face", 5)

        # However often About is pressed, one About window.
        self.click(dialog, ABOUT_TAB)
        for _ in range(3):
            self.click(dialog, ABOUT_BUTTON)
        self.one_sized(ABOUT, "the About window")
        time.sleep(0.5)
        self.assertEqual(len(self.sized(ABOUT)), 1)
        self.assertEqual(self.sized(ABOUT)[0][1], "About Tansywatch")

        known = self.windows()
        self.click(self.clock_origin(), CLOSE)
        self.answer_box("the 'Quit the program?' question", known=known)
        self.assertEqual(self.program.wait(10), 0)

        clock = self.launch(directory)
        self.assertEqual(self.hour_hand(clock), (2, (255, 255, 0)))
        self.assertEqual(self.face_pixel(clock), FACE_COLOUR)
        self.assertFalse(self.is_above(clock))

        # Fifty more openings of the dialog leave the clock's memory alone.
        for round_ in range(60):
            if round_ == 10:
                settled = rss_kib(self.program.pid)
            self.open_dialog()
            self.xdotool("key", "Escape")
            self.wait(lambda: not self.sized(DIALOG), "the dialog to close on Escape", 5)
        grown = rss_kib(self.program.pid) - settled
        print("memory after 50 more dialogs: %+d KiB" % grown)
        self.assertLess(grown, 2048)


if __name__ == "__main__":
    x11session.main(__doc__)
