"""Debian's ser2net serving the simulated receiver's pseudo-terminal on two
loopback ports at once: raw TCP and telnet with RFC 2217, at ports chosen
free when the test runs. Started and stopped by the test with a
configuration file of its own."""

import os
import shutil
import socket
import subprocess

from harness import end_process, wait_for

SER2NET = shutil.which("ser2net") or "/usr/sbin/ser2net"

CONFIGURATION = """%YAML 1.1
---
connection: &raw
  accepter: tcp,127.0.0.1,{raw}
  connector: serialdev,{device},9600n82,local

connection: &rfc2217
  accepter: telnet(rfc2217),tcp,127.0.0.1,{rfc2217}
  connector: serialdev,{device},9600n82,local
"""


def free_ports(count):
    """Ports on 127.0.0.1 that nobody listens on now."""
    sockets = [socket.socket() for _ in range(count)]
    try:
        for each in sockets:
            each.bind(("127.0.0.1", 0))
        return [each.getsockname()[1] for each in sockets]
    finally:
        for each in sockets:
            each.close()


def listening(port):
    """Whether a socket listens on the port (read from /proc: no connection
    is made, which would have ser2net open the device)."""
    wanted = f":{port:04X} "
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        try:
            with open(table) as lines:
                for line in lines:
                    fields = line.split()
                    if len(fields) > 3 and (fields[1] + " ").endswith(wanted) and fields[3] == "0A":
                        return True
        except FileNotFoundError:
            pass
    return False


class Ser2net:
    def __init__(self, folder, device):
        self.folder = folder
        self.raw_port, self.rfc2217_port = free_ports(2)
        self.config = os.path.join(folder, "ser2net.yaml")
        with open(self.config, "w") as config:
            config.write(CONFIGURATION.format(device=device, raw=self.raw_port, rfc2217=self.rfc2217_port))
        self.process = None
        self.start()

    def address(self, kind, host="127.0.0.1"):
        return f"{kind}:{host}:{self.raw_port if kind == 'tcp' else self.rfc2217_port}"

    def start(self):
        with open(os.path.join(self.folder, "ser2net.log"), "a") as log:
            self.process = subprocess.Popen([SER2NET, "-n", "-u", "-c", self.config, "-P",
                                             os.path.join(self.folder, "ser2net.pid")],
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        wait_for(lambda: self.process.poll() is not None or
                 (listening(self.raw_port) and listening(self.rfc2217_port)), 30, "ser2net listening")
        assert self.process.poll() is None, "ser2net ended at once: " + self.log()

    def stop(self):
        if self.process is not None:
            end_process(self.process, 20)
        wait_for(lambda: not listening(self.raw_port) and not listening(self.rfc2217_port), 20, "ser2net gone")

    def log(self):
        with open(os.path.join(self.folder, "ser2net.log")) as log:
            return log.read()
