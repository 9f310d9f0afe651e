"""A first run as a user with a receiver has it: pansetup writes the
working folder for the receiver's port without asking, and the real panel
started in that folder opens that port at the speed written and sends the
(simulated) receiver its start-up commands."""

import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import BINARY, VERSION, WAVE_DIR, Simulator, Xvfb, wait_for  # noqa: E402
from setup_harness import run_setup, run_tests  # noqa: E402


def plays(trace_path):
    try:
        with open(trace_path, encoding="latin-1") as trace:
            return [line.rstrip("\n").split("\t")[2] for line in trace if "\tplay\t" in line]
    except FileNotFoundError:
        return []


def test_pansetup_writes_the_folder_and_the_panel_connects_there(folder):
    x = Xvfb()
    receiver = Simulator(folder)
    panel = None
    try:
        work = os.path.join(folder, "voxpan")
        written = run_setup("--port", receiver.device, "--speed", "19200", "--voice", "on", "--log", "on",
                            "--folder", work)
        assert written.returncode == 0, written
        with open(os.path.join(work, "VOXPAN.CFG"), "rb") as cfg:
            assert cfg.read() == (f"COM:{receiver.device}\r\nSPEED:19200\r\nTYPE:AR8600\r\nVOICE:1\r\n"
                                  "DEBUG:1\r\nHITS:1\r\n").encode()
        assert os.path.realpath(os.path.join(work, "wave")) == os.path.realpath(WAVE_DIR), "the words linked in"

        trace = os.path.join(folder, "trace.txt")
        env = dict(os.environ, DISPLAY=x.display, VOXPAN_TRACE=trace, SDL_AUDIODRIVER="dummy")
        env.pop("SDL_VIDEODRIVER", None)
        panel = subprocess.Popen([os.path.abspath(BINARY)], cwd=work, env=env, stdin=subprocess.DEVNULL,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        # The panel's start-up commands reach the receiver on the port and at the speed written.
        start_up = b"VA0145000000\rMD1\rAT0\r"
        wait_for(lambda: receiver.captured().startswith(start_up), 20, "the panel's start-up commands")
        for setting in ("speed=19200", "data=8", "parity=none", "stop=2"):
            assert setting in receiver.line_report(), receiver.line_report()
        assert plays(trace)[:4] == ["wave/vox", "wave/4", "wave/point", "wave/0"], plays(trace)
        wait_for(lambda: "wave/connected" in plays(trace), 20, "the receiver's first answer")
        with open(os.path.join(work, "debug1.dat"), "rb") as log:
            assert log.read().startswith(f"VOXPAN {VERSION}".encode()), "the log switched on by pansetup is written"
        panel.send_signal(signal.SIGTERM)
        assert panel.wait(20) == 0
        assert wait_for(lambda: receiver.captured().endswith(b"LM\rEX\r"), 5, "EX at the end of the run")
    finally:
        if panel is not None and panel.poll() is None:
            panel.kill()
            panel.wait()
        receiver.stop()
        x.stop()


if __name__ == "__main__":
    run_tests([test_pansetup_writes_the_folder_and_the_panel_connects_there])
