"""Leaves the editor with unsaved text by File, Exit and by the close button:
the keys reach the question's buttons, and Yes's bytes reach the disk. Every
answer's rule is the editor logic's, tested there."""

import os

from desktop import EditorTestCase, main


class UnsavedPrompt(EditorTestCase):
    def test_exit_answered_yes_saves_everything_typed_then_ends(self):
        desktop = self.desktop
        self.start_editor()
        desktop.type_lines("echo one", "echo two")
        desktop.key("alt+f", "x")
        desktop.wait_for_new_dialog()
        desktop.key("Return")  # Yes is the default button
        desktop.wait_for_new_dialog()  # the Save dialog
        desktop.run("xdotool", "type", "--delay", "30", os.path.join(desktop.files, "kept"))
        desktop.key("Return")
        desktop.wait_for_new_dialog()  # the confirmation
        desktop.key("Return")

        self.assertEqual(desktop.editor_exit_code(), 0)
        self.assertEqual(desktop.read_file("kept.bat"), b"echo one\r\necho two")

    def test_close_button_answered_no_ends_without_writing(self):
        desktop = self.desktop
        window = self.start_editor()
        desktop.type_lines("echo lost on purpose")
        desktop.run("wmctrl", "-i", "-c", hex(window))
        desktop.wait_for_new_dialog()
        desktop.key("alt+n")
        self.assertEqual(desktop.editor_exit_code(), 0)
        self.assertEqual(os.listdir(desktop.files), [])


if __name__ == "__main__":
    main()
