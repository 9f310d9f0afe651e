"""The hit log and the lockouts end to end: a search that stops on two
signals and a bank scan that stops on one, each stop a line of hits.csv;
the bank a CHIRP list imported by panbank, sorted by the panel and written
into the simulated receiver's memory bank A with the channels' names, then
exported by panbank as the same list in frequency order. A frequency locked
out with X during a search in stop mode is passed from then on, also by the
panel started anew in the same folder. Speech is muted (words are traced by
their bare names)."""

import os
import re
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Session, run_tests, started_panel, wait_for  # noqa: E402
from test_panbank import HEADER, panbank, row  # noqa: E402

SIGNALS = ("--signal", "145.5:200", "--signal", "145.8:150")
# Each stop with the level its signal gives.
LINE = re.compile(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,(search|bank),(145\.5(?=,FM,200)|145\.8(?=,FM,150)),"
                  r"FM,\d+,\d+\.\d")
# Name as CSV writes it, MHz, the name the receiver keeps (12 characters).
CHANNELS = [("NOAA 1", "162.400000", "NOAA 1      "),
            ('"Net, ""2m"""', "145.500000", 'Net, "2m"   '),
            ("Weather Radio Main", "162.550000", "Weather Radi"),
            ("Marine 16", "156.800000", "Marine 16   ")]


def read(folder, name):
    return Path(folder, name).read_bytes().decode()


def hits(folder):
    """The stops logged, as (kind, mhz), each line checked whole."""
    lines = read(folder, "hits.csv").split("\r\n")
    assert lines[0] == "time,kind,mhz,mode,level,seconds" and lines[-1] == "", lines
    assert all(LINE.fullmatch(line) for line in lines[1:-1]), lines
    return [LINE.fullmatch(line).groups() for line in lines[1:-1]]


def chirp_list(channels):
    return HEADER + "\r\n" + "".join(row(location, name, mhz) for location, (name, mhz, _) in enumerate(channels))


def test_every_stop_is_a_line_and_a_chirp_list_goes_into_the_receiver_and_out_sorted(folder):
    Path(folder, "list.csv").write_text(chirp_list(CHANNELS))
    panbank(folder, "import", "list.csv", "--bank", "05")
    in_order = sorted(CHANNELS, key=lambda channel: float(channel[1]))
    report = os.path.join(folder, "memory.txt")
    with started_panel(folder, SIGNALS + ("--memory-report", report), voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        s.keys("r", words=["srch", "FM", "act"])
        wait_for(lambda: s.words()[3:5] == ["1", "2"], 40, f"two hits counted aloud, heard {s.words()}")
        # Enter ends the search on its last hit: wait for its tuning too, or
        # on a busy machine it lands among the next keys' commands.
        s.keys("Return", words=["2"], commands=["VA0145.80000"])
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "FM", "sel"],
               commands=["MQA%%", "MD1", "VA0162.40000", "ST005000"])
        s.keys("r", words=["FM", "scan", "stop"], timeout=30)
        s.keys("Return", words=["exitscan", "ok"])
        s.keys("o", "0", "5", "Return", words=["sort", "0", "5", "ok"])
        s.keys("w", "0", "5", "a", words=["write", "fromb", "0", "5", "torb", "A"], commands=["MQA%%"])
        written = [f"MXA{k:02} RF{round(float(mhz) * 1e6):010} ST012500 MD1 TM{kept}"
                   for k, (_, mhz, kept) in enumerate(in_order)]
        s.keys("Return", words=["wait", "ok"], commands=written, timeout=30)
        assert [line.split(" TM")[1] for line in read(folder, "memory.txt").splitlines()] == [c[2] for c in in_order]
        s.keys("q", words=["quit"])
        panel.assert_clean_exit(20)
        stops = hits(folder)
        assert stops[:2] == [("search", "145.5"), ("search", "145.8")] and stops[-1] == ("bank", "145.5"), stops
        assert len(stops) == sum(t[6] == "      *** STOPPED ***  " for t in panel.texts()), "one line a stop"
    assert panbank(folder, "export", "05")[0] == chirp_list(in_order), "the sorted bank is the list in frequency order"


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
    with started_panel(folder, SIGNALS, wave=None, voice="0") as (panel, receiver):  # its trace goes on from the first
        wait_for(lambda: panel.plays().count("connected") == 2, 20, "the first answer of the new run")
        s = Session(panel, receiver)
        s.keys("r", words=["srch", "FM", "act", "1"], timeout=30)
        wait_for(lambda: len(hits(folder)) >= logged + 2, 30, "two more sweeps")
        s.keys("Return", "q", words=["1", "ok", "quit"])
        panel.assert_clean_exit(20)
    assert read(folder, "hits.csv").count("time,kind") == 1, "one header"
    assert ("search", "145.5") not in hits(folder)[logged:], hits(folder)


if __name__ == "__main__":
    run_tests([
        test_every_stop_is_a_line_and_a_chirp_list_goes_into_the_receiver_and_out_sorted,
        test_a_frequency_locked_out_with_x_is_never_stopped_on_again,
    ])
