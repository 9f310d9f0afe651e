"""The set-up dialogue as a terminal user has it, through a pseudo-terminal:
wrong answers explained and asked again, nothing written before the summary
is confirmed, and an existing file's values offered back."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Simulator  # noqa: E402
from setup_harness import BY_ID, Conversation, fake_device_tree, run_setup, run_tests  # noqa: E402


def machine(folder, receiver_device):
    """A device tree with the receiver behind an FTDI adapter, a node that is
    no serial port, and an idle modem-class port; and a home folder."""
    idle, idle_slave = os.openpty()
    root = fake_device_tree(os.path.join(folder, "root"),
                            {"ttyUSB0": receiver_device, "ttyUSB1": "/dev/null", "ttyACM0": os.ttyname(idle_slave)},
                            {BY_ID: "ttyUSB0"})
    home = os.path.join(folder, "home")
    os.mkdir(home)
    return root, {"VOXPAN_DEVICE_ROOT": root, "HOME": home}, (idle, idle_slave)


def test_wrong_answers_are_asked_again_and_nothing_is_written_before_confirmation(folder):
    receiver = Simulator(folder)
    try:
        root, env, _ = machine(folder, receiver.device)
        work = os.path.join(folder, "home", "radio")
        talk = Conversation(env=env)
        talk.expect(f"Folder [{os.path.join(folder, 'home', 'voxpan')}]: ")
        talk.answer(os.path.join(root, "dev", "serial", "by-id", BY_ID))
        talk.expect("is a file, not a folder.\nWhich folder should the panel work in?")
        talk.answer("~/radio")

        ports = talk.expect("Number or device path [1]: ")
        assert f"1. {root}/dev/serial/by-id/{BY_ID} (FTDI FT232R USB UART A10KXYZ1, now {root}/dev/ttyUSB0)\n" \
               f"2. {root}/dev/ttyUSB1 (USB serial adapter)\n" \
               f"3. {root}/dev/ttyACM0 (USB serial device of the modem class)\n" in ports, ports
        talk.answer("7")
        talk.expect("7 is not a port: type a number from the list or a device path, which starts with /.\n"
                    "Which serial port is the receiver on?")
        talk.answer("/dev/ttyNONESUCH")
        talk.expect("There is no device /dev/ttyNONESUCH: type a number from the list or the full path of a device.")
        talk.answer("2")
        talk.expect(f"{root}/dev/ttyUSB1 is not a serial port.\nWhat now?")
        talk.answer("")  # choose another port
        talk.expect("Number or device path [1]: ")
        talk.answer("")
        talk.expect("opens for reading and writing.")
        talk.expect("Ask the receiver whether it answers on this port?")
        talk.answer("")
        talk.expect("At 9600 bits per second: the receiver answered.")
        talk.expect("Line speed in bits per second, as set on the receiver:\n1. 4800\n2. 9600\n3. 19200\nNumber [2]: ")
        talk.answer("fast")
        talk.expect("fast is not one of the choices: type a number from 1 to 3.")
        talk.answer("19200")
        talk.expect("Spoken words:\n1. on\n2. off\n3. system\nNumber [1]: ")
        talk.answer("off")  # no pace to ask for
        talk.expect("Traffic log of every command and reply, in debug1.dat:\n1. on\n2. off\nNumber [2]: ")
        talk.answer("1")
        talk.expect("Hit log of every stop of a search or scan, in hits.csv:\n1. on\n2. off\nNumber [1]: ")
        talk.answer("off")
        summary = talk.expect("Write it now?\n1. yes\n2. no\nNumber [1]: ")
        for line in (f"Working folder: {work} (it will be created)", f"Serial port: {root}/dev/serial/by-id/{BY_ID}",
                     "Line speed: 19200 bits per second", "Spoken words: off", "Traffic log: on", "Hit log: off"):
            assert line + "\n" in summary, summary
        assert not os.path.exists(work), "nothing is written before the confirmation"
        talk.answer("2")
        talk.expect("Nothing was written.")
        assert talk.finish() == 1
        assert not os.path.exists(work), "declining writes nothing"
        assert "\x1b" not in talk.heard, "no cursor movement or colour codes"
    finally:
        receiver.stop()


def test_an_existing_files_values_are_offered_back_and_it_is_kept_as_bak(folder):
    receiver = Simulator(folder)
    try:
        root, env, _ = machine(folder, receiver.device)
        work = os.path.join(folder, "work")
        acm = f"{root}/dev/ttyACM0"
        first = run_setup("--port", acm, "--speed", "4800", "--voice", "system", "--pace", "fastest", "--log", "on",
                          "--hits", "off", "--folder", work, env=env)
        assert first.returncode == 0, first
        with open(os.path.join(work, "VOXPAN.CFG"), "rb") as old:
            old_bytes = old.read()

        talk = Conversation("--folder", work, env=env)
        talk.expect(f"Working folder: {work}\nThe folder already has a VOXPAN.CFG")
        talk.expect("Number or device path [3]: ")  # ttyACM0, third in the list
        talk.answer("")
        talk.expect("Ask the receiver whether it answers on this port?")
        talk.answer("no")
        for default in ("1. 4800\n2. 9600\n3. 19200\nNumber [1]: ", "Spoken words:\n1. on\n2. off\n3. system\nNumber [3]: ",
                        "Pace of the spoken words: normal, fast (words about 40 percent shorter) or fastest (about half "
                        "as long):\n1. normal\n2. fast\n3. fastest\nNumber [3]: ",
                        "in debug1.dat:\n1. on\n2. off\nNumber [1]: ", "in hits.csv:\n1. on\n2. off\nNumber [2]: "):
            talk.expect(default)
            talk.answer("")
        talk.expect("The old VOXPAN.CFG will be kept as VOXPAN.CFG.bak\nWrite it now?")
        talk.answer("")
        talk.expect(f"Written: {work}/VOXPAN.CFG (the old one is kept as VOXPAN.CFG.bak)")
        assert talk.finish() == 0
        with open(os.path.join(work, "VOXPAN.CFG"), "rb") as new, open(os.path.join(work, "VOXPAN.CFG.bak"), "rb") as bak:
            assert new.read() == old_bytes, "the defaults taken are the old values"
            assert bak.read() == old_bytes
    finally:
        receiver.stop()


if __name__ == "__main__":
    run_tests([
        test_wrong_answers_are_asked_again_and_nothing_is_written_before_confirmation,
        test_an_existing_files_values_are_offered_back_and_it_is_kept_as_bak,
    ])
