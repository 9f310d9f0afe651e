"""The Windows programs end to end under wine, each from the zip unpacked
into a new folder. voxpan.exe against the simulated receiver on a COM port
of the wine prefix, driven by the same keys as the Linux program, with the
same bytes on the line, the same words, the same log and the same bank file.
pansetup.exe: the COM ports the registry lists, the receiver asked on one,
VOXPAN.CFG written without questions and then again by the dialogue, the
words copied beside it; voxpan.exe started in that folder outlives its port
vanishing and reopens it when it comes back, where a search passes a
locked-out frequency, locks out another with X and logs its stop in
hits.csv."""

import os
import re
import sys
import time
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_harness import (COM_NUMBER, WinePanel, connected, run_with_prefix, unpacked, wait_for,  # noqa: E402
                          windows_path)
from harness import BANNER, LOG_HEADER, Session, configuration, started_panel  # noqa: E402

# Each step: the keys, and the words they bring (without the pauses).
STEPS = [
    (("1", "4", "5", "period", "5", "Return"), ["1", "4", "5", "point", "5", "ok"]),
    (("F2",), ["AM"]),
    (("F1",), ["FM"]),
    (("p", "0", "7", "Return"), ["put", "0", "7", "bnf", "create", "0", "7", "ok"]),
    (("b", "0", "7", "Return"), ["bank", "0", "7", "FM", "sel"]),
    (("q",), ["quit"]),
]
START_UP_WORDS = ["wave/vox", "wave/4", "wave/point", "wave/0", "wave/1", "wave/4", "wave/5", "wave/FM",
                  "wave/attoff", "wave/connected"]
BAR_LINE = 30
WRITTEN = f"COM:{COM_NUMBER}\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:1\r\nDEBUG:1\r\nHITS:1\r\n".encode()


def drive(panel, receiver):
    """The key steps on a started panel, up to its clean end; what it did."""
    wait_for(lambda: "wave/connected" in panel.plays(), 60, "the receiver's first answer")
    s = Session(panel, receiver)
    for keys, words in STEPS:
        s.keys(*keys, words=words, timeout=30)
    panel.assert_clean_exit(30)
    wait_for(lambda: receiver.captured().endswith(b"EX\r"), 10, "EX last on the line")
    log = panel.log()
    assert LOG_HEADER.match(log), log[:60]
    return {
        "commands": [c for c in receiver.captured().split(b"\r") if c != b"LM"],
        "words": panel.plays(),
        "log": [line for line in log[LOG_HEADER.match(log).end():].split(b"\r\n")
                if line != b"TX= LM" and not line.startswith(b"RX= LM")],
        "bank": Path(panel.folder, "bank07.dat").read_bytes(),
        "line settings": receiver.line_report(),
        # Where and how each text is drawn; not the signal bar, whose
        # redrawing follows the polls, nor the x of a text that continues
        # another, which depends on the fonts' widths.
        "texts": [t[1:] for t in panel.texts() if t[1] != BAR_LINE],
    }


def test_the_zip_under_wine_does_what_the_linux_program_does(folder, prefix):
    linux_folder = os.path.join(folder, "linux")
    os.mkdir(linux_folder)
    with started_panel(linux_folder, ("--signal", "145.5:060")) as (panel, receiver):
        linux = drive(panel, receiver)

    home = unpacked(folder)
    # panbank.exe from the zip tells its commands and puts a list into a bank as panbank on Linux does.
    panbank = os.path.join(home, "panbank.exe")
    code, out, err = prefix.run(home, panbank, "--help")
    assert code == 0 and "panbank import FILE --bank NN" in out, (code, out, err)
    Path(home, "list.csv").write_bytes(b"Location,Name,Frequency,Mode\r\n0,Tower,118.100000,AM\r\n1,DMR,439.5,DMR\r\n")
    code, out, err = prefix.run(home, panbank, "import", "list.csv", "--bank", "05")
    assert code == 0 and "line 3" in err, (out, err)
    assert Path(home, "bank05.dat").read_bytes() == b"bank05\r\nAM\r\n12.5\r\n \r\n118.1\r\nTower\r\n9999\r\n"
    assert Path(home, "VOXPAN.CFG").read_bytes().startswith(f"COM:{COM_NUMBER}\r\n".encode()), "the example names COM5"
    receiver = prefix.receiver(home, "--signal", "145.5:060")
    panel = WinePanel(home, prefix, configuration(COM_NUMBER), wave=None, binary=os.path.join(home, "voxpan.exe"),
                      sound=True)
    with connected(panel, receiver):
        windows = drive(panel, receiver)

    assert windows["words"][:len(START_UP_WORDS)] == START_UP_WORDS, windows["words"]
    assert windows["commands"][:3] == [b"VA0145000000", b"MD1", b"AT0"], windows["commands"]
    assert b"VA0145.50000" in windows["commands"] and windows["commands"][-2:] == [b"EX", b""]
    assert windows["texts"][0] == (0, "System", 12, 700, "0,0,0", BANNER)
    for what in ("commands", "words", "log", "bank", "texts"):
        assert windows[what] == linux[what], f"{what} differ:\n  Windows {windows[what]}\n  Linux   {linux[what]}"
    # The same line, but for XOFF: the Windows panel obeys the receiver's
    # (IXON), the Linux one leaves that as the driver has it (off on the
    # simulator's pseudo-terminal).
    assert windows["line settings"] == linux["line settings"].replace("raw=yes", "raw=no"), windows["line settings"]
    assert panel.problems() == [], panel.stderr
    with open(panel.trace_path) as trace:
        plays = [line.split("\t") for line in trace if "\tplay\t" in line]
    greeting = [int(ms) for ms, _, word in plays[:4]]
    assert greeting[3] - greeting[0] >= 300, f"each word is heard to its end: {plays[:4]}"


def test_pansetup_configures_a_panel_that_outlives_its_port_and_passes_a_lockout(folder, prefix):
    home = unpacked(folder)
    setup = os.path.join(home, "pansetup.exe")
    work = os.path.join(folder, "radio")
    receiver = prefix.receiver(folder, "--signal", "145.5:060")
    try:
        prefix.register_com_port(COM_NUMBER, r"\Device\VCP0")
        status, output, errors = prefix.run(folder, setup, "--list")
        assert status == 0 and f"COM{COM_NUMBER} (USB serial adapter, FTDI)\n" in output, (output, errors)
        status, output, errors = prefix.run(folder, setup, "--probe", "COM7")
        assert status == 1 and "There is no port COM7." in errors, (output, errors)
        status, output, errors = prefix.run(folder, setup, "--probe", f"com{COM_NUMBER}")
        assert status == 0 and output.endswith("The receiver answers at 9600 bits per second.\n"), (output, errors)

        status, output, errors = prefix.run(folder, setup, "--port", f"COM{COM_NUMBER}", "--speed", "9600",
                                            "--voice", "on", "--log", "on", "--folder", windows_path(work))
        assert status == 0 and f"Written: {windows_path(work)}\\VOXPAN.CFG\n" in output, (output, errors)
        assert Path(work, "VOXPAN.CFG").read_bytes() == WRITTEN
        wave = os.path.join(work, "wave")
        assert not os.path.islink(wave) and sorted(os.listdir(wave)) == sorted(os.listdir(os.path.join(home, "wave")))
        assert Path(wave, "vox.wav").read_bytes() == Path(home, "wave", "vox.wav").read_bytes(), "copied"

        # The dialogue with Enter alone at every question: the old values
        # are offered back, the receiver asked, the old file kept as .bak.
        status, output, errors = prefix.run(folder, setup, "--folder", windows_path(work), answers="\n" * 9)
        assert status == 0, (output, errors)
        for said in (f"2. COM{COM_NUMBER} (USB serial adapter, FTDI)\n3. a receiver on the network\n"
                     "Number or port name [2]: ",
                     f"COM{COM_NUMBER} opens for reading and writing.", "the receiver answered.",
                     "Recorded words: the folder's own wave, left as it is",
                     "Written: " + windows_path(work) + "\\VOXPAN.CFG (the old one is kept as VOXPAN.CFG.bak)"):
            assert said in output, f"{said!r} not said:\n{output}"
        assert Path(work, "VOXPAN.CFG").read_bytes() == Path(work, "VOXPAN.CFG.bak").read_bytes() == WRITTEN
        assert sorted(os.listdir(work)) == ["VOXPAN.CFG", "VOXPAN.CFG.bak", "wave"], "no scratch file is left"

        # The panel started in that folder.
        Path(work, "lockout.dat").write_bytes(b"145.5\r\n")
        panel = WinePanel(work, prefix, wave=None, binary=os.path.join(home, "voxpan.exe"))
        with connected(panel):
            assert os.path.exists(os.path.join(work, "debug1.dat")), "the log the file asks for"
            receiver.stop()  # the pseudo-terminal goes away, like a pulled USB adapter
            stat = f"/proc/{panel.process.pid}/stat"
            cpu = lambda: sum(int(v) for v in Path(stat).read_text().split(")")[1].split()[11:13])  # noqa: E731
            before = cpu()
            time.sleep(2.0)
            assert panel.process.poll() is None, "the panel is still running"
            spent = (cpu() - before) / os.sysconf("SC_CLK_TCK")
            assert spent < 1.0, f"the panel spun: {spent:.2f}s CPU in 2s"
            panel.press("f")
            panel.wait_for_play("wave/fm.wav", 30)

            os.mkdir(os.path.join(folder, "back"))
            # The adapter plugged in again, on a receiver that hears two stations.
            returned = prefix.receiver(os.path.join(folder, "back"), "--signal", "145.5:200", "--signal", "145.8:150")
            with connected(panel, returned):
                wait_for(lambda: panel.plays().count("wave/connected") == 2, 30, "connected after the return")
                assert returned.captured().startswith(b"VA0145000000\rMD1\rAT0\rLM\r"), returned.captured()
                s = Session(panel, returned)
                s.keys("c", words=["stmode"], timeout=30)
                s.keys("r", words=["srch", "FM", "act", "stop"], timeout=60)  # on 145.8: 145.5 was passed
                s.keys("x", "Return", "q", words=["lockout", "0", "ok", "quit"], timeout=30)
                panel.assert_clean_exit(30)
    finally:
        receiver.stop()
    assert panel.plays()[-1] == "wave/quit"
    assert panel.problems().count("voxpan: no sound device, the words will not be heard") == 1, panel.stderr
    lost = [line for line in panel.problems() if "was lost" in line]
    assert len(lost) == 1 and lost[0].startswith(f"voxpan: serial port \\\\.\\COM{COM_NUMBER} was lost: "), \
        panel.stderr
    assert len(panel.problems()) == 2, panel.stderr
    assert Path(work, "lockout.dat").read_bytes() == b"145.5\r\n145.8\r\n"
    assert re.fullmatch(rb"time,kind,mhz,mode,level,seconds\r\n\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,"
                        rb"search,145\.8,FM,150,\d+\.\d\r\n", Path(work, "hits.csv").read_bytes())


if __name__ == "__main__":
    run_with_prefix([
        test_the_zip_under_wine_does_what_the_linux_program_does,
        test_pansetup_configures_a_panel_that_outlives_its_port_and_passes_a_lockout,
    ])
