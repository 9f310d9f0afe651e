"""voxpan.exe under wine reaching the simulated receiver through Debian's
ser2net, by Winsock: it connects by RFC 2217 and sets the line, tunes, hears
ser2net stop ("rnc") and start again ("connected"), and quits."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_harness import WinePanel, connected, run_with_prefix, wait_for  # noqa: E402
from harness import Session, Simulator, configuration  # noqa: E402
from ser2net_harness import Ser2net  # noqa: E402


def test_the_windows_panel_over_rfc2217_tunes_and_outlives_the_server(folder, prefix):
    receiver = Simulator(folder)
    server = Ser2net(folder, receiver.device)
    device = server.address("rfc2217", "localhost")
    panel = WinePanel(folder, prefix, configuration(device, speed="19200"))
    try:
        with connected(panel, receiver):
            assert receiver.line_report() == "speed=19200 data=8 parity=none stop=2 raw=no", receiver.line_report()
            assert receiver.captured().startswith(b"VA0145000000\rMD1\rAT0\rLM\r"), receiver.captured()
            Session(panel, receiver).keys("1", "4", "5", "period", "5", "Return", commands=["VA0145.50000"],
                                          words=["1", "4", "5", "point", "5", "ok"], timeout=30)
            server.stop()
            wait_for(lambda: "wave/rnc" in panel.plays(), 30, "rnc when ser2net goes")
            server.start()
            wait_for(lambda: panel.plays().count("wave/connected") == 2, 60, "connected when it is back")
            panel.press("q")
            panel.assert_clean_exit(30)
    finally:
        server.stop()
    network = [line for line in panel.problems() if "network port" in line]
    assert len(network) == 1 and network[0].startswith(f"voxpan: network port {device} was lost: "), panel.stderr

if __name__ == "__main__":
    run_with_prefix([test_the_windows_panel_over_rfc2217_tunes_and_outlives_the_server])
