"""Ends the editor's session from outside as a desktop does: the log-out
inhibition it holds through the desktop portal while text is unsaved (the
portal here is a stand-in on the desktop's own session bus, which records
what it is asked), and the terminal that started it closed."""

import os
import select
import signal
import subprocess
import time

from desktop import DEADLINE, EditorTestCase, main

# A portal that grants every request and prints each call it gets.
PORTAL = r"""
from gi.repository import Gio, GLib
INHIBIT = Gio.DBusNodeInfo.new_for_xml('''<node><interface name="org.freedesktop.portal.Inhibit">
  <method name="Inhibit"><arg type="s" direction="in"/><arg type="u" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method></interface></node>''').interfaces[0]
REQUEST = Gio.DBusNodeInfo.new_for_xml('''<node><interface name="org.freedesktop.portal.Request">
  <method name="Close"/></interface></node>''').interfaces[0]
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
requests = []
def called(connection, sender, path, interface, method, parameters, invocation):
    if method == "Inhibit":
        requests.append("/org/freedesktop/portal/desktop/request/stand_in/r%d" % len(requests))
        connection.register_object(requests[-1], REQUEST, called, None, None)
        print("Inhibit", parameters[1], flush=True)
        invocation.return_value(GLib.Variant("(o)", (requests[-1],)))
    else:
        print("Close", requests.index(path), flush=True)
        invocation.return_value(None)
bus.register_object("/org/freedesktop/portal/desktop", INHIBIT, called, None, None)
Gio.bus_own_name_on_connection(bus, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE, None, None)
GLib.idle_add(lambda: print("ready", flush=True))
GLib.MainLoop().run()
"""


class SessionEnd(EditorTestCase):
    def setUp(self):
        super().setUp()
        desktop = self.desktop
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"], env=desktop.env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        desktop.services.append(bus)
        desktop.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.portal = subprocess.Popen(["/usr/bin/python3", "-c", PORTAL], env=desktop.env,
                                       stdout=subprocess.PIPE, text=True)
        desktop.services.append(self.portal)
        self.assertEqual(self.next_call(), "ready")

    def next_call(self):
        ready, _, _ = select.select([self.portal.stdout], [], [], DEADLINE)
        if not ready:
            raise AssertionError("the portal was asked nothing")
        return self.portal.stdout.readline().strip()

    def test_unsaved_text_holds_off_a_log_out_until_it_is_clean(self):
        desktop = self.desktop
        self.start_editor()
        desktop.type_lines("echo hi")
        self.assertEqual(self.next_call(), "Inhibit 1")  # 1: log-out
        desktop.key("alt+f", "n")
        desktop.wait_for_new_dialog()
        desktop.key("alt+n")
        self.assertEqual(self.next_call(), "Close 0")
        desktop.focus(desktop.main_window)
        desktop.type_lines("echo again")
        self.assertEqual(self.next_call(), "Inhibit 1")

    def test_closing_the_terminal_asks_once_and_a_later_signal_ends(self):
        """A closed terminal sends two SIGHUPs a few milliseconds apart (the
        shell's and the kernel's): one question, and the program stays. A
        signal well after the question appeared (more than the program's
        TerminationSignals::SameEvent) means it, and ends the program."""
        desktop = self.desktop
        self.start_editor()
        desktop.type_lines("echo hi")
        desktop.editor.send_signal(signal.SIGHUP)
        time.sleep(0.005)
        desktop.editor.send_signal(signal.SIGHUP)
        desktop.wait_for_new_dialog()
        asked = time.monotonic()
        desktop.wait_for(lambda: time.monotonic() - asked > 2, "a moment with the question shown")
        self.assertTrue(desktop.editor_is_running())

        desktop.editor.send_signal(signal.SIGHUP)
        self.assertEqual(desktop.editor_exit_code(), 0)
        self.assertEqual(os.listdir(desktop.files), [])


if __name__ == "__main__":
    main()
