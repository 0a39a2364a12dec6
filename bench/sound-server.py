#!/usr/bin/env python3
"""Records the game through the sound server's monitor and measures it.

    sound-server.py gaps SECONDS OUT.raw    music (and a few spins) recorded;
                                            runs of exact silence inside the sound
    sound-server.py latency PRESSES         B pressed PRESSES times (each followed
                                            by a spin); key to the coin sound

Run by bench/sound-server.sh with the game started and PULSE_SERVER set.
The recording's samples are placed on the wall clock by the reads of parec:
a sample cannot reach the reader before the server has mixed it, so the
earliest (read time - samples read / rate) over the reads near a key press
is the time of the first sample as the server's mixing places it, late by
at most the monitor's fragment (5 ms asked for). Only nearby reads count:
the server mixes further ahead while the streams settle.
"""
import re
import subprocess
import sys
import threading
import time

RATE = 44100
FRAME = 4  # s16le stereo


class Recorder:
    def __init__(self, keep=None):
        self.data = bytearray()
        self.reads = []  # (wall time, bytes read by then)
        self.keep = keep
        self.process = subprocess.Popen(
            ["parec", "--device=game.monitor", "--format=s16le", f"--rate={RATE}", "--channels=2", "--raw",
             "--latency-msec=5"], stdout=subprocess.PIPE, bufsize=0)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        while True:
            chunk = self.process.stdout.read(4096)
            if not chunk:
                return
            now = time.monotonic()
            self.data += chunk
            self.reads.append((now, len(self.data)))

    def origin(self, near):
        """The wall time of the first sample, from the reads within 3 s of `near`."""
        return min(now - read / FRAME / RATE for now, read in self.reads if abs(now - near) < 3)

    def stop(self):
        self.process.terminate()
        self.thread.join(5)
        if self.keep:
            with open(self.keep, "wb") as out:
                out.write(self.data)
        return bytes(self.data[:len(self.data) - len(self.data) % FRAME])


def key(name):
    subprocess.run(["xdotool", "key", name], check=False)


def gaps(seconds, keep):
    recorder = Recorder(keep)
    started = time.monotonic()
    # Music alone at first, then a spin every five seconds over it.
    time.sleep(min(10, seconds / 3))
    while time.monotonic() - started < seconds - 5:
        key("b")
        time.sleep(0.4)
        key("space")
        time.sleep(4.6)
    time.sleep(max(0.0, seconds - (time.monotonic() - started)))
    data = recorder.stop()
    # Every sound the game makes is dithered or decays slowly: a run of exact
    # zeros (both channels) of a millisecond or more with sound on both sides
    # is a stretch the server had nothing for. Runs of 100 ms and more are the
    # pauses between tracks.
    first = next((m.start() for m in re.finditer(rb"[^\x00]", data)), len(data))
    last = len(data) - next((m.start() for m in re.finditer(rb"[^\x00]", data[::-1])), len(data))
    shortest = (RATE // 1000) * FRAME
    runs = []
    for m in re.finditer(rb"\x00{%d,}" % shortest, data[first:last]):
        start = (m.start() + FRAME - 1) // FRAME * FRAME
        frames = (m.end() - start) // FRAME
        if frames * 1000 < RATE * 100 and frames * 1000 >= RATE:
            runs.append((start // FRAME / RATE, frames / RATE * 1000))
    span = (last - first) / FRAME / RATE
    print(f"recorded {len(data) / FRAME / RATE:.1f} s, sound over {span:.1f} s")
    total = sum(length for _, length in runs)
    print(f"gaps (runs of exact silence of 1 to 100 ms inside the sound): {len(runs)}, "
          f"{total:.1f} ms in all" + (f", {min(l for _, l in runs):.1f} to {max(l for _, l in runs):.1f} ms each"
                                       if runs else ""))
    for at, length in runs[:int(__import__("os").environ.get("SHOW_GAPS", "20"))]:
        print(f"  at {at:7.3f} s: {length:.1f} ms")


def latency(presses, keep):
    recorder = Recorder(keep)
    time.sleep(2.5)  # the start-up fanfare ends
    keys = []
    for _ in range(presses):
        keys.append(time.monotonic())
        key("b")
        time.sleep(1.0)
        key("space")
        time.sleep(5.0)
    time.sleep(0.5)
    data = recorder.stop()
    samples = memoryview(data).cast("h")
    threshold = int(32768 * 10 ** (-50 / 20))
    delays = []
    for pressed in keys:
        at = int((pressed - recorder.origin(pressed)) * RATE) * 2
        before = samples[max(0, at - RATE // 10 * 2):at]
        if any(abs(s) > threshold for s in before):
            print(f"  a press at {pressed - recorder.origin(pressed):.3f} s skipped: sound in the 100 ms before it")
            continue
        for i in range(at, min(len(samples), at + RATE * 2)):
            if abs(samples[i]) > threshold:
                delays.append((i - at) / 2 / RATE * 1000)
                break
    if not delays:
        print("latency: no coin sound found after the key presses")
        return
    delays.sort()
    print(f"key to coin sound (over -50 dBFS in the monitor), {len(delays)} presses: "
          f"median {delays[len(delays) // 2]:.1f} ms, {delays[0]:.1f} to {delays[-1]:.1f} ms")


if __name__ == "__main__":
    if sys.argv[1] == "gaps":
        gaps(float(sys.argv[2]), sys.argv[3] if len(sys.argv) > 3 else None)
    else:
        latency(int(sys.argv[2]), sys.argv[3] if len(sys.argv) > 3 else None)
