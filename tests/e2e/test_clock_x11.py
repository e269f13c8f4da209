#!/usr/bin/python3
"""The clock on a real X server: size, place, outline, stacking, click-through,
moving and closing, checked from outside the way a window manager and a user
see it.

Usage: test_clock_x11.py PROGRAM_DIRECTORY
Starts its own Xvfb and openbox on a free display and ends every process it
started, by PID.
"""
import os

from Xlib import X, protocol

import x11session
from x11session import BODY, SCREEN, X11Session, opaque_pixels, wait_for


class ClockOnX11(X11Session):

    def test_clock_started_from_another_directory_stays_on_top_and_is_cut_to_its_body(self):
        directory = self.program_copy("top")
        # A settings file in the working directory is not the program's.
        elsewhere = os.path.join(self.work, "elsewhere")
        os.makedirs(elsewhere)
        with open(os.path.join(elsewhere, "setting.ini"), "wb") as out:
            out.write(b"[Clock]\r\nwindow=Normal\r\n")

        # A window underneath that reports the clicks that reach it.
        under = self.root.create_window(0, 0, SCREEN[0], SCREEN[1], 0, self.x.screen().root_depth,
                                        event_mask=X.ButtonPressMask)
        under.set_wm_name("under")
        self.map_managed(under)

        self.program = self.start([os.path.join(directory, "tansywatch")], cwd=elsewhere)
        window, _, (left, top), _ = self.one_sized(BODY, "the clock")
        self.assertEqual((left, top), ((SCREEN[0] - BODY[0]) // 2, (SCREEN[1] - BODY[1]) // 2))
        self.wait(lambda: self.is_above(window), "the on-top state")
        self.assertEqual(self.outline(window), opaque_pixels("clock_body.gif"))

        # A click on the see-through corner lands on the window below; one on
        # the body does not, and leaves the pointer free and the clock where
        # it is. A last click below the clock ends what can arrive.
        while self.x.pending_events():
            self.x.next_event()
        corner, below = (left + 1, top + 1), (left + 70, top + BODY[1] + 20)
        for place in ((left + 70, top + 180), corner, below):
            self.xdotool("mousemove", place[0], place[1], "click", "1")
        received = []

        def presses():
            while self.x.pending_events():
                event = self.x.next_event()
                if event.type == X.ButtonPress and event.window.id == under.id:
                    received.append((event.root_x, event.root_y))
            return below in received
        wait_for(presses, what="the clicks to fall through")
        self.assertEqual(received, [corner, below])
        self.assertEqual(self.clock_origin(), (left, top))
        # A drag takes it along by the pointer's way.
        self.drag_clock((-150, 100))

        # The window manager's close request ends it.
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        self.x.flush()
        self.assertEqual(self.program.wait(10), 0)


if __name__ == "__main__":
    x11session.main(__doc__)
