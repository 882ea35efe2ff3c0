"""Uses the editor the way a screen reader does: reads the text area's name,
description and text, the File menu, and the unsaved-changes prompt with its
buttons, and answers the prompt by pressing a button by name."""

from gi.repository import Atspi

from desktop import EditorTestCase, main
from screen_reader import ScreenReader, exit_answering_no, find_all, named_children


class ScreenReaderUse(EditorTestCase):
    def test_text_area_menu_and_prompt_are_readable_and_usable(self):
        desktop = self.desktop
        reader = ScreenReader(desktop)
        self.start_editor()
        frame = reader.main_frame()
        self.assertTrue(frame.get_name().startswith("Tovrin - "))

        [text_area] = find_all(frame, Atspi.Role.TEXT)
        self.assertEqual(text_area.get_name(), "Batch commands")
        self.assertEqual(text_area.get_description(),
                         "The text of the batch file; File, Generate writes it to a .bat file.")

        [menu_bar] = find_all(frame, Atspi.Role.MENU_BAR)
        [file_menu] = find_all(menu_bar, Atspi.Role.MENU_ITEM, "File")
        [items] = find_all(file_menu, Atspi.Role.POPUP_MENU)
        self.assertEqual(named_children(items, Atspi.Role.MENU_ITEM), ["New", "Generate", "Exit"])
        [exit_item] = find_all(items, Atspi.Role.MENU_ITEM, "Exit")

        desktop.type_lines("echo hi")
        desktop.wait_for(lambda: text_area.get_text(0, -1) == "echo hi", "the typed text")

        exit_answering_no(self, reader, exit_item, ["Yes", "No", "Cancel"], "No")


if __name__ == "__main__":
    main()
