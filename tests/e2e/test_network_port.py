"""The receiver behind Debian's ser2net, reached by the real panel by raw TCP
and by RFC 2217 (the bytes, the line settings, a bank transfer, ser2net
restarted), and by pansetup's probe, options and dialogue."""

import contextlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Panel, Session, Simulator, Xvfb, configuration, run_tests, wait_for  # noqa: E402
from ser2net_harness import Ser2net, free_ports  # noqa: E402
from setup_harness import Conversation, fake_device_tree, run_setup  # noqa: E402

START_UP = b"VA0145000000\rMD1\rAT0\r"


@contextlib.contextmanager
def behind_ser2net(folder, kind, host="127.0.0.1", **config):
    """The panel, connected by the kind of port to a simulated receiver behind ser2net."""
    x = Xvfb()
    receiver = Simulator(folder)
    server = Ser2net(folder, receiver.device)
    panel = Panel(folder, x.display, configuration(server.address(kind, host), voice="0", **config))
    try:
        wait_for(lambda: "connected" in panel.plays(), 30, "connected")
        yield panel, receiver, server
        panel.press("q")
        panel.assert_clean_exit(20)
        wait_for(lambda: receiver.captured().endswith(b"EX\r"), 10, "EX last on the line")
    finally:
        panel.kill()
        server.stop()
        receiver.stop()
        x.stop()


def test_raw_tcp_tunes_transfers_a_bank_and_comes_back_after_ser2net_restarts(folder):
    with open(os.path.join(folder, "bank01.dat"), "wb") as file:
        file.write(b"bank01\r\nFM\r\n12.5\r\n \r\n433.075\r\n \r\n144.0\r\n \r\n9999\r\n")
    with behind_ser2net(folder, "tcp", host="localhost") as (panel, receiver, server):
        assert receiver.line_report() == "speed=9600 data=8 parity=none stop=2 raw=yes", "as ser2net sets it"
        s = Session(panel, receiver)
        s.keys("1", "4", "5", "period", "5", "Return", words=["1", "4", "5", "point", "5", "ok"])
        s.keys("w", "0", "1", "a", "Return", words=["write", "fromb", "0", "1", "torb", "A", "wait", "ok"])
        transfer = b"VA0145.50000\rMQA%%\rMXA00 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx\r" \
                   b"MXA01 RF0144000000 ST012500 MD1 TMxxxxxxxxxxxx\r"

        server.stop()
        wait_for(lambda: "rnc" in panel.plays(), 20, "rnc when ser2net goes")
        panel.press("F2")
        wait_for(lambda: panel.plays().count("rnc") == 2, 20, "rnc again at the next command key")
        server.start()
        wait_for(lambda: panel.plays().count("connected") == 2, 30, "connected when it is back")
    assert receiver.captured().replace(b"LM\r", b"") == START_UP + transfer + START_UP + b"EX\r", "MD2 went nowhere"
    assert panel.stderr.splitlines() == [f"voxpan: network port {server.address('tcp', 'localhost')} was lost: the "
                                         "server closed the connection"], "one line for the loss, none for the tries"


def test_rfc2217_asks_ser2net_for_the_speed_and_framing(folder):
    with behind_ser2net(folder, "rfc2217", speed="19200") as (panel, receiver, _):
        assert receiver.line_report() == "speed=19200 data=8 parity=none stop=2 raw=no", \
            "19200 8N2 and XON/XOFF (hence not raw), as asked: " + receiver.line_report()
        Session(panel, receiver).keys("F2", words=["AM"], commands=["MD2"])
    assert receiver.captured().replace(b"LM\r", b"") == START_UP + b"MD2\rEX\r", "no telnet byte reaches the receiver"
    assert panel.stderr == "", "ser2net took every setting"


def test_pansetup_asks_the_receiver_over_the_network_and_writes_the_line(folder):
    receiver = Simulator(folder)
    server = Ser2net(folder, receiver.device)
    try:
        probed = run_setup("--probe", server.address("tcp"))
        assert (probed.returncode, probed.stdout) == (0, "At the speed set at the server: the receiver answered.\n"
                                                         "The receiver answers at the speed set at the server.\n"), probed
        nobody = f"tcp:127.0.0.1:{free_ports(1)[0]}"
        refused = run_setup("--probe", nobody)
        assert refused.returncode == 1 and f"pansetup: {nobody} does not answer: no connection to 127.0.0.1 port " \
            f"{nobody.rsplit(':', 1)[1]} (Connection refused)." in refused.stderr, refused

        work = os.path.join(folder, "radio")
        raw = server.address("tcp", "localhost")
        written = run_setup("--port", raw, "--speed", "9600", "--voice", "on", "--log", "off", "--folder", work)
        assert written.returncode == 0, written
        config = os.path.join(work, "VOXPAN.CFG")
        assert open(config, "rb").read().startswith(f"COM:{raw}\r\nSPEED:9600\r\n".encode())

        # The dialogue on a machine without serial ports, its earlier values offered.
        talk = Conversation("--folder", work, env={"VOXPAN_DEVICE_ROOT": fake_device_tree(f"{folder}/root", {})})
        talk.expect(f"or choose 1 for a receiver on the network.\nWhich serial port is the receiver on?\n"
                    f"1. a receiver on the network\nNumber or device path [{raw}]: ")
        talk.answer("a receiver on the network")
        talk.expect(f"Address [localhost:{server.raw_port}]: ")
        talk.answer(f"localhost{server.rfc2217_port}")
        talk.expect("no port number after the host")
        talk.answer(f"127.0.0.1:{server.rfc2217_port}")
        talk.expect("1. raw TCP\n2. RFC 2217\nNumber [1]: ")
        talk.answer("rfc 2217")
        talk.expect(f"{server.address('rfc2217')}: the server took the connection.")
        talk.answer("yes")
        talk.expect("At 9600 bits per second: the receiver answered.")
        for _ in range(6):  # speed, words, pace, traffic log, hit log, and yes: write it
            talk.answer("")
        talk.expect(f"Written: {config}")
        assert talk.finish() == 0
        assert open(config, "rb").read().startswith(f"COM:{server.address('rfc2217')}\r\n".encode())
    finally:
        server.stop()
        receiver.stop()


if __name__ == "__main__":
    run_tests([
        test_raw_tcp_tunes_transfers_a_bank_and_comes_back_after_ser2net_restarts,
        test_rfc2217_asks_ser2net_for_the_speed_and_framing,
        test_pansetup_asks_the_receiver_over_the_network_and_writes_the_line,
    ])
