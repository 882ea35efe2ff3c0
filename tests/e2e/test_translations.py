"""The parts of the window that are Qt's own speak the user's language: under
a Russian locale the unsaved-changes prompt's buttons are Russian while its
text, the caption and the File menu stay the program's own; under Arabic the
window keeps its left-to-right layout."""

from gi.repository import Atspi

from desktop import EditorTestCase, main
from screen_reader import ScreenReader, exit_answering_no, find_all, named_children


class QtPartsInTheUsersLanguage(EditorTestCase):
    def start_in(self, reader, locale):
        self.desktop.start_editor(self.binary, {"LANG": locale, "LC_ALL": "", "LC_MESSAGES": "", "LANGUAGE": ""})
        frame = reader.main_frame()
        [menu_bar] = find_all(frame, Atspi.Role.MENU_BAR)
        [file_menu] = find_all(menu_bar, Atspi.Role.MENU_ITEM, "File")
        return frame, file_menu

    # One test, as the accessibility library keeps to the first bus it finds.
    def test_russian_buttons_around_the_programs_own_prompt_and_left_to_right_in_arabic(self):
        reader = ScreenReader(self.desktop)
        frame, file_menu = self.start_in(reader, "ru_RU.UTF-8")
        self.assertTrue(frame.get_name().startswith("Tovrin - "))
        [items] = find_all(file_menu, Atspi.Role.POPUP_MENU)
        self.assertEqual(named_children(items, Atspi.Role.MENU_ITEM), ["New", "Generate", "Exit"])
        [text_area] = find_all(frame, Atspi.Role.TEXT)
        self.desktop.type_lines("echo hi")
        self.desktop.wait_for(lambda: text_area.get_text(0, -1) == "echo hi", "the typed text")

        [exit_item] = find_all(items, Atspi.Role.MENU_ITEM, "Exit")
        exit_answering_no(self, reader, exit_item, ["Да", "Нет", "Отмена"], "Нет")

        frame, file_menu = self.start_in(reader, "ar_EG.UTF-8")
        window = frame.get_extents(Atspi.CoordType.SCREEN)
        menu = file_menu.get_extents(Atspi.CoordType.SCREEN)
        self.assertLess(menu.x - window.x, window.width // 4)


if __name__ == "__main__":
    main()
