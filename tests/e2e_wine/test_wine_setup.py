"""pansetup.exe from the zip under wine: the COM ports the registry lists,
the receiver asked on one, VOXPAN.CFG written without questions and then
again by the dialogue, the words copied beside it, and voxpan.exe started in
that folder connecting to the receiver."""

import os
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_harness import COM_NUMBER, WinePanel, connected, run_with_prefix, unpacked, windows_path  # noqa: E402

WRITTEN = f"COM:{COM_NUMBER}\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:1\r\nDEBUG:1\r\nHITS:1\r\n".encode()


def test_pansetup_writes_a_configuration_the_panel_runs_with(folder, prefix):
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
        status, output, errors = prefix.run(folder, setup, "--folder", windows_path(work), answers="\n" * 8)
        assert status == 0, (output, errors)
        for said in (f"2. COM{COM_NUMBER} (USB serial adapter, FTDI)\nNumber or port name [2]: ",
                     f"COM{COM_NUMBER} opens for reading and writing.", "the receiver answered.",
                     "Recorded words: the folder's own wave, left as it is",
                     "Written: " + windows_path(work) + "\\VOXPAN.CFG (the old one is kept as VOXPAN.CFG.bak)"):
            assert said in output, f"{said!r} not said:\n{output}"
        assert Path(work, "VOXPAN.CFG").read_bytes() == Path(work, "VOXPAN.CFG.bak").read_bytes() == WRITTEN
        assert sorted(os.listdir(work)) == ["VOXPAN.CFG", "VOXPAN.CFG.bak", "wave"], "no scratch file is left"

        panel = WinePanel(work, prefix, wave=None, binary=os.path.join(home, "voxpan.exe"))
        with connected(panel):
            assert os.path.exists(os.path.join(work, "debug1.dat")), "the log the file asks for"
            panel.press("q")
            panel.assert_clean_exit(30)
    finally:
        receiver.stop()
    assert [line for line in panel.problems() if "no sound device" not in line] == [], panel.stderr


if __name__ == "__main__":
    run_with_prefix([test_pansetup_writes_a_configuration_the_panel_runs_with])
