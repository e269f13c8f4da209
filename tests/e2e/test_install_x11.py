#!/usr/bin/python3
"""The installed clock as a user has it: `cmake --install` into a DESTDIR, its
menu entry, metadata and manual as the validators read them, its command line
without a display; then, with the program directory read-only, the options
pages worked by mouse and keyboard (thickness, stay-on-top and Default, a hand
colour from the colour dialog, a face from the file dialog), the settings
landing in the user's home and nowhere else, and all of it back when the clock
starts again from the terminal, with Qt's -display. The first start is the
menu entry's command. The time stands still at three o'clock, so the hands
hold their places.

Usage: test_install_x11.py BUILD_DIRECTORY
"""
import configparser
import gzip
import os
import shutil
import signal
import subprocess
from xml.etree import ElementTree

from PIL import Image
from Xlib import Xatom

import x11session
from x11session import BODY, BORDER_ARROW, DIALOG, MODE_ARROW, NOBODY, PROGRAM_FILES, X11Session, faked_time, wait_for

ID = "org.example.tansywatch"
# Options dialog, client coordinates.
BACKGROUND_TAB = (125, 19)
HOUR_SWATCH = (24 + 80 + 12, 40 + 16 + 9)
HANDS_DEFAULT = (24 + 16 + 24, 40 + 48 + 8)
CUSTOMERIZE = (24 + 8 + 40, 40 + 24 + 40)
# Clock-local: the centre the hands turn on, and the red x.
CENTRE = (72, 120)
CLOSE = (68, 34)

FACE_COLOUR = (40, 200, 120)
THIN_YELLOW = (2, (255, 255, 0))


def listing(directory):
    return {name: os.stat(os.path.join(directory, name)).st_mtime_ns for name in os.listdir(directory)}


class Autostarted:
    """The clock dex started: dex hands it to the system and ends, so the
    clock is found by its program file."""

    def __init__(self, program):
        self.program = program
        self.pid = wait_for(lambda: next((int(p) for p in os.listdir("/proc") if p.isdigit() and self.runs(int(p))),
                                         None), what="dex to start the clock")

    def runs(self, pid):
        try:
            return os.path.realpath("/proc/%d/exe" % pid) == self.program
        except OSError:
            return False

    def poll(self):
        return None if self.runs(self.pid) else 0

    def wait(self, timeout=None):
        wait_for(lambda: self.poll() is not None, timeout or 10, "the clock to end")
        return 0

    def terminate(self):
        os.kill(self.pid, signal.SIGTERM)

    kill = terminate


class InstalledClock(X11Session):
    user = None

    def launch(self, argv, env):
        """Starts the clock; once it shows, the dialog opens above it, though
        the clock stays above ordinary windows, and closes on Escape."""
        drop = (lambda: (os.setgid(NOBODY), os.setuid(NOBODY))) if self.user else None
        self.program = self.start(argv, env=faked_time(env, "2026-12-07 03:00:00"), preexec_fn=drop)
        if argv[0] == "dex":
            self.program = Autostarted(self.installed)
            self.processes.append(self.program)
        clock = self.one_sized(BODY, "the clock")[0]
        self.assertLess(self.stacking(clock), self.stacking(self.open_dialog()[0]))
        self.xdotool("key", "Escape")
        self.wait(lambda: not self.sized(DIALOG), "the dialog to close on Escape", 5)
        return clock

    def make_read_only(self, directory, home):
        """A read-only bind mount when the test runs as root; failing that,
        the clock runs as nobody, for whom the directory is root's."""
        if os.geteuid() != 0:
            os.chmod(directory, 0o555)
            self.addCleanup(os.chmod, directory, 0o755)
            return
        if subprocess.run(["mount", "--bind", directory, directory], stderr=subprocess.DEVNULL).returncode == 0:
            self.addCleanup(subprocess.run, ["umount", "-l", directory])
            if subprocess.run(["mount", "-o", "remount,bind,ro", directory]).returncode == 0:
                return
        try:
            subprocess.run(["true"], preexec_fn=lambda: os.setuid(NOBODY), check=True)
        except (OSError, subprocess.SubprocessError):
            self.skipTest("neither a read-only bind mount nor a switch to nobody is permitted here")
        self.user = NOBODY
        os.chmod(self.work, 0o755)
        os.chown(home, NOBODY, NOBODY)

    def hour_hand(self):
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

    def face_pixel(self):
        left, top = self.clock_origin()
        return self.screenshot().getpixel((left + 44, top + 92))

    def stacking(self, window):
        """The window's place from the bottom of the window manager's stack."""
        stack = self.root.get_full_property(self.atom("_NET_CLIENT_LIST_STACKING"), Xatom.WINDOW)
        return list(stack.value).index(window.id)

    def quit_clock(self):
        self.click(self.clock_origin(), CLOSE)
        self.answer_box("the 'Quit the program?' question")
        self.assertEqual(self.program.wait(10), 0)

    def test_installed_clock_keeps_the_users_look_in_the_users_home(self):
        stage = os.path.join(self.work, "stage")
        subprocess.run(["cmake", "--install", x11session.PROGRAM_DIR, "--prefix", "/usr"],
                       env=dict(os.environ, DESTDIR=stage), stdout=subprocess.DEVNULL, check=True)
        usr, bin_link = stage + "/usr", stage + "/usr/bin/tansywatch"
        program_directory = usr + "/lib/tansywatch"
        self.assertEqual(sorted(os.listdir(program_directory)), sorted(PROGRAM_FILES))
        self.assertEqual(os.readlink(bin_link), "../lib/tansywatch/tansywatch")

        desktop = "%s/share/applications/%s.desktop" % (usr, ID)
        subprocess.run(["desktop-file-validate", desktop], check=True)
        subprocess.run(["appstreamcli", "validate", "--no-net", "%s/share/metainfo/%s.metainfo.xml" % (usr, ID)],
                       stdout=subprocess.DEVNULL, check=True)
        with gzip.open(usr + "/share/man/man1/tansywatch.1.gz") as page:
            groff = subprocess.run(["groff", "-ww", "-z", "-man", "-Tutf8"], input=page.read(), capture_output=True)
        self.assertEqual((groff.returncode, groff.stderr), (0, b""))

        # No display at all, as over SSH or in a package build.
        bare = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

        def answer(*args):
            done = subprocess.run([bin_link, *args], env=bare, capture_output=True, text=True, timeout=30)
            return done.returncode, done.stdout, done.stderr.splitlines()
        status, out, err = answer("--version")
        licence = ElementTree.parse("%s/share/metainfo/%s.metainfo.xml" % (usr, ID)).find("project_license").text
        self.assertEqual((status, out.splitlines()[0], err), (0, "Tansywatch 1.1", []))
        self.assertIn("\nLicense %s " % licence, out)
        self.assertEqual(answer("-platform", "offscreen", "--help")[0], 0)
        self.assertTrue(answer("--help")[1].startswith("Usage: tansywatch [options]\n"))
        status, out, err = answer("--bogus")
        self.assertNotEqual(status, 0)
        self.assertEqual((out, err[1:]), ("", ["Try 'tansywatch --help' for more information."]))
        status, out, err = answer()
        self.assertEqual((status, out, len(err)), (1, "", 1))
        self.assertRegex(err[0], "no display: .*DISPLAY.*WAYLAND_DISPLAY")
        # The sound child needs none either.
        child = subprocess.run([bin_link, "--serve-sound-on-stdin"], env=dict(bare, SDL_AUDIODRIVER="dummy"),
                               stdin=subprocess.DEVNULL, capture_output=True, timeout=30)
        self.assertEqual(child.returncode, 0, child.stderr)

        home = os.path.join(self.work, "home")
        face = os.path.join(home, "my pictures", "face.gif")
        os.makedirs(os.path.dirname(face))
        Image.new("RGB", (64, 64), FACE_COLOUR).save(face)
        self.make_read_only(program_directory, home)
        installed = listing(program_directory)
        env = dict(self.env, HOME=home, PATH=usr + "/bin:" + os.environ["PATH"])
        env.pop("XDG_CONFIG_HOME", None)
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(desktop)
        # The first start is the desktop session's, from a copy of the menu
        # entry in the user's autostart folder; the system's entries stay out.
        os.makedirs(home + "/.config/autostart")
        shutil.copy(desktop, home + "/.config/autostart")
        if self.user:
            for folder in (home + "/.config", home + "/.config/autostart"):
                os.chown(folder, NOBODY, NOBODY)
        env["XDG_CONFIG_DIRS"] = os.path.join(self.work, "no-system-autostart")
        self.installed = os.path.realpath(bin_link)
        clock = self.launch(["dex", "--autostart"], env)
        self.assertEqual(clock.get_wm_class()[1], entry["Desktop Entry"]["StartupWMClass"])
        self.assertTrue(self.is_above(clock))
        settings = home + "/.config/tansywatch/setting.ini"
        self.assertFalse(os.path.exists(os.path.dirname(settings)), "a start alone wrote something")

        dialog = self.open_dialog()[2]
        self.pick_from_list(dialog, BORDER_ARROW, "L")
        self.wait(lambda: os.path.exists(settings), "the user's setting.ini", 5)
        with open(settings, "rb") as file:
            self.assertEqual(file.read(), b"[Line]\r\nBorder=Large\r\n")
        before = self.clock_origin()
        self.pick_from_list(dialog, MODE_ARROW, "N")
        self.answer_box("the 'Normal Window' box")
        self.wait(lambda: not self.is_above(clock), "the clock to leave the top", 5)
        self.assertEqual(self.clock_origin(), before, "going Normal moved the clock")
        self.click(dialog, HANDS_DEFAULT)
        self.wait(lambda: self.is_above(clock), "the clock back on top", 5)
        self.wait(lambda: self.hour_hand()[0] == 3, "hands 3 px thick", 5)

        # Thin hands, a normal window, a yellow hour hand and a face to start again with.
        self.pick_from_list(dialog, BORDER_ARROW, "S")
        self.pick_from_list(dialog, MODE_ARROW, "N")
        self.answer_box("the 'Normal Window' box")
        self.click(dialog, HOUR_SWATCH)
        self.answer_box("the colour dialog", ("key", "alt+h", "ctrl+a"), ("type", "#ffff00"), ("key", "Return"))
        self.wait(lambda: self.hour_hand() == THIN_YELLOW, "a thin yellow hour hand", 5)
        self.click(dialog, BACKGROUND_TAB)
        self.click(dialog, CUSTOMERIZE)
        self.answer_box("the 64 x 64 hint")
        self.answer_box("the file dialog", ("type", face), ("key", "Return"))
        self.answer_box("the 'background is changed' box")
        self.wait(lambda: self.face_pixel() == FACE_COLOUR, "the face from the file", 5)
        self.quit_clock()
        self.assertEqual(listing(program_directory), installed)

        # From the terminal, with the X server named on the command line.
        env.pop("DISPLAY")
        clock = self.launch([bin_link, "-display", ":%d" % self.number], env)
        self.wait(lambda: self.hour_hand() == THIN_YELLOW and self.face_pixel() == FACE_COLOUR, "the look again", 5)
        self.assertFalse(self.is_above(clock))
        self.quit_clock()

    def test_sources_without_git_check_their_format_and_run_with_no_test_tool(self):
        """An unpacked archive: the format check finds the C++ files without
        git and never reads standard input, and the packages that `make run`
        installs, with everything they depend on, hold no test tool."""
        copy, empty = os.path.join(self.work, "archive"), os.path.join(self.work, "no-sources")
        shutil.copytree(x11session.SOURCE_DIR, copy, ignore=shutil.ignore_patterns(".git", "build*"))
        os.makedirs(empty)
        shutil.copy(os.path.join(copy, "Makefile"), empty)

        def make(directory, *args):
            done = subprocess.run(["make", "-s", "-C", directory, *args], stdin=subprocess.DEVNULL,
                                  preexec_fn=lambda: os.close(0), capture_output=True, text=True, timeout=120)
            return done.returncode, done.stdout.splitlines()
        sources = sum(name.endswith((".cpp", ".h")) for _, _, names in os.walk(copy) for name in names)
        self.assertEqual(make(copy, "format-check"), (0, ["format-check: all %d C++ files are formatted" % sources]))
        self.assertNotEqual(make(empty, "format-check")[0], 0)

        _, lists = make(copy, "--eval", "print-%: ; @echo $($*)", "print-RUN_PACKAGES", "print-TEST_PACKAGES")
        run, test = (set(line.split()) for line in lists)
        self.assertTrue(run and test, "the Makefile names no package lists")
        depends = subprocess.run(["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests",
                                  "--no-conflicts", "--no-breaks", "--no-replaces", "--no-enhances", *run],
                                 capture_output=True, text=True, check=True).stdout.splitlines()
        # Qt's development files bring python3 along in any case.
        self.assertEqual({line for line in depends if not line.startswith(" ")} & test - {"python3"}, set())


if __name__ == "__main__":
    x11session.main(__doc__)
