"""Starts the program from the scratch root the way its menu entry does, on
its own X server, and checks that a desktop can tie the window to the entry
by the window class that the entry names."""

import configparser
import glob
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop  # noqa: E402

ROOT = None


class InstalledProgram(unittest.TestCase):
    def setUp(self):
        [self.entry_path] = glob.glob(os.path.join(ROOT, "usr/share/applications/*.desktop"))
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.entry_path)
        self.entry = entry["Desktop Entry"]
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)

    def window_property(self, window, name):
        return self.desktop.run("xprop", "-id", str(window), "-notype", name).split("=", 1)[1].strip()

    def test_starts_from_its_menu_entry_with_the_class_it_names(self):
        desktop = self.desktop
        window = desktop.start_editor(os.path.join(ROOT, "usr/bin", self.entry["Exec"]))
        window_class = self.window_property(window, "WM_CLASS").split(", ")[1]
        self.assertEqual(window_class, '"%s"' % self.entry["StartupWMClass"])
        desktop.key("alt+f", "x")  # nothing typed, so Exit ends the program at once
        self.assertEqual(desktop.editor_exit_code(), 0)


if __name__ == "__main__":
    ROOT = os.path.abspath(sys.argv.pop(1))
    unittest.main()
