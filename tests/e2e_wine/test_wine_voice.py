"""The voice on Windows under wine, from the zip: pansetup.exe copies in the
words of the pace chosen and copies the normal ones back when asked, keeping
the rest of VOXPAN.CFG; the panel set up for the system voice finds none it
can speak with (wine's SAPI says no words), says so in one line and speaks
its recorded words."""

import os
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_harness import COM_NUMBER, WinePanel, connected, run_with_prefix, unpacked, windows_path  # noqa: E402
from harness import Session  # noqa: E402


def same_words(folder, words):
    return all(Path(folder, name).read_bytes() == Path(words, name).read_bytes() for name in os.listdir(words))


def test_the_pace_is_copied_in_and_a_missing_speech_voice_leaves_the_recordings(folder, prefix):
    home = unpacked(folder)
    setup = os.path.join(home, "pansetup.exe")
    work = os.path.join(folder, "radio")
    receiver = prefix.receiver(folder)
    status, output, errors = prefix.run(folder, setup, "--port", f"COM{COM_NUMBER}", "--speed", "9600", "--voice",
                                        "system", "--pace", "fast", "--log", "off", "--folder", windows_path(work))
    assert status == 0, (output, errors)
    assert Path(work, "VOXPAN.CFG").read_bytes().split(b"\r\n")[3] == b"VOICE:S fast"
    assert same_words(os.path.join(work, "wave"), os.path.join(home, "wave-fast")), "the fast words copied in"
    status, output, errors = prefix.run(folder, setup, "--pace", "normal", "--folder", windows_path(work))
    assert status == 0, (output, errors)
    assert Path(work, "VOXPAN.CFG").read_bytes().split(b"\r\n")[3] == b"VOICE:S"
    assert same_words(os.path.join(work, "wave"), os.path.join(home, "wave")), "the normal words copied back"
    assert sorted(os.listdir(work)) == ["VOXPAN.CFG", "VOXPAN.CFG.bak", "wave"], "no copy is left behind"

    panel = WinePanel(work, prefix, wave=None, binary=os.path.join(home, "voxpan.exe"))
    with connected(panel, receiver):
        Session(panel, receiver).keys("q", words=["quit"], timeout=30)
        panel.assert_clean_exit(30)
    assert panel.plays()[:4] == ["wave/vox", "wave/4", "wave/point", "wave/0"], panel.plays()
    told = [line for line in panel.problems() if "SAPI" in line]
    assert len(told) == 1 and told[0].endswith("the panel speaks its recorded words from now on"), panel.stderr


if __name__ == "__main__":
    run_with_prefix([test_the_pace_is_copied_in_and_a_missing_speech_voice_leaves_the_recordings])
