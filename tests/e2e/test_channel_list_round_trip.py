"""A channel list from CHIRP through the whole chain: panbank imports it
into bank 05, the real panel selects the bank, sorts it and writes it into
the simulated receiver's memory bank A with the channels' names, and
panbank exports the sorted bank as the same list in frequency order."""

import os
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Session, run_tests, started_panel, wait_for  # noqa: E402
from test_panbank import HEADER, panbank, row  # noqa: E402

# Name as CSV writes it, MHz, the name the receiver keeps (12 characters).
CHANNELS = [("NOAA 1", "162.400000", "NOAA 1      "),
            ('"Net, ""2m"""', "145.500000", 'Net, "2m"   '),
            ("Weather Radio Main", "162.550000", "Weather Radi"),
            ("Marine 16", "156.800000", "Marine 16   ")]


def chirp_list(channels):
    return HEADER + "\r\n" + "".join(row(location, name, mhz) for location, (name, mhz, _) in enumerate(channels))


def test_a_chirp_list_imported_sorted_written_with_names_and_exported(folder):
    Path(folder, "list.csv").write_text(chirp_list(CHANNELS))
    panbank(folder, "import", "list.csv", "--bank", "05")
    in_order = sorted(CHANNELS, key=lambda channel: float(channel[1]))

    report = os.path.join(folder, "memory.txt")
    with started_panel(folder, ("--memory-report", report), voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "FM", "sel"],
               commands=["MQA%%", "MD1", "VA0162.40000", "ST005000"])
        s.keys("o", "0", "5", "Return", words=["sort", "0", "5", "ok"])
        s.keys("w", "0", "5", "a", words=["write", "fromb", "0", "5", "torb", "A"], commands=["MQA%%"])
        written = [f"MXA{k:02} RF{round(float(mhz) * 1e6):010} ST012500 MD1 TM{kept}"
                   for k, (_, mhz, kept) in enumerate(in_order)]
        s.keys("Return", words=["wait", "ok"], commands=written, timeout=30)
        with open(report) as stored:
            assert [line.split(" TM")[1] for line in stored.read().splitlines()] == [c[2] for c in in_order]
        s.keys("q", words=["quit"])
        panel.assert_clean_exit(20)

    assert panbank(folder, "export", "05")[0] == chirp_list(in_order), "the sorted bank is the list in frequency order"


if __name__ == "__main__":
    run_tests([test_a_chirp_list_imported_sorted_written_with_names_and_exported])
