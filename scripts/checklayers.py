#!/usr/bin/env python3
"""Proves that the source folders include only downwards and that no include cycle exists.

Every quoted #include of src/ and tests/ is checked against the layer order below; a test
folder may use what its own src/ folder may use. Then the include graph is searched for cycles,
between folders and between units (a header with its source file). Prints what it found;
exits with 1 on an upward include or a loop between folders.
"""

import os
import re
import sys

# Each folder with the folders it may include (besides itself).
CORE = {"model"}
BELOW = {
    "model": set(),
    "engine": {"model"},
    "playback": {"model"},
    "files": {"model"},
}
BELOW["cli"] = {"engine", "playback", "files"}
BELOW["widgets"] = {"engine", "playback", "files"}
BELOW["notation"] = {"widgets"}
BELOW["canvas"] = {"notation"}
BELOW["variants"] = {"canvas"}
BELOW["strip"] = {"canvas"}
BELOW["panels"] = {"strip", "variants"}
BELOW["help"] = {"panels"}
BELOW["shell"] = {"help"}
BELOW["app"] = {"shell"}

# Test folders that take another rank than their src/ folder: the file tests also run the command
# line's commands, and the end-to-end tests drive the whole program.
TEST_RANK = {"files": "cli", "gui": "app", "desktop": "app"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def allowed(folder):
    """Every folder that folder may include, found by walking the order downwards."""
    seen = set()
    todo = [folder]
    while todo:
        for lower in BELOW.get(todo.pop(), ()):
            if lower not in seen:
                seen.add(lower)
                todo.append(lower)
    return seen | {folder}


def sources(root, top):
    for base, _, names in os.walk(os.path.join(root, top)):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(base, name), root)


def target_of(root, path, included):
    """The repository path an include names, or None for a header outside src/ and tests/."""
    if included.split("/")[0] in BELOW and os.path.exists(os.path.join(root, "src", included)):
        return os.path.join("src", included)
    local = os.path.normpath(os.path.join(os.path.dirname(path), included))
    if os.path.exists(os.path.join(root, local)):
        return local
    return None


def unit(path):
    return os.path.splitext(path)[0]


def folder_of(path):
    """('src' or 'tests', the layer folder) of a repository path."""
    parts = path.split(os.sep)
    return parts[0], parts[1] if len(parts) > 2 else ""


def cycles(graph):
    """One cycle per strongly connected component of more than one node (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    # The repository to check: this script's own, or the folder given as the one argument.
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    upward, unknown = [], set()
    file_graph, folder_graph = {}, {}
    count = 0
    for top in ("src", "tests"):
        for path in sources(root, top):
            kind, folder = folder_of(path)
            rank = TEST_RANK.get(folder, folder) if kind == "tests" else folder
            if rank not in BELOW:
                if kind == "src":
                    unknown.add(folder)
                continue
            with open(os.path.join(root, path), encoding="utf-8") as text:
                for included in INCLUDE.findall(text.read()):
                    target = target_of(root, path, included)
                    if target is None:
                        continue
                    count += 1
                    target_kind, target_folder = folder_of(target)
                    if target_folder not in allowed(rank) and target_kind == "src":
                        upward.append(f"{path} includes {included}")
                    elif target_kind == "tests" and target_folder not in allowed(rank) | {folder}:
                        upward.append(f"{path} includes {included}")
                    # A header and its source file are one unit: a .cpp that includes a header
                    # which includes the first header back closes a loop too.
                    file_graph.setdefault(unit(path), set()).add(unit(target))
                    if kind == "src" and target_kind == "src" and target_folder != folder:
                        folder_graph.setdefault(folder, set()).add(target_folder)
    folder_cycles = cycles(folder_graph)
    file_cycles = cycles(file_graph)
    print(f"{count} includes checked in src/ and tests/")
    print(f"{len(unknown)} folders outside the layer order" + (f": {sorted(unknown)}" if unknown else ""))
    print(f"{len(upward)} upward includes")
    for line in upward:
        print("  " + line)
    print(f"{len(folder_cycles)} include cycles between folders")
    for cycle in folder_cycles:
        print("  " + " <-> ".join(cycle))
    print(f"{len(file_cycles)} include cycles between units (a header with its source file)")
    for cycle in file_cycles:
        print("  " + " <-> ".join(cycle))
    # Loops between units inside one folder are shown but do not fail: they are the folder's own
    # business, while the folders' order is everyone's.
    return 1 if unknown or upward or folder_cycles else 0


if __name__ == "__main__":
    sys.exit(main())
