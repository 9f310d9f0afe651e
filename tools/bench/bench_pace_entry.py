#!/usr/bin/env python3
"""How much sooner a typed frequency reaches the receiver with faster words:
"145.5 Enter" typed at 40 ms a key, from the first key-down to its command
"VA0145.50000" on the line, with speech on and the working folder's wave
linked to the normal, fast and fastest words (build/wave, wave-fast,
wave-fastest). One panel a pace, each with its simulated receiver under its
own Xvfb, measured in turn round after round so that all three see the same
load (target: fast at most 0.7 of normal). Prints figures; asserts nothing."""

import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from harness import WAVE_DIR, Panel, Simulator, Xvfb, configuration, wait_for  # noqa: E402

ROUNDS = int(os.environ.get("ROUNDS", "8"))
PACES = (("normal", ""), ("fast", "-fast"), ("fastest", "-fastest"))
KEYS = ("1", "4", "5", "period", "5", "Return")
COMMAND = b"VA0145.50000\r"


def milliseconds_to_command(panel, receiver):
    seen = receiver.captured().count(COMMAND)
    started = time.monotonic()
    panel.xdotool("key", "--delay", "40", *KEYS)
    deadline = started + 20
    while receiver.captured().count(COMMAND) == seen:
        if time.monotonic() > deadline:
            raise AssertionError(f"no {COMMAND!r} within 20 s")
        time.sleep(0.002)
    return (time.monotonic() - started) * 1000


def main():
    started = []
    folders = []
    try:
        panels = {}
        for pace, ending in PACES:
            words = WAVE_DIR + ending
            if not os.path.isfile(os.path.join(words, ".generated")):
                sys.exit(f"bench_pace_entry: no words in {words} (cmake --build build --target wave)")
            folder = tempfile.mkdtemp(prefix=f"voxpan-pace-{pace}-")
            folders.append(folder)
            x = Xvfb()
            started.append(x)
            receiver = Simulator(folder)
            started.append(receiver)
            panel = Panel(folder, x.display, configuration(receiver.device, voice="1", debug="0"), wave=words)
            started.append(panel)
            panels[pace] = (panel, receiver, words)
        for pace, (panel, receiver, _) in panels.items():
            wait_for(lambda: any(p.endswith("connected") for p in panel.plays()), 30, f"the {pace} panel's start")
            panel.xdotool("windowfocus", "--sync", panel.window())

        times = {pace: [] for pace in panels}
        for round_number in range(ROUNDS):
            for pace, (panel, receiver, _) in panels.items():
                time.sleep(0.6 + (round_number % 4) * 0.023)  # the last words said; keys at every point of a tick
                panel.xdotool("windowfocus", "--sync", panel.window())
                times[pace].append(milliseconds_to_command(panel, receiver))

        normal = statistics.median(times["normal"])
        print(f'"145.5 Enter" typed at 40 ms a key, first key-down to {COMMAND.decode().strip()} on the line, '
              f"{ROUNDS} rounds a pace, speech on:")
        for pace, (_, _, words) in panels.items():
            median = statistics.median(times[pace])
            print(f"  {pace:8} ({words}): median {median:5.0f} ms (from {min(times[pace]):.0f} to "
                  f"{max(times[pace]):.0f}), {median / normal:.2f} of normal")
        print("target: fast at most 0.70 of normal")
    finally:
        for thing in reversed(started):
            (thing.kill if isinstance(thing, Panel) else thing.stop)()
        for folder in folders:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
