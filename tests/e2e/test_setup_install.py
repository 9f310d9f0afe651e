"""cmake --install into a temporary prefix: every file where the README
says, the man pages and the desktop entry valid, the installed pansetup
linking the installed words, and the desktop entry starting the panel in
~/voxpan."""

import os
import re
import signal
import stat
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Xvfb, wait_for  # noqa: E402
from setup_harness import SOURCE_DIR, desktop_entry, exec_arguments, install, run_setup, run_tests  # noqa: E402

WORD_FOLDERS = ("share/voxpan/wave/", "share/voxpan/wave-fast/", "share/voxpan/wave-fastest/")
EXPECTED = {"bin/voxpan", "bin/pansetup", "bin/panbank", *WORD_FOLDERS, "share/applications/voxpan.desktop",
            "share/man/man1/voxpan.1", "share/man/man1/pansetup.1", "share/man/man1/panbank.1",
            "share/metainfo/example.c_seed_37a40c22.voxpan.metainfo.xml", "share/icons/hicolor/scalable/apps/voxpan.svg"}


def readme_paths():
    """The installed files the README lists, relative to the prefix."""
    with open(os.path.join(SOURCE_DIR, "README.md"), encoding="utf-8") as readme:
        return set(re.findall(r"^\| `/usr/local/([^`]+)` \|", readme.read(), re.MULTILINE))


def words():
    with open(os.path.join(SOURCE_DIR, "data", "words.tsv"), encoding="utf-8") as table:
        return [line.split("\t")[0] for line in table if "\t" in line and not line.startswith("#")]


def rendered(page):
    result = subprocess.run(["groff", "-man", "-Tascii", "-P-cbou", "-ww", page], capture_output=True, text=True)
    assert result.returncode == 0 and result.stderr == "", f"{page}: {result.stderr}"
    return result.stdout


def test_every_file_is_where_the_readme_says_and_the_entry_and_pages_are_valid(folder):
    prefix = install(os.path.join(folder, "prefix"))
    listed = readme_paths()
    assert listed == EXPECTED, f"the README's table lists {sorted(listed)}"
    for path in listed:
        assert os.path.exists(os.path.join(prefix, path)), f"{path} is not installed"
    for program in ("bin/voxpan", "bin/pansetup", "bin/panbank"):
        assert os.stat(os.path.join(prefix, program)).st_mode & stat.S_IXOTH, f"{program} is not executable"
    for folder in WORD_FOLDERS:
        installed_words = sorted(os.listdir(os.path.join(prefix, folder)))
        assert installed_words == sorted(word + ".wav" for word in words()), (folder, installed_words)

    desktop = os.path.join(prefix, "share/applications/voxpan.desktop")
    # Only a hint is left: Accessibility could also be put under Utility, a
    # second main category that would list the panel twice in the menu.
    validated = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
    assert validated.returncode == 0 and not re.search(r": (error|warning): ", validated.stdout), validated
    entry = desktop_entry(desktop)
    categories = entry["Categories"].split(";")
    assert {"AudioVideo", "HamRadio", "Accessibility"} <= set(categories), categories
    [metainfo] = [os.path.join(prefix, path) for path in listed if path.startswith("share/metainfo/")]
    validated = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], capture_output=True, text=True)
    assert validated.returncode == 0, validated.stdout + validated.stderr
    assert entry["Type"] == "Application" and entry["Terminal"] == "false", entry

    help_text = run_setup("--help", program=os.path.join(prefix, "bin/pansetup")).stdout
    options = set(re.findall(r"^\s+(--[a-z]+)", help_text, re.MULTILINE))
    assert len(options) == 11, options
    page = rendered(os.path.join(prefix, "share/man/man1/pansetup.1"))
    for option in options:
        assert option in page, f"pansetup(1) does not describe {option}"
    assert "VOXPAN_TRACE" in rendered(os.path.join(prefix, "share/man/man1/voxpan.1"))


def test_the_installed_pansetup_links_the_installed_words(folder):
    prefix = install(os.path.join(folder, "prefix"))
    master, slave = os.openpty()
    work = os.path.join(folder, "work")
    written = run_setup("--port", os.ttyname(slave), "--speed", "9600", "--voice", "on", "--log", "off",
                        "--folder", work, program=os.path.join(prefix, "bin/pansetup"))
    os.close(slave)
    os.close(master)
    assert written.returncode == 0, written
    assert os.path.realpath(os.path.join(work, "wave")) == os.path.realpath(os.path.join(prefix, "share/voxpan/wave"))


def test_the_desktop_entry_starts_the_panel_in_home_voxpan(folder):
    prefix = install(os.path.join(folder, "prefix"))
    command = exec_arguments(desktop_entry(os.path.join(prefix, "share/applications/voxpan.desktop"))["Exec"])
    assert os.path.join(prefix, "bin/voxpan") in command[-1], command
    home = os.path.join(folder, "home")
    work = os.path.join(home, "voxpan")
    os.makedirs(work)
    # A configuration that asks for the log: debug1.dat appears where the panel runs.
    with open(os.path.join(work, "VOXPAN.CFG"), "w", newline="") as cfg:
        cfg.write("COM:/dev/ttyNONE\r\nSPEED:9600\r\nTYPE:AR8600\r\nVOICE:0\r\nDEBUG:1\r\n")
    x = Xvfb()
    try:
        env = dict(os.environ, HOME=home, DISPLAY=x.display, SDL_AUDIODRIVER="dummy")
        env.pop("SDL_VIDEODRIVER", None)
        panel = subprocess.Popen(command, env=env, cwd=folder, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        try:
            wait_for(lambda: os.path.exists(os.path.join(work, "debug1.dat")), 20, "the log in ~/voxpan")
        finally:
            panel.send_signal(signal.SIGTERM)
            assert panel.wait(20) == 0
        # Without ~/voxpan it starts in the home folder, finds no configuration and ends by itself.
        os.remove(os.path.join(work, "VOXPAN.CFG"))
        os.remove(os.path.join(work, "debug1.dat"))
        os.rmdir(work)
        alone = subprocess.run(command, env=env, cwd=folder, stdin=subprocess.DEVNULL, capture_output=True,
                               timeout=30)
        assert alone.returncode == 0, alone
    finally:
        x.stop()


if __name__ == "__main__":
    run_tests([
        test_every_file_is_where_the_readme_says_and_the_entry_and_pages_are_valid,
        test_the_installed_pansetup_links_the_installed_words,
        test_the_desktop_entry_starts_the_panel_in_home_voxpan,
    ])
