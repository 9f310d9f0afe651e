"""The system voice end to end: the panel set up by pansetup with --voice
system and --pace fast speaks through a private speech-dispatcher (its own
configuration, socket and protocol log, ALSA's null device): every word as
its phrase, in the order the recorded words would come, and the names of a
bank imported from a CHIRP list as Up and F reach its channels. Stopped
midway, the service is told once on stderr and the recorded words go on;
a service that is not there at start-up leaves the recorded words too."""

import os
import re
import shutil
import signal
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import PAUSE, Panel, Session, Simulator, Xvfb, configuration, run_tests, wait_for  # noqa: E402
from setup_harness import SOURCE_DIR, run_setup  # noqa: E402
from test_panbank import HEADER, panbank, row  # noqa: E402

TONE = "beep"


def phrases():
    """The words table: each word (lower case) and the phrase said for it."""
    rows = Path(SOURCE_DIR, "data", "words.tsv").read_text().splitlines()
    return {row.split("\t")[0].lower(): row.split("\t")[1] for row in rows if row and not row.startswith("#")}


class SpeechDispatcher:
    """A private speech-dispatcher that logs every client's protocol."""

    def __init__(self, folder):
        conf = Path(folder, "speechd")
        (conf / "modules").mkdir(parents=True)
        shutil.copy("/etc/speech-dispatcher/modules/espeak-ng.conf", conf / "modules")
        self.protocol = Path(folder, "protocol.log")
        (conf / "speechd.conf").write_text(
            'AudioOutputMethod "alsa"\nAudioALSADevice "null"\nDefaultModule espeak-ng\n'
            f'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\nCustomLogFile "protocol" "{self.protocol}"\n')
        socket = os.path.join(folder, "speechd.sock")
        self.process = subprocess.Popen(["speech-dispatcher", "-s", "-t", "0", "-C", str(conf), "-S", socket, "-L",
                                         folder, "-P", os.path.join(folder, "speechd.pid")],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        wait_for(lambda: os.path.exists(socket), 30, "speech-dispatcher's socket")
        self.address = "unix_socket:" + socket

    def protocol_lines(self):
        return re.findall(r"speechd:\s+\d+:DATA:\|(.*)", self.protocol.read_text(errors="replace"))

    def spoken(self):
        """The texts the panel asked to be spoken, in order."""
        lines = self.protocol_lines()
        return [lines[i + 1] for i, line in enumerate(lines[:-1]) if line == "speak"]

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            self.process.wait(timeout=20)


def expected_speech(panel, table):
    """What the trace says was said, as the service must have heard it: each
    word's phrase (not the pause and the tone, which stay recordings) and
    each name said."""
    word = lambda path: path.split("/")[-1].lower().removesuffix(".wav")  # noqa: E731
    return [table[word(f[1])] if f[0] == "play" else f[1] for f in panel.trace()
            if f[0] == "say" or (f[0] == "play" and word(f[1]) not in (PAUSE, TONE))]


def test_words_and_names_through_speech_dispatcher_until_it_stops(folder):
    Path(folder, "list.csv").write_text(HEADER + "\r\n" + row(0, "Radio \u00dcn\u00ef", "118.100000") +
                                        row(1, "Tower", "145.500000") + row(2, "", "146.000000"), encoding="utf-8")
    panbank(folder, "import", "list.csv", "--bank", "05")
    assert b"\r\n118.1\r\nRadio Uni\r\n145.5\r\nTower\r\n146\r\n \r\n" in Path(folder, "bank05.dat").read_bytes()
    table = phrases()
    x = Xvfb()
    receiver = Simulator(folder)
    service = SpeechDispatcher(folder)
    panel = None
    try:
        done = run_setup("--port", receiver.device, "--speed", "9600", "--voice", "system", "--pace", "fast",
                         "--log", "off", "--folder", folder)
        assert done.returncode == 0, done.stderr
        assert Path(folder, "VOXPAN.CFG").read_bytes().split(b"\r\n")[3] == b"VOICE:S fast"
        assert os.readlink(os.path.join(folder, "wave")).endswith("wave-fast"), "the fast words are linked in"
        panel = Panel(folder, x.display, wave=None, environment={"SPEECHD_ADDRESS": service.address})
        panel.wait_for_play("wave/connected", 30)
        s = Session(panel, receiver)
        s.keys("b", "0", "5", "Return", words=["bank", "0", "5", "FM", "sel"], timeout=30)
        # Up onto Tower, F there, Up onto the unnamed channel, Up round to Radio Uni.
        for keys, names in ((("Up",), ["Tower"]), (("f",), ["Tower"] * 2), (("Up", "Up"), ["Tower"] * 2 + ["Radio Uni"])):
            s.keys(*keys)
            wait_for(lambda: [f[1] for f in panel.trace() if f[0] == "say"] == names, 30, f"the names {names}")
        wait_for(lambda: service.spoken() == expected_speech(panel, table), 30,
                 f"every word through the service: {service.spoken()[-8:]} against {expected_speech(panel, table)[-8:]}")
        spoken = service.spoken()
        assert spoken[:4] == ["vox", "four", "point", "zero"], spoken[:4]
        assert spoken[-8:] == ["one", "four", "five", "point", "five", "F M", "Tower", "Radio Uni"], spoken[-8:]
        assert "SET SELF RATE 47" in service.protocol_lines(), "the fast pace sets the voice's rate"

        service.stop()
        s.keys("m", words=["s", "0"], timeout=30)
        s.keys("q", words=["quit"], timeout=30)
        panel.assert_clean_exit(30)
        assert service.spoken() == spoken, "nothing more reached the stopped service"
        told = [line for line in panel.stderr.splitlines() if "speech-dispatcher has gone" in line]
        assert len(told) == 1 and told[0].endswith("the panel speaks its recorded words from now on"), panel.stderr
    finally:
        if panel is not None:
            panel.kill()
        service.stop()
        receiver.stop()
        x.stop()


def test_a_service_that_is_not_there_leaves_the_recorded_words(folder):
    x = Xvfb()
    receiver = Simulator(folder)
    try:
        panel = Panel(folder, x.display, configuration(receiver.device, voice="S"),
                      environment={"SPEECHD_ADDRESS": "unix_socket:" + os.path.join(folder, "no.sock")})
        panel.wait_for_play("wave/connected", 30)
        assert panel.plays()[:4] == ["wave/vox", "wave/4", "wave/point", "wave/0"]
        Session(panel, receiver).keys("q", words=["quit"], timeout=30)
        panel.assert_clean_exit(30)
        assert panel.stderr.count("no system voice: speech-dispatcher cannot be reached") == 1, panel.stderr
        assert "recorded words from now on" in panel.stderr
    finally:
        receiver.stop()
        x.stop()


if __name__ == "__main__":
    run_tests([test_words_and_names_through_speech_dispatcher_until_it_stops,
               test_a_service_that_is_not_there_leaves_the_recorded_words])
