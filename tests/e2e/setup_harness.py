"""Pieces shared by the end-to-end tests of pansetup: running it, talking to
it through a pseudo-terminal as a terminal user would, a fake device tree,
and a test runner that can skip a test with a reason."""

import errno
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

SETUP = os.environ.get("VOXPAN_SETUP", "build/pansetup")
BUILD_DIR = os.environ.get("VOXPAN_BUILD_DIR", "build")
SOURCE_DIR = os.environ.get("VOXPAN_SOURCE_DIR", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
CMAKE = os.environ.get("VOXPAN_CMAKE", "cmake")
BY_ID = "usb-FTDI_FT232R_USB_UART_A10KXYZ1-if00-port0"


class Skip(Exception):
    """The test cannot run here; its reason is printed."""


def run_setup(*arguments, env=None, program=None, timeout=30):
    environment = dict(os.environ)
    environment.update(env or {})
    return subprocess.run([program or os.path.abspath(SETUP), *arguments], env=environment, capture_output=True,
                          text=True, timeout=timeout, stdin=subprocess.DEVNULL)


def fake_device_tree(root, ports, by_id=None):
    """dev/ under root: each name in `ports` a link to the given device, and
    dev/serial/by-id links to the named nodes."""
    os.makedirs(os.path.join(root, "dev", "serial", "by-id"))
    for name, device in ports.items():
        os.symlink(device, os.path.join(root, "dev", name))
    for link, node in (by_id or {}).items():
        os.symlink("../../" + node, os.path.join(root, "dev", "serial", "by-id", link))
    return root


class Conversation:
    """pansetup on a pseudo-terminal: what it says is read as a terminal
    shows it, answers are typed and ended with Enter."""

    def __init__(self, *arguments, env=None):
        self.master, slave = os.openpty()
        environment = dict(os.environ)
        environment.update(env or {})
        environment["TERM"] = "dumb"
        self.process = subprocess.Popen([os.path.abspath(SETUP), *arguments], stdin=slave, stdout=slave, stderr=slave,
                                        env=environment, start_new_session=True)
        os.close(slave)
        self.heard = ""      # everything so far
        self.position = 0    # where the last expect() stopped

    def _read(self, timeout):
        ready, _, _ = select.select([self.master], [], [], timeout)
        if not ready:
            return False
        try:
            data = os.read(self.master, 4096)
        except OSError as error:  # the program ended and closed the terminal
            if error.errno == errno.EIO:
                return None
            raise
        if not data:
            return None
        self.heard += data.decode("utf-8", "replace").replace("\r\n", "\n")
        return True

    def expect(self, text, timeout=10.0):
        """Waits until `text` is heard after the last expectation; returns
        everything heard up to and including it."""
        deadline = time.monotonic() + timeout
        while True:
            found = self.heard.find(text, self.position)
            if found >= 0:
                start, self.position = self.position, found + len(text)
                return self.heard[start:self.position]
            left = deadline - time.monotonic()
            if left <= 0 or self._read(left) is None:
                raise AssertionError(f"pansetup did not say {text!r}; it said:\n{self.heard[self.position:]}")

    def answer(self, line):
        os.write(self.master, line.encode() + b"\r")

    def finish(self, timeout=10.0):
        deadline = time.monotonic() + timeout
        while self.process.poll() is None and time.monotonic() < deadline:
            self._read(0.05)
        while self._read(0.05):
            pass
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
            raise AssertionError("pansetup did not end; it said:\n" + self.heard[self.position:])
        os.close(self.master)
        return self.process.returncode


def run_tests(tests):
    """Runs each test with a fresh folder; a test may raise Skip."""
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for test in tests:
        folder = tempfile.mkdtemp(prefix="pansetup-e2e-")
        started = time.monotonic()
        try:
            test(folder)
            counts["passed"] += 1
            print(f"PASS {test.__name__} ({time.monotonic() - started:.1f}s)", flush=True)
        except Skip as reason:
            counts["skipped"] += 1
            print(f"SKIP {test.__name__}: {reason}", flush=True)
        except Exception:  # a failed assertion or a harness fault: both fail the test
            counts["failed"] += 1
            print(f"FAIL {test.__name__}", flush=True)
            traceback.print_exc()
        finally:
            shutil.rmtree(folder, ignore_errors=True)
    print(f"{counts['passed']} passed, {counts['failed']} failed, {counts['skipped']} skipped", flush=True)
    sys.exit(1 if counts["failed"] else 0)


def install(prefix):
    """cmake --install of the build tree into prefix."""
    result = subprocess.run([CMAKE, "--install", os.path.abspath(BUILD_DIR), "--prefix", prefix],
                            capture_output=True, text=True, timeout=120)
    assert result.returncode == 0, result.stdout + result.stderr
    return prefix


def desktop_entry(path):
    """The [Desktop Entry] group's keys, values unescaped."""
    entry = {}
    with open(path, encoding="utf-8") as desktop:
        for line in desktop:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                escapes = {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
                entry[key] = re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), "\\" + m.group(1)), value)
    return entry


def exec_arguments(value):
    """An Exec value split into arguments as a desktop launches it: blanks
    separate, double quotes group, and within them a backslash escapes
    one of " ` $ \\."""
    arguments, current, quoted, started = [], "", False, False
    index = 0
    while index < len(value):
        char = value[index]
        if quoted and char == "\\" and index + 1 < len(value) and value[index + 1] in '"`$\\':
            current += value[index + 1]
            index += 1
        elif char == '"':
            quoted, started = not quoted, True
        elif char == " " and not quoted:
            if started or current:
                arguments.append(current)
            current, started = "", False
        else:
            current += char
        index += 1
    if started or current:
        arguments.append(current)
    return arguments
