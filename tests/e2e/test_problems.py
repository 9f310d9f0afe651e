"""Set-up mistakes that would leave an operator who cannot see the screen
with a silent panel are each told in one line on stderr, and the panel goes
on as it would without the line; a lost display still says goodbye to the
receiver; the command line takes --help and --version only."""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import BINARY, VERSION, WAVE_DIR, Panel, Simulator, Xvfb, run_tests, wait_for  # noqa: E402


def config(port, speed="9600", voice="VOICE:1", debug="DEBUG:1"):
    return f"COM:{port}\r\nSPEED:{speed}\r\nRADIO:AR8600\r\n{voice}\r\n{debug}\r\n"


def problems(panel):
    return [line for line in panel.stderr.splitlines() if line.startswith("voxpan: ")]


def close(panel):
    panel.window()
    panel.request_close()
    panel.assert_clean_exit(20)


def test_every_silent_failure_is_told_once_on_stderr(folder):
    x = Xvfb()
    receiver = None
    try:
        # 1. Words: one recording missing, one that is no WAV; a speed with
        # words after it; a log that is a pipe (opening it to write would wait
        # for a reader).
        receiver = Simulator(folder)
        first = os.path.join(folder, "first")
        words = os.path.join(first, "words")
        shutil.copytree(WAVE_DIR, words)
        os.remove(os.path.join(words, "vox.wav"))
        with open(os.path.join(words, "4.wav"), "wb") as broken:
            broken.write(b"not a recording")
        os.mkfifo(os.path.join(first, "debug1.dat"))
        panel = Panel(first, x.display, config(receiver.device, speed="9600 baud"), wave=words)
        panel.wait_for_play("wave/attoff")
        wait_for(lambda: receiver.captured().startswith(b"VA0145000000\rMD1\rAT0\r"), 10, "the port opened at 9600")
        close(panel)
        assert problems(panel) == [
            'voxpan: debug1.dat in ' + first + ' is a pipe or a device, not a file; the panel runs without the '
            'traffic log',
            'voxpan: the word "vox" is not heard: there is no recording wave/vox.wav',
            'voxpan: the word "4" is not heard: wave/4.wav is no WAV recording that can be played',
            'voxpan: VOXPAN.CFG line 2: the speed "9600 baud" is not a number; trying 9600',
        ], panel.stderr
        assert panel.plays().count("wave/4") == 2, "4 was asked for twice and told once"

        # 2. No word folder (the words beside the program are played); a
        # control byte in the port; switches without digits.
        second = os.path.join(folder, "second")
        os.mkdir(second)
        panel = Panel(second, x.display, config("/dev/tty\x01S0", voice="VOICE:on", debug="DEBUG"), wave=None)
        beside = os.path.realpath(WAVE_DIR) + "/"
        panel.wait_for_play(beside + "attoff")
        close(panel)
        assert problems(panel) == [
            f"voxpan: no 'wave' folder of recorded words in {second}: playing the installed words from {beside}",
            'voxpan: VOXPAN.CFG line 4 has no digit in column 7, so speech stays on (the line holds "VOICE:on")',
            'voxpan: VOXPAN.CFG line 5 has no digit in column 7, so the traffic log is off (the line holds "DEBUG")',
            'voxpan: VOXPAN.CFG line 1: no serial port is opened for "/dev/tty\\x01S0": '
            'it holds the control byte 0x01 at column 13',
        ], panel.stderr
        assert panel.plays()[0] == beside + "vox", "only a 0 mutes speech"

        # 3. No configuration, and a folder where the configuration should be.
        third = os.path.join(folder, "third")
        os.mkdir(third)
        panel = Panel(third, x.display, None)
        panel.assert_clean_exit(30)
        assert problems(panel) == [f"voxpan: no VOXPAN.CFG in {third}: run pansetup to write one"], panel.stderr
        assert panel.plays() == ["wave/cfnf"]
        fourth = os.path.join(folder, "fourth")
        os.makedirs(os.path.join(fourth, "VOXPAN.CFG"))
        panel = Panel(fourth, x.display, None)
        panel.assert_clean_exit(30)
        assert problems(panel) == [f"voxpan: VOXPAN.CFG in {fourth} is a folder, not a file"], panel.stderr
    finally:
        if receiver is not None:
            receiver.stop()
        x.stop()


def test_a_lost_display_still_sends_the_closing_command(folder):
    x = Xvfb()
    receiver = Simulator(folder)
    try:
        panel = Panel(folder, x.display, config(receiver.device))
        panel.wait_for_play("wave/attoff")
        panel.window()
        x.process.kill()
        x.process.wait()
        assert panel.wait(20) == 1, "a lost display is a failure"
        assert problems(panel) == ["voxpan: lost the connection to the display; closing the receiver line"], \
            panel.stderr
        assert wait_for(lambda: receiver.captured().endswith(b"EX\r"), 5, "EX on the line")
        with open(os.path.join(folder, "debug1.dat"), "rb") as log:
            assert b"EX" not in log.read(), "the log was closed before EX, as at every shutdown"
    finally:
        receiver.stop()


def test_help_version_and_usage(folder):
    def run(*arguments):
        return subprocess.run([BINARY, *arguments], capture_output=True, text=True, timeout=10, cwd=folder)
    shown = run("--help")
    assert shown.returncode == 0 and "--version" in shown.stdout and "VOXPAN.CFG" in shown.stdout, shown
    assert run("--version").stdout == f"voxpan {VERSION}\n"
    for wrong in (["-x"], ["--help", "--version"], ["bank01.dat"]):
        refused = run(*wrong)
        assert refused.returncode == 2, (wrong, refused)
        assert refused.stderr == "usage: voxpan [--help | --version]\n", refused.stderr
        assert refused.stdout == ""
    assert os.listdir(folder) == [], "nothing was started or written"


if __name__ == "__main__":
    run_tests([
        test_every_silent_failure_is_told_once_on_stderr,
        test_a_lost_display_still_sends_the_closing_command,
        test_help_version_and_usage,
    ])
