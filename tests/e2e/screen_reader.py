"""The editor as a screen reader sees it, through AT-SPI on a session bus of
the desktop's own."""

import os
import subprocess

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# The name the editor gives itself on the accessibility bus.
APPLICATION_NAME = "TOVRIN"
# The action that buttons and menu items offer.
PRESS = "Press"


def children(accessible):
    found = (accessible.get_child_at_index(index) for index in range(accessible.get_child_count()))
    return [child for child in found if child is not None]


def descendants(accessible):
    for child in children(accessible):
        yield child
        yield from descendants(child)


def find_all(accessible, role, name=None):
    return [node for node in descendants(accessible)
            if node.get_role() == role and (name is None or node.get_name() == name)]


def named_children(accessible, role):
    return [child.get_name() for child in children(accessible) if child.get_role() == role]


def action_index(accessible, action):
    names = [accessible.get_action_name(index) for index in range(accessible.get_n_actions())]
    if action not in names:
        raise AssertionError("%r offers %s, not %r" % (accessible.get_name(), names, action))
    return names.index(action)


def exit_answering_no(test, reader, exit_item, buttons, no):
    """Chooses Exit over unsaved text and reads the program's own prompt:
    its caption, its question and the names of its `buttons`; answers with
    the button named `no`, and the editor ends having written nothing."""
    reader.press_without_waiting(exit_item)
    prompt = reader.message_box()
    test.assertEqual(prompt.get_name(), "Tovrin")
    test.assertIn("Generate .Bat file before exiting?",
                  [label.get_name() for label in find_all(prompt, Atspi.Role.LABEL)])
    names = [button.get_name() for button in find_all(prompt, Atspi.Role.PUSH_BUTTON)]
    test.assertEqual(sorted(names), sorted(buttons))
    [answer] = find_all(prompt, Atspi.Role.PUSH_BUTTON, no)
    reader.press(answer)
    test.assertEqual(test.desktop.editor_exit_code(), 0)
    test.assertEqual(os.listdir(test.desktop.files), [])

class ScreenReader:
    """Give it the desktop before starting the editor there: it starts the
    session bus that the editor and this process then share, and makes the
    editor speak AT-SPI whether or not a screen reader runs."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.a11y_bus = None
        # The accessibility bus's socket lives in the runtime folder, which
        # is the desktop's private one: tests running side by side each keep
        # their own.
        session_bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address"], env=desktop.env,
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        desktop.services.append(session_bus)
        address = session_bus.stdout.readline().strip()
        desktop.env.update(DBUS_SESSION_BUS_ADDRESS=address, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        # This process finds the accessibility bus through the session bus,
        # or through the display it is given.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            if name in desktop.env:
                os.environ[name] = desktop.env[name]
            else:
                os.environ.pop(name, None)

    def wait_for(self, condition, what):
        """Polls condition while windows come and go: an object that vanishes
        as the tree is walked only means that it is not settled yet."""
        def settled():
            try:
                return condition()
            except GLib.Error:
                return None
        return self.desktop.wait_for(settled, what)

    def application(self):
        def found():
            desktop = Atspi.get_desktop(0)
            return next((app for app in children(desktop) if app.get_name() == APPLICATION_NAME), None)
        return self.wait_for(found, "the editor on the accessibility bus")

    def main_frame(self):
        return self.wait_for(
            lambda: next(iter(find_all(self.application(), Atspi.Role.FRAME)), None), "the main frame")

    def message_box(self):
        return self.wait_for(
            lambda: next(iter(find_all(self.application(), Atspi.Role.ALERT)), None), "a message box")

    def no_message_box(self):
        return self.wait_for(lambda: not find_all(self.application(), Atspi.Role.ALERT),
                             "the message box to close")

    def press(self, accessible):
        accessible.do_action(action_index(accessible, PRESS))

    def press_without_waiting(self, accessible):
        """Presses something that opens a modal dialog: the editor answers
        only once the dialog closes, so nobody waits for that answer."""
        message = Gio.DBusMessage.new_method_call(
            accessible.app.bus_name,
            accessible.path, "org.a11y.atspi.Action", "DoAction")
        message.set_body(GLib.Variant("(i)", (action_index(accessible, PRESS),)))
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        bus = self.accessibility_bus()
        bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
        bus.flush_sync(None)

    def accessibility_bus(self):
        if self.a11y_bus is None:
            session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
            address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                        None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE,
                                        -1, None).unpack()[0]
            self.a11y_bus = Gio.DBusConnection.new_for_address_sync(
                address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        return self.a11y_bus
