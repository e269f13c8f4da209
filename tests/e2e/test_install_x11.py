#!/usr/bin/python3
"""The installed clock: `cmake --install` into a DESTDIR, its menu entry,
metadata and manual as the validators read them, its command line without a
display, and its settings in the user's home when the program directory is
read-only. The first start comes from the desktop's autostart, as dex runs it
under openbox; the next from the terminal, with Qt's -display.

Usage: test_install_x11.py BUILD_DIRECTORY
"""
import configparser
import gzip
import os
import shutil
import signal
import subprocess

import test_options_x11
import x11session
from test_options_x11 import BORDER_ARROW, CLOSE
from x11session import BODY, PROGRAM_FILES, X11Session, libfaketime, wait_for

ID = "org.example.tansywatch"
NOBODY = 65534


def listing(directory):
    return {name: os.stat(os.path.join(directory, name)).st_mtime_ns for name in os.listdir(directory)}


def runs(pid, program):
    try:
        return os.readlink("/proc/%d/exe" % pid) == program
    except OSError:  # gone, or a zombie
        return False


class Autostarted:
    """The clock dex started: dex leaves it to the system and ends."""
    returncode = None

    def __init__(self, program):
        self.program = program
        self.pid = wait_for(lambda: next((int(p) for p in filter(str.isdigit, os.listdir("/proc"))
                                          if runs(int(p), program)), None), what="dex to start the clock")

    def poll(self):
        return None if runs(self.pid, self.program) else 0


class InstalledClock(X11Session):
    hour_hand = test_options_x11.OptionsOnX11.hour_hand
    user = None

    def tearDown(self):
        if isinstance(self.program, Autostarted) and self.program.poll() is None:
            os.kill(self.program.pid, signal.SIGTERM)

    def launch(self, argv, env):
        drop = (lambda: (os.setgid(NOBODY), os.setuid(NOBODY))) if self.user else None
        process = subprocess.Popen(argv, env=env, preexec_fn=drop, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

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
        for folder, _, _ in os.walk(home):
            os.chown(folder, NOBODY, NOBODY)

    def quit_clock(self):
        known = self.windows()
        self.click(self.clock_origin(), CLOSE)
        self.answer_box("the 'Quit the program?' question", known=known)
        wait_for(lambda: self.program.poll() is not None, what="the clock to end")

    def test_installed_clock_keeps_the_users_settings_in_the_users_home(self):
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
        self.assertEqual(answer("--version"), (0, "Tansywatch 1.1\n", []))
        self.assertEqual(answer("-platform", "offscreen", "--help")[0], 0)
        self.assertTrue(answer("--help")[1].startswith("Usage: tansywatch [options]\n"))
        status, out, err = answer("--bogus")
        self.assertNotEqual(status, 0)
        self.assertEqual((out, err[1:]), ("", ["Try 'tansywatch --help' for more information."]))

        home = os.path.join(self.work, "home")
        os.makedirs(home + "/.config/autostart")
        shutil.copy(desktop, home + "/.config/autostart")
        self.make_read_only(program_directory, home)
        installed = listing(program_directory)
        env = dict(self.env, HOME=home, PATH=usr + "/bin:" + os.environ["PATH"],
                   XDG_CONFIG_DIRS=os.path.join(self.work, "no-system-autostart"))
        env.pop("XDG_CONFIG_HOME", None)
        self.launch(["dex", "--autostart"], env)
        self.program = Autostarted(os.path.realpath(bin_link))
        clock = self.one_sized(BODY, "the clock dex started")
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(desktop)
        self.assertEqual(clock[0].get_wm_class()[1], entry["Desktop Entry"]["StartupWMClass"])
        settings = home + "/.config/tansywatch/setting.ini"
        self.assertFalse(os.path.exists(os.path.dirname(settings)), "a start alone wrote something")

        self.pick_from_list(self.open_dialog()[2], BORDER_ARROW, "L")
        self.wait(lambda: os.path.exists(settings), "the user's setting.ini", 5)
        with open(settings, "rb") as file:
            self.assertEqual(file.read(), b"[Line]\r\nBorder=Large\r\n")
        self.quit_clock()
        self.assertEqual(listing(program_directory), installed)

        # From the terminal, with the X server named on the command line.
        env.pop("DISPLAY")
        env.update(TZ="UTC", LD_PRELOAD=libfaketime(), FAKETIME="2026-12-07 03:00:00",
                   FAKETIME_DONT_FAKE_MONOTONIC="1")
        self.program = self.launch([bin_link, "-display", ":%d" % self.number], env)
        clock = self.one_sized(BODY, "the clock started again")
        self.wait(lambda: self.hour_hand(clock)[0] == 4, "hands 4 px thick again", 10)
        self.quit_clock()
        self.assertEqual(self.program.returncode, 0)


if __name__ == "__main__":
    x11session.main(__doc__)
