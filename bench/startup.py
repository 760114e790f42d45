#!/usr/bin/env python3
"""The start-up of the desktop program against a floor, each timed as a whole process under a
virtual X server, with the built-in synthesizer over a JACK server with the dummy driver.

The floor is bench/startupfloor.cpp: an empty main window of the program's main window size.
The text floor is the same window with a menu bar of the program's six menu titles
(startup_floor --menus): the part of the start that any window showing text pays (the font
database, the first text laid out and drawn, the menu bar). All are started in turn, so
that all see the same load. The synthesizer floor (startup_synth_floor) is the empty window
that opens the built-in synthesizer once painted, as the program opens its stored device: what
the synthesizer, its module and their libraries hold. For each the script reports the medians of:
  - exec to the first paint of the main window, split into exec to main (loading the
    libraries) and main to the first paint (building the windows),
  - exec to sound ready (the stored device, the synthesizer, has opened; the program only),
  - the resident memory one second after the first paint,
and the program's figures as ratios to the floor's, and to the text floor's.

Usage: bench/startup.py [build folder] [runs]   (default: build, 7)

A JACK server is started for the runs when none runs (and stopped afterwards). The program's
settings file beside the executable names device 0 (the synthesizer) during the runs and is put
back afterwards, so that the device dialog of a first start does not come up.
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
floor = build / "bench" / "startup_floor"
synth_floor = build / "bench" / "startup_synth_floor"
for needed in (program, floor, synth_floor):
    if not needed.exists():
        sys.exit(f"{needed} is not built")

REPORT = re.compile(r"(main window painted|sound ready) after (\d+) ms \(clock ([0-9.]+)\)")
MEMORY_DELAY = 1.0


def resident_mb(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return float("nan")


def start_once(command, env, wants_sound):
    """One start of `command` (the program and its arguments): seconds from exec to the first
    paint, to sound ready (or None), the resident memory in MB one second after the first paint,
    and seconds from exec to main."""
    started = time.time()
    process = subprocess.Popen([str(part) for part in command], env=env,
                               stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, text=True)
    seen = {}
    try:
        while "main window painted" not in seen or (wants_sound and "sound ready" not in seen):
            line = process.stderr.readline()
            if not line:
                sys.exit(f"{command} ended before reporting: {seen}")
            found = REPORT.search(line)
            if found:
                seen[found.group(1)] = float(found.group(3)) - started
                if found.group(1) == "main window painted":
                    to_main = seen[found.group(1)] - int(found.group(2)) / 1000
        painted = seen["main window painted"]
        time.sleep(max(0.0, started + painted + MEMORY_DELAY - time.time()))
        memory = resident_mb(process.pid)
    finally:
        process.terminate()
        process.wait()
    return painted, seen.get("sound ready"), memory, to_main


def load():
    return os.getloadavg()[0]


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

    # The synthesizer floor ends without closing its JACK client, which the server takes a while
    # to clear away: the floors without sound stand between it and the program.
    commands = {"synthesizer floor": ([synth_floor], True), "floor": ([floor], False),
                "text floor": ([floor, "--menus"], False), "program": ([program], True)}
    results = {name: [] for name in commands}
    loads = [load()]
    for run in range(runs + 1):  # the first round warms the file cache and is not counted
        for name, (command, wants_sound) in commands.items():
            figures = start_once(command, env, wants_sound)
            if run > 0:
                results[name].append(figures)
    loads.append(load())

    def median(name, index):
        return statistics.median(figures[index] for figures in results[name])

    def spread(name, index):
        values = [figures[index] for figures in results[name]]
        return f"(min {min(values):.3f}, max {max(values):.3f})"

    print(f"{runs} alternating runs; load average {loads[0]:.2f} before, {loads[1]:.2f} after")
    floor_paint, program_paint = median("floor", 0), median("program", 0)
    floor_memory, program_memory = median("floor", 2), median("program", 2)
    print(f"exec to first paint:  floor {floor_paint:.3f} s {spread('floor', 0)}, "
          f"program {program_paint:.3f} s {spread('program', 0)}, "
          f"ratio {program_paint / floor_paint:.2f}")
    print(f"  of which exec to main: floor {median('floor', 3):.3f} s, "
          f"program {median('program', 3):.3f} s; main to first paint: floor "
          f"{floor_paint - median('floor', 3):.3f} s, "
          f"program {program_paint - median('program', 3):.3f} s (differences of medians)")
    print(f"exec to sound ready:  program {median('program', 1):.3f} s {spread('program', 1)}, "
          f"after the first paint in every run: "
          f"{all(sound > paint for paint, sound, _, _ in results['program'])}")
    print(f"resident memory {MEMORY_DELAY:.0f} s after the first paint:  floor "
          f"{floor_memory:.1f} MB, program {program_memory:.1f} MB, "
          f"difference {program_memory - floor_memory:.1f} MB")
    text_paint, text_memory = median("text floor", 0), median("text floor", 2)
    print(f"text floor (the same window with the menu bar's titles): exec to first paint "
          f"{text_paint:.3f} s {spread('text floor', 0)}, of which exec to main "
          f"{median('text floor', 3):.3f} s; the text's own share "
          f"{text_paint - floor_paint:.3f} s; the program's ratio to it "
          f"{program_paint / text_paint:.2f}; resident memory {text_memory:.1f} MB, the "
          f"program's difference {program_memory - text_memory:.1f} MB")
    synth_memory = median("synthesizer floor", 2)
    print(f"synthesizer floor (the empty window that opens the built-in synthesizer once "
          f"painted): sound ready {median('synthesizer floor', 1):.3f} s after exec; resident "
          f"memory {synth_memory:.1f} MB, the synthesizer's share "
          f"{synth_memory - floor_memory:.1f} MB; the program beyond it "
          f"{program_memory - synth_memory:.1f} MB, of which the text floor's share "
          f"{text_memory - floor_memory:.1f} MB")
finally:
    if saved is None:
        config.unlink(missing_ok=True)
    else:
        config.write_bytes(saved)
    for process in (xvfb, jack):
        if process is not None:
            process.terminate()
            process.wait()
