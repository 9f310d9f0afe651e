"""The Windows programs as a Windows user meets them, under wine: a user
folder named in Cyrillic letters; voxpan.err emptied at each start; the
receiver's XOFF obeyed; Alt, and a key held while another window takes the
keyboard; hits.csv held by a spreadsheet and by a reader; a log-off
cancelled, and one that goes ahead."""

import os
import re
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_harness import (COM_NUMBER, WinePanel, connected, run_with_prefix, unpacked, wait_for,  # noqa: E402
                          windows_path)
from harness import TITLE, Session, configuration  # noqa: E402

HIT = re.compile(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d,search,145\.[58],FM,\d+,\d+\.\d")


def hit_lines(folder):
    """The stop lines of hits.csv, each checked whole; none while it is empty."""
    lines = Path(folder, "hits.csv").read_bytes().decode().split("\r\n")
    assert lines == [""] or lines[0] == "time,kind,mhz,mode,level,seconds" and lines[-1] == "", lines
    assert all(HIT.fullmatch(line) for line in lines[1:-1]), lines
    return lines[1:-1]


def stopped_on(panel):
    """The frequency read and shown since the search last stopped, if any."""
    trace = panel.trace()
    stop = max(i for i, line in enumerate(trace) if line[:2] == ["play", "wave/stop"])
    shown = [line[7] for line in trace[stop:] if line[0] == "text" and line[6] == "0,0,255"]
    return shown[-1] if shown else None


def hold_hits(prefix, folder, sharing):
    """hits.csv held letting others only "read" or "read-write"; what lets it go."""
    release = os.path.join(folder, "let-go-" + sharing)
    held, said = prefix.helper(folder, "hold", windows_path(os.path.join(folder, "hits.csv")), sharing,
                               windows_path(release))
    assert said() == "held\n", said()
    return lambda: (Path(release).touch(), held.wait(30))


def end_session(prefix, folder, ending):
    """The session ends ("yes"), or another program cancels it ("no")."""
    sender, said = prefix.helper(folder, "end-session", TITLE, ending)
    sender.wait(30)
    return said()


def test_a_cyrillic_user_folder_sets_up_hears_the_installed_words_and_saves_a_bank_twice(folder, prefix):
    profile = os.path.join(folder, "Пользователь")
    home = unpacked(profile, "Загрузки")
    work = os.path.join(profile, "voxpan")
    receiver = prefix.receiver(folder, "--signal", "145.5:060")
    try:
        status, output, errors = prefix.run(folder, os.path.join(home, "pansetup.exe"), "--port", f"COM{COM_NUMBER}",
                                            "--speed", "9600", "--voice", "on", "--log", "off", user_profile=profile)
        assert status == 0 and f"Written: {windows_path(work)}\\VOXPAN.CFG\n" in output, (output, errors)
        assert sorted(os.listdir(os.path.join(work, "wave"))) == sorted(os.listdir(os.path.join(home, "wave")))
        # Without a word folder of its own the panel plays those beside voxpan.exe.
        os.rename(os.path.join(work, "wave"), os.path.join(work, "wave.old"))
        panel = WinePanel(work, prefix, wave=None, binary=os.path.join(home, "voxpan.exe"), sound=True)
        with connected(panel, receiver):
            s = Session(panel, receiver)
            s.keys("p", "0", "7", "Return", words=["put", "0", "7", "bnf", "create", "0", "7", "ok"], timeout=30)
            s.keys("1", "4", "5", "period", "5", "Return", words=["1", "4", "5", "point", "5", "ok"], timeout=30)
            s.keys("p", "0", "7", "Return", "q", words=["put", "0", "7", "ok", "quit"], timeout=30)
            panel.assert_clean_exit(30)
    finally:
        receiver.stop()
    assert f"voxpan: no 'wave' folder of recorded words in {windows_path(work)}: playing the installed words from " \
           f"{windows_path(os.path.join(home, 'wave'))}\\" in panel.problems(), panel.stderr
    assert not [line for line in panel.problems() if "is not heard" in line], panel.stderr
    assert Path(work, "bank07.dat").read_bytes() == b"bank07\r\nFM\r\n12.5\r\n \r\n145.0\r\n \r\n145.5\r\n \r\n9999\r\n"


def test_a_windows_users_first_week_keys_files_and_log_off(folder, prefix):
    from Xlib import X, display as xdisplay, protocol
    Path(folder, "voxpan.err").write_bytes(b"voxpan: a line of an earlier run\r\n")
    receiver = prefix.receiver(folder, "--signal", "145.5:200", "--signal", "145.8:150")
    panel = WinePanel(folder, prefix, configuration(COM_NUMBER))
    with connected(panel, receiver):
        assert Path(folder, "voxpan.err").read_bytes() == b"", "emptied at the start"
        assert receiver.line_report() == "speed=9600 data=8 parity=none stop=2 raw=no", "XOFF obeyed: IXON"
        s = Session(panel, receiver)
        s.keys("alt", "F2", words=["AM"], timeout=30)

        # Another window takes the keyboard while F2 is held; a window
        # manager gives it back.
        screen = xdisplay.Display(panel.display)
        other = screen.screen().root.create_window(0, 0, 200, 100, 0, screen.screen().root_depth)
        other.map()
        screen.sync()
        wait_for(lambda: other.get_attributes().map_state == X.IsViewable, 10, "the other window")
        panel.xdotool("windowfocus", "--sync", panel.window())
        s.mark()
        panel.xdotool("keydown", "F2")
        wait_for(lambda: s.words() == ["AM"], 30, "AM for the held key")
        panel.xdotool("windowfocus", "--sync", str(other.id))
        panel.xdotool("keyup", "F2")
        panel.xdotool("windowfocus", "--sync", panel.window())
        window = screen.create_resource_object("window", int(panel.window()))
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=screen.intern_atom("WM_PROTOCOLS"),
            data=(32, [screen.intern_atom("WM_TAKE_FOCUS"), X.CurrentTime, 0, 0, 0])), event_mask=X.NoEventMask)
        screen.sync()
        screen.close()
        s.mark()
        panel.xdotool("key", "F1")
        wait_for(lambda: s.words()[:1] == ["FM"], 30, f"FM for the next key, heard {s.words()}")

        # A spreadsheet holds hits.csv (others may only read it) while two
        # stops end; then a reader holds it, letting others write.
        let_go = hold_hits(prefix, folder, "read")
        s.keys("r", words=["srch", "FM", "act"], timeout=30)
        wait_for(lambda: sum(t[6] == "Search Mode Active" for t in panel.texts()) > 2, 60, "two stops ended")
        assert Path(folder, "hits.csv").read_bytes() == b"", "nothing written past the spreadsheet"
        let_go()
        wait_for(lambda: len(hit_lines(folder)) >= 2, 10, "the stops written once it lets go")
        let_go = hold_hits(prefix, folder, "read-write")
        before = len(hit_lines(folder))
        wait_for(lambda: len(hit_lines(folder)) > before, 60, "a line while the reader holds it")
        let_go()
        assert panel.problems().count("voxpan: hits.csv is held by another program; its new lines wait until it "
                                      "lets go") == 1, panel.problems()

        # A log-off another program cancels, then one that goes ahead
        # while the search is stopped.
        assert end_session(prefix, folder, "no") == "may end: 1\nsent\n" and panel.process.poll() is None
        s.keys("c", words=["stmode"], timeout=30)
        wait_for(lambda: s.words()[-1:] == ["stop"] and stopped_on(panel), 60, "the search stopped on a signal")
        logged = len(hit_lines(folder))
        end_session(prefix, folder, "yes")
        assert panel.wait(30) == 0, panel.stderr
        assert receiver.captured().endswith(b"EX\r"), receiver.captured()[-40:]
        assert len(hit_lines(folder)) == logged + 1, "the stop going on is logged"
        assert hit_lines(folder)[-1].split(",")[2] == stopped_on(panel)
        assert "wave/quit" not in panel.plays()


if __name__ == "__main__":
    run_with_prefix([
        test_a_cyrillic_user_folder_sets_up_hears_the_installed_words_and_saves_a_bank_twice,
        test_a_windows_users_first_week_keys_files_and_log_off,
    ])
