"""End-to-end harness for the Windows program: voxpan.exe under wine in a
private Xvfb screen, the Linux build's simulated receiver on a
pseudo-terminal linked as a COM port of a fresh wine prefix, keys from
xdotool. Builds on the Linux harness (tests/e2e/harness.py)."""

import contextlib
import functools
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402
from harness import wait_for  # noqa: E402

WINDOWS_BINARY = os.environ.get("VOXPAN_WINDOWS_BINARY", "build-windows/voxpan.exe")
HELPER = os.environ.get("VOXPAN_WINE_HELPER", "build-windows/voxpan_wine_helper.exe")
ZIP = os.environ.get("VOXPAN_ZIP", f"dist/voxpan-{harness.VERSION}-windows.zip")
COM_NUMBER = 5
SHARED_PREFIX = os.environ.get("VOXPAN_WINE_PREFIX")
QUIET = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def text_of(path):
    """What a Windows program wrote to the file (UTF-8), with CR LF as LF."""
    return Path(path).read_bytes().decode(errors="replace").replace("\r\n", "\n")


class WinePrefix:
    """A wine prefix made once for all the tests of a run (making one takes
    several seconds): the one VOXPAN_WINE_PREFIX names, made when missing and
    kept for the next run, or one in a temporary folder removed at the end."""

    def __init__(self, display):
        self.folder = None if SHARED_PREFIX else tempfile.mkdtemp(prefix="voxpan-wine-")
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": SHARED_PREFIX or os.path.join(self.folder, "prefix"),
            "WINEDEBUG": "-all",
            # No dialogs offering to install Mono or Gecko.
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "DISPLAY": display,
        })
        for name in ("VOXPAN_TRACE", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)
        if not os.path.exists(os.path.join(self.env["WINEPREFIX"], "system.reg")):
            subprocess.run(["wine", "wineboot", "--init"], env=self.env, check=True, timeout=300, **QUIET)
        # A server left by an earlier user of the prefix (the unit tests)
        # has outputs of its own.
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60, **QUIET)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=300)
        # One server for the whole run, with an output of its own: it takes a
        # COM port's pseudo-terminal as its terminal, and when the simulator
        # closes it, writes a long report that would fill a panel's stderr
        # pipe and stop everything.
        subprocess.run(["wineserver", "--persistent"], env=self.env, timeout=60, **QUIET)

    def receiver(self, folder, *arguments):
        """A simulated receiver started, its pseudo-terminal COMn of the prefix."""
        receiver = harness.Simulator(folder, *arguments)
        link = os.path.join(self.env["WINEPREFIX"], "dosdevices", f"com{COM_NUMBER}")
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(receiver.device, link)
        return receiver

    def register_com_port(self, number, driver_device):
        """The registry lists COMn as a port of the driver's device."""
        subprocess.run(["wine", "reg", "add", r"HKLM\HARDWARE\DEVICEMAP\SERIALCOMM", "/v", driver_device,
                        "/d", f"COM{number}", "/f"], env=self.env, check=True, timeout=60, **QUIET)

    def run(self, folder, program, *arguments, answers="", user_profile=None):
        """A console program run to its end in the folder, with the answers
        as its input (and user_profile as %USERPROFILE%): (status, output,
        error output). Files, not pipes: wine's own services may inherit them."""
        paths = [os.path.join(folder, name) for name in ("input.txt", "output.txt", "errors.txt")]
        with open(paths[0], "w") as given:
            given.write(answers)
        command = ["wine", os.path.abspath(program), *arguments]
        if user_profile is not None:
            command = ["wine", "cmd", "/c", f"set USERPROFILE={windows_path(user_profile)}&& "
                       + " ".join([windows_path(program), *arguments])]
        with open(paths[0]) as given, open(paths[1], "w") as out, open(paths[2], "w") as err:
            status = subprocess.run(command, cwd=folder, env=self.env, stdin=given, stdout=out, stderr=err,
                                    timeout=120).returncode
        output, errors = (text_of(path) for path in paths[1:])
        return status, output, errors

    def helper(self, folder, *arguments):
        """wine_helper.exe started, up to its first line: (process, its output)."""
        output = os.path.join(folder, f"helper-{arguments[0]}-{time.monotonic_ns()}.txt")
        with open(output, "w") as out:
            process = subprocess.Popen(["wine", os.path.abspath(HELPER), *arguments], cwd=folder, env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)
        wait_for(lambda: text_of(output).strip() or process.poll() is not None, 60, f"the helper to {arguments[0]}")
        return process, lambda: text_of(output)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60, **QUIET)
        if self.folder is not None:
            shutil.rmtree(self.folder, ignore_errors=True)


def unpacked(folder, name="unpacked"):
    """The zip unpacked into a new folder; the folder of voxpan.exe."""
    target = os.path.join(folder, name)
    with zipfile.ZipFile(ZIP) as archive:
        names = archive.namelist()
        archive.extractall(target)
    home = os.path.join(target, "voxpan")
    for name in ("voxpan/voxpan.exe", "voxpan/pansetup.exe", "voxpan/panbank.exe", "voxpan/VOXPAN.CFG", "voxpan/README.txt",
                 "voxpan/wave/vox.wav", "voxpan/wave-fast/vox.wav", "voxpan/wave-fastest/vox.wav"):
        assert name in names, f"{name} in the zip: {names}"
    for text in ("VOXPAN.CFG", "README.txt"):
        with open(os.path.join(home, text), "rb") as file:
            content = file.read()
        assert content.count(b"\r\n") == content.count(b"\n") > 0, f"{text} has CR LF line ends"
    with open(os.path.join(home, "README.txt"), "rb") as readme:
        assert readme.readline() == f"voxpan {harness.VERSION} for Windows\r\n".encode(), "README.txt's version"
    return home


def windows_path(path):
    """The path of a Linux file as the programs under wine see it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class WinePanel(harness.Panel):
    """voxpan.exe under wine, started in a prepared working folder; the trace,
    window and keys of the Linux harness apply as they are."""

    def __init__(self, folder, prefix, config=None, wave=harness.WAVE_DIR, binary=WINDOWS_BINARY, sound=False):
        """sound: a sound device that plays into nothing (ALSA's null device),
        in real time; without it wine has none."""
        self.prepare(folder, config, wave)
        self.env = dict(prefix.env)
        self.env["VOXPAN_TRACE"] = windows_path(self.trace_path)
        if sound:
            self.env["ALSA_CONFIG_PATH"] = os.path.join(folder, "asound.conf")
            with open(self.env["ALSA_CONFIG_PATH"], "w") as alsa:
                alsa.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
        self.display = self.env["DISPLAY"]
        # Files, not pipes: wine's own services inherit them and outlive the
        # panel, so a pipe would never come to its end.
        self.output_paths = [os.path.join(folder, name) for name in ("stdout.txt", "stderr.txt")]
        with open(self.output_paths[0], "w") as out, open(self.output_paths[1], "w") as err:
            self.process = subprocess.Popen(["wine", os.path.abspath(binary)], cwd=folder, env=self.env,
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        self._window = None

    WINDOW_TIMEOUT = 90  # the first start of a program in a new prefix takes a while

    def wait(self, timeout=30.0):
        code = super().wait(timeout)
        self.stdout, self.stderr = (text_of(path) for path in self.output_paths)
        return code

    def problems(self):
        """The panel's own lines on stderr so far (wine's sound libraries add
        theirs)."""
        if self.process.poll() is None or not hasattr(self, "stderr"):
            self.stderr = text_of(self.output_paths[1])
        return [line for line in self.stderr.splitlines() if line.startswith("voxpan:")]


@contextlib.contextmanager
def connected(panel, *receivers):
    """The panel up to its receiver's first answer; it and the receivers
    are stopped afterwards."""
    try:
        panel.window()
        wait_for(lambda: any(re.split(r"[/\\]", p)[-1] == "connected" for p in panel.plays()), 60,
                 "the first answer")
        yield panel
    finally:
        panel.kill()
        for receiver in receivers:
            receiver.stop()


def run_with_prefix(tests):
    """Runs the tests (each taking a folder and the prefix) with one screen
    and one wine prefix for all of them."""
    x = harness.Xvfb()
    prefix = WinePrefix(x.display)
    try:
        harness.run_tests([functools.update_wrapper(functools.partial(test, prefix=prefix), test) for test in tests])
    finally:
        prefix.stop()
        x.stop()
