#!/usr/bin/python3
"""Takes the README's walkthrough pictures on a private Xvfb with openbox: the
options dialog beside the clock, and the alarm ringing with its pop-up.
The clock runs under libfaketime from 07:04:40; the alarm is set for 07:05
through the dialog, as a user sets it.
Needs what `make test` installs. Usage: tools/walkthrough_shots.py [PROGRAM_DIRECTORY]
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import x11session  # noqa: E402
from x11session import BANNER, BODY, DIALOG, SOURCE_DIR, X11Session, faked_time  # noqa: E402

ALARM_TAB = (72, 19)
ABOUT_TAB = (185, 19)
ABOUT_BUTTON = (24 + 96 + 40, 40 + 24 + 32)
ABOUT = (326, 236)
HOUR_ARROW = (24 + 8 + 41, 40 + 16 + 11)
MIN_ARROW = (24 + 64 + 41, 40 + 16 + 11)
ENABLE_BUTTON = (24 + 8 + 52, 40 + 46 + 11)
MARGIN = 16


class Walkthrough(X11Session):
    def runTest(self):
        directory = self.program_copy("program")
        env = faked_time(self.env, "@2026-12-07 07:04:40")
        self.program = self.start([os.path.join(directory, "tansywatch")], cwd=directory, env=env)
        self.root.change_attributes(background_pixel=0x3B6E8F)
        self.root.clear_area()
        clock = self.drag_clock((200, -60))
        # The dialog opens beside the clock by itself.
        dialog = self.open_dialog()
        self.wait(lambda: self.x.get_input_focus().focus.id == dialog[0].id, "the dialog's focus")
        # The dialog's frame is openbox's: take it in with the margin.
        self.save((min(dialog[2][0], clock[0]) - MARGIN, min(dialog[2][1] - 20, clock[1]) - MARGIN,
                   max(dialog[2][0] + DIALOG[0], clock[0] + BODY[0]) + MARGIN,
                   max(dialog[2][1] + DIALOG[1], clock[1] + BODY[1]) + MARGIN), "options.png")

        self.click(dialog[2], ABOUT_TAB)
        self.click(dialog[2], ABOUT_BUTTON)
        about = self.one_sized(ABOUT, "the About window")
        self.wait(lambda: self.x.get_input_focus().focus.id == about[0].id, "the About window's focus")
        left, top = about[2]
        self.save((left - MARGIN, top - 20 - MARGIN, left + ABOUT[0] + MARGIN, top + ABOUT[1] + MARGIN), "about.png")
        self.xdotool("key", "Return")
        self.wait(lambda: not self.sized(ABOUT), "the About window to close")

        self.click(dialog[2], ALARM_TAB)
        self.pick_from_list(dialog[2], HOUR_ARROW, "7")
        self.pick_from_list(dialog[2], MIN_ARROW, "5")
        self.click(dialog[2], ENABLE_BUTTON)
        self.answer_box("the 'Alarm is Enabled now' box")
        popup = self.wait(lambda: ([w for w in self.sized(BANNER) if w[1] == "Form1"] or [None])[0],
                          "the pop-up", timeout=60)
        left, top = popup[2]
        self.save((left - MARGIN, clock[1] - MARGIN, left + BANNER[0] + MARGIN, top + BANNER[1] + MARGIN),
                  "ringing.png")
        self.program.terminate()

    def save(self, box, name):
        path = os.path.join(SOURCE_DIR, "docs", name)
        self.screenshot().crop(box).save(path)
        print("wrote", path)


if __name__ == "__main__":
    x11session.PROGRAM_DIR = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    Walkthrough.setUpClass()
    try:
        Walkthrough().runTest()
    finally:
        Walkthrough.tearDownClass()
