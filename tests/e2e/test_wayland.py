"""The editor on a Wayland desktop with no X server at all: Qt opens it on
its Wayland platform by default, and it takes text and generates the file.
Nothing can send keys to a headless weston from outside, so the text comes
in through the accessibility bus, as from an on-screen keyboard, and the
menu and dialogs are used the way a screen reader uses them."""

import os
import sys
import unittest

from gi.repository import Atspi

from desktop import WaylandDesktop
from screen_reader import ScreenReader, find_all

BINARY = None


class OnWayland(unittest.TestCase):
    def setUp(self):
        self.desktop = WaylandDesktop()
        self.addCleanup(self.desktop.close)

    def test_typed_lines_become_the_file(self):
        desktop = self.desktop
        reader = ScreenReader(desktop)
        desktop.start_editor(BINARY)
        frame = reader.main_frame()
        plugins = desktop.editor_platform_plugins()
        self.assertTrue(plugins and all(name.startswith("libqwayland") for name in plugins), plugins)

        [text_area] = find_all(frame, Atspi.Role.TEXT)
        text = "@echo off\ndir /b"
        self.assertTrue(Atspi.EditableText.insert_text(text_area, 0, text, len(text)))
        desktop.wait_for(lambda: text_area.get_text(0, -1) == text, "the typed text")

        [generate] = find_all(frame, Atspi.Role.MENU_ITEM, "Generate")
        reader.press_without_waiting(generate)
        save_dialog = reader.wait_for(
            lambda: next(iter(find_all(reader.application(), Atspi.Role.DIALOG)), None), "the Save dialog")
        [file_name] = find_all(save_dialog, Atspi.Role.TEXT, "File name:")
        self.assertTrue(Atspi.EditableText.set_text_contents(file_name, os.path.join(desktop.files, "listing")))
        [save] = find_all(save_dialog, Atspi.Role.PUSH_BUTTON, "Save")
        reader.press_without_waiting(save)

        [ok] = find_all(reader.message_box(), Atspi.Role.PUSH_BUTTON, "OK")
        self.assertEqual(desktop.read_file("listing.bat"), b"@echo off\r\ndir /b")
        reader.press(ok)
        reader.no_message_box()

        # Nothing is unsaved now: Exit ends at once, without a question.
        [exit_item] = find_all(frame, Atspi.Role.MENU_ITEM, "Exit")
        reader.press_without_waiting(exit_item)
        self.assertEqual(desktop.editor_exit_code(), 0)
        self.assertEqual(os.listdir(desktop.files), ["listing.bat"])


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv.pop(1))
    unittest.main()
