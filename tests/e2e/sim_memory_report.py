#!/usr/bin/env python3
"""receiver-sim's memory report and ignored commands, through the tool.

A client writes channels with "MX" on the pseudo-terminal; the report file
must list them, replaced whole each time. With "--ignore MWE" the query of
bank E goes unanswered while bank D's is answered.

Environment: VOXPAN_SIM = path of the receiver-sim tool. Exits 0 when every
check passed, 1 when one failed.
"""

import os
import select
import signal
import subprocess
import sys
import tempfile
import termios
import time
import tty

START_TIMEOUT = 5.0
ANSWER_TIMEOUT = 2.0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def read_for(fd, seconds):
    """Everything that arrives on fd within the given time."""
    received = b""
    deadline = time.monotonic() + seconds
    while True:
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            return received
        ready, _, _ = select.select([fd], [], [], remaining)
        if ready:
            received += os.read(fd, 4096)


def wait_for_file(path, expected, seconds):
    deadline = time.monotonic() + seconds
    text = None
    while time.monotonic() < deadline:
        if os.path.exists(path):
            with open(path) as report:
                text = report.read()
            if text == expected:
                return text
        time.sleep(0.02)
    return text


def run(workdir):
    report = os.path.join(workdir, "memory.txt")
    process = subprocess.Popen([os.environ["VOXPAN_SIM"], "--memory-report", report, "--ignore", "MWE"],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    fd = -1
    try:
        ready, _, _ = select.select([process.stdout], [], [], START_TIMEOUT)
        check(ready, "receiver-sim printed no device path")
        device = process.stdout.readline().decode().strip()
        check(device.startswith("/dev/"), "not a device path: %r" % device)
        check(wait_for_file(report, "", START_TIMEOUT) == "", "no empty report at start")

        fd = os.open(device, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(fd)
        os.write(fd, b"MXC00 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx\r"
                     b"MXC01 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx\r")
        expected = ("C00 RF0145500000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx\n"
                    "C01 RF0433075000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx\n")
        text = wait_for_file(report, expected, ANSWER_TIMEOUT)
        check(text == expected, "report after two writes: %r" % text)
        check(not os.path.exists(report + ".tmp"), "a scratch file of the report was left")
        read_for(fd, 0.2)

        os.write(fd, b"MWE\r")
        check(read_for(fd, 0.5) == b"", "the ignored query of bank E was answered")
        os.write(fd, b"MWD\r")
        answer = read_for(fd, 0.5)
        check(answer == b"MWD 090\r\n", "bank D's query answered %r" % answer)
    finally:
        if fd >= 0:
            os.close(fd)
        process.send_signal(signal.SIGTERM)
        try:
            status = process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise Failure("receiver-sim did not end after SIGTERM")
        process.stdout.close()
        process.stderr.close()
    check(status == 0, "receiver-sim ended with status %d" % status)


def main():
    if "VOXPAN_SIM" not in os.environ:
        print("VOXPAN_SIM is not set: the path of receiver-sim is needed")
        return 1
    with tempfile.TemporaryDirectory(prefix="sim_memory_") as workdir:
        try:
            run(workdir)
        except Failure as failure:
            print("FAIL: %s" % failure)
            return 1
    print("ok   memory report and ignored commands")
    return 0


if __name__ == "__main__":
    sys.exit(main())
