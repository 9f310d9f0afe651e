"""The receiver at the far end of a network: Debian's ser2net serving the
simulated receiver's pseudo-terminal, the real panel connecting to it by raw
TCP and by RFC 2217. The exact bytes the receiver gets, the line settings
the panel asks of ser2net, a bank transferred, ser2net stopped and started
again ("rnc", then "connected"); pansetup probing the receiver over the
network and writing the line, by its options and by its dialogue."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Panel, Session, Simulator, Xvfb, configuration, run_tests, wait_for  # noqa: E402
from ser2net_harness import Ser2net, free_ports  # noqa: E402
from setup_harness import Conversation, fake_device_tree, run_setup  # noqa: E402

START_UP = b"VA0145000000\rMD1\rAT0\r"
SER2NET_LINE = "speed=9600 data=8 parity=none stop=2 raw=yes"  # as its configuration sets it


class NetworkBench:
    """A simulated receiver behind ser2net, and a panel connecting to it."""

    def __init__(self, folder, port_kind, host="127.0.0.1", simulator=(), **config):
        self.x = Xvfb()
        self.receiver = Simulator(folder, *simulator)
        self.server = Ser2net(folder, self.receiver.device)
        self.device = self.server.address(port_kind, host)
        self.panel = Panel(folder, self.x.display, configuration(self.device, **config))

    def connected(self, times=1):
        wait_for(lambda: self.panel.plays().count("connected") >= times, 30, f"'connected' {times} time(s)")

    def close(self):
        self.panel.kill()
        self.server.stop()
        self.receiver.stop()
        self.x.stop()


def test_raw_tcp_tunes_transfers_a_bank_and_comes_back_after_ser2net_restarts(folder):
    with open(os.path.join(folder, "bank01.dat"), "wb") as file:
        file.write(b"bank01\r\nFM\r\n12.5\r\n \r\n433.075\r\n \r\n144.0\r\n \r\n9999\r\n")
    report = os.path.join(folder, "memory.txt")
    bench = NetworkBench(folder, "tcp", host="localhost", simulator=("--memory-report", report), voice="0")
    panel, receiver = bench.panel, bench.receiver
    try:
        bench.connected()
        assert receiver.captured().startswith(START_UP + b"LM\r"), receiver.captured()
        assert receiver.line_report() == SER2NET_LINE, "a raw port's line is ser2net's: " + receiver.line_report()
        s = Session(panel, receiver)
        s.keys("1", "4", "5", "period", "5", "Return", words=["1", "4", "5", "point", "5", "ok"],
               commands=["VA0145.50000"])
        s.keys("w", "0", "1", "a", words=["write", "fromb", "0", "1", "torb", "A"], commands=["MQA%%"])
        s.keys("Return", words=["wait", "ok"], commands=["MXA00 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx",
                                                         "MXA01 RF0144000000 ST012500 MD1 TMxxxxxxxxxxxx"])
        with open(report) as stored:
            assert stored.read().splitlines() == ["A00 RF0433075000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx",
                                                  "A01 RF0144000000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx"]
        sent = receiver.captured()
        assert sent.replace(b"LM\r", b"") == START_UP + b"VA0145.50000\rMQA%%\r" + \
            b"MXA00 RF0433075000 ST012500 MD1 TMxxxxxxxxxxxx\rMXA01 RF0144000000 ST012500 MD1 TMxxxxxxxxxxxx\r", sent

        bench.server.stop()
        wait_for(lambda: "rnc" in panel.plays(), 20, "rnc when ser2net goes")
        panel.press("F2")
        wait_for(lambda: panel.plays().count("rnc") == 2, 20, "rnc again at the next command key")
        before = len(receiver.captured())
        bench.server.start()
        bench.connected(2)
        assert receiver.captured()[before:].startswith(START_UP), receiver.captured()[before:]
        panel.press("q")
        panel.assert_clean_exit(20)
        wait_for(lambda: receiver.captured().endswith(b"EX\r"), 10, "EX last on the line")
    finally:
        bench.close()
    problems = panel.stderr.splitlines()
    assert problems == [f"voxpan: network port {bench.device} was lost: the server closed the connection"], \
        "one line for the loss, none for the quiet tries: " + panel.stderr


def test_rfc2217_asks_ser2net_for_the_speed_and_framing(folder):
    bench = NetworkBench(folder, "rfc2217", speed="19200", voice="0")
    panel, receiver = bench.panel, bench.receiver
    try:
        bench.connected()
        assert receiver.line_report() == "speed=19200 data=8 parity=none stop=2 raw=no", \
            "19200 8N2 and XON/XOFF (hence not raw), as asked: " + receiver.line_report()
        Session(panel, receiver).keys("F2", words=["AM"], commands=["MD2"])
        panel.press("q")
        panel.assert_clean_exit(20)
        wait_for(lambda: receiver.captured().endswith(b"EX\r"), 10, "EX last on the line")
        sent = receiver.captured()
        assert sent.replace(b"LM\r", b"") == START_UP + b"MD2\rEX\r", "no telnet byte reaches the receiver: " + \
            repr(sent)
    finally:
        bench.close()
    assert panel.stderr == "", "ser2net took every setting: " + panel.stderr


def test_pansetup_probes_the_receiver_over_the_network_and_writes_the_line(folder):
    receiver = Simulator(folder)
    server = Ser2net(folder, receiver.device)
    try:
        probed = run_setup("--probe", server.address("rfc2217"))
        assert probed.returncode == 0 and probed.stdout.endswith(
            "At 9600 bits per second: the receiver answered.\nThe receiver answers at 9600 bits per second.\n"), probed
        probed = run_setup("--probe", server.address("tcp"))
        assert probed.returncode == 0 and probed.stdout == "At the speed set at the server: the receiver answered.\n" \
            "The receiver answers at the speed set at the server.\n", probed
        nobody = f"tcp:127.0.0.1:{free_ports(1)[0]}"
        refused = run_setup("--probe", nobody)
        assert refused.returncode == 1 and f"pansetup: {nobody} does not answer: no connection to 127.0.0.1 port " \
            f"{nobody.rsplit(':', 1)[1]} (Connection refused)." in refused.stderr, refused

        work = os.path.join(folder, "radio")
        written = run_setup("--port", server.address("tcp", "localhost"), "--speed", "9600", "--voice", "on",
                            "--log", "off", "--folder", work)
        assert written.returncode == 0, written
        with open(os.path.join(work, "VOXPAN.CFG"), "rb") as config:
            assert config.read().startswith(f"COM:{server.address('tcp', 'localhost')}\r\nSPEED:9600\r\n".encode())

        # The dialogue on a machine without serial ports: the network, by number.
        root = fake_device_tree(os.path.join(folder, "root"), {})
        talk = Conversation("--folder", work, env={"VOXPAN_DEVICE_ROOT": root})
        talk.expect("or choose 1 for a receiver on the network")
        talk.expect("1. a receiver on the network\n"
                    f"Number or device path [{server.address('tcp', 'localhost')}]: ")
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
        for _ in range(5):  # speed, words, traffic log, hit log, and yes: write it
            talk.answer("")
        talk.expect(f"Written: {work}/VOXPAN.CFG")
        assert talk.finish() == 0
        with open(os.path.join(work, "VOXPAN.CFG"), "rb") as config:
            assert config.read().startswith(f"COM:{server.address('rfc2217')}\r\n".encode())
    finally:
        server.stop()
        receiver.stop()


if __name__ == "__main__":
    run_tests([
        test_raw_tcp_tunes_transfers_a_bank_and_comes_back_after_ser2net_restarts,
        test_rfc2217_asks_ser2net_for_the_speed_and_framing,
        test_pansetup_probes_the_receiver_over_the_network_and_writes_the_line,
    ])
