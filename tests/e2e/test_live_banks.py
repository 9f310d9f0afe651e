"""Banks, search and the receiver's memory end to end: a search that stops
on two signals and is saved with Enter, a put, a copy, a bank selected,
browsed, scanned, sorted, a channel and a bank deleted; a transfer into a
receiver bank, its memory scan stopping and going on, the bank check; and
a panel killed while it rewrites a bank. Speech is muted to keep the run
short (words are traced by their bare names); the pauses play."""

import os
import random
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Session, run_tests, started_panel, wait_for  # noqa: E402


def bank(folder, name):
    with open(os.path.join(folder, name), "rb") as file:
        return file.read()


def bank_bytes(label, channels, mode="FM", step="12.5"):
    lines = [label, mode, step, " "]
    for channel in channels:
        lines += [channel, " "]
    return ("\r\n".join(lines + ["9999"]) + "\r\n").encode()


def test_search_put_copy_select_browse_scan_sort_and_delete(folder):
    simulator = ("--signal", "145.5:180", "--signal", "145.8:150")
    with started_panel(folder, simulator, voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")

        # A search between the limits 145 and 146 that goes on after each stop.
        s.keys("r", words=["srch", "FM", "act"],
               commands=["VA0145000000", "VB0146000000", "ST012.50", "MD1", "VS"])
        empty_list = bank_bytes("Scanbank", [])
        assert bank(folder, "bank00.dat") == empty_list, "the list is written before any command"
        wait_for(lambda: s.words()[3:5] == ["1", "2"], 40, f"two hits counted aloud, heard {s.words()}")
        assert "RX" in s.commands() and "<1E>" in s.commands(), s.commands()
        hits = bank_bytes("Scanbank", ["145.5", "145.8"])
        assert bank(folder, "bank00.dat") == hits, "each hit is on disk before Enter"
        s.keys("Return", words=["2"])
        assert bank(folder, "bank00.dat") == hits

        # A put creates bank 05; the copy of the search list joins it.
        s.keys("1", "4", "4", "Return", words=["1", "4", "4", "ok"], commands=["VA0144000000"])
        s.keys("p", "0", "5", "Return", words=["put", "0", "5", "bnf", "create", "0", "5", "ok"])
        s.keys("t", "0", "5", "Return", words=["transfer", "0", "5", "ok"])
        assert bank(folder, "bank05.dat") == bank_bytes("bank05", ["144.0", "145.5", "145.8"])

        # Selected, browsed both ways round, then scanned until a signal.
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "FM", "sel"],
               commands=["MQA%%", "MD1", "VA0144.00000", "ST012.50"])
        s.keys("Down", "Up", words=["beep"], commands=["VA0145.80000", "VA0144.00000"])
        s.keys("r", words=["FM", "scan", "stop"], timeout=30)
        assert panel.texts()[-1][6] == "      *** STOPPED ***  "
        assert "VA0145.50000" in s.commands(), "stopped on the channel with the signal"
        s.keys("Return", words=["exitscan", "ok"])

        # Sorted; the first channel deleted from the selected bank; the bank deleted.
        s.keys("o", "0", "5", "Return", words=["sort", "0", "5", "ok"])
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "FM", "sel"])
        # The selection's step comes after its words: wait for it, or it is
        # counted among the kill's commands.
        wait_for(lambda: s.commands()[-1:] == ["ST012.50"], 20, f"the selection's step, sent {s.commands()}")
        s.keys("k", "Return", words=["kill", "ok"], commands=["VA0145.50000"])
        assert bank(folder, "bank05.dat") == bank_bytes("bank05", ["145.5", "145.8"])
        s.keys("d", "0", "5", "Return", words=["delete", "0", "5", "ok"])
        assert not os.path.exists(os.path.join(folder, "bank05.dat"))
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "bnf"])
        s.keys("q", words=["quit"])
        panel.assert_clean_exit(20)


def test_transfer_memory_scan_and_bank_check(folder):
    with open(os.path.join(folder, "bank01.dat"), "wb") as file:
        file.write(bank_bytes("bank01", ["433.075", "144.0"]))
    report = os.path.join(folder, "memory.txt")
    # The signal on 433.075 ends 12 s after the receiver starts: the memory
    # scan stops on it, then goes on by itself.
    simulator = ("--signal", "433.075:200:12", "--bank", "D=50", "--memory-report", report)
    with started_panel(folder, simulator, voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        s.keys("w", "0", "1", "a", words=["write", "fromb", "0", "1", "torb", "A"], commands=["MQA%%"])
        s.keys("Return", words=["wait", "ok"],
               commands=["MXA00 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx",
                         "MXA01 RF0144000000 ST012500 MD1 TMxxxxxxxxxxxx"])
        with open(report) as stored:
            assert stored.read().splitlines() == [
                "A00 RF0433075000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx",
                "A01 RF0144000000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx"]

        s.keys("g", "a", "Return", words=["radbank", "A", "stop"], commands=["LC1", "MSA"])
        assert panel.texts()[-1][6] == "      *** STOPPED ***  "
        wait_for(lambda: s.words()[-1:] == ["scan"], 30, "the scan going on once the signal ended")
        assert panel.texts()[-1][6] == "      *** SCANNING ***  "

        s.keys("z", words=["ckconfig", "D", "ok"], timeout=60)
        queries = [c for c in s.commands() if c.startswith("MW")]
        assert queries == ["MWA", "MWB", "MWC", "MWD", "MWD90", "MWE", "MWF", "MWG", "MWH", "MWI", "MWJ"], queries
        s.keys("q", words=["quit"])
        panel.assert_clean_exit(20)


def test_a_bank_check_against_a_receiver_that_ignores_it_ends_with_rnc(folder):
    with started_panel(folder, ("--ignore", "MW"), voice="0") as (panel, receiver):
        s = Session(panel, receiver)
        wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
        started = time.monotonic()
        s.keys("z", words=["ckconfig", "rnc"], timeout=30)
        assert time.monotonic() - started < 10, "the check gives up within its bound"
        assert "ok" not in s.words()
        s.keys("f", words=["1", "4", "5", "point", "0", "fm.wav"])  # the panel goes on


def test_a_panel_killed_while_it_rewrites_a_bank_leaves_one_whole_file(folder):
    rng = random.Random(7)
    frequencies = [f"{rng.uniform(30, 2000):.4f}" for _ in range(197)]
    old = bank_bytes("bank07", frequencies)
    new = bank_bytes("bank07", sorted(frequencies, key=float))
    outcomes = set()
    for attempt in range(6):
        work = os.path.join(folder, f"run{attempt}")
        os.mkdir(work)
        with open(os.path.join(work, "bank07.dat"), "wb") as file:
            file.write(old)
        with started_panel(work, voice="0", debug="0") as (panel, receiver):
            s = Session(panel, receiver)
            wait_for(lambda: "connected" in panel.plays(), 20, "the first answer")
            s.keys("o", "0", "7", words=["sort", "0", "7"])
            panel.press("Return")
            time.sleep(attempt * 0.04)
            os.kill(panel.process.pid, signal.SIGKILL)
            panel.process.wait()
        left = bank(work, "bank07.dat")
        assert left in (old, new), f"attempt {attempt}: a mix or a cut file of {len(left)} bytes"
        outcomes.add("new" if left == new else "old")
    print(f"files left after the kills: {sorted(outcomes)}")


if __name__ == "__main__":
    run_tests([
        test_search_put_copy_select_browse_scan_sort_and_delete,
        test_transfer_memory_scan_and_bank_check,
        test_a_bank_check_against_a_receiver_that_ignores_it_ends_with_rnc,
        test_a_panel_killed_while_it_rewrites_a_bank_leaves_one_whole_file,
    ])
