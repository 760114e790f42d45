#!/usr/bin/env python3
"""The layer check run by CI: it must fail on an upward include and on two folders that include
each other, and pass a tree that only includes downwards."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "checklayers.py")


def write(root, path, text):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "w", encoding="utf-8") as out:
        out.write(text)


def check(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            write(root, path, text)
        run = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True,
                             check=False)
        return run.returncode, run.stdout


DOWNWARDS = {
    "src/model/note.h": "#pragma once\n",
    "src/engine/scheme.h": '#include "model/note.h"\n',
    "src/widgets/buttons.h": '#include "engine/scheme.h"\n#include <QWidget>\n',
    "src/canvas/canvas.h": '#include "widgets/buttons.h"\n',
    "src/strip/strip.h": '#include "canvas/canvas.h"\n',
    "src/panels/panel.h": '#include "strip/strip.h"\n',
    "tests/canvas/fake.h": '#include "canvas/canvas.h"\n',
    "tests/strip/strip_test.cpp": '#include "../canvas/fake.h"\n#include "strip/strip.h"\n',
}


class LayerCheck(unittest.TestCase):
    def test_a_tree_that_includes_only_downwards_passes(self):
        status, out = check(DOWNWARDS)
        self.assertEqual(status, 0, out)
        self.assertIn("0 upward includes", out)

    def test_an_upward_include_fails_and_is_named(self):
        files = dict(DOWNWARDS)
        files["src/widgets/buttons.cpp"] = '#include "canvas/canvas.h"\n'
        status, out = check(files)
        self.assertEqual(status, 1)
        self.assertIn("src/widgets/buttons.cpp includes canvas/canvas.h", out)

    def test_siblings_may_not_include_each_other(self):
        for path, included in (("src/engine/x.cpp", "files/f.h"),
                               ("src/strip/x.cpp", "variants/v.h")):
            files = dict(DOWNWARDS)
            files["src/files/f.h"] = "#pragma once\n"
            files["src/variants/v.h"] = '#include "canvas/canvas.h"\n'
            files[path] = f'#include "{included}"\n'
            status, out = check(files)
            self.assertEqual(status, 1, path)
            self.assertIn(f"{path} includes {included}", out)

    def test_a_test_folder_may_not_use_a_higher_folder_s_helpers(self):
        files = dict(DOWNWARDS)
        files["tests/panels/fakepanel.h"] = '#include "panels/panel.h"\n'
        files["tests/canvas/canvas_test.cpp"] = '#include "../panels/fakepanel.h"\n'
        status, out = check(files)
        self.assertEqual(status, 1)
        self.assertIn("tests/canvas/canvas_test.cpp includes ../panels/fakepanel.h", out)

    def test_a_folder_outside_the_order_fails(self):
        files = dict(DOWNWARDS)
        files["src/attic/old.h"] = "#pragma once\n"
        status, out = check(files)
        self.assertEqual(status, 1)
        self.assertIn("attic", out)

    def test_loops_between_units_are_shown(self):
        files = dict(DOWNWARDS)
        files["src/canvas/a.h"] = "#pragma once\n"
        files["src/canvas/a.cpp"] = '#include "canvas/b.h"\n'
        files["src/canvas/b.h"] = "#pragma once\n"
        files["src/canvas/b.cpp"] = '#include "canvas/a.h"\n'
        status, out = check(files)
        self.assertEqual(status, 0, out)  # a folder's own loop is shown, not failed
        self.assertIn("src/canvas/a <-> src/canvas/b", out)


if __name__ == "__main__":
    unittest.main()
