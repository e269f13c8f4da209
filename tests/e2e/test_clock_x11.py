#!/usr/bin/python3
"""The clock on a real X server: size, place, outline, stacking, click-through
and closing, checked from outside the way a window manager and a user see it.

Usage: test_clock_x11.py PROGRAM_DIRECTORY
Starts its own Xvfb and openbox on a free display and ends every process it
started, by PID.
"""
import os
import time

from Xlib import X, protocol
from Xlib.ext import shape

import x11session
from x11session import BODY, SCREEN, X11Session, opaque_pixels, wait_for


class ClockOnX11(X11Session):
    def start_clock(self, directory, cwd):
        self.program = self.start([os.path.join(directory, "tansywatch")], cwd=cwd)
        return self.program, self.one_sized(BODY, "the clock")[0]

    def close_request(self, window):
        event = protocol.event.ClientMessage(
            window=window, client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(event)
        self.x.flush()

    # --- behaviour ---------------------------------------------------------

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

        process, window = self.start_clock(directory, cwd=elsewhere)
        geometry = window.get_geometry()
        self.assertEqual((geometry.width, geometry.height), BODY)
        origin = window.translate_coords(self.root, 0, 0)
        left, top = -origin.x, -origin.y
        self.assertEqual((left, top), ((SCREEN[0] - BODY[0]) // 2, (SCREEN[1] - BODY[1]) // 2))

        wait_for(lambda: self.atom("_NET_WM_STATE_ABOVE") in self.states(window), what="on-top state")

        shaped = set()
        for rect in window.shape_get_rectangles(shape.SK.Bounding).rectangles:
            for y in range(rect.y, rect.y + rect.height):
                for x in range(rect.x, rect.x + rect.width):
                    shaped.add((x, y))
        self.assertEqual(shaped, opaque_pixels("clock_body.gif"))

        # A click on the see-through corner lands on the window below; one on
        # the body does not, and leaves the pointer free and the clock where
        # it is.
        while self.x.pending_events():
            self.x.next_event()
        self.xdotool("mousemove", left + 70, top + 180, "click", "1")
        self.xdotool("mousemove", left + 1, top + 1, "click", "1")
        self.x.sync()

        def presses():
            found = []
            while self.x.pending_events():
                event = self.x.next_event()
                if event.type == X.ButtonPress and event.window.id == under.id:
                    found.append((event.root_x, event.root_y))
            return found
        received = wait_for(presses, what="the click to fall through")
        time.sleep(0.2)
        received += presses()
        self.assertEqual(received, [(left + 1, top + 1)])
        self.assertEqual(self.clock_origin(), (left, top))
        # A drag takes it along by the pointer's way.
        self.drag_clock((-150, 100))

        self.close_request(window)
        self.assertEqual(process.wait(10), 0)
        under.destroy()
        self.x.sync()

    def test_normal_window_mode_from_the_program_directory_when_started_from_root(self):
        directory = self.program_copy("normal", settings="[Clock]\nwindow=Normal\n")
        process, window = self.start_clock(directory, cwd="/")
        time.sleep(0.3)
        self.assertNotIn(self.atom("_NET_WM_STATE_ABOVE"), self.states(window))
        self.close_request(window)
        self.assertEqual(process.wait(10), 0)


if __name__ == "__main__":
    x11session.main(__doc__)
