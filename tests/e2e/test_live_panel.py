"""The live panel end to end: the real binary in a real window, keys from
xdotool, the simulated receiver on a pseudo-terminal. Each test runs many
key sequences on one started panel; speech is muted to keep the run short
(the words are traced by their bare names)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import LOG_HEADER, Session, run_tests, started_panel, wait_for  # noqa: E402

def test_tuning_stepping_modes_and_read_outs(folder):
    with started_panel(folder, ("--signal", "145.5:060"), voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        bar = [t for t in panel.texts() if t[:2] == (320, 30)]
        assert bar and bar[-1][6] == ">" + " " * 26, "the empty bar of a closed squelch: " + repr(bar[-1:])

        s.keys("1", "4", "5", "period", "5", "Return", words=["1", "4", "5", "point", "5", "ok"],
               commands=["VA0145.50000"])
        assert (300, 150, "Ariel", 50, 700, "0,0,255", "145.5") in panel.texts(), "the frequency line"
        wait_for(lambda: [t[6] for t in panel.texts() if t[:2] == (320, 30)][-1] == "*****>" + " " * 17, 10,
                 "the signal bar of a level 060")
        s.keys("m", words=["s", "5"])
        s.keys("Up", commands=["VA0145.50100"])
        s.keys("Prior", commands=["VA0145.51350"])
        s.keys("Left", commands=["VA0145.51340"])
        s.keys("Next", "Down", commands=["VA0145.50090", "VA0145.49990"])
        s.keys("f", words=["1", "4", "5", "point", "4", "9", "9", "9", "fm.wav"])
        s.keys("F2", words=["AM"], commands=["MD2"])
        assert (370, 80, "Ariel", 50, 700, "0,0,0", "AM      ") in panel.texts(), "the mode line"
        s.keys("F6", "F1", words=["cw", "FM"], commands=["MD5", "MD1"])
        s.keys("a", "l", words=["atton", "noise", "on"], commands=["AT1", "NL1"])
        s.keys("1", "2", "3", "4", "5", "Return", words=["1", "2", "3", "4", "5", "inv"])
        assert s.commands() == [], "a frequency the receiver's field cannot carry tunes nothing"
        s.keys("c", words=["stmode"])
        assert (500, 250, "Ariel", 30, 700, "0,0,0", "STOP") in panel.texts()
        s.keys("q", words=["quit"])
        panel.assert_clean_exit(20)

        log = panel.log()
        assert LOG_HEADER.match(log), log[:60]
        lines = log[LOG_HEADER.match(log).end():].split(b"\r\n")
        # Keys are logged by the character of their code: M as M, F2 (113) as q.
        for line in (b"TX= VA0145000000", b"TX= LM", b"RX= LM 06", b"**1", b"**.", b"**C/R", b"TX= VA0145.50000",
                     b"**M", b"**q", b"TX= MD2", b"**Q"):
            assert line in lines, f"{line} in the log: {lines[:40]}"
        assert lines.index(b"**C/R") < lines.index(b"TX= VA0145.50000"), "the key is logged before its command"


def test_a_receiver_that_never_answers_is_reported_on_the_first_key(folder):
    with started_panel(folder, ("--fault", "silent"), voice="0") as (panel, receiver):
        panel.press("f")
        panel.assert_clean_exit(20)
        plays = panel.plays()
        assert plays[-1] == "rnc" and "connected" not in plays, plays
        assert b"LM\r" in receiver.captured(), "a level poll went out before the panel gave up"
        assert receiver.captured().endswith(b"EX\r")


if __name__ == "__main__":
    run_tests([
        test_tuning_stepping_modes_and_read_outs,
        test_a_receiver_that_never_answers_is_reported_on_the_first_key,
    ])
