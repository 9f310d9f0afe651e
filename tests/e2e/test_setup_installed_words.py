"""The panel installed into a temporary prefix and started in an empty
folder (no "wave" there) plays the words installed beside it,
<prefix>/share/voxpan/wave, found from its own executable: an operator who
started it in the wrong folder hears "configuration file not found"."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Xvfb  # noqa: E402
from setup_harness import install, run_tests  # noqa: E402


def test_installed_panel_in_an_empty_folder_plays_cfnf_from_the_installed_words(folder):
    prefix = os.path.realpath(install(os.path.join(folder, "prefix")))
    empty = os.path.join(folder, "empty")
    os.mkdir(empty)
    trace = os.path.join(folder, "trace.txt")
    x = Xvfb()
    try:
        env = dict(os.environ, DISPLAY=x.display, VOXPAN_TRACE=trace, SDL_AUDIODRIVER="dummy")
        env.pop("SDL_VIDEODRIVER", None)
        panel = subprocess.run([os.path.join(prefix, "bin/voxpan")], cwd=empty, env=env, stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=30)
        assert panel.returncode == 0, panel
    finally:
        x.stop()
    with open(trace, encoding="latin-1") as lines:
        plays = [line.rstrip("\n").split("\t")[2] for line in lines if "\tplay\t" in line]
    expected = os.path.join(prefix, "share/voxpan/wave/cfnf")
    assert [os.path.normpath(path) for path in plays] == [expected], \
        f"played {plays}, not the installed word {expected}"


if __name__ == "__main__":
    run_tests([test_installed_panel_in_an_empty_folder_plays_cfnf_from_the_installed_words])
