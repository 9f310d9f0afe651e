"""The receiver link of the real program against the simulated receiver on a
pseudo-terminal: the exact bytes on the line, the line settings, the log, the
words and the texts at their places; a port that does not open and a port
that vanishes while the panel runs and comes back."""

import os
import resource
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import BANNER, LOG_HEADER, Panel, Simulator, Xvfb, configuration, run_tests, started_panel, wait_for  # noqa: E402

START_UP_BYTES = b"VA0145000000\rMD1\rAT0\r"
START_UP_WORDS = ["wave/vox", "wave/4", "wave/point", "wave/0", "wave/1", "wave/4", "wave/5", "wave/FM",
                  "wave/attoff"]
BLACK, BLUE = "0,0,0", "0,0,255"


def test_start_up_commands_settings_log_words_and_texts(folder):
    with started_panel(folder, speed="19200") as (panel, receiver):
        wait_for(lambda: len(receiver.captured()) >= len(START_UP_BYTES), 10, "the start-up commands")
        assert receiver.captured() == START_UP_BYTES, receiver.captured()
        report = receiver.line_report()
        for setting in ("speed=19200", "data=8", "parity=none", "stop=2", "raw=yes"):
            assert setting in report, report
        assert panel.plays() == START_UP_WORDS, panel.plays()

        texts = panel.texts()
        expected = [
            (270, 0, "System", 12, 700, BLACK, BANNER),
            (80, 250, "Ariel", 30, 700, BLACK, "145" + " " * 10),
            (300, 250, "Ariel", 30, 700, BLACK, "12.5" + " " * 9),
            (500, 250, "Ariel", 30, 700, BLACK, "CONT"),
            (750, 250, "Ariel", 30, 700, BLACK, "146" + " " * 8),
            (300, 150, "Ariel", 50, 700, BLACK, " " * 20),
            (300, 150, "Ariel", 50, 700, BLUE, "145.0"),
        ]
        assert texts[:7] == expected, texts[:7]
        zeros = texts[7]
        assert zeros[1:] == (150, "Ariel", 50, 700, BLUE, "0000" + " " * 16), zeros
        assert zeros[0] > 300, "the zeros continue the frequency on the same line"
        assert texts[8] == (370, 80, "Ariel", 50, 700, BLACK, "FM      "), texts[8]

        panel.request_close()
        panel.assert_clean_exit(20)
        log = panel.log()
        assert LOG_HEADER.match(log), log[:60]
        body = log[LOG_HEADER.match(log).end():]
        start_up_log = b"TX= VA0145000000\r\nTX= MD1\r\nTX= AT0\r\n"
        assert body.startswith(start_up_log), body
        polls = body[len(start_up_log):].split(b"\r\n")[:-1]
        assert all(line == b"TX= LM" or line.startswith(b"RX= LM") for line in polls), \
            "after the start-up commands only the level polls, until the close: " + repr(polls)
        wait_for(lambda: receiver.captured().endswith(b"EX\r"), 5, "EX last on the line")
        middle = receiver.captured()[len(START_UP_BYTES):-len(b"EX\r")]
        assert receiver.captured().startswith(START_UP_BYTES) and middle == b"LM\r" * (len(middle) // 3), middle


def test_muted_speech_plays_bare_names(folder):
    with started_panel(folder, voice="0", debug="0") as (panel, _):
        assert panel.plays() == [p.replace("wave/", "") for p in START_UP_WORDS], panel.plays()
        assert not os.path.exists(os.path.join(folder, "debug1.dat"))
        panel.request_close()
        panel.assert_clean_exit(20)


def test_a_port_that_does_not_open_is_reported_on_stderr(folder):
    x = Xvfb()
    try:
        missing = os.path.join(folder, "no-such-port")
        panel = Panel(folder, x.display, configuration(missing))
        panel.wait_for_play("wave/attoff")
        panel.window()
        panel.request_close()
        panel.assert_clean_exit(20)
        assert missing in panel.stderr, panel.stderr
        assert panel.stderr.count("\n") == 1, "one line for the person setting it up: " + panel.stderr
        log = panel.log()
        assert b"TX= VA0145000000\r\nTX= MD1\r\nTX= AT0\r\n" in log, "commands are logged even with no port"
    finally:
        x.stop()


def test_the_port_vanishing_mid_run_is_told_aloud_and_reopened_when_it_comes_back(folder):
    # A by-id style link names the adapter; a new simulator behind the same
    # link is the adapter plugged in again.
    link = os.path.join(folder, "usb-AOR_AR8600-if00-port0")
    with started_panel(folder, ("--link", link), port=link, voice="0") as (panel, receiver):
        panel.window()
        wait_for(lambda: "connected" in panel.plays(), 20, "the receiver's first answer")
        receiver.stop()  # the pseudo-terminal goes away, like a pulled USB adapter
        with open(f"/proc/{panel.process.pid}/stat") as stat:
            before = sum(int(v) for v in stat.read().split(")")[1].split()[11:13])
        time.sleep(2.0)
        assert panel.process.poll() is None, "the panel is still running"
        with open(f"/proc/{panel.process.pid}/stat") as stat:
            after = sum(int(v) for v in stat.read().split(")")[1].split()[11:13])
        ticks = os.sysconf("SC_CLK_TCK")
        assert (after - before) / ticks < 1.0, f"the panel spun: {(after - before) / ticks:.2f}s CPU in 2s"
        panel.press("f")
        panel.wait_for_play("fm.wav")
        panel.press("F2")
        wait_for(lambda: panel.plays().count("rnc") == 2, 20, "rnc at the first key that sends a command")
        heard = panel.plays()[panel.plays().index("rnc"):]
        assert heard == ["rnc", "1", "4", "5", "point", "0", "fm.wav", "AM", "rnc"], heard

        os.mkdir(os.path.join(folder, "back"))
        returned = Simulator(os.path.join(folder, "back"), "--link", link)
        try:
            wait_for(lambda: panel.plays().count("connected") == 2, 20, "connected after the return")
            assert returned.captured().startswith(b"VA0145000000\rMD1\rAT0\rLM\r"), returned.captured()
            back = panel.plays()[panel.plays().index("rnc") + 9:]
            assert back[:4] == ["1", "4", "5", "FM"] and "connected" in back, back
            panel.press("q")
            panel.assert_clean_exit(20)
        finally:
            returned.stop()
        assert panel.plays()[-1] == "quit"
        lost = [line for line in panel.stderr.splitlines() if "was lost" in line]
        assert len(lost) == 1 and lost[0].startswith(f"voxpan: serial port {link} was lost: "), panel.stderr
        assert "cannot open" not in panel.stderr, "the tries to reopen are quiet: " + panel.stderr


if __name__ == "__main__":
    run_tests([
        test_start_up_commands_settings_log_words_and_texts,
        test_muted_speech_plays_bare_names,
        test_a_port_that_does_not_open_is_reported_on_stderr,
        test_the_port_vanishing_mid_run_is_told_aloud_and_reopened_when_it_comes_back,
    ])
