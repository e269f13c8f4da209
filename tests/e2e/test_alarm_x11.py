#!/usr/bin/python3
"""A whole session on a real X server, by mouse and keyboard: dragging and
locking the clock, arming the alarm in the options dialog, the pop-up and the
ringing at the alarm minute (libfaketime brings it seconds after arming),
disarming from the pop-up, quitting.

Usage: test_alarm_x11.py PROGRAM_DIRECTORY
Starts its own Xvfb and openbox on a free display and ends every process it
started, by PID.
"""
import datetime
import os
import time

from PIL import Image
from Xlib import Xatom, error as xerror
from Xlib.ext import shape

import x11session
from x11session import BANNER, BODY, DIALOG, ENABLE_BUTTON, GRIP, SCREEN, SOURCE_DIR, X11Session, libfaketime, \
    opaque_pixels

FAKE_START = datetime.datetime(2026, 12, 7, 7, 4, 35)
ALARM_AT = datetime.datetime(2026, 12, 7, 7, 5, 0)
# Armed any later, the confirmation box may still be open when the minute
# comes, and the pop-up is then put away unseen: a different story.
LATEST_ARMING = datetime.datetime(2026, 12, 7, 7, 4, 53)
AUDIO_SAMPLES_PER_SECOND = 44100 * 2  # 16-bit stereo

# Clock-local places; the lock and the red x where their pixels are opaque.
LOCK = (68, 15)
CLOSE = (68, 34)

SMALL_ALARM = (52, 137, 40, 30)


class AlarmSessionOnX11(X11Session):
    def banner_popup(self):
        return [w for w in self.sized(BANNER) if w[1] == "Form1"]

    def fake_now(self):
        return FAKE_START + datetime.timedelta(seconds=time.monotonic() - self.launched)

    def small_alarm_likeness(self):
        """Share of the alarm icon's pixels that show where the clock keeps it."""
        left, top = self.clock_origin()
        x, y, width, height = SMALL_ALARM
        shot = self.screenshot().load()
        with Image.open(os.path.join(SOURCE_DIR, "resources", "alarm_icon.gif")) as source:
            icon = source.convert("RGBA").resize((width, height), Image.BILINEAR).load()
        solid = [(i, j) for j in range(height) for i in range(width) if icon[i, j][3] == 255]
        alike = sum(1 for i, j in solid
                    if sum(abs(a - b) for a, b in zip(shot[left + x + i, top + y + j], icon[i, j])) < 24)
        return alike / len(solid)

    @staticmethod
    def destroyed(window):
        try:
            window.get_attributes()
            return False
        except xerror.BadWindow:
            return True

    def audio_since(self, offset):
        with open(self.audio, "rb") as sound:
            sound.seek(offset)
            return sound.read()

    # --- behaviour ---------------------------------------------------------

    def test_session_drag_lock_arm_ring_disarm_and_quit(self):
        directory = self.program_copy("program")
        self.audio = os.path.join(self.work, "audio.raw")
        env = dict(self.env, TZ="UTC", LD_PRELOAD=libfaketime(),
                   FAKETIME="@" + FAKE_START.strftime("%Y-%m-%d %H:%M:%S"),
                   # Qt's timers run on the monotonic clock; faked, they stop.
                   FAKETIME_DONT_FAKE_MONOTONIC="1",
                   SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=self.audio)
        self.launched = time.monotonic()
        self.program = self.start([os.path.join(directory, "tansywatch")], cwd=directory, env=env)
        centre = ((SCREEN[0] - BODY[0]) // 2, (SCREEN[1] - BODY[1]) // 2)
        self.assertEqual(self.clock_origin(), centre)

        # A drag on the body takes the clock along; locked, it does not.
        moved = self.drag_clock((250, 150))
        self.click(moved, LOCK)
        self.answer_box("the 'locked' box")
        self.drag_clock((-200, -150), moves=False)
        self.click(moved, LOCK)
        self.answer_box("the 'unlocked' box")
        # Clear of the pop-up, which is centred.
        clock = self.drag_clock((40, 80))
        self.assertLess(self.small_alarm_likeness(), 0.3, "alarm icon on the clock before arming")

        # Right presses open the options dialog, once, and never move the clock.
        self.open_dialog()
        heard = os.path.getsize(self.audio)
        self.click(clock, GRIP, button=3)
        # The cue sounds as the press is handled: past it, a second dialog
        # would have been asked for.
        self.wait(lambda: any(self.audio_since(heard)), "the cue of the second right press", 10)
        time.sleep(0.3)
        self.assertEqual(len(self.sized(DIALOG)), 1, "a second right press, a second dialog")
        self.assertEqual(self.clock_origin(), clock, "a right press moved the clock")

        # Arming: an item picked from each list, then the button.
        dialog = self.one_sized(DIALOG, "the options dialog")[2]
        self.pick_alarm_time(dialog, 7, 5)
        if self.fake_now() > LATEST_ARMING:
            self.fail("the Enable button reached only at %s fake time: start the fake clock earlier"
                      % self.fake_now().time())
        self.click(dialog, ENABLE_BUTTON)
        self.answer_box("the 'Alarm is Enabled now' box")
        self.wait(lambda: not self.sized(DIALOG), "the dialog to close on arming", 5)
        self.assertGreater(self.small_alarm_likeness(), 0.8, "no alarm icon on the armed clock")
        self.assertFalse(self.banner_popup(), "the pop-up showed before the alarm minute")

        # The pop-up comes with the minute, centred, frameless, cut to the banner.
        popup = self.wait(lambda: (self.banner_popup() or [None])[0], "the TIME's UP pop-up",
                          timeout=70, poll=0.01)
        shown = self.fake_now()
        rang_at = os.path.getsize(self.audio)
        self.assertLess(abs((shown - ALARM_AT).total_seconds()), 1.0,
                        "the pop-up showed at %s fake time" % shown.time())
        window, _, place, _ = popup
        self.assertEqual(place, ((SCREEN[0] - BANNER[0]) // 2, (SCREEN[1] - BANNER[1]) // 2))
        shaped = {(x, y) for r in window.shape_get_rectangles(shape.SK.Bounding).rectangles
                  for y in range(r.y, r.y + r.height) for x in range(r.x, r.x + r.width)}
        self.assertEqual(shaped, opaque_pixels("banner.gif"))
        frame = window.get_full_property(self.atom("_NET_FRAME_EXTENTS"), Xatom.CARDINAL)
        self.assertEqual(list(frame.value) if frame else [0] * 4, [0] * 4, "the pop-up has a frame")
        # No icon of its own: the window manager's stand-in, not the program's.
        icons = [w.get_full_property(self.atom("_NET_WM_ICON"), Xatom.CARDINAL)
                 for w in (window, self.one_sized(BODY, "the clock")[0])]
        self.assertNotEqual(*[list(icon.value) if icon else None for icon in icons], "the pop-up has the program's icon")
        self.assertNotIn(self.atom("_NET_WM_STATE_ABOVE"), self.states(window))

        # It rings over and over: in three seconds, more sound than one wave holds.
        self.wait(lambda: os.path.getsize(self.audio) - rang_at > 3 * 2 * AUDIO_SAMPLES_PER_SECOND,
                  "three seconds of audio output", 20)
        samples = memoryview(self.audio_since(rang_at)[:3 * 2 * AUDIO_SAMPLES_PER_SECOND]).cast("h")
        sounding = sum(1 for sample in samples if sample) / AUDIO_SAMPLES_PER_SECOND
        self.assertGreater(sounding, 1.2, "the alarm sounded only %.2f s of the first 3 s" % sounding)

        # A click on the pop-up offers to disarm: Yes, then OK.
        self.click(place, (100, 100))
        self.answer_box("the 'Disable alarm now?' question")
        self.answer_box("the 'Alarm is Disabled now' box")
        self.wait(lambda: self.destroyed(window), "the pop-up to be destroyed", 5)
        self.assertLess(self.small_alarm_likeness(), 0.3, "alarm icon still on the disarmed clock")

        # Quitting through the red x, with the dialog open.
        self.open_dialog()
        self.click(clock, CLOSE)
        self.answer_box("the 'Quit the program?' question")
        self.assertEqual(self.program.wait(10), 0)


if __name__ == "__main__":
    x11session.main(__doc__)
