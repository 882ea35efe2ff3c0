"""A private X desktop (Xvfb with a window manager) and the editor on it,
driven with xdotool the way a person uses keyboard and mouse; and a private
Wayland desktop (a headless weston), where the editor is used through the
accessibility bus only."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

DEADLINE = 20.0
MAIN_WINDOW = "^Tovrin - "
DIALOG = "^Tovrin$"


def wait_for(condition, what, deadline=DEADLINE):
    """The first true result of condition, asked again until the deadline."""
    end = time.monotonic() + deadline
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def start_xvfb(*options):
    """An X server of its own, on a display it picks: the server and the display's name."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp", *options],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display_number:
        return server, ":" + display_number.readline().strip()


class Session:
    """A private home, which is also the runtime folder (mode 0700), with a
    folder for the files the editor writes; the processes started for the
    session end with it, the display servers last and given a moment to end
    their own helpers."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="tovrin-e2e-")
        self.files = os.path.join(self.home, "files")
        os.mkdir(self.files)
        self.editor = None
        self.services = []  # more processes of this session, ended with it
        self.servers = []

    def close(self):
        for process in (self.editor, *self.services):
            if process and process.poll() is None:
                process.kill()
            if process:
                process.communicate()
        for server in self.servers:
            server.terminate()
            try:
                server.wait(timeout=5)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def wait_for(self, condition, what):
        return wait_for(condition, what)

    def editor_exit_code(self):
        try:
            return self.editor.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            raise AssertionError("the editor did not end")

    def read_file(self, name):
        with open(os.path.join(self.files, name), "rb") as file:
            return file.read()

    def editor_is_running(self):
        time.sleep(0.5)
        return self.editor.poll() is None

    def editor_plugins(self, kind):
        """The Qt plug-ins of one kind (their folder's name, such as
        "platforms") loaded into the running editor."""
        with open("/proc/%d/maps" % self.editor.pid) as maps:
            paths = {line.split()[-1] for line in maps if "/plugins/%s/" % kind in line}
        return sorted(os.path.basename(path) for path in paths)


class Desktop(Session):
    def __init__(self, dpi=96):
        super().__init__()
        self.server, self.display = start_xvfb("-screen", "0", "1280x1024x24", "-dpi", str(dpi))
        self.env = dict(os.environ, DISPLAY=self.display, HOME=self.home,
                        XDG_RUNTIME_DIR=self.home, QT_QPA_PLATFORM="xcb")
        window_manager = subprocess.Popen(
            ["openbox"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.servers = [window_manager, self.server]
        self.seen_dialogs = set()
        # A window mapped before the window manager is ready stays unmapped.
        self.wait_for(lambda: subprocess.run(["wmctrl", "-m"], env=self.env,
                                             capture_output=True).returncode == 0,
                      "the window manager")

    def run(self, *command):
        return subprocess.run(command, env=self.env, check=True, capture_output=True,
                              text=True, timeout=DEADLINE).stdout

    def start_editor(self, binary, extra_env=None):
        self.editor = subprocess.Popen([binary], env=dict(self.env, **(extra_env or {})),
                                       cwd=self.home, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE, text=True)
        self.main_window = self.wait_for_window(MAIN_WINDOW)
        self.focus(self.main_window)
        return self.main_window

    def visible_windows(self, name):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               env=self.env, capture_output=True, text=True)
        return [int(line) for line in found.stdout.split()]

    def wait_for_window(self, name):
        return self.wait_for(lambda: (self.visible_windows(name) or [None])[0], "window " + name)

    def active_window(self):
        active = subprocess.run(["xdotool", "getactivewindow"], env=self.env,
                                capture_output=True, text=True)
        return int(active.stdout) if active.returncode == 0 else None

    def wait_for_new_dialog(self):
        """The next message box or Save dialog, once it is shown and has the focus."""
        def new_active_dialog():
            active = self.active_window()
            if active in self.visible_windows(DIALOG) and active not in self.seen_dialogs:
                return active
            return None
        dialog = self.wait_for(new_active_dialog, "a new dialog with the focus")
        self.seen_dialogs.add(dialog)
        time.sleep(0.2)  # let the dialog settle its own focus before keys arrive
        return dialog

    def wait_until_gone(self, window):
        self.wait_for(lambda: window not in self.visible_windows(DIALOG + "|" + MAIN_WINDOW),
                      "window %d to close" % window)

    def focus(self, window):
        self.run("xdotool", "windowactivate", "--sync", str(window))
        self.wait_for(lambda: self.active_window() == window, "focus on window %d" % window)

    def key(self, *keys):
        self.run("xdotool", "key", "--delay", "60", *keys)

    def type_lines(self, *lines):
        for index, line in enumerate(lines):
            if index:
                self.key("Return")
            self.run("xdotool", "type", "--delay", "30", line)

    def window_size(self, window):
        geometry = self.run("xdotool", "getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=") for line in geometry.split())
        return int(values["WIDTH"]), int(values["HEIGHT"])


class WaylandDesktop(Session):
    """A Wayland compositor with no screen and no X server beside it. The
    editor is started as on any Wayland desktop: nothing tells Qt which
    platform to use but WAYLAND_DISPLAY."""

    SOCKET = "tovrin-e2e"

    def __init__(self):
        super().__init__()
        self.env = {name: value for name, value in os.environ.items()
                    if name not in ("DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")}
        # Headless weston has no seat, and Qt 6.4's Wayland input method then
        # crashes as soon as a line edit draws its cursor; the compose input
        # method (Qt's default on X11) needs no seat.
        self.env.update(HOME=self.home, XDG_RUNTIME_DIR=self.home, WAYLAND_DISPLAY=self.SOCKET,
                        QT_IM_MODULE="compose")
        compositor = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=" + self.SOCKET,
             "--no-config", "--idle-time=0"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.servers = [compositor]
        socket = os.path.join(self.home, self.SOCKET)
        self.wait_for(lambda: os.path.exists(socket) or compositor.poll() is not None, "weston")
        if compositor.poll() is not None:
            raise AssertionError("weston ended with status %d" % compositor.returncode)

    def start_editor(self, binary):
        self.editor = subprocess.Popen([binary], env=self.env, cwd=self.home,
                                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def editor_platform_plugins(self):
        """The Qt platform plug-ins loaded into the running editor."""
        return self.editor_plugins("platforms")


class EditorTestCase(unittest.TestCase):
    """A test with its own desktop; the editor's binary comes from the command line."""
    binary = None
    dpi = 96

    def setUp(self):
        self.desktop = Desktop(self.dpi)
        self.addCleanup(self.desktop.close)

    def start_editor(self):
        return self.desktop.start_editor(self.binary)


def main():
    """Runs the tests of the calling script: `script.py PATH-TO-EDITOR`."""
    EditorTestCase.binary = os.path.abspath(sys.argv.pop(1))
    unittest.main(module="__main__")
