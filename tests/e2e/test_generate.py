"""Generates a batch file through the real Save dialog, by keyboard only."""

import os

from desktop import EditorTestCase, main


class GenerateByKeyboard(EditorTestCase):
    def test_typed_lines_become_the_file(self):
        desktop = self.desktop
        self.start_editor()
        desktop.type_lines("@echo off", "cd %TEMP%", "dir /b")

        desktop.key("alt+f", "g")
        save_dialog = desktop.wait_for_new_dialog()
        desktop.run("xdotool", "type", "--delay", "30", os.path.join(desktop.files, "backup"))
        desktop.key("Return")
        desktop.wait_until_gone(save_dialog)

        confirmation = desktop.wait_for_new_dialog()
        self.assertEqual(desktop.read_file("backup.bat"), b"@echo off\r\ncd %TEMP%\r\ndir /b")
        desktop.key("Return")
        desktop.wait_until_gone(confirmation)

        # Nothing is unsaved now: Exit ends at once, without a question.
        desktop.focus(desktop.main_window)
        desktop.key("alt+f", "x")
        self.assertEqual(desktop.editor_exit_code(), 0)
        self.assertEqual(sorted(os.listdir(desktop.files)), ["backup.bat"])


if __name__ == "__main__":
    main()
