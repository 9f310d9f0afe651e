"""The hit log and the lockouts end to end: a search that stops on two
signals and a bank scan that stops on one, each stop a line of hits.csv;
a frequency locked out with X during a search in stop mode is passed from
then on, also by the panel started anew in the same folder. Speech is
muted (words are traced by their bare names)."""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Panel, Session, Simulator, Xvfb, configuration, run_tests, started_panel, wait_for  # noqa: E402

SIGNALS = ("--signal", "145.5:200", "--signal", "145.8:150")
# Each stop with the level its signal gives.
LINE = re.compile(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,(search|bank),(145\.5(?=,FM,200)|145\.8(?=,FM,150)),"
                  r"FM,\d+,\d+\.\d")


def read(folder, name):
    with open(os.path.join(folder, name), "rb") as file:
        return file.read().decode()


def hits(folder):
    """The stops logged, as (kind, mhz), each line checked whole."""
    lines = read(folder, "hits.csv").split("\r\n")
    assert lines[0] == "time,kind,mhz,mode,level,seconds" and lines[-1] == "", lines
    assert all(LINE.fullmatch(line) for line in lines[1:-1]), lines
    return [LINE.fullmatch(line).groups() for line in lines[1:-1]]


def test_every_stop_of_a_search_and_a_bank_scan_is_a_line(folder):
    with open(os.path.join(folder, "bank05.dat"), "wb") as bank:
        bank.write(b"bank05\r\nFM\r\n12.5\r\n \r\n144.0\r\n \r\n145.5\r\n \r\n9999\r\n")
    with started_panel(folder, SIGNALS, voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        s.keys("r", words=["srch", "FM", "act"])
        wait_for(lambda: s.words()[3:5] == ["1", "2"], 40, f"two hits counted aloud, heard {s.words()}")
        s.keys("Return", words=["2"])
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "FM", "sel"])
        s.keys("r", words=["FM", "scan", "stop"], timeout=30)
        s.keys("Return", "q", words=["exitscan", "ok", "quit"])
        panel.assert_clean_exit(20)
        stops = hits(folder)
        assert stops[:2] == [("search", "145.5"), ("search", "145.8")] and stops[-1] == ("bank", "145.5"), stops
        assert len(stops) == sum(t[6] == "      *** STOPPED ***  " for t in panel.texts()), "one line a stop"


def test_a_frequency_locked_out_with_x_is_never_stopped_on_again(folder):
    with started_panel(folder, SIGNALS, voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        s.keys("c", words=["stmode"])
        s.keys("r", words=["srch", "FM", "act", "stop"], timeout=30)
        s.keys("x", words=["lockout"])
        wait_for(lambda: "<1E>" in s.commands(), 10, "the search let go at once")
        for _ in range(2):  # 145.8 stops the search each sweep; 145.5 is passed
            wait_for(lambda: s.words()[-1:] == ["stop"], 30, f"the next stop, heard {s.words()}")
            s.keys("space")
        s.keys("Return", "q", words=["1", "ok", "quit"])
        panel.assert_clean_exit(20)
    assert read(folder, "lockout.dat") == "145.5\r\n"
    assert "145.5" not in read(folder, "bank00.dat").split("\r\n"), "taken out of the search list"
    assert hits(folder)[0] == ("search", "145.5") and ("search", "145.5") not in hits(folder)[1:], hits(folder)

    logged = len(hits(folder))
    x = Xvfb()
    receiver = Simulator(folder, *SIGNALS)
    panel = Panel(folder, x.display, configuration(receiver.device, voice="0"), wave=None)
    try:  # the trace goes on from the first run
        wait_for(lambda: panel.plays().count("connected") == 2, 20, "the first answer of the new run")
        s = Session(panel, receiver)
        s.keys("r", words=["srch", "FM", "act", "1"], timeout=30)
        wait_for(lambda: len(hits(folder)) >= logged + 2, 30, "two more sweeps")
        s.keys("Return", "q", words=["1", "ok", "quit"])
        panel.assert_clean_exit(20)
    finally:
        panel.kill()
        receiver.stop()
        x.stop()
    assert read(folder, "hits.csv").count("time,kind") == 1, "one header"
    assert ("search", "145.5") not in hits(folder)[logged:], hits(folder)


if __name__ == "__main__":
    run_tests([
        test_every_stop_of_a_search_and_a_bank_scan_is_a_line,
        test_a_frequency_locked_out_with_x_is_never_stopped_on_again,
    ])
