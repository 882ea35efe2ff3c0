"""The editor on a screen of 192 dots per inch, scaled by two the way Qt
scales for such a screen: sizes given in twips keep their real size, the
layout rule holds, the icon comes from its large image rather than an
enlarged small one, and the prompt's text and buttons lie inside its box."""

import pathlib
import re

from gi.repository import Atspi

from desktop import EditorTestCase, main
from screen_reader import ScreenReader, find_all

HIGH_DPI = 192
WINDOW_DESIGN = pathlib.Path(__file__).resolve().parents[2] / "window"


def design_number(header, name):
    """A number of the window's design, as the program takes it."""
    text = (WINDOW_DESIGN / header).read_text()
    return float(re.search(r"constexpr float %s = ([0-9.]+);" % name, text).group(1))


START_CLIENT_TWIPS = tuple(design_number("DesignSettings.h", name) for name in ("StartClientWidth", "StartClientHeight"))
TWIPS_PER_INCH = design_number("Twips.h", "TwipsPerInch")


def twips_to_pixels(twips, dpi):
    return int(twips * dpi / TWIPS_PER_INCH + 0.5)


def extents(accessible):
    box = accessible.get_extents(Atspi.CoordType.SCREEN)
    return box.x, box.y, box.width, box.height


def lies_inside(inner, outer):
    x, y, width, height = inner
    left, top, outer_width, outer_height = outer
    return left <= x and top <= y and x + width <= left + outer_width and y + height <= top + outer_height


class HighDpi(EditorTestCase):
    dpi = HIGH_DPI

    def window_icons(self, window):
        """The images of the window's _NET_WM_ICON: (width, height, ARGB pixels)."""
        listing = self.desktop.run("xprop", "-id", str(window), "-notype", "32c", "_NET_WM_ICON")
        numbers = [int(value) for value in listing.split("=", 1)[1].replace(",", " ").split()]
        icons = []
        while numbers:
            width, height = numbers[:2]
            icons.append((width, height, numbers[2:2 + width * height]))
            numbers = numbers[2 + width * height:]
        return icons

    @staticmethod
    def placement(part, window):
        """Where part lies within window, and its size."""
        x, y, width, height = extents(part)
        return x - extents(window)[0], y - extents(window)[1], width, height

    def test_sizes_icon_and_prompt_at_192_dpi(self):
        desktop = self.desktop
        reader = ScreenReader(desktop)
        window = desktop.start_editor(self.binary, {"QT_SCALE_FACTOR": "2"})
        frame = reader.main_frame()
        [menu_bar] = find_all(frame, Atspi.Role.MENU_BAR)
        [text_area] = find_all(frame, Atspi.Role.TEXT)

        # The screen's pixels against the toolkit's own, in which the
        # accessibility interface reports sizes.
        width, height = desktop.window_size(window)
        scale = width / extents(frame)[2]
        self.assertEqual(scale, 2)
        client_width, client_height = (twips_to_pixels(twips, HIGH_DPI) for twips in START_CLIENT_TWIPS)
        self.assertEqual(width, client_width)
        self.assertEqual(height - extents(menu_bar)[3] * scale, client_height)

        # Text1 follows the outer size by fixed margins (their size is the
        # layout rule's, checked where it lives), in the toolkit's pixels.
        before = self.placement(text_area, frame)
        desktop.run("xdotool", "windowsize", "--sync", str(window), str(width + 200), str(height + 100))
        desktop.wait_for(lambda: self.placement(text_area, frame) != before, "the text area to follow the window")
        after = self.placement(text_area, frame)
        self.assertEqual((after[2] - before[2], after[3] - before[3]), (100, 50))
        self.assertEqual(after[:2], before[:2])

        # Every size of the icon is drawn from the 32 x 32 image.
        icons = self.window_icons(window)
        self.assertEqual([(width, height) for width, height, _ in icons], [(32, 32)] * len(icons))
        self.assertGreaterEqual(len(icons), 2)
        self.assertTrue(all(pixels == icons[0][2] for _, _, pixels in icons))

        self.assertTrue(lies_inside(extents(menu_bar), extents(frame)))
        self.assertTrue(lies_inside(extents(text_area), extents(frame)))
        desktop.type_lines("echo big")
        desktop.key("alt+f", "x")
        prompt = reader.message_box()
        parts = find_all(prompt, Atspi.Role.LABEL) + find_all(prompt, Atspi.Role.PUSH_BUTTON)
        shown = [part for part in parts if part.get_state_set().contains(Atspi.StateType.SHOWING)]
        self.assertEqual(sorted(part.get_name() for part in shown),
                         ["Cancel", "Generate .Bat file before exiting?", "No", "Yes"])
        for part in shown:
            self.assertTrue(lies_inside(extents(part), extents(prompt)), part.get_name())
        [no] = find_all(prompt, Atspi.Role.PUSH_BUTTON, "No")
        reader.press(no)
        self.assertEqual(desktop.editor_exit_code(), 0)


if __name__ == "__main__":
    main()
