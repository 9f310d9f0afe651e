#!/usr/bin/env python3
"""A long run of the real panel against the simulated receiver: a search
running, keys pressed at random from the key table, the simulator's line
faults switched on and off (SIGUSR1), the panel's memory sampled. At the end
the panel must still answer Q. Run by hand, not in CI; prints figures.

    tools/soak/soak.py [MINUTES]     (10 by default)

VOXPAN_BINARY may name a sanitizer build of the panel (configure with
-DVOXPAN_SANITIZE=ON); its reports on stderr are counted."""

import os
import random
import signal
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from harness import Panel, Simulator, Xvfb, configuration, wait_for  # noqa: E402

# Every key of the key table but Q, with the digits and Enter more often, as
# an operator types them.
KEYS = (["Return", "period", "space", "Up", "Down", "Left", "Right", "Prior", "Next"]
        + [str(d) for d in range(10)] * 2 + ["Return"] * 4
        + list("abcdefgiklmnoprstwz") + ["F1", "F2", "F3", "F4", "F5", "F6", "F7", "h", "Delete"])
FAULTS = ["none", "slow", "split", "garbage", "silent"]


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().split(")")[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 10.0
    rng = random.Random(int(os.environ.get("SEED", "1")))
    folder = tempfile.mkdtemp(prefix="voxpan-soak-")
    x = Xvfb()
    receiver = Simulator(folder, "--signal", "145.5:180", "--signal", "145.8:150", "--signal", "433.075:90")
    environment = {"ASAN_OPTIONS": "detect_leaks=0:abort_on_error=1"}
    panel = Panel(folder, x.display, configuration(receiver.device, voice="0", debug="1"), environment)
    pid = panel.process.pid
    samples = []
    pressed = 0
    fault = 0
    try:
        wait_for(lambda: "connected" in panel.plays(), 30, "the first answer")
        panel.press("r")
        started = time.monotonic()
        next_fault = started + 30
        next_sample = started
        while time.monotonic() - started < minutes * 60:
            if panel.process.poll() is not None:
                raise AssertionError(f"the panel ended by itself with status {panel.process.returncode}")
            now = time.monotonic()
            if now >= next_sample:
                samples.append((now - started, rss_kib(pid)))
                next_sample += 30
            if now >= next_fault:
                receiver.process.send_signal(signal.SIGUSR1)
                fault = (fault + 1) % len(FAULTS)
                next_fault += 30
            panel.press(rng.choice(KEYS))
            pressed += 1
            time.sleep(rng.uniform(0.1, 1.2))
        # The line mended, then Q: the panel must still answer it.
        while fault != 0:
            receiver.process.send_signal(signal.SIGUSR1)
            fault = (fault + 1) % len(FAULTS)
        cpu = cpu_seconds(pid)
        panel.press("q")
        code = panel.wait(120)
        plays = panel.plays()
        reports = [line for line in panel.stderr.splitlines()
                   if "Sanitizer" in line or "runtime error" in line]
        first, last = samples[1][1] if len(samples) > 1 else samples[0][1], samples[-1][1]
        print(f"{minutes:.0f} minutes, {pressed} keys pressed, {len(plays)} words and pauses played, "
              f"{cpu:.1f} s of CPU")
        print("memory (RSS, KiB) every 30 s: " + " ".join(str(kib) for _, kib in samples))
        print(f"memory from the first minute to the end: {first} -> {last} KiB ({last - first:+d})")
        print(f"exit status after Q: {code}; last word: {plays[-1] if plays else None}")
        print(f"sanitizer reports: {len(reports)}")
        for line in reports[:10]:
            print("  " + line)
        ok = code == 0 and plays and plays[-1] == "quit" and not reports
        print("soak passed" if ok else "soak FAILED")
        sys.exit(0 if ok else 1)
    finally:
        panel.kill()
        receiver.stop()
        x.stop()


if __name__ == "__main__":
    main()
