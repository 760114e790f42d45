#!/usr/bin/env python3
"""The start-up of the desktop program timed as a whole process: from exec to the main window's
first paint, with the built-in synthesizer over a JACK server with the dummy driver, under a
virtual X server. Reports the median (and the spread) of the runs.

Usage: bench/startup.py [build folder] [runs]   (default: build, 7)

A JACK server is started for the runs when none runs (and stopped afterwards). The program's
settings file beside the executable names device 0 (the synthesizer) during the runs and is put
back afterwards.
"""
import os
import re
import statistics
import subprocess
import sys
import time
from pathlib import Path

build = Path(sys.argv[1] if len(sys.argv) > 1 else "build")
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
program = build / "bin" / "tonaria"
if not program.exists():
    sys.exit(f"{program} is not built")

env = dict(os.environ, JACK_NO_START_SERVER="1", TONARIA_STARTUP_PROBE="1")
config = program.parent / "config.xml"
saved = config.read_bytes() if config.exists() else None
jack = None
xvfb = None
try:
    if not Path(f"/dev/shm/jack-{os.getuid()}/default/jack_0").exists():
        jack = subprocess.Popen(["jackd", "--no-realtime", "-d", "dummy", "-r", "48000",
                                 "-p", "256"], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        time.sleep(1.5)
    display = ":57"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-noreset"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    env["DISPLAY"] = display
    config.write_text('<CONFIG>\n    <MIDI_DEVICE VALUE="0"/>\n</CONFIG>')

    wall = []
    inside = []
    for _ in range(runs + 1):  # the first run warms the file cache and is not counted
        started = time.time()
        result = subprocess.run([str(program)], env=env, capture_output=True, text=True,
                                timeout=60)
        found = re.search(r"painted after (\d+) ms \(clock ([0-9.]+)\)", result.stderr)
        if not found:
            sys.exit("no first paint reported:\n" + result.stderr)
        wall.append(float(found.group(2)) - started)
        inside.append(int(found.group(1)) / 1000)
    wall, inside = wall[1:], inside[1:]
    print(f"exec to first paint: median {statistics.median(wall):.3f} s "
          f"(min {min(wall):.3f}, max {max(wall):.3f}, {runs} runs)")
    print(f"main to first paint: median {statistics.median(inside):.3f} s")
finally:
    if saved is None:
        config.unlink(missing_ok=True)
    else:
        config.write_bytes(saved)
    for process in (xvfb, jack):
        if process is not None:
            process.terminate()
            process.wait()
