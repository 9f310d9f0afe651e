#!/usr/bin/env python3
"""From a key-down to its command on the line, with speech muted (target:
within two ticks, 200 ms, plus the pause recordings the key plays before its
command; the mode keys play none), the receiver on a local pseudo-terminal
and then behind a local ser2net (raw TCP on 127.0.0.1), whose figures should
lie within one tick (100 ms) of the first. The real panel under Xvfb, the
simulated receiver, keys from xdotool; also the panel's CPU use while it
idles with the poll cycle running (target: under 1% of a core). Prints
figures; asserts nothing."""

import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from harness import Panel, Simulator, Xvfb, configuration, wait_for  # noqa: E402
from ser2net_harness import Ser2net  # noqa: E402

PRESSES = int(os.environ.get("PRESSES", "60"))
IDLE_SECONDS = float(os.environ.get("IDLE_SECONDS", "20"))


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().split(")")[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def measure(way, network):
    """The latencies of PRESSES mode keys, sorted, and the idle CPU share."""
    folder = tempfile.mkdtemp(prefix="voxpan-latency-")
    x = Xvfb()
    receiver = Simulator(folder)
    server = Ser2net(folder, receiver.device) if network else None
    panel = Panel(folder, x.display, configuration(server.address("tcp") if network else receiver.device,
                                                   voice="0", debug="0"))
    try:
        wait_for(lambda: "connected" in panel.plays(), 20, "the connection")
        window = panel.window()
        panel.xdotool("windowfocus", "--sync", window)

        before = cpu_seconds(panel.process.pid)
        time.sleep(IDLE_SECONDS)
        idle = (cpu_seconds(panel.process.pid) - before) / IDLE_SECONDS * 100

        latencies = []
        for press in range(PRESSES):
            key, command = ("F1", b"MD1\r") if press % 2 == 0 else ("F2", b"MD2\r")
            seen = receiver.captured().count(command)
            time.sleep(0.05 + (press % 7) * 0.037)  # presses fall at every point of the cycle
            started = time.monotonic()
            panel.xdotool("key", key)
            wait_for(lambda: receiver.captured().count(command) > seen, 5, f"{command!r} on the line")
            latencies.append((time.monotonic() - started) * 1000)
        latencies.sort()
        print(f"{way}: key-down to command, {PRESSES} presses: median {statistics.median(latencies):.0f} ms, "
              f"90th percentile {latencies[int(len(latencies) * 0.9)]:.0f} ms, worst {latencies[-1]:.0f} ms; "
              f"idle with the poll cycle running: {idle:.2f}% of one core over {IDLE_SECONDS:.0f} s", flush=True)
        return latencies
    finally:
        panel.kill()
        if server is not None:
            server.stop()
        receiver.stop()
        x.stop()


def main():
    local = measure("local pseudo-terminal", network=False)
    remote = measure("ser2net on 127.0.0.1  ", network=True)
    difference = statistics.median(remote) - statistics.median(local)
    print(f"ser2net minus pseudo-terminal: median {difference:+.0f} ms, 90th percentile "
          f"{remote[int(len(remote) * 0.9)] - local[int(len(local) * 0.9)]:+.0f} ms (one tick is 100 ms)")


if __name__ == "__main__":
    main()
