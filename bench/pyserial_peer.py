#!/usr/bin/python3
"""The pyserial peer of the exchange benchmark: serial.Serial with its read
time-out set, write() then read(n), driven by roundtrip_bench over standard
input (the protocol is described in peer_process.h).

    pyserial_peer.py <tty path>

Needs Debian's python3-serial, so it runs under /usr/bin/python3.
"""

import resource
import sys
import time

import serial

REPLY_TIMEOUT_S = 3.0


def command_of_length(length):
    if length == 1:
        return b"\xe5"
    block = bytes(range(1, length - 1))
    return b"\xf5" + block + bytes([sum(block) & 0xFF])


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_SELF)
    return usage.ru_utime + usage.ru_stime


def run_exchanges(port, command_length, reply_length, count):
    command = command_of_length(command_length)
    samples = []
    for _ in range(count):
        port.reset_input_buffer()
        start = time.perf_counter_ns()
        port.write(command)
        reply = port.read(reply_length)
        elapsed = time.perf_counter_ns() - start
        if len(reply) != reply_length:
            return "error short reply"
        samples.append("%.3f" % (elapsed / 1000.0))
    return "ok " + " ".join(samples)


def run_silent(port, command_length, reply_length):
    command = command_of_length(command_length)
    port.reset_input_buffer()
    cpu_before = cpu_seconds()
    start = time.perf_counter()
    port.write(command)
    reply = port.read(reply_length)
    wall = time.perf_counter() - start
    return "idle %.6f %.6f %d" % (cpu_seconds() - cpu_before, wall, len(reply))


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: pyserial_peer.py <tty path>\n")
        return 2
    port = serial.Serial(sys.argv[1], 9600, timeout=REPLY_TIMEOUT_S)
    for line in sys.stdin:
        words = line.split()
        if len(words) >= 3 and words[0] == "exchange":
            answer = run_exchanges(port, int(words[1]), int(words[2]), int(words[3]))
        elif len(words) >= 3 and words[0] == "silent":
            answer = run_silent(port, int(words[1]), int(words[2]))
        else:
            answer = "error unknown request"
        sys.stdout.write(answer + "\n")
        sys.stdout.flush()
    port.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
