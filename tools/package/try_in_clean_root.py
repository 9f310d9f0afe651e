#!/usr/bin/env python3
"""The package on a fresh Debian 12, run by hand as root: it needs the Debian
archive and a few minutes. debootstrap makes a minimal root once
(build-root/bookworm); each run works in a copy (build-root/run). apt installs
the package there; a listener in the dialout group runs pansetup against the
simulated receiver (outside, on a pseudo-terminal) and the panel in Xvfb,
which connects and speaks its installed words. An upgrade, a removal and a new
install then leave the working folder as it was; the removal leaves no file.

    tools/package/try_in_clean_root.py [build-deb/voxpan_VERSION-1_ARCH.deb]
"""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "package"))
from test_package import ARCH, PACKAGE, VERSION, output, packaged_files  # noqa: E402
from harness import SOURCE_DIR, Panel, Simulator, Xvfb, run_tests, wait_for  # noqa: E402

BASE, ROOT = (os.path.realpath(os.path.join(SOURCE_DIR, "build-root", name)) for name in ("bookworm", "run"))
USER, HOME = "listener", "/home/listener"
WORK = ROOT + HOME + "/voxpan"


def in_root(*command, user="root"):
    return output("chroot", f"--userspec={user}:{user}", ROOT, "env", "-i", f"HOME={HOME if user == USER else '/root'}",
                  "PATH=/usr/sbin:/usr/bin:/sbin:/bin", "DEBIAN_FRONTEND=noninteractive", *command, timeout=1800)


def unmount_all():
    """Unmounts what is mounted in the root: a run that was stopped may have
    left the host's /dev there, so nothing may be removed before."""
    with open("/proc/mounts", encoding="utf-8") as mounts:
        targets = [line.split()[1] for line in mounts if line.split()[1].startswith(ROOT + "/")]
    for target in sorted(targets, reverse=True):
        subprocess.run(["umount", "--lazy", target])
    return targets


def fresh_root():
    if not os.path.exists(os.path.join(BASE, "etc", "debian_version")):
        output("debootstrap", "--variant=minbase", "bookworm", BASE, "http://deb.debian.org/debian", timeout=3600)
    unmount_all()
    assert not unmount_all(), "the old root is still mounted"
    shutil.rmtree(ROOT, ignore_errors=True)
    output("cp", "-a", BASE, ROOT)
    shutil.copy("/etc/resolv.conf", os.path.join(ROOT, "etc", "resolv.conf"))
    # The simulator's pseudo-terminal is in the host's /dev; Xvfb's abstract socket reaches the root.
    output("mount", "-t", "proc", "proc", os.path.join(ROOT, "proc"))
    output("mount", "--rbind", "/dev", os.path.join(ROOT, "dev"))


def apt_install(package):
    shutil.copy(package, os.path.join(ROOT, "tmp"))
    said = in_root("apt-get", "-y", "-q", "install", "/tmp/" + os.path.basename(package))
    print(os.path.basename(package) + ":", *[line for line in said.splitlines() if "newly installed" in line])


def upgraded_package(folder):
    """The same package as revision 2, as a later release would come."""
    output("dpkg-deb", "-R", PACKAGE, folder + "/tree")
    with open(folder + "/tree/DEBIAN/control", "r+", encoding="utf-8") as control:
        fields = control.read().replace(f"Version: {VERSION}-1\n", f"Version: {VERSION}-2\n")
        control.seek(0)
        control.write(fields)
    output("dpkg-deb", "--root-owner-group", "-b", folder + "/tree", f"{folder}/voxpan_{VERSION}-2_{ARCH}.deb")
    return f"{folder}/voxpan_{VERSION}-2_{ARCH}.deb"


def working_folder():
    """Every file of the listener's working folder with its bytes, every link with its target."""
    found = {}
    for base, _, names in os.walk(WORK):
        for path in (os.path.join(base, name) for name in names):
            found[path] = os.readlink(path) if os.path.islink(path) else open(path, "rb").read()
    return found


class InstalledPanel(Panel):
    """The installed panel, started by the listener in ~/voxpan in the root."""

    def __init__(self, display):
        self.folder, self.trace_path, self.display, self._window = WORK, WORK + "/trace.txt", display, None
        self.env = dict(os.environ, DISPLAY=display)
        self.process = subprocess.Popen(
            ["chroot", f"--userspec={USER}:{USER}", ROOT, "env", "-i", f"HOME={HOME}", f"DISPLAY={display}",
             "VOXPAN_TRACE=trace.txt", "SDL_AUDIODRIVER=dummy", "sh", "-c", "cd ~/voxpan && exec voxpan"],
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def test_install_set_up_run_upgrade_and_remove_in_a_fresh_debian(folder):
    x, receiver, panel = Xvfb(), Simulator(folder), None
    try:
        fresh_root()
        apt_install(PACKAGE)
        in_root("dpkg-query", "-W", "speech-dispatcher")  # recommended, so apt installs it too
        in_root("useradd", "--create-home", "--groups", "dialout", USER)
        os.chmod(receiver.device, 0o666)  # as a serial port the dialout group may open
        print(in_root("pansetup", "--port", receiver.device, "--speed", "9600", "--voice", "on", "--log", "on",
                      user=USER))
        assert os.readlink(WORK + "/wave") == "/usr/share/voxpan/wave"
        panel = InstalledPanel(x.display)
        wait_for(lambda: "wave/connected" in panel.plays(), 60, "the panel's word 'connected'")
        panel.press("q")
        panel.assert_clean_exit()
        print("the installed panel said:", " ".join(play.split("/")[-1] for play in panel.plays()))
        assert panel.plays()[:2] == ["wave/vox", "wave/4"] and panel.plays()[-1] == "wave/quit", panel.plays()
        assert receiver.captured().startswith(b"VA0145000000\r"), receiver.captured()[:40]
        # Started in a folder without words or configuration, it plays the words installed in /usr.
        in_root(f"DISPLAY={x.display}", "VOXPAN_TRACE=trace.txt", "SDL_AUDIODRIVER=dummy",
                "sh", "-c", "mkdir ~/empty && cd ~/empty && exec voxpan", user=USER)
        with open(ROOT + HOME + "/empty/trace.txt", encoding="latin-1") as trace:
            plays = [line.split("\t")[2].strip() for line in trace if "\tplay\t" in line]
        assert plays == ["/usr/share/voxpan/wave/cfnf"], plays

        kept = working_folder()
        upgraded = upgraded_package(folder)
        apt_install(upgraded)
        assert in_root("dpkg-query", "-W", "-f=${Version}", "voxpan") == f"{VERSION}-2"
        assert working_folder() == kept, "the upgrade changed the working folder"
        in_root("apt-get", "-y", "-q", "remove", "voxpan")
        left = [path for path in packaged_files() if os.path.lexists(ROOT + path)]
        assert not left and not os.path.exists(ROOT + "/usr/share/voxpan"), left
        # No configuration of its own: dpkg keeps nothing to purge.
        known = in_root("dpkg-query", "-W", "-f=${Package} ${db:Status-Abbrev}\n")
        assert not re.search(r"^voxpan (?!un)", known, re.M), "dpkg keeps something of the package"
        assert working_folder() == kept, "the removal changed the working folder"
        apt_install(upgraded)
        assert working_folder() == kept, "a new install changed the working folder"
        in_root("test", "-f", HOME + "/voxpan/wave/vox.wav", user=USER)  # the link leads to the words again
    finally:
        if panel is not None:
            panel.kill()
        receiver.stop()
        x.stop()
        unmount_all()


if __name__ == "__main__":
    run_tests([test_install_set_up_run_upgrade_and_remove_in_a_fresh_debian])
