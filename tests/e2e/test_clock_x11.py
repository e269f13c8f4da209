#!/usr/bin/python3
"""The clock on a desktop with an xterm in use, as a new user meets it: size,
frame, outline, see-through, on top and under, drag, dialog, the alarm's pop-up
(the time jumps there through libfaketime's timestamp file) and the message
boxes, clicked. Usage: test_clock_x11.py PROGRAM_DIRECTORY, on the desktop
TANSY_DESKTOP names (openbox by default); its last line out is a table row."""
import contextlib
import os

from Xlib import X, protocol

import x11session
from x11session import BANNER, BODY, DESKTOP, DIALOG, ENABLE_BUTTON, GRIP, MODE_ARROW, SCREEN, X11Session, \
    faked_time, near, picture_pixels

IN_USE = (0x1F, 0x6F, 0x5F)
# Message box buttons, from the box's bottom-right corner: the last, the one before.
LAST_BUTTON, BUTTON_BEFORE = (-51, -23), (-138, -23)
# What a desktop does not offer: tiling window managers keep a floating window
# above the tiled ones; icewm keeps a window above once it was; sway centres a
# floating X window whatever place it asks for; weston has no above layer (the
# pop-up too goes under the window in use) and draws a shadow round the window,
# also under its see-through parts.
NOT_OFFERED = {"i3": {"normal"}, "sway": {"normal", "dialog"}, "icewm": {"normal"},
               "weston": {"top", "pop-up", "frameless", "see-through"}}
# Nor does weston raise an X window when asked: once the xterm was clicked, the
# clock and the pop-up lie under it, out of reach of these points' presses.
NOT_REACHED = {"weston": {"normal", "boxes"}}
POINTS = ("size", "frameless", "see-through", "top", "drag", "dialog", "normal", "pop-up", "boxes")


class ClockOnDesktop(X11Session):
    results = {}

    @contextlib.contextmanager
    def point(self, name):
        """A point of the run; a failure is noted and the run goes on."""
        with self.subTest(name):
            try:
                yield
                self.results.setdefault(name, "yes")
            except NameError:  # what it looks at never came
                self.results.setdefault(name, "not reached")
            except Exception:
                if name in NOT_REACHED.get(DESKTOP, ()):
                    self.results[name] = "not reached"
                elif name in NOT_OFFERED.get(DESKTOP, ()):
                    self.results[name] = "not offered"
                else:
                    self.results[name] = "FAIL"
                    raise

    @classmethod
    def tearDownClass(cls):
        print("| %s | %s |" % (DESKTOP, " | ".join(cls.results.get(p, "not reached") for p in POINTS)))
        super().tearDownClass()

    def seen(self, origin, pixels):
        """The share of the pixels (place from origin: colour) the screen shows so."""
        shot = self.screenshot().load()
        return sum(shot[origin[0] + x, origin[1] + y] == colour for (x, y), colour in pixels.items()) / len(pixels)

    def see_through(self, window, picture, beneath=None):
        """Cut to its picture for input; outside it the screen shows the xterm, or what it did before."""
        self.assertEqual(self.outline(window[0]), set(picture))
        # Nested compositors draw the pointer into the screen.
        self.xdotool("mousemove", SCREEN[0] - 1, 0)
        (left, top), (width, height) = window[2], window[3]
        outside = {(x, y): beneath.getpixel((left + x, top + y)) if beneath else IN_USE
                   for x in range(width) for y in range(height) if (x, y) not in picture}
        self.wait(lambda: self.seen(self.one_sized(window[3], "the window")[2], outside) > 0.99,
                  "what lies under the window's outside", 5)

    def focus_on(self, xterm):
        """Clicks on the xterm's bottom-left corner until it has the focus."""
        window, _, (left, top), (_, height) = self.windows(xterm.pid)[0]
        self.wait(lambda: self.click((left, top + height), (8, -8)) or
                  (focus := self.x.get_input_focus().focus) != X.NONE
                  and window.id in (focus.id, focus.query_tree().parent.id), "the focus on the xterm", 10, 0.5)

    def answer(self, what, button):
        """Clicks a button of the next message box where it is drawn."""
        box = self.wait(lambda: (self.other_windows() or [None])[0], what)
        (left, top), (width, height) = box[2], box[3]
        self.click((left + width, top + height), button)
        self.wait(lambda: all(w[0].id != box[0].id for w in self.windows()), what + " to go", 10)

    def test_clock_on_the_desktop_with_a_window_in_use(self):
        xterm = self.start(["xterm", "-bg", "#%02x%02x%02x" % IN_USE, "-geometry", "160x50+0+0"])
        self.wait(lambda: self.windows(xterm.pid), "the xterm")
        self.focus_on(xterm)
        now, elsewhere = os.path.join(self.work, "now"), os.path.join(self.work, "elsewhere")
        with open(now, "w") as out:
            out.write("@2026-12-07 07:00:00")
        # A settings file in the working directory is not the program's.
        os.makedirs(elsewhere)
        with open(os.path.join(elsewhere, "setting.ini"), "wb") as out:
            out.write(b"[Clock]\r\nwindow=Normal\r\n")
        program = os.path.join(self.program_copy("program"), "tansywatch")
        self.program = self.start([program], cwd=elsewhere, env=faked_time(self.env, now))
        body, banner = picture_pixels("clock_body.gif"), picture_pixels("banner.gif")

        with self.point("size"):
            clock = self.wait(lambda: (self.sized(BODY) or [None])[0], "the clock at its size", 10)
            self.assertTrue(near(clock[2], ((SCREEN[0] - BODY[0]) // 2, (SCREEN[1] - BODY[1]) // 2), 20), clock[2])
            self.wait(lambda: self.seen(clock[2], body) > 0.75, "the clock drawn", 5)
        with self.point("frameless"):
            ring = {(x, y): IN_USE for x in range(-3, BODY[0] + 3) for y in range(-3, BODY[1] + 3)
                    if not (-2 <= x < BODY[0] + 2 and -2 <= y < BODY[1] + 2)}
            self.wait(lambda: self.seen(clock[2], ring) > 0.99, "no frame round the clock", 5)
        with self.point("see-through"):
            self.see_through(clock, body)
        with self.point("dialog"):
            self.open_dialog()
        with self.point("boxes"):
            dialog = self.one_sized(DIALOG, "the options dialog")[2]
            self.pick_alarm_time(dialog, 7, 5)
            self.click(dialog, ENABLE_BUTTON)
            self.answer("the 'Alarm is Enabled now' box", LAST_BUTTON)
            armed = True
        with self.point("drag"):
            self.drag_clock((-150, 100))
        with self.point("see-through"):
            self.see_through(self.one_sized(BODY, "the clock"), body)
        with self.point("top"):
            self.focus_on(xterm)
            self.assertGreater(self.seen(self.clock_origin(), body), 0.75)

        with self.point("normal"):
            self.click(self.clock_origin(), GRIP, button=3)
            dialog = self.one_sized(DIALOG, "the options dialog")[2]
            self.pick_from_list(dialog, MODE_ARROW, "N", lambda: self.answer("the 'Normal Window' box", LAST_BUTTON))
            self.focus_on(xterm)
            self.wait(lambda: self.seen(self.clock_origin(), body) < 0.25, "the xterm over the clock", 5)

        self.xdotool("mousemove", SCREEN[0] - 1, 0)
        beneath = self.screenshot()
        with open(now, "w") as out:
            out.write("@2026-12-07 07:04:59")
        with self.point("pop-up"):
            assert armed
            popup = self.wait(lambda: (self.sized(BANNER) or [None])[0], "the pop-up at its size", 20)
            self.assertTrue(near(popup[2], ((SCREEN[0] - BANNER[0]) // 2, (SCREEN[1] - BANNER[1]) // 2), 20), popup[2])
            self.wait(lambda: self.seen(popup[2], banner) > 0.9, "the pop-up above the xterm", 5)
            self.focus_on(xterm)
            self.assertGreater(self.seen(popup[2], banner), 0.9, "the pop-up went under the xterm")
        with self.point("see-through"):
            self.see_through(popup, banner, beneath)
        with self.point("boxes"):
            self.click(popup[2], (100, 100))
            self.answer("the 'Disable alarm now?' question", LAST_BUTTON)
            self.assertTrue(self.sized(BANNER), "No took the pop-up away")
            self.click(popup[2], (100, 100))
            self.answer("the 'Disable alarm now?' question", BUTTON_BEFORE)
            self.answer("the 'Alarm is Disabled now' box", LAST_BUTTON)
            self.wait(lambda: not self.sized(BANNER), "the pop-up to go", 5)

        # The window manager's close request ends it.
        clock[0].send_event(protocol.event.ClientMessage(
            window=clock[0], client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        self.x.flush()
        self.assertEqual(self.program.wait(10), 0)


if __name__ == "__main__":
    x11session.main(__doc__)
