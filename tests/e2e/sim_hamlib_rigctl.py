#!/usr/bin/env python3
"""Hamlib's rigctl (model 5013, AOR AR8600) talks to receiver-sim.

rigctl is a client nobody on this project wrote: when it can set and read
the frequency and the mode and read the signal level, the simulator speaks
the receiver's own protocol and not only what the panel expects.

Environment: VOXPAN_SIM = path of the receiver-sim tool. Exits 0 when every
check passed, 1 when one failed, 77 when rigctl is not installed.
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

RIG_MODEL = "5013"
SPEED = "9600"
START_TIMEOUT = 5.0
RIGCTL_TIMEOUT = 30.0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Simulator:
    """One receiver-sim process, stopped and reaped whatever happens."""

    def __init__(self, workdir, *arguments):
        self.capture = os.path.join(workdir, "capture.bin")
        self.line_report = os.path.join(workdir, "line.txt")
        for path in (self.capture, self.line_report):
            if os.path.exists(path):
                os.remove(path)
        command = [os.environ["VOXPAN_SIM"], "--capture", self.capture,
                   "--line-report", self.line_report, *arguments]
        self.process = subprocess.Popen(command, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        self.device = None

    def __enter__(self):
        try:
            ready, _, _ = select.select([self.process.stdout], [], [], START_TIMEOUT)
            check(ready, "receiver-sim printed no device path within %.0f s" % START_TIMEOUT)
            line = self.process.stdout.readline().decode(errors="replace").strip()
            check(line.startswith("/dev/"), "first line is not a device path: %r" % line)
            self.device = line
        except BaseException:
            self.kill()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is None:
            self.stop()
        else:
            self.kill()
        return False

    def stop(self):
        """SIGTERM must end the tool cleanly with status 0."""
        self.process.send_signal(signal.SIGTERM)
        try:
            status = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failure("receiver-sim did not end within 5 s of SIGTERM")
        stderr = self.process.stderr.read().decode(errors="replace")
        self.process.stdout.close()
        self.process.stderr.close()
        check(status == 0, "receiver-sim ended with status %d after SIGTERM: %s" % (status, stderr))

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for stream in (self.process.stdout, self.process.stderr):
            if stream and not stream.closed:
                stream.close()

    def captured(self):
        with open(self.capture, "rb") as capture:
            return capture.read()

    def reported_line(self):
        with open(self.line_report) as report:
            return report.read().strip()


def rigctl(device, *commands):
    """Runs one rigctl session; returns its output lines. Caching is off, so
    every read goes to the receiver."""
    command = ["rigctl", "-m", RIG_MODEL, "-r", device, "-s", SPEED,
               "-C", "cache_timeout=0", *commands]
    try:
        result = subprocess.run(command, capture_output=True, timeout=RIGCTL_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure("rigctl %s did not finish within %.0f s" % (" ".join(commands), RIGCTL_TIMEOUT))
    output = result.stdout.decode(errors="replace")
    errors = result.stderr.decode(errors="replace")
    check(result.returncode == 0,
          "rigctl %s ended with %d: %s %s" % (" ".join(commands), result.returncode, output, errors))
    return [line.strip() for line in output.splitlines() if line.strip()]


def test_frequency_set_and_read(workdir):
    with Simulator(workdir) as sim:
        lines = rigctl(sim.device, "F", "145500000", "f", "F", "433075000", "f")
        check(lines == ["145500000", "433075000"],
              "frequencies read back: %r, expected 145500000 and 433075000" % lines)
        # rigctl writes its closing EX and exits without waiting for an
        # answer: the simulator may take a moment to read it off the line.
        deadline = time.monotonic() + 5
        while not sim.captured().endswith(b"EX\r") and time.monotonic() < deadline:
            time.sleep(0.02)
        captured = sim.captured()
        check(b"RF0145500000\r" in captured and b"RF0433075000\r" in captured,
              "the simulator did not receive the RF commands: %r" % captured)
        check(captured.endswith(b"EX\r"), "rigctl's closing EX is not the last command: %r" % captured)


def test_line_settings_reported_while_open(workdir):
    """rigctl puts its old line settings back when it closes, so the report is
    read while its session is still open."""
    with Simulator(workdir) as sim:
        session = subprocess.Popen(
            ["rigctl", "-m", RIG_MODEL, "-r", sim.device, "-s", SPEED, "-C", "cache_timeout=0"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            session.stdin.write(b"f\n")
            session.stdin.flush()
            output = b""
            deadline = time.monotonic() + RIGCTL_TIMEOUT
            while b"Frequency:" not in output or not output.rstrip(b" ").endswith(b"Rig command:"):
                remaining = deadline - time.monotonic()
                check(remaining > 0, "rigctl gave no frequency: %r" % output)
                ready, _, _ = select.select([session.stdout], [], [], remaining)
                chunk = os.read(session.stdout.fileno(), 4096) if ready else b""
                check(chunk, "rigctl ended or went quiet: %r" % output)
                output += chunk
            check(b"Frequency: 145000000" in output, "rigctl read %r" % output)
            time.sleep(0.1)  # the tool looks at the line every 10 ms
            report = sim.reported_line()
            check(report == "speed=9600 data=8 parity=none stop=2 raw=no",
                  "line settings of rigctl's session reported as %r "
                  "(rigctl asks for XON/XOFF, so raw=no)" % report)
            session.stdin.write(b"q\n")
            session.stdin.close()
            session.wait(timeout=RIGCTL_TIMEOUT)
        finally:
            if session.poll() is None:
                session.kill()
                session.wait()
            for stream in (session.stdin, session.stdout):
                if not stream.closed:
                    stream.close()


def test_mode_set_and_read(workdir):
    with Simulator(workdir) as sim:
        lines = rigctl(sim.device, "M", "AM", "0", "m", "M", "WFM", "0", "m",
                       "M", "USB", "0", "m", "M", "FM", "0", "m")
        modes = lines[0::2]
        check(modes == ["AM", "WFM", "USB", "FM"], "modes read back: %r" % lines)
        captured = sim.captured()
        for command in (b"MD2\r", b"MD0\r", b"MD3\r", b"MD1\r"):
            check(command in captured, "%r not received: %r" % (command, captured))
        check(captured.count(b"MD\r") >= 4, "rigctl did not ask the simulator for the mode")


def test_level_with_signal(workdir):
    with Simulator(workdir, "--signal", "145.5:200") as sim:
        lines = rigctl(sim.device, "F", "145500000", "l", "RAWSTR", "l", "STRENGTH")
        check(len(lines) == 2, "expected two level lines, got %r" % lines)
        check(lines[0] == "200", "raw level on the signal is %r, expected 200" % lines[0])
        check(int(lines[1]) > 0, "strength on a strong signal is %r dB, expected above 0" % lines[1])


def test_level_without_signal(workdir):
    with Simulator(workdir, "--signal", "145.5:200") as sim:
        lines = rigctl(sim.device, "F", "146000000", "l", "RAWSTR", "l", "STRENGTH")
        check(len(lines) == 2, "expected two level lines, got %r" % lines)
        check(lines[0] == "0", "raw level off the signal is %r, expected 0" % lines[0])
        check(int(lines[1]) < -20, "strength without a signal is %r dB, expected low" % lines[1])


def test_fixed_device_name_through_link(workdir):
    link = os.path.join(workdir, "ar8600")
    with Simulator(workdir, "--link", link) as sim:
        check(os.path.realpath(link) == os.path.realpath(sim.device),
              "%s does not point at %s" % (link, sim.device))
        lines = rigctl(link, "f")
        check(lines == ["145000000"], "frequency read through the link: %r" % lines)
    check(not os.path.lexists(link), "the link was left behind after the tool ended")


TESTS = [
    test_frequency_set_and_read,
    test_line_settings_reported_while_open,
    test_mode_set_and_read,
    test_level_with_signal,
    test_level_without_signal,
    test_fixed_device_name_through_link,
]


def main():
    if "VOXPAN_SIM" not in os.environ:
        print("VOXPAN_SIM is not set: the path of receiver-sim is needed")
        return 1
    if shutil.which("rigctl") is None:
        print("rigctl not found (Debian package libhamlib-utils): skipped")
        return 77
    passed = failed = 0
    for test in TESTS:
        started = time.monotonic()
        with tempfile.TemporaryDirectory(prefix="sim_rigctl_") as workdir:
            try:
                test(workdir)
            except Failure as failure:
                failed += 1
                print("FAIL %s: %s" % (test.__name__, failure))
                continue
            except Exception as error:  # a broken test must still count as failed
                failed += 1
                print("FAIL %s: %s: %s" % (test.__name__, type(error).__name__, error))
                continue
        passed += 1
        print("ok   %s (%.1f s)" % (test.__name__, time.monotonic() - started))
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
