"""pansetup and the serial ports, for real: the ports it lists from a device
tree, why a port does not open (as an ordinary user refused by the port's
group, and with another program holding it), the probe of the simulated
receiver and of a silent one, and its command line."""

import grp
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Simulator  # noqa: E402
from setup_harness import BY_ID, SETUP, Skip, fake_device_tree, run_setup, run_tests  # noqa: E402


def pseudo_terminal():
    """A port with nobody on it: the far end stays open, the port's side is closed."""
    master, slave = os.openpty()
    device = os.ttyname(slave)
    os.close(slave)
    return master, device


def test_list_prints_each_port_with_what_is_known_of_it(folder):
    masters = [os.openpty() for _ in range(2)]
    usb, acm = (os.ttyname(slave) for _, slave in masters)
    root = fake_device_tree(os.path.join(folder, "root"), {"ttyUSB0": usb, "ttyACM0": acm}, {BY_ID: "ttyUSB0"})
    listed = run_setup("--list", env={"VOXPAN_DEVICE_ROOT": root})
    assert listed.returncode == 0, listed
    assert listed.stdout.splitlines() == [
        f"{root}/dev/serial/by-id/{BY_ID} (FTDI FT232R USB UART A10KXYZ1, now {root}/dev/ttyUSB0)",
        f"{root}/dev/ttyACM0 (USB serial device of the modem class)",
    ], listed.stdout

    empty = run_setup("--list", env={"VOXPAN_DEVICE_ROOT": os.path.join(folder, "nothing")})
    assert (empty.returncode, empty.stdout) == (0, ""), empty
    assert "no serial ports found" in empty.stderr, empty.stderr


def test_permission_denied_tells_an_ordinary_user_the_command_and_to_log_in_again(folder):
    if os.geteuid() != 0:
        raise Skip("needs root to make a port owned by root:dialout and run as nobody")
    master, device = pseudo_terminal()
    os.chown(device, 0, grp.getgrnam("dialout").gr_gid)
    os.chmod(device, 0o660)
    # A copy of the program that nobody may run, wherever the build is.
    os.chmod(folder, 0o755)
    program = os.path.join(folder, "pansetup")
    shutil.copy(os.path.abspath(SETUP), program)
    refused = subprocess.run(["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                              program, "--probe", device], capture_output=True, text=True, timeout=30)
    os.close(master)
    assert refused.returncode == 1, refused
    message = refused.stderr
    assert f"Permission denied: {device} belongs to the group dialout" in message, message
    assert "your user nobody is not in it" in message, message
    assert "\nsudo adduser nobody dialout\n" in message, "the command on a line of its own: " + message
    assert "log in again" in message, message


def test_a_port_held_by_another_program_names_that_program(folder):
    _, device = pseudo_terminal()
    # Another program holding the port as the panel would, named as the usual taker.
    holder = subprocess.Popen([sys.executable, "-c", f"""
import fcntl, os, sys, termios, time
with open("/proc/self/comm", "w") as comm:
    comm.write("ModemManager")
fd = os.open({device!r}, os.O_RDWR | os.O_NOCTTY)
fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
fcntl.ioctl(fd, termios.TIOCEXCL)
print("holding", flush=True)
time.sleep(60)
"""], stdout=subprocess.PIPE, text=True)
    try:
        assert holder.stdout.readline().strip() == "holding"
        probed = run_setup("--probe", device)
        assert probed.returncode == 1, probed
        assert f"{device} is in use by another program: ModemManager (process {holder.pid})." in probed.stderr, \
            probed.stderr
        assert "sudo systemctl disable --now ModemManager" in probed.stderr, probed.stderr

        written = run_setup("--port", device, "--speed", "9600", "--voice", "on", "--log", "off",
                            "--folder", os.path.join(folder, "work"))
        assert written.returncode == 1, written
        assert "ModemManager" in written.stderr and "nothing was written" in written.stderr, written.stderr
        assert not os.path.exists(os.path.join(folder, "work")), "a refused set-up creates nothing"
    finally:
        holder.kill()
        holder.wait()


def test_no_such_device(folder):
    missing = os.path.join(folder, "ttyUSB9")
    probed = run_setup("--probe", missing)
    assert probed.returncode == 1, probed
    assert f"There is no device {missing}." in probed.stderr, probed.stderr


def test_probe_finds_the_simulated_receiver_sending_only_the_level_query(folder):
    receiver = Simulator(folder)
    try:
        probed = run_setup("--probe", receiver.device)
        assert probed.returncode == 0, probed
        assert "At 9600 bits per second: the receiver answered." in probed.stdout, probed.stdout
        assert probed.stdout.rstrip().endswith("The receiver answers at 9600 bits per second."), probed.stdout
        assert receiver.captured() == b"LM\r", receiver.captured()
        assert "stop=2" in receiver.line_report(), "the port was set as the panel sets it: " + receiver.line_report()
    finally:
        receiver.stop()


def test_probe_of_a_silent_receiver_gives_up_within_a_second_a_speed(folder):
    receiver = Simulator(folder, "--fault", "silent")
    try:
        started = time.monotonic()
        probed = run_setup("--probe", receiver.device)
        took = time.monotonic() - started
        assert probed.returncode == 1, probed
        answers = re.findall(r"At (\d+) bits per second: (.*)", probed.stdout)
        assert answers == [("9600", "no answer."), ("19200", "no answer."), ("4800", "no answer.")], probed.stdout
        assert "did not answer" in probed.stderr, probed.stderr
        assert 2.9 <= took < 4.5, f"took {took:.1f}s for three speeds"
        assert receiver.captured() == b"LM\r" * 3, receiver.captured()
    finally:
        receiver.stop()


def test_command_line_errors_are_usage_errors(folder):
    for arguments in (["--bogus"], ["--port", "/dev/ttyUSB0"], ["--list", "--probe", "/dev/ttyS0"]):
        result = run_setup(*arguments)
        assert result.returncode == 2 and "Try: pansetup --help" in result.stderr, (arguments, result)
    helped = run_setup("--help")
    assert helped.returncode == 0 and "--probe DEV" in helped.stdout, helped


if __name__ == "__main__":
    run_tests([
        test_list_prints_each_port_with_what_is_known_of_it,
        test_permission_denied_tells_an_ordinary_user_the_command_and_to_log_in_again,
        test_a_port_held_by_another_program_names_that_program,
        test_no_such_device,
        test_probe_finds_the_simulated_receiver_sending_only_the_level_query,
        test_probe_of_a_silent_receiver_gives_up_within_a_second_a_speed,
        test_command_line_errors_are_usage_errors,
    ])
