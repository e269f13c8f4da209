"""What the whole-program checks share: their own Xvfb and openbox on a free
display, the program copied into a directory of its own, and ways to find,
click and answer its windows from outside."""
import contextlib
import glob
import itertools
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from PIL import Image, ImageGrab
from Xlib import X, Xatom, display as xdisplay, error as xerror
from Xlib.ext import shape

PROGRAM_DIR = None
SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCREEN = (1024, 768)
BODY = (142, 198)
DIALOG = (232, 193)
BANNER = (700, 200)
# Clock-local: a spot on the body to hold it by.
GRIP = (20, 100)
# Options dialog, client coordinates: the tab, then spots on the Alarm page.
ALARM_TAB = (72, 19)
HOUR_ARROW = (24 + 8 + 41, 40 + 16 + 11)
MIN_ARROW = (24 + 64 + 41, 40 + 16 + 11)
ENABLE_BUTTON = (24 + 8 + 52, 40 + 46 + 11)
BORDER_ARROW = (24 + 72 + 49, 40 + 48 + 11)
MODE_ARROW = (24 + 128 + 49, 40 + 48 + 11)
NOBODY = 65534
# The desktop to run on (TANSY_DESKTOP) and how each starts, with the user it
# runs as; the Wayland ones are nested in an Xvfb, with XWayland.
DESKTOP = os.environ.get("TANSY_DESKTOP", "openbox")
DESKTOPS = {
    "openbox": "openbox --sm-disable",
    "mutter": "dbus-run-session mutter --x11 --replace --sm-disable",
    "i3": "i3 -c {config}",
    "kwin": "dbus-run-session kwin_x11 --replace",
    "xfwm4": "dbus-run-session xfwm4 --replace",
    "icewm": "icewm",
    "mutter-wayland": "dbus-run-session mutter --wayland --nested --sm-disable",
    "kwin-wayland": "dbus-run-session kwin_wayland --x11-display {display} --xwayland --width %d --height %d" % SCREEN,
    "sway": "dbus-run-session sway -c {config}",
    "weston": "weston -B x11-backend.so --use-pixman --xwayland --config={config} --width=%d --height=%d" % SCREEN,
}
WAYLAND = ("mutter-wayland", "kwin-wayland", "sway", "weston")
# sway's XWayland lets in only sway's user until told otherwise.
CONFIG = {"i3": "font pango:monospace 8\n",
          "sway": "font pango:monospace 8\nxwayland force\nexec xhost +si:localuser:root\n",
          "weston": "[shell]\npanel-position=none\n"}
PROGRAM_FILES = ["tansywatch", "tansy.gif", "do.wav", "quit.wav", "lock.wav",
                 "alarm1.wav", "alarm2.wav", "alarm3.wav", "Tansywatch.hlp"]


def wait_for(condition, timeout=30.0, what="condition", poll=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(poll)
    raise AssertionError("timed out waiting for " + what)


def near(place, expected, slack=2):
    return all(abs(a - b) <= slack for a, b in zip(place, expected))


def picture_pixels(name):
    with Image.open(os.path.join(SOURCE_DIR, "resources", name)) as source:
        picture = source.convert("RGBA")
    data = picture.load()
    return {(x, y): data[x, y][:3] for y in range(picture.height) for x in range(picture.width) if data[x, y][3]}


def opaque_pixels(name):
    return set(picture_pixels(name))


def faked_time(env, when):
    """The environment with libfaketime's wall clock at `when`: "@..." runs on
    from there, a bare date and time stands still; a file's path names a file
    that holds it, read at every look, so that writing it makes the clock jump.
    Qt's timers run on the monotonic clock, which stays real: faked, they would stop."""
    library = glob.glob("/usr/lib/*/faketime/libfaketime.so.1") or sys.exit("libfaketime is missing (faketime)")
    held = dict(FAKETIME_TIMESTAMP_FILE=when, FAKETIME_NO_CACHE="1") if when.startswith("/") else dict(FAKETIME=when)
    return dict(env, TZ="UTC", LD_PRELOAD=library[0], FAKETIME_DONT_FAKE_MONOTONIC="1", **held)


def in_session(pid, session):
    with contextlib.suppress(OSError):
        return os.getpgid(pid) == session


def xwayland(session):
    # The display of the session's XWayland and its authority file, if any:
    # from XWayland's command line or, before it runs, the lock file of the
    # display its compositor holds for it.
    for pid in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError), open("/proc/%s/cmdline" % pid) as cmdline:
            argv = cmdline.read().split("\0")
            if argv[0].endswith("Xwayland") and in_session(int(pid), session):
                return argv[1], argv[argv.index("-auth") + 1] if "-auth" in argv else None
    for lock in glob.glob("/tmp/.X*-lock"):
        with contextlib.suppress(OSError, ValueError), open(lock) as holder:
            if in_session(int(holder.read()), session):
                return ":" + lock[len("/tmp/.X"):-len("-lock")], None


def main(doc):
    global PROGRAM_DIR
    if len(sys.argv) < 2:
        sys.exit(doc)
    PROGRAM_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)


class X11Session(unittest.TestCase):
    processes = []
    program = None

    @classmethod
    def setUpClass(cls):
        # Whatever started, also when the desktop does not come up.
        cls.addClassCleanup(lambda: [cls.stop(process) for process in reversed(cls.processes)])
        cls.work = tempfile.mkdtemp(prefix="tansy-e2e-")
        os.chmod(cls.work, 0o755)
        # Xvfb picks a free display and names it once it takes connections.
        number_in, number_out = os.pipe()
        cls.start(["Xvfb", "-displayfd", str(number_out), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
                  env=os.environ, pass_fds=(number_out,))
        os.close(number_out)
        with open(number_in) as named:
            cls.number = int(named.readline())
        cls.env = {k: v for k, v in os.environ.items()
                   if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE")}
        cls.env.update(DISPLAY=":%d" % cls.number, SDL_AUDIODRIVER="dummy")
        config = os.path.join(cls.work, "config")
        with open(config, "w") as out:
            out.write(CONFIG.get(DESKTOP, ""))
        command = DESKTOPS[DESKTOP].format(config=config, display=cls.env["DISPLAY"]).split()
        if DESKTOP in WAYLAND:
            # sway refuses to run as root.
            cls.start_wayland(command, NOBODY if DESKTOP == "sway" else None)
        else:
            cls.start(command, start_new_session=True)
        cls.x = xdisplay.Display(cls.env["DISPLAY"])
        cls.root = cls.x.screen().root
        check = cls.x.intern_atom("_NET_SUPPORTING_WM_CHECK")
        wait_for(lambda: cls.root.get_full_property(check, X.AnyPropertyType), what=DESKTOP)
        # Only once the window manager has mapped a window of ours is it surely managing.
        probe = cls.root.create_window(0, 0, 10, 10, 0, cls.x.screen().root_depth)
        cls.map_managed(probe)
        probe.destroy()
        cls.x.sync()

    # A compositor nested in the Xvfb, for input and output; the program runs on its XWayland.
    @classmethod
    def start_wayland(cls, command, user):
        runtime = os.path.join(cls.work, "runtime")
        os.mkdir(runtime, 0o700)
        os.chown(runtime, user or 0, user or 0)
        env = dict(cls.env, XDG_RUNTIME_DIR=runtime, HOME=runtime, WLR_BACKENDS="x11", WLR_RENDERER="pixman",
                   KWIN_COMPOSE="Q", MUTTER_DEBUG_DUMMY_MODE_SPECS="%dx%d" % SCREEN)
        if "kwin_wayland" in command:
            # A copy without the file capability that a container may refuse.
            command[command.index("kwin_wayland")] = shutil.copy("/usr/bin/kwin_wayland", cls.work)
        compositor = cls.start(command, env=env, start_new_session=True,
                               preexec_fn=(lambda: (os.setgid(user), os.setuid(user))) if user else None)
        display, auth = wait_for(lambda: xwayland(compositor.pid), what="XWayland under " + DESKTOP)
        if auth:
            os.environ["XAUTHORITY"] = cls.env["XAUTHORITY"] = auth
        cls.env.update(DISPLAY=display, XDG_SESSION_TYPE="wayland")
        wait_for(lambda: subprocess.run(["xdpyinfo"], env=cls.env, capture_output=True).returncode == 0,
                 what="XWayland to let us in")
        if DESKTOP == "weston":
            # Its x11 backend moves its pointer by the Xvfb pointer's moves only,
            # from wherever it began; in a corner both stop, and go on together.
            cls.xdotool("mousemove", SCREEN[0] - 1, SCREEN[1] - 1, "mousemove", 0, 0)

    @classmethod
    def tearDownClass(cls):
        cls.x.close()
        for process in reversed(cls.processes):
            cls.stop(process)
        shutil.rmtree(cls.work, ignore_errors=True)

    @classmethod
    def start(cls, argv, env=None, **options):
        process = subprocess.Popen(argv, env=env or cls.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   **options)
        cls.processes.append(process)
        return process

    # Ends the process; a desktop, started as a session of its own, goes whole.
    @staticmethod
    def stop(process):
        if process.poll() is None:
            session = in_session(process.pid, process.pid)
            os.killpg(process.pid, signal.SIGTERM) if session else process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            with contextlib.suppress(ProcessLookupError):
                session and os.killpg(process.pid, signal.SIGKILL)

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

    def program_copy(self, name):
        directory = os.path.join(self.work, name)
        os.makedirs(directory)
        for file_name in PROGRAM_FILES:
            shutil.copy2(os.path.join(PROGRAM_DIR, file_name), directory)
        return directory

    def atom(self, name):
        return self.x.intern_atom(name)

    def wait(self, condition, what, timeout=30.0, poll=0.05):
        def alive_and(condition=condition):
            if self.program is not None and self.program.poll() is not None:
                raise AssertionError("the program ended (status %s) while waiting for %s"
                                     % (self.program.returncode, what))
            return condition()
        try:
            return wait_for(alive_and, timeout, what, poll)
        except AssertionError as failure:
            # What the screen showed is most of the story of a timeout.
            picture = os.path.join(tempfile.gettempdir(), "tansy-e2e-%s.png" % self.id().split(".")[-1])
            self.screenshot().save(picture)
            raise AssertionError("%s (screen: %s)" % (failure, picture)) from None

    def windows(self, pid=None):
        """The mapped top-level windows of the program (or of pid) as (window, name, origin, size)."""
        clients = self.root.get_full_property(self.atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
        found = []
        for window_id in (clients.value if clients else self.tree()):
            window = self.x.create_resource_object("window", window_id)
            try:
                owner = window.get_full_property(self.atom("_NET_WM_PID"), Xatom.CARDINAL)
                if not owner or owner.value[0] != (pid or self.program.pid) or \
                        window.get_attributes().map_state != X.IsViewable:
                    continue
                geometry = window.get_geometry()
                origin = window.translate_coords(self.root, 0, 0)
                found.append((window, window.get_wm_name(), (-origin.x, -origin.y),
                              (geometry.width, geometry.height)))
            except xerror.XError:
                pass  # gone while we looked
        return found

    # Windows two levels below the root: not every XWayland window manager lists its clients.
    def tree(self):
        tops = self.root.query_tree().children
        return [w.id for w in tops] + [child.id for w in tops for child in w.query_tree().children]

    def sized(self, size):
        return [w for w in self.windows() if w[3] == size]

    def one_sized(self, size, what):
        return self.wait(lambda: (self.sized(size) or [None])[0], what)

    def clock_origin(self):
        return self.one_sized(BODY, "the clock")[2]

    def drag_clock(self, by):
        """Drags the clock by its body; returns where it is then. The button
        stays down until the clock has come along, however late the program
        gets to the drag: the way from the press counts all the same. sway
        moves the window from where the pointer is when the program asks, not
        from the press: there the drag starts as a hand's does, a pixel to and
        fro until the clock follows, and goes on from there."""
        left, top = self.clock_origin()
        x, y = left + GRIP[0], top + GRIP[1]
        self.point_at(x, y)
        self.xdotool("mousedown", 1)
        try:
            if DESKTOP == "sway":
                to_and_fro = itertools.cycle((x + 1, x))
                self.wait(lambda: self.clock_origin() != (left, top) or self.xdotool("mousemove", next(to_and_fro), y),
                          "the clock to follow a step", 10, 0.1)
            self.xdotool("mousemove", x + by[0] // 2, y + by[1] // 2)
            # Each step is a motion for a move that has begun to follow.
            self.wait(lambda: self.xdotool("mousemove", x + by[0] - 1, y + by[1], "mousemove", x + by[0], y + by[1])
                      or near(self.clock_origin(), (left + by[0], top + by[1])), "the clock to follow the pointer", 10)
        finally:
            self.xdotool("mouseup", 1)
        after = self.clock_origin()
        self.assertTrue(near(after, (left + by[0], top + by[1])), "after a drag by %s the clock is at %s" % (by, after))
        return after

    def frame(self, window):
        """The window's outer rectangle, frame included: left, top, right, bottom (exclusive)."""
        extents = window[0].get_full_property(self.atom("_NET_FRAME_EXTENTS"), Xatom.CARDINAL)
        left, right, top, bottom = extents.value if extents else (0, 0, 0, 0)
        (x, y), (width, height) = window[2], window[3]
        return x - left, y - top, x + width + right, y + height + bottom

    def open_dialog(self):
        """Opens the options dialog with a right press on the clock. It opens
        beside the clock, whole on the screen, and the window manager leaves
        it there."""
        clock = self.clock_origin()
        self.click(clock, GRIP, button=3)

        seen = []

        def beside():
            dialog = self.one_sized(DIALOG, "the options dialog")
            left, top, right, bottom = self.frame(dialog)
            on_screen = left >= 0 and top >= 0 and right <= SCREEN[0] and bottom <= SCREEN[1]
            apart = right <= clock[0] or left >= clock[0] + BODY[0] or bottom <= clock[1] or top >= clock[1] + BODY[1]
            # Where the window manager leaves it: the same place twice running.
            seen.append(dialog[2])
            return on_screen and apart and seen[-2:] == [dialog[2]] * 2 and dialog
        return self.wait(beside, "the options dialog beside the clock at %s" % (clock,), 10, poll=0.2)

    def is_above(self, window):
        states = window.get_full_property(self.atom("_NET_WM_STATE"), Xatom.ATOM)
        return self.atom("_NET_WM_STATE_ABOVE") in (states.value if states else [])

    @staticmethod
    def outline(window):
        """The pixels of the window's bounding shape."""
        return {(x, y) for r in window.shape_get_rectangles(shape.SK.Bounding).rectangles
                for y in range(r.y, r.y + r.height) for x in range(r.x, r.x + r.width)}

    def list_popups(self):
        """Mapped override-redirect windows (an open combo box list is one) as
        their id and the part of the screen they cover."""
        found = {}
        for child in self.root.query_tree().children:
            try:
                attributes, geometry = child.get_attributes(), child.get_geometry()
                if attributes.override_redirect and attributes.map_state == X.IsViewable:
                    found[child.id] = (geometry.x, geometry.y, geometry.x + geometry.width, geometry.y + geometry.height)
            except xerror.XError:
                pass
        return found

    def other_windows(self):
        """The program's windows that are neither the clock, the dialog nor the pop-up."""
        return [w for w in self.windows() if w[3] not in (BODY, DIALOG, BANNER)]

    def answer_box(self, what, *commands):
        """Once the next other window (a message box, or the colour or file
        dialog) has the focus, the xdotool commands (by default Return) go to
        it, and it goes away."""
        box = self.wait(lambda: (self.other_windows() or [None])[0], what)
        self.wait(lambda: self.x.get_input_focus().focus.id == box[0].id, "the focus on " + what)
        for command in commands or [("key", "Return")]:
            self.xdotool(*command)
        wait_for(lambda: all(w[0].id != box[0].id for w in self.windows()), what=what + " to go away")

    @classmethod
    def xdotool(cls, *args):
        subprocess.run(["xdotool", *map(str, args)], env=dict(cls.env, DISPLAY=":%d" % cls.number), check=True)

    def point_at(self, x, y):
        """Brings the pointer to a spot as a hand does: the last step a pixel
        long, once the X server has the pointer where the one before took it.
        sway tells XWayland of a jump into another window as a relative motion
        too, and gives it the window's pointer only after its next transaction;
        Debian 12's XWayland adds that motion once more to where the next press
        lands unless the pointer moved within the window first: the press went
        to what lies that far away."""
        self.xdotool("mousemove", x - 1, y)
        self.wait(lambda: near(((at := self.root.query_pointer()).root_x, at.root_y), (x - 1, y)),
                  "the pointer at %d,%d" % (x - 1, y), 5)
        self.xdotool("mousemove", x, y)

    def click(self, origin, place, button=1):
        self.point_at(origin[0] + place[0], origin[1] + place[1])
        self.xdotool("click", button)

    def pick_from_list(self, origin, arrow, item, then=lambda: None):
        """Opens a combo box from the keyboard and, once the list shows its
        items, picks the item by typing its start; then does what the pick asks
        for. The pointer waits off the list: an item under it becomes the
        current one whenever the list hears of the pointer, a typed pick included."""
        before = self.list_popups()

        def opened():
            return [box for window, box in self.list_popups().items() if window not in before]
        self.click(origin, (arrow[0] - 20, arrow[1]))
        # Still on the dialog, which window managers that focus the window
        # under the pointer need, but right of every list.
        self.xdotool("mousemove", origin[0] + DIALOG[0] - 4, origin[1] + DIALOG[1] - 4)
        self.xdotool("key", "alt+Down")
        box = self.wait(lambda: (opened() or [None])[0], "the list of a combo box")
        self.wait(lambda: len(set(self.screenshot().crop(box).getdata())) > 1, "the list's items")
        self.xdotool("type", item)
        self.xdotool("key", "Return")
        then()
        self.wait(lambda: not opened(), "the list to close")

    def pick_alarm_time(self, dialog, hour, minute):
        """On the dialog's Alarm page, an item picked from each list."""
        self.click(dialog, ALARM_TAB)
        for arrow, item in ((HOUR_ARROW, hour), (MIN_ARROW, minute)):
            self.pick_from_list(dialog, arrow, str(item))

    def screenshot(self):
        return ImageGrab.grab(xdisplay=":%d" % self.number).convert("RGB")



def set_xft_dpi(x, dpi):
    """As `xrdb -merge` of "Xft.dpi: DPI" for X clients started from now on; None takes it back."""
    name, root = x.intern_atom("RESOURCE_MANAGER"), x.screen().root
    root.change_property(name, Xatom.STRING, 8, b"Xft.dpi:\t%d\n" % dpi) if dpi else root.delete_property(name)
    x.sync()
