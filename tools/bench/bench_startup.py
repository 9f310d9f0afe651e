#!/usr/bin/env python3
"""From process start to the first command on the line, with speech muted
(target: under 0.5 s). Starts the simulated receiver and the real panel under
Xvfb several times and prints the figures."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from harness import Simulator, Xvfb, configuration  # noqa: E402

BINARY = os.path.abspath(os.environ.get("VOXPAN_BINARY", "build/voxpan"))
RUNS = int(os.environ.get("RUNS", "10"))


def one_run(display):
    folder = tempfile.mkdtemp(prefix="voxpan-bench-")
    receiver = Simulator(folder)
    with open(os.path.join(folder, "VOXPAN.CFG"), "w", newline="") as cfg:
        cfg.write(configuration(receiver.device, voice="0", debug="0"))
    env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
    started = time.monotonic()
    panel = subprocess.Popen([BINARY], cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not receiver.captured():
            if time.monotonic() - started > 10:
                raise RuntimeError("no command within 10 s")
            time.sleep(0.001)
        return time.monotonic() - started
    finally:
        panel.terminate()
        panel.wait(10)
        receiver.stop()


def main():
    x = Xvfb()
    try:
        times = [one_run(x.display) for _ in range(RUNS)]
    finally:
        x.stop()
    print(f"start to first command, speech muted, {RUNS} runs: "
          f"median {statistics.median(times) * 1000:.0f} ms, max {max(times) * 1000:.0f} ms (target < 500 ms)")


if __name__ == "__main__":
    main()
