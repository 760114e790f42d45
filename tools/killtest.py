#!/usr/bin/env python3
"""Kills the desktop program with SIGKILL at random moments while it edits, many times over.

Run under an X server (xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" tools/killtest.py BIN)
with BIN the folder of the built program. The program runs from a copy of that folder, so that
its settings, recovery copies and compositions stay in a scratch folder. It edits by itself
(TONARIA_TEST_EDITS, src/app/testedits.h) and is killed after a random 1 to 12 seconds. After
each kill:
  - the composition file is byte for byte what the last finished save (or the save in
    progress) wrote;
  - when the work had changes older than the quiet spell, a recovery copy is there, and its
    document is the state of the last change older than that spell or a later one;
  - the next start asks about the copy; Return answers Recover, and the program then holds
    exactly the copy's document.
Last, SIGTERM and SIGHUP each end the program with status 0 and leave the copy of its changes.
Prints a line per round and exits 1 on the first fault, 77 when xdotool is missing.
"""

import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

QUIET_MS = 3000  # the autosave's quiet spell
LONGEST_MS = 10000  # and its longest wait while changes go on
MARGIN_MS = 1500  # timers and a loaded machine


def fnv1a(data: bytes) -> str:
    value = 14695981039346656037
    for byte in data:
        value ^= byte
        value = (value * 1099511628211) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % value


def read_log(path):
    events = []
    if os.path.exists(path):
        with open(path) as log:
            for line in log:
                parts = line.split()
                if len(parts) >= 2:
                    events.append((parts[0], int(parts[1]), parts[2] if len(parts) > 2 else ""))
    return events


def copies(folder):
    if not os.path.isdir(folder):
        return []
    return sorted(os.path.join(folder, name) for name in os.listdir(folder)
                  if name.endswith(".recovery"))


def copy_document(path):
    with open(path, "rb") as copy:
        text = copy.read()
    header, _, document = text.partition(b"\n\n")
    if not header.startswith(b"TONARIA RECOVERY 1\n"):
        raise AssertionError("%s is not a recovery copy" % path)
    return document


def tempo_of(document: bytes) -> int:
    found = re.search(rb'<TEMP VALUE="(\d+)"', document)
    return int(found.group(1)) if found else -1


def answer_recovery(deadline, log_path):
    """Presses Return in the recovery question until the program says it has started editing;
    False when it never did. The menu frame bears the same title as the question, which is the
    window made after it."""
    while time.time() < deadline:
        if any(e[0] in ("recovered", "fresh") for e in read_log(log_path)):
            return True
        found = subprocess.run(["xdotool", "search", "--name", "^The Tonaria$"],
                               capture_output=True, text=True).stdout.split()
        if len(found) >= 2:
            window = str(max(int(w) for w in found))
            subprocess.run(["xdotool", "windowactivate", "--sync", window], capture_output=True)
            subprocess.run(["xdotool", "key", "--window", window, "Return"], capture_output=True)
        time.sleep(0.3)
    return False


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check_after_kill(round_number, events, killed_ms, composition, recovery):
    saves = [e for e in events if e[0] in ("saving", "saved")]
    if saves:
        with open(composition, "rb") as file:
            on_disk = fnv1a(file.read())
        last_saved = [e[2] for e in saves if e[0] == "saved"][-1:]
        in_progress = [saves[-1][2]] if saves[-1][0] == "saving" else []
        if on_disk not in last_saved + in_progress:
            fail("round %d: the file is not what the last save wrote" % round_number)
    last_save_ms = max([e[1] for e in events if e[0] == "saved"] + [0])
    edits = [e for e in events if e[0] == "edit" and e[1] > last_save_ms]
    # A state is due in the copy once it has stood for the quiet spell, and any state once the
    # longest spell has passed since it.
    due = []
    for i, edit in enumerate(edits):
        until = edits[i + 1][1] if i + 1 < len(edits) else killed_ms
        if (until - edit[1] >= QUIET_MS + MARGIN_MS and edit[1] + QUIET_MS + MARGIN_MS <= killed_ms
                or edit[1] + LONGEST_MS + MARGIN_MS <= killed_ms):
            due.append(edit)
    found = copies(recovery)
    if not due:
        return found[0] if found else None
    if len(found) != 1:
        fail("round %d: %d recovery copies after changes %d ms old" %
             (round_number, len(found), killed_ms - due[-1][1]))
    tempo = tempo_of(copy_document(found[0]))
    allowed = [int(e[2]) for e in edits if e[1] >= due[-1][1]]
    if tempo not in allowed:
        fail("round %d: the copy holds tempo %d, not the state due %s or a later one" %
             (round_number, tempo, due[-1][2]))
    return found[0]


def main():
    if shutil.which("xdotool") is None:
        print("xdotool is missing: skipped")
        return 77
    source = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin")
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    scratch = tempfile.mkdtemp(prefix="tonaria-kill-")
    bin_folder = os.path.join(scratch, "bin")
    os.mkdir(bin_folder)
    for name in os.listdir(source):
        if name in ("config.xml", "recovery", "tnrs"):
            continue
        target = os.path.join(bin_folder, name)
        if name == "tonaria":
            shutil.copy2(os.path.join(source, name), target)
        else:
            os.symlink(os.path.join(source, name), target)
    with open(os.path.join(bin_folder, "config.xml"), "w") as settings:
        settings.write('<CONFIG>\n    <MIDI_DEVICE VALUE="0"/>\n</CONFIG>')
    recovery = os.path.join(bin_folder, "recovery")
    composition = os.path.join(scratch, "song.tnr")
    log_path = os.path.join(scratch, "edits.log")
    environment = dict(os.environ, TONARIA_TEST_EDITS=log_path, TONARIA_TEST_FILE=composition,
                       JACK_NO_START_SERVER="1")
    program = os.path.join(bin_folder, "tonaria")
    try:
        for round_number in range(1, rounds + 1):
            before = copies(recovery)
            offered = fnv1a(copy_document(before[0])) if before else None
            open(log_path, "w").close()
            process = subprocess.Popen([program], env=environment, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            if before and not answer_recovery(time.time() + 20, log_path):
                process.kill()
                fail("round %d: no recovery question" % round_number)
            time.sleep(random.uniform(1.0, 12.0))
            process.kill()
            killed_ms = int(time.time() * 1000)
            process.wait()
            events = read_log(log_path)
            if before:
                start = [e for e in events if e[0] in ("recovered", "fresh")]
                if not start or start[0][0] != "recovered":
                    fail("round %d: the copy was not recovered" % round_number)
                if start[0][2] != offered:
                    fail("round %d: the recovered document is not the copy's" % round_number)
                if os.path.exists(before[0]):
                    fail("round %d: the recovered copy was not removed" % round_number)
            left = check_after_kill(round_number, events, killed_ms, composition, recovery)
            print("round %d: %d edits, %s" % (round_number,
                                              sum(1 for e in events if e[0] == "edit"),
                                              "copy kept" if left else "no copy needed"))
        for name, number in (("SIGTERM", signal.SIGTERM), ("SIGHUP", signal.SIGHUP)):
            for stale in copies(recovery):
                os.remove(stale)
            open(log_path, "w").close()
            process = subprocess.Popen([program], env=environment, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            # Ended while the last change is younger than the quiet spell.
            deadline = time.time() + 20
            while time.time() < deadline:
                events = read_log(log_path)
                if events and events[-1][0] == "edit":
                    break
                time.sleep(0.05)
            process.send_signal(number)
            status = process.wait(timeout=20)
            events = read_log(log_path)
            found = copies(recovery)
            if status == 0 and not found and events and events[-1][0] == "saved":
                print("%s: ended with status 0 right after a save: nothing to keep" % name)
                continue
            if status != 0 or len(found) != 1:
                fail("%s: status %d, %d copies" % (name, status, len(found)))
            last_edit = [e for e in events if e[0] == "edit"][-1]
            if tempo_of(copy_document(found[0])) != int(last_edit[2]):
                fail("%s: the copy is not the last state" % name)
            print("%s: ended with status 0, the copy holds the last change" % name)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
