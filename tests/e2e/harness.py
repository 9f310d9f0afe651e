"""End-to-end harness: the real voxpan binary in a real window under Xvfb,
keys from xdotool, the simulated receiver on a pseudo-terminal, sound through
SDL's dummy driver, and the panel's trace (VOXPAN_TRACE) to see what it drew
and played."""

import contextlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

BINARY = os.environ.get("VOXPAN_BINARY", "build/voxpan")
SIMULATOR = os.environ.get("VOXPAN_SIM", "build/tools/receiver_sim/receiver-sim")
WAVE_DIR = os.environ.get("VOXPAN_WAVE_DIR", "build/wave")
SOURCE_DIR = os.environ.get("VOXPAN_SOURCE_DIR", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
# The release, as the programs show it: a new release changes only the file VERSION.
with open(os.path.join(SOURCE_DIR, "VERSION"), encoding="utf-8") as version_file:
    VERSION = version_file.readline().strip()
TITLE = f"*** AR8600 Voxpan Front Panel v{VERSION}***"
BANNER = f"*** Voxpan V {VERSION} ***"


def wait_for(predicate, timeout=20.0, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = predicate()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out after {timeout}s waiting for {what}")


class Xvfb:
    """A private X server; DISPLAY for everything started from here."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Simulator:
    """The simulated receiver on a pseudo-terminal, capturing every byte the
    panel sends and the line settings it applies."""

    def __init__(self, folder, *arguments):
        self.capture_path = os.path.join(folder, "capture.bin")
        self.line_report_path = os.path.join(folder, "line-report.txt")
        self.process = subprocess.Popen(
            [SIMULATOR, "--capture", self.capture_path, "--line-report", self.line_report_path, *arguments],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.device = self.process.stdout.readline().strip()
        if not self.device.startswith("/"):
            raise RuntimeError("simulator printed no device: " + repr(self.device))

    def captured(self):
        try:
            with open(self.capture_path, "rb") as capture:
                return capture.read()
        except FileNotFoundError:
            return b""

    def line_report(self):
        try:
            with open(self.line_report_path) as report:
                return report.read().strip()
        except FileNotFoundError:
            return ""

    def stop(self):
        end_process(self.process, 10)


def end_process(process, timeout):
    """Asks a process started by the test to end, then makes it."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def configuration(port, speed="9600", voice="1", debug="1"):
    return f"COM:{port}\r\nSPEED:{speed}\r\nRADIO:AR8600\r\nVOICE:{voice}\r\nDEBUG:{debug}\r\n"


class Panel:
    """voxpan started in a prepared working folder."""

    WINDOW_TIMEOUT = 20

    def __init__(self, folder, display, config=None, environment=None, wave=WAVE_DIR, arguments=()):
        self.prepare(folder, config, wave)
        env = dict(os.environ)
        env.update({"VOXPAN_TRACE": self.trace_path, "SDL_AUDIODRIVER": "dummy"})
        if display is None:
            env.pop("DISPLAY", None)
            env.pop("WAYLAND_DISPLAY", None)
        else:
            env["DISPLAY"] = display
        env.pop("SDL_VIDEODRIVER", None)
        env.update(environment or {})
        self.display = display
        self.env = env
        self.process = subprocess.Popen([os.path.abspath(BINARY), *arguments], cwd=folder, env=env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        self._window = None

    def prepare(self, folder, config, wave):
        """wave: the folder linked in as the word folder, or None for none."""
        self.folder = folder
        self.trace_path = os.path.join(folder, "trace.txt")
        if wave is not None:
            os.symlink(os.path.abspath(wave), os.path.join(folder, "wave"))
        if config is not None:
            with open(os.path.join(folder, "VOXPAN.CFG"), "w", newline="") as cfg:
                cfg.write(config)

    # --- the trace ---------------------------------------------------------
    def trace(self):
        """Trace lines as lists of fields, without their milliseconds. A line
        still being written (no line end yet) is left for the next look."""
        try:
            with open(self.trace_path, encoding="latin-1", newline="\n") as trace:
                return [line[:-1].split("\t")[1:] for line in trace if line.endswith("\n") and "\t" in line]
        except FileNotFoundError:
            return []

    def plays(self):
        return [fields[1] for fields in self.trace() if fields[0] == "play"]

    def texts(self):
        """(x, y, face, size, weight, colour, text) of every text drawn."""
        return [(int(f[1]), int(f[2]), f[3], int(f[4]), int(f[5]), f[6], f[7] if len(f) > 7 else "")
                for f in self.trace() if f[0] == "text"]

    def wait_for_play(self, path, timeout=20.0):
        wait_for(lambda: path in self.plays(), timeout, f"the word {path}")

    def log(self):
        with open(os.path.join(self.folder, "debug1.dat"), "rb") as log:
            return log.read()

    # --- the window ----------------------------------------------------------
    def window(self):
        if self._window is None:
            def find():
                found = subprocess.run(["xdotool", "search", "--name", "AR8600 Voxpan Front Panel"],
                                       env=self.env, capture_output=True, text=True)
                ids = found.stdout.split()
                return ids[0] if ids else None
            self._window = wait_for(find, self.WINDOW_TIMEOUT, "the panel window")
        return self._window

    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], env=self.env, check=True, capture_output=True)

    def press(self, *keys):
        window = self.window()
        self.xdotool("windowfocus", "--sync", window)
        for key in keys:
            self.xdotool("key", "--delay", "60", key)

    def request_close(self):
        """The window's close box: WM_DELETE_WINDOW, as a window manager sends it."""
        from Xlib import X, display as xdisplay, protocol
        connection = xdisplay.Display(self.display)
        window = connection.create_resource_object("window", int(self.window()))
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        # A round trip: the server has taken the request before the
        # connection closes (flush alone can lose it on a busy machine).
        connection.sync()
        connection.close()

    def wait(self, timeout=20.0):
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise AssertionError(f"voxpan did not end within {timeout}s")
        self.stdout, self.stderr = self.process.communicate()
        return self.process.returncode

    def assert_clean_exit(self, timeout=20.0):
        code = self.wait(timeout)
        assert code == 0, f"voxpan ended with status {code}; its stderr:\n{self.stderr}"

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


@contextlib.contextmanager
def started_panel(folder, simulator_arguments=(), port=None, wave=WAVE_DIR, **config):
    """A panel under its own Xvfb against a fresh simulated receiver, up to
    the end of its start-up words; everything is stopped afterwards. port:
    the device the configuration names, when not the simulator's own."""
    x = Xvfb()
    receiver = None
    panel = None
    try:
        receiver = Simulator(folder, *simulator_arguments)
        panel = Panel(folder, x.display, configuration(port or receiver.device, **config), wave=wave)
        wait_for(lambda: any(p.endswith("attoff") for p in panel.plays()), 20, "the last start-up word")
        yield panel, receiver
    finally:
        if panel is not None:
            panel.kill()
        if receiver is not None:
            receiver.stop()
        x.stop()


PAUSE = "shdel"


class Session:
    """Keys in, then the words said and the commands sent since they went in."""

    def __init__(self, panel, receiver):
        self.panel = panel
        self.receiver = receiver
        panel.window()
        self.mark()

    def mark(self):
        self.words_seen = len(self.panel.plays())
        self.bytes_seen = len(self.receiver.captured())

    def words(self):
        """The words said since the mark, without their folder (/ or \\) and the pauses."""
        said = [re.split(r"[/\\]", w)[-1] for w in self.panel.plays()[self.words_seen:]]
        return [w for w in said if w != PAUSE]

    def commands(self, polls=False):
        """Commands since the mark, without the level polls unless asked."""
        sent = self.receiver.captured()[self.bytes_seen:].replace(b"\x1e", b"<1E>\r")
        return [c.decode("latin-1") for c in sent.split(b"\r")[:-1] if polls or c != b"LM"]

    def keys(self, *names, words=None, commands=None, timeout=20):
        """Presses the keys and waits for the words and commands they bring."""
        self.mark()
        self.panel.press(*names)
        if words is not None:
            wait_for(lambda: self.words()[:len(words)] == words and len(self.words()) >= len(words), timeout,
                     f"the words {words} after {names}, heard {self.words()}")
        if commands is not None:
            wait_for(lambda: self.commands()[:len(commands)] == commands, timeout,
                     f"the commands {commands} after {names}, sent {self.commands()}")


def run_tests(tests):
    """Runs each test function with a fresh folder; prints the closing line."""
    passed = failed = 0
    for test in tests:
        folder = tempfile.mkdtemp(prefix="voxpan-e2e-")
        started = time.monotonic()
        try:
            test(folder)
            passed += 1
            print(f"PASS {test.__name__} ({time.monotonic() - started:.1f}s)", flush=True)
        except Exception:  # a failed assertion or a harness fault: both fail the test
            failed += 1
            print(f"FAIL {test.__name__}", flush=True)
            traceback.print_exc()
            for name in ("trace.txt",):
                path = os.path.join(folder, name)
                if os.path.exists(path):
                    with open(path, encoding="latin-1") as extra:
                        print(f"--- {name} (last 40 lines)\n" + "".join(extra.readlines()[-40:]))
        finally:
            shutil.rmtree(folder, ignore_errors=True)
    print(f"{passed} passed, {failed} failed", flush=True)
    sys.exit(1 if failed else 0)


LOG_HEADER = re.compile(rb"^VOXPAN " + re.escape(VERSION.encode()) + rb"  \d\d-\d\d-\d{4}   \d\d:\d\d:\d\d\r\n")
