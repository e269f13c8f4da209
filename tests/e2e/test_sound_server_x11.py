#!/usr/bin/python3
"""The alarm on a real X server, heard through a real sound server: a private
PulseAudio (its own HOME, runtime directory and socket; nothing of the user's
session) with a null sink whose monitor is recorded. The clock starts before
its server; the alarm is armed in the options dialog. Its wall clock
(libfaketime, read from a file at every reading) is then set back, which does
not ring the alarm, and jumps past the alarm's minute as over a suspend, which
does; the server dies and comes back while the alarm rings. What went wrong on
the way is on the clock's standard error: a face picture that is missing, a
settings file that is read-only, the alarm going off late, the sound output
missing, lost and back.

Usage: test_sound_server_x11.py PROGRAM_DIRECTORY
"""
import datetime
import os
import subprocess
import time

from Xlib import Xatom

import x11session
from x11session import BANNER, BODY, BORDER_ARROW, DIALOG, ENABLE_BUTTON, GRIP, SCREEN, X11Session, faked_time, wait_for

FAKE_START = datetime.datetime(2026, 12, 7, 7, 3, 30)
BYTES_PER_SECOND = 44100 * 2 * 2  # 16-bit stereo
LOUD = 1000


class SoundServerOnX11(X11Session):
    def start_server(self):
        """Starts PulseAudio on the test's socket; returns when it answers."""
        self.server = self.start(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit", "--use-pid-file=no",
             "-L", "module-null-sink sink_name=nullsink rate=44100 channels=2",
             "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + self.socket,
             "-L", "module-always-sink"], env=self.server_env)
        wait_for(lambda: subprocess.run(["pactl", "-s", "unix:" + self.socket, "info"], env=self.server_env,
                                        capture_output=True).returncode == 0, what="PulseAudio", timeout=10)
        return time.monotonic()

    def record(self):
        """Records the sink from now on, into a new file; returns its path."""
        path = os.path.join(self.work, "heard-%d.raw" % len(self.processes))
        with open(path, "wb") as out:
            self.processes.append(subprocess.Popen(
                ["parec", "-s", "unix:" + self.socket, "-d", "nullsink.monitor", "--raw", "--format=s16le",
                 "--rate=44100", "--channels=2", "--latency-msec=20"], env=self.server_env, stdout=out,
                stderr=subprocess.DEVNULL))
        return path

    @staticmethod
    def loud_at(path, start=0):
        """[byte offset of the first loud sample from start on], or []."""
        with open(path, "rb") as recording:
            recording.seek(start)
            data = recording.read()
        samples = memoryview(data[:len(data) // 2 * 2]).cast("h")
        return [start + 2 * i for i, sample in enumerate(samples) if abs(sample) > LOUD][:1]

    @staticmethod
    def size(path):
        return os.path.getsize(path) // 4 * 4

    def heard(self, path, what, start=0, timeout=10):
        return self.wait(lambda: self.loud_at(path, start), what, timeout, poll=0.1)[0]

    def sdl_mapped(self):
        """SDL in the clock or in a sound player it started."""
        pid = self.program.pid
        with open("/proc/%d/task/%d/children" % (pid, pid)) as children:
            pids = [pid] + [int(child) for child in children.read().split()]
        for each in pids:
            try:
                with open("/proc/%d/maps" % each) as maps:
                    if "libSDL2" in maps.read():
                        return True
            except FileNotFoundError:
                pass
        return False

    def set_clock(self, when):
        """The clock's wall clock jumps to `when` at its next reading and runs on from there."""
        with open(self.clock_file + ".new", "w") as out:
            out.write(when.strftime("@%Y-%m-%d %H:%M:%S\n"))
        os.rename(self.clock_file + ".new", self.clock_file)
        return time.monotonic()

    def icon(self, window):
        icon = window.get_full_property(self.atom("_NET_WM_ICON"), Xatom.CARDINAL)
        return list(icon.value) if icon else None

    def test_heard_once_its_server_starts_and_again_after_a_restart_while_ringing(self):
        pulse = os.path.join(self.work, "pulse")
        os.mkdir(pulse, 0o700)
        self.socket = os.path.join(pulse, "native")
        self.server_env = {"PATH": os.environ["PATH"], "HOME": pulse, "XDG_RUNTIME_DIR": pulse}
        directory = self.program_copy("program")
        with open(os.path.join(directory, "setting.ini"), "w") as settings:
            settings.write("[BG]\nlocation=nowhere.gif\n")
        os.chmod(settings.name, 0o444)
        self.clock_file = os.path.join(self.work, "clock")
        self.set_clock(FAKE_START)
        env = faked_time({k: v for k, v in self.env.items() if not k.startswith("PULSE_")}, self.clock_file)
        env.update(HOME=pulse, SDL_AUDIODRIVER="pulseaudio", PULSE_SERVER="unix:" + self.socket)
        log = os.path.join(self.work, "stderr")
        with open(log, "w") as stderr:
            self.program = subprocess.Popen([os.path.join(directory, "tansywatch")], cwd=directory, env=env,
                                            stdout=subprocess.DEVNULL, stderr=stderr)
        self.processes.append(self.program)
        clock = self.clock_origin()
        self.assertFalse(self.sdl_mapped(), "SDL loaded before any sound")

        # No server yet: the right press's cue finds none. Once the server is
        # up, a later right press (which only brings the dialog forward) is heard.
        dialog = self.open_dialog()[2]
        self.pick_from_list(dialog, BORDER_ARROW, "L")
        self.start_server()
        recording = self.record()
        self.wait(lambda: self.click(clock, GRIP, button=3) or self.loud_at(recording),
                  "a cue once the server is there", 10, poll=0.4)

        self.pick_alarm_time(dialog, 7, 5)
        self.click(dialog, ENABLE_BUTTON)
        self.answer_box("the 'Alarm is Enabled now' box")
        self.wait(lambda: not self.sized(DIALOG), "the dialog to close on arming", 5)

        # Set back, the clock does not ring. Woken 26 minutes after the alarm's
        # minute, it shows the pop-up within two seconds: centred, frameless,
        # cut to the banner, with the window manager's stand-in icon.
        self.set_clock(datetime.datetime(2026, 12, 7, 6, 50))
        self.assertRaises(AssertionError, wait_for, lambda: self.sized(BANNER), 2.5, poll=0.1)
        woken = self.set_clock(datetime.datetime(2026, 12, 7, 7, 31))
        found = self.wait(lambda: (self.sized(BANNER) or [None])[0], "the TIME's UP pop-up", 10, 0.01)
        self.assertLess(time.monotonic() - woken, 2.0)
        window, popup = found[0], found[2]
        self.assertEqual(popup, ((SCREEN[0] - BANNER[0]) // 2, (SCREEN[1] - BANNER[1]) // 2))
        self.assertNotEqual(self.icon(window), self.icon(self.one_sized(BODY, "the clock")[0]))
        self.heard(recording, "the alarm ringing", self.size(recording))

        # The server dies while the alarm rings. A click on the pop-up still
        # brings the question at once; No keeps the alarm ringing.
        self.server.kill()
        self.server.wait()
        clicked = time.monotonic()
        self.click(popup, (100, 100))
        self.wait(self.other_windows, "the question", 5, 0.01)
        self.assertLess(time.monotonic() - clicked, 0.5, "the question came late with the server down")
        self.answer_box("the 'Disable alarm now?' question", ("key", "Escape"))

        # Restarted on the same socket, the server hears the ringing again
        # within two seconds of its return.
        back = self.start_server()
        recording = self.record()
        recording_from = time.monotonic()
        offset = self.heard(recording, "the ringing after the server's return")
        self.assertLess(recording_from - back + offset / BYTES_PER_SECOND, 2.0)

        # Disarmed, the alarm falls silent and its pop-up goes; a cue after
        # that is heard too, and a while after it SDL is gone from the clock.
        self.click(popup, (100, 100))
        self.answer_box("the 'Disable alarm now?' question")
        self.answer_box("the 'Alarm is Disabled now' box")
        self.wait(lambda: not self.sized(BANNER), "the pop-up to go", 5)
        quiet = BYTES_PER_SECOND // 2

        def silent_since():
            size = self.size(recording)
            return size > quiet and not self.loud_at(recording, size - quiet) and size
        start = self.wait(silent_since, "the alarm to fall silent", 10)
        self.click(clock, GRIP, button=3)
        self.heard(recording, "a cue after the alarm", start)
        self.wait(lambda: not self.sdl_mapped(), "SDL to be unloaded after the last sound", 10)

        with open(log) as stderr:
            logged = stderr.read()
        for line in (r"tansywatch\.windows: the face picture \S+/nowhere\.gif could not be read: no such file",
                     r"tansywatch\.settings: could not write \[Line\] Border=Large to \S+/setting\.ini: Permission "
                     r"denied; the change lasts only until the clock is closed",
                     r"tansywatch\.alarm: the alarm for 7:05 went off 2[56] min \d+ s late",
                     r"(?s)sound: no sound output could be opened.*sound: a sound output is open again.*"
                     r"sound: the sound output was lost.*sound: a sound output is open again"):
            self.assertRegex(logged, line)


if __name__ == "__main__":
    x11session.main(__doc__)
