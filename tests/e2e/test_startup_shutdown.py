"""Start-up and shutdown of the real program: the missing configuration, a
normal start with its log header and greeting, close requests from the close
box and from signals, and a machine with no display at all."""

import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import BANNER, LOG_HEADER, Panel, Xvfb, configuration, run_tests, started_panel, wait_for  # noqa: E402

GREETING = ["wave/vox", "wave/4", "wave/point", "wave/0"]


def test_missing_configuration_reports_and_ends_by_itself(folder):
    x = Xvfb()
    try:
        panel = Panel(folder, x.display, config=None)
        panel.assert_clean_exit(30)
        texts = [(t[0], t[1], t[6]) for t in panel.texts()]
        assert texts == [(0, 30, "--- VOXPAN.CFG file not found ---"),
                         (0, 60, "please run the 'PANSETUP' program")], texts
        assert panel.plays() == ["wave/cfnf"], panel.plays()
        assert not os.path.exists(os.path.join(folder, "debug1.dat"))
    finally:
        x.stop()


def test_normal_start_greets_logs_and_closes_with_the_close_box(folder):
    with started_panel(folder) as (panel, receiver):
        plays = panel.plays()
        assert plays[:4] == GREETING, plays
        banner = panel.texts()[0]
        assert banner[:2] == (270, 0) and banner[6] == BANNER, banner
        panel.request_close()
        panel.assert_clean_exit(20)
        assert ["close"] in panel.trace(), "the close box reached the panel as a close request"
        log = panel.log()
        assert LOG_HEADER.match(log), log[:60]
        assert b"EX" not in log, "the log is closed before EX is sent"
        assert wait_for(lambda: receiver.captured().endswith(b"EX\r"), 5, "EX on the line")


def signal_ends_the_run(folder, signal_number):
    with started_panel(folder) as (panel, receiver):
        panel.window()
        os.kill(panel.process.pid, signal_number)
        panel.assert_clean_exit(20)
        assert ["close"] in panel.trace(), "the close request reached the handler"
        assert wait_for(lambda: receiver.captured().endswith(b"EX\r"), 5, "EX on the line")


def test_sigterm_is_a_close_request(folder):
    signal_ends_the_run(folder, signal.SIGTERM)


def test_sigint_is_a_close_request(folder):
    signal_ends_the_run(folder, signal.SIGINT)


def test_sighup_is_a_close_request(folder):
    signal_ends_the_run(folder, signal.SIGHUP)


def test_a_request_the_display_refuses_is_told_once_and_the_panel_goes_on(folder):
    """A drag over the window from a window that has gone: the panel's answer
    to it is refused by the X server, twice."""
    from Xlib import X, display as xdisplay, protocol
    with started_panel(folder, voice="0") as (panel, receiver):
        connection = xdisplay.Display(panel.display)
        gone = connection.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        gone.destroy()
        window = connection.create_resource_object("window", int(panel.window()))
        position = connection.intern_atom("XdndPosition")
        for _ in range(2):
            window.send_event(protocol.event.ClientMessage(window=window, client_type=position,
                                                           data=(32, [gone.id, 0, 0, X.CurrentTime, 0])))
        connection.sync()
        connection.close()
        try:
            panel.press("q")
        except subprocess.CalledProcessError:
            pass  # no window to type into: the status and stderr say why
        panel.assert_clean_exit(20)
        assert panel.plays()[-1] == "quit", panel.plays()
        lines = panel.stderr.splitlines()
        assert len(lines) == 1 and lines[0].startswith("voxpan: ") and "BadWindow" in lines[0] \
            and "X_SendEvent" in lines[0], "one line naming the error and the request: " + panel.stderr
        assert wait_for(lambda: receiver.captured().endswith(b"EX\r"), 5, "EX on the line")


def test_without_a_display_the_failure_is_reported(folder):
    panel = Panel(folder, None, configuration("/dev/null-port"))
    code = panel.wait(20)
    assert code != 0, "no window is a failure, not a success"
    assert "window" in panel.stderr.lower(), panel.stderr
    assert panel.plays() == [], "nothing runs without the window"


if __name__ == "__main__":
    run_tests([
        test_missing_configuration_reports_and_ends_by_itself,
        test_normal_start_greets_logs_and_closes_with_the_close_box,
        test_sigterm_is_a_close_request,
        test_sigint_is_a_close_request,
        test_sighup_is_a_close_request,
        test_a_request_the_display_refuses_is_told_once_and_the_panel_goes_on,
        test_without_a_display_the_failure_is_reported,
    ])
