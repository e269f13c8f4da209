#!/usr/bin/python3
"""The clock on a real X server: size, place, outline, stacking, click-through
and closing, checked from outside the way a window manager and a user see it.

Usage: test_clock_x11.py PROGRAM_DIRECTORY
Starts its own Xvfb and openbox on a free display and ends every process it
started, by PID.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from PIL import Image
from Xlib import X, Xatom, display as xdisplay, protocol
from Xlib.ext import shape

PROGRAM_DIR = None
SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCREEN = (1024, 768)
BODY = (142, 198)
PROGRAM_FILES = ["tansywatch", "tansy.gif", "do.wav", "quit.wav", "lock.wav",
                 "alarm1.wav", "alarm2.wav", "alarm3.wav", "Tansywatch.hlp"]


def wait_for(condition, timeout=30.0, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def free_display():
    for number in range(90, 200):
        if not os.path.exists("/tmp/.X%d-lock" % number) and \
                not os.path.exists("/tmp/.X11-unix/X%d" % number):
            return number
    raise RuntimeError("no free X display number")


def body_pixels():
    """Pixels of the clock body that are not its transparent outside."""
    with Image.open(os.path.join(SOURCE_DIR, "resources", "clock_body.gif")) as source:
        picture = source.convert("RGBA")
    width, height = picture.size
    data = picture.load()
    return {(x, y) for y in range(height) for x in range(width) if data[x, y][3] != 0}


class ClockOnX11(unittest.TestCase):
    processes = []

    @classmethod
    def setUpClass(cls):
        cls.number = free_display()
        cls.env = dict(os.environ, DISPLAY=":%d" % cls.number)
        cls.env.pop("QT_QPA_PLATFORM", None)
        cls.env.pop("WAYLAND_DISPLAY", None)
        cls.env["SDL_AUDIODRIVER"] = "dummy"
        cls.start(["Xvfb", ":%d" % cls.number, "-screen", "0", "%dx%dx24" % SCREEN,
                   "-nolisten", "tcp"])
        wait_for(lambda: os.path.exists("/tmp/.X11-unix/X%d" % cls.number), what="Xvfb")
        cls.x = wait_for(lambda: cls.try_connect(), what="X connection")
        cls.root = cls.x.screen().root
        cls.start(["openbox", "--sm-disable"])
        check = cls.x.intern_atom("_NET_SUPPORTING_WM_CHECK")
        wait_for(lambda: cls.root.get_full_property(check, X.AnyPropertyType), what="openbox")
        # Only once openbox has mapped a window of ours is it surely managing.
        probe = cls.root.create_window(0, 0, 10, 10, 0, cls.x.screen().root_depth)
        cls.map_managed(probe)
        probe.destroy()
        cls.x.sync()
        cls.work = tempfile.mkdtemp(prefix="tansy-e2e-")

    @classmethod
    def tearDownClass(cls):
        cls.x.close()
        for process in reversed(cls.processes):
            cls.stop(process)
        shutil.rmtree(cls.work, ignore_errors=True)

    @classmethod
    def try_connect(cls):
        try:
            return xdisplay.Display(":%d" % cls.number)
        except Exception:
            return None

    @classmethod
    def start(cls, argv, cwd=None):
        process = subprocess.Popen(argv, env=cls.env, cwd=cwd, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        cls.processes.append(process)
        return process

    @staticmethod
    def stop(process):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    # --- helpers -----------------------------------------------------------

    def program_copy(self, name, settings=None):
        directory = os.path.join(self.work, name)
        os.makedirs(directory)
        for file_name in PROGRAM_FILES:
            shutil.copy2(os.path.join(PROGRAM_DIR, file_name), directory)
        if settings is not None:
            with open(os.path.join(directory, "setting.ini"), "wb") as out:
                out.write(settings)
        return directory

    def atom(self, name):
        return self.x.intern_atom(name)

    def clock_window(self, pid):
        def find():
            clients = self.root.get_full_property(self.atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
            for window_id in (clients.value if clients else []):
                window = self.x.create_resource_object("window", window_id)
                owner = window.get_full_property(self.atom("_NET_WM_PID"), Xatom.CARDINAL)
                if owner and owner.value[0] == pid:
                    return window
            return None
        return wait_for(find, what="the clock window")

    def states(self, window):
        value = window.get_full_property(self.atom("_NET_WM_STATE"), Xatom.ATOM)
        return set(value.value) if value else set()

    def start_clock(self, directory, cwd):
        process = self.start([os.path.join(directory, "tansywatch")], cwd=cwd)
        window = self.clock_window(process.pid)
        wait_for(lambda: window.get_attributes().map_state == X.IsViewable, what="the clock to show")
        return process, window

    @classmethod
    def map_managed(cls, window):
        # A window manager still starting up (slowly, on a busy machine) can
        # lose a map request; asking again is harmless.
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            window.map()
            cls.x.sync()
            try:
                return wait_for(lambda: window.get_attributes().map_state == X.IsViewable,
                                timeout=2, what="a window to be mapped")
            except AssertionError:
                window.unmap()
                cls.x.sync()
        raise AssertionError("the window manager never mapped a window")

    def close_request(self, window):
        event = protocol.event.ClientMessage(
            window=window, client_type=self.atom("WM_PROTOCOLS"),
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(event)
        self.x.flush()

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True)

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
        self.assertEqual(shaped, body_pixels())

        # A click on the see-through corner lands on the window below; one on
        # the body does not.
        while self.x.pending_events():
            self.x.next_event()
        # The middle button: a left press on the body hands the pointer to the
        # window manager's move, which would take the next click too.
        self.xdotool("mousemove", left + 70, top + 180, "click", "2")
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

        self.close_request(window)
        self.assertEqual(process.wait(10), 0)
        under.destroy()
        self.x.sync()

    def test_normal_window_mode_from_the_program_directory_when_started_from_root(self):
        directory = self.program_copy("normal", settings=b"[Clock]\r\nwindow=Normal\r\n")
        process, window = self.start_clock(directory, cwd="/")
        time.sleep(0.3)
        self.assertNotIn(self.atom("_NET_WM_STATE_ABOVE"), self.states(window))
        self.close_request(window)
        self.assertEqual(process.wait(10), 0)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
