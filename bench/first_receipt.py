#!/usr/bin/env python3
"""The whole start of the program, with and without a long address memory: the time from
launching it to the first delivery receipt it returns. The program runs in a network namespace
of its own, joined by a veth pair to a second one where this script pages it every 2 ms until it
answers. Needs root and the ip command; makes and removes its own namespaces.

Usage: first_receipt.py PROGRAM [ADDRESSES] [ROUNDS]      (default 10000 addresses, 5 rounds)
"""
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

NEAR, FAR = "tvstart-prog", "tvstart-peer"
PROGRAM_ADDRESS, PEER_ADDRESS, PORT = "10.99.0.1", "10.99.0.2", 2000


def ip(*arguments):
    subprocess.run(["ip", *arguments], check=True)


def make_network():
    ip("netns", "add", NEAR)
    ip("netns", "add", FAR)
    ip("link", "add", "tvs0", "netns", NEAR, "type", "veth", "peer", "name", "tvs1", "netns", FAR)
    for space, device, address in ((NEAR, "tvs0", PROGRAM_ADDRESS), (FAR, "tvs1", PEER_ADDRESS)):
        ip("-n", space, "addr", "add", address + "/24", "dev", device)
        ip("-n", space, "link", "set", device, "up")
        ip("-n", space, "link", "set", "lo", "up")


def remove_network():
    for space in (NEAR, FAR):
        subprocess.run(["ip", "netns", "del", space], stderr=subprocess.DEVNULL)


def settings(folder, addresses):
    with open(os.path.join(folder, "tarvil32.INI"), "w", newline="") as file:
        file.write("[Sounds]\r\nInitial Execution=False\r\n[IP Addresses]\r\n")
        file.write(f"Total IPs={addresses}\r\n")
        for number in range(1, addresses + 1):
            file.write(f"IP-{number}=host{number}.example\r\n")


def first_receipt(program, addresses):
    """Seconds from launch to the first receipt; the peer runs in this process's namespace."""
    folder = tempfile.mkdtemp()
    try:
        settings(folder, addresses)
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", SDL_AUDIODRIVER="dummy",
                           TARVIL_WINDIR=folder)
        peer = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        peer.bind((PEER_ADDRESS, PORT))
        peer.settimeout(0.002)
        start = time.monotonic()
        running = subprocess.Popen(["ip", "netns", "exec", NEAR, program], env=environment,
                                   cwd=folder, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            while time.monotonic() - start < 60:
                peer.sendto(b"@Dstart\0", (PROGRAM_ADDRESS, PORT))
                try:
                    peer.recv(16)
                    return time.monotonic() - start
                except socket.timeout:
                    pass
            raise SystemExit("no receipt within a minute")
        finally:
            running.terminate()
            running.wait()
            peer.close()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    program = os.path.abspath(sys.argv[1])
    addresses = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    if os.environ.get("TVSTART_PEER") != "1":
        make_network()
        try:
            environment = dict(os.environ, TVSTART_PEER="1")
            subprocess.run(["ip", "netns", "exec", FAR, sys.executable, *sys.argv],
                           env=environment, check=True)
        finally:
            remove_network()
        return
    times = {0: [], addresses: []}
    first_receipt(program, 0)  # warms the system's caches; not counted
    for _ in range(rounds):  # the two cases alternate
        for count in times:
            times[count].append(first_receipt(program, count) * 1000)
    for count, samples in times.items():
        print(f"{count:6d} addresses: median {statistics.median(samples):7.1f} ms "
              f"(min {min(samples):.1f}, max {max(samples):.1f})")
    ratio = statistics.median(times[addresses]) / statistics.median(times[0])
    print(f"ratio {ratio:.2f} (goal: at most 2)")


if __name__ == "__main__":
    main()
