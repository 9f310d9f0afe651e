"""Debian's ser2net serving the simulated receiver's pseudo-terminal on two
loopback ports, chosen free when the test runs: raw TCP and telnet with
RFC 2217, with the configuration the README gives."""

import os
import pathlib
import shutil
import socket
import subprocess

from harness import end_process, wait_for

SER2NET = shutil.which("ser2net") or "/usr/sbin/ser2net"
CONFIGURATION = """%YAML 1.1
---
connection: &ar8600-raw
  accepter: tcp,127.0.0.1,{raw}
  connector: serialdev,{device},9600n82,local
  options:
    kickolduser: true

connection: &ar8600-rfc2217
  accepter: telnet(rfc2217),tcp,127.0.0.1,{rfc2217}
  connector: serialdev,{device},9600n82,local
  options:
    kickolduser: true
"""


def free_ports(count):
    """Ports on 127.0.0.1 that nobody listens on now."""
    sockets = [socket.create_server(("127.0.0.1", 0)) for _ in range(count)]
    ports = [each.getsockname()[1] for each in sockets]
    for each in sockets:
        each.close()
    return ports


def listening(port):
    """Whether a socket listens on the port (from /proc: a connection would have ser2net open the device)."""
    rows = [line.split() for t in ("/proc/net/tcp", "/proc/net/tcp6") if os.path.exists(t)
            for line in pathlib.Path(t).read_text().splitlines()[1:]]
    return any(row[1].endswith(f":{port:04X}") and row[3] == "0A" for row in rows)


class Ser2net:
    def __init__(self, folder, device):
        self.folder = folder
        self.raw_port, self.rfc2217_port = free_ports(2)
        self.config = os.path.join(folder, "ser2net.yaml")
        pathlib.Path(self.config).write_text(CONFIGURATION.format(device=device, raw=self.raw_port,
                                                                  rfc2217=self.rfc2217_port))
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
        assert self.process.poll() is None, "ser2net ended at once"

    def stop(self):
        end_process(self.process, 20)
        wait_for(lambda: not listening(self.raw_port) and not listening(self.rfc2217_port), 20, "ser2net gone")
