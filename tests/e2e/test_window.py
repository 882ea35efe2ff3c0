"""Starts the built editor, types, resizes and closes it by the window's close
button, as a person would."""

from desktop import EditorTestCase, main


class WindowLifecycle(EditorTestCase):
    def test_type_resize_and_close_a_clean_window(self):
        desktop = self.desktop
        window = self.start_editor()
        desktop.type_lines("@echo off", "echo hello")
        width, height = desktop.window_size(window)
        desktop.run("xdotool", "windowsize", "--sync", str(window), str(width + 150), str(height + 90))
        desktop.wait_for(lambda: desktop.window_size(window) == (width + 150, height + 90), "the new size")
        self.assertTrue(desktop.editor_is_running())

        desktop.focus(window)
        desktop.key("alt+f", "n")  # New, answered No: the text is thrown away
        prompt = desktop.wait_for_new_dialog()
        desktop.key("alt+n")
        desktop.wait_until_gone(prompt)
        desktop.run("wmctrl", "-i", "-c", hex(window))  # clean now: no question
        self.assertEqual(desktop.editor_exit_code(), 0)

    def test_starts_with_input_methods_and_no_image_plugins(self):
        """The program shows no image file, so loading the toolkit's image
        readers would only slow its start; typing must still go through
        the desktop's input methods."""
        self.start_editor()
        self.assertEqual(self.desktop.editor_plugins("imageformats"), [])
        self.assertNotEqual(self.desktop.editor_plugins("platforminputcontexts"), [])



if __name__ == "__main__":
    main()
