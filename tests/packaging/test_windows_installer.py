"""The Windows downloads used as a Windows user uses them, under Wine in a
fresh prefix on a private X server: the installer installs for the user,
starts the program from its Start-menu shortcut, installs again and upgrades
in place, and uninstalls without a trace; the portable zip holds the same
program."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import start_xvfb, wait_for  # noqa: E402

DEADLINE = 60.0
CAPTION = "Tovrin - Vaskel.exe - https://tovrin.example"
NAME = os.environ["TOVRIN_NAME"]
MAKER = os.environ["TOVRIN_MAKER"]
VERSION, NEXT_VERSION = os.environ["TOVRIN_VERSIONS"].split(",")
UNINSTALL_KEYS = [root + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall" for root in ("HKCU", "HKLM")]
INSTALLER = NEXT_INSTALLER = ZIP = None


def msi_property(installer, name):
    table = subprocess.run(["msiinfo", "export", installer, "Property"],
                           check=True, capture_output=True, text=True).stdout
    return re.search("^%s\t(.*)$" % name, table, re.MULTILINE).group(1)


def packed_guid(guid):
    """A GUID as Windows Installer names registry keys by it."""
    hexits = guid.strip("{}").replace("-", "")
    parts = [hexits[0:8], hexits[8:12], hexits[12:16]] + [hexits[i:i + 2] for i in range(16, 32, 2)]
    return "".join(part[::-1] for part in parts)


class WindowsDesktop:
    """A fresh Wine prefix and home on a private X server."""

    def __init__(self):
        self.scratch = tempfile.mkdtemp(prefix="msi-check-")
        self.xvfb, display = start_xvfb("-screen", "0", "1024x768x24")
        self.prefix = os.path.join(self.scratch, "prefix")
        # No Linux menu entries for the shortcuts the installer makes.
        self.env = dict(os.environ, DISPLAY=display, HOME=self.scratch, WINEPREFIX=self.prefix, WINEARCH="win32",
                        WINEDEBUG="-all", LANG="C.UTF-8",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        self.wine("wineboot", "-i")
        [self.profile] = [os.path.join(self.drive_c, "users", user) for user in os.listdir(self.drive_c + "/users")
                          if user != "Public"]

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)
        self.xvfb.kill()
        self.xvfb.wait()
        shutil.rmtree(self.scratch, ignore_errors=True)

    @property
    def drive_c(self):
        return os.path.join(self.prefix, "drive_c")

    def wine(self, *command):
        return subprocess.run(["wine", *command], env=self.env, capture_output=True, timeout=300)

    def windows_path(self, path):
        return "C:\\" + os.path.relpath(path, self.drive_c).replace("/", "\\")

    def files(self):
        return {os.path.join(folder, name) for folder, folders, files in os.walk(self.drive_c)
                for name in folders + files}

    def registry(self):
        lines = set()
        for hive in ("HKLM", "HKCU"):
            export = os.path.join(self.scratch, "registry.reg")
            assert self.wine("reg", "export", hive, export, "/y").returncode == 0
            with open(export, encoding="utf-16") as file:
                lines.update(file.read().splitlines())
        return lines

    def registry_keys(self, key):
        """The values of every key under KEY, by the key's name."""
        keys = {}
        output = self.wine("reg", "query", key, "/s").stdout.decode("utf-8", "replace")
        for line in output.splitlines():
            if line.startswith("HKEY_"):
                values = keys.setdefault(line.rsplit("\\", 1)[1], {})
            elif line.startswith("    "):
                name, _, value = (line.strip().split("    ", 2) + ["", ""])[:3]
                values[name] = value.strip()
        return keys

    def windows_titled(self, title):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Tovrin"], env=self.env,
                               capture_output=True, text=True).stdout.split()
        return [window for window in found
                if subprocess.run(["xdotool", "getwindowname", window], env=self.env,
                                  capture_output=True, text=True).stdout.rstrip("\n") == title]


class WindowsDownloads(unittest.TestCase):
    def setUp(self):
        self.desktop = WindowsDesktop()
        self.addCleanup(self.desktop.close)
        desktop = self.desktop
        self.programs = os.path.join(desktop.profile, "AppData", "Local", "Programs")
        self.program = os.path.join(self.programs, NAME, "TOVRIN.exe")
        self.shortcut = os.path.join(desktop.profile, "AppData", "Roaming", "Microsoft", "Windows",
                                     "Start Menu", "Programs", NAME + ".lnk")

    def msiexec(self, *arguments):
        result = self.desktop.wine("msiexec", *arguments, "/qn")
        self.assertEqual(result.returncode, 0, "msiexec %s failed" % " ".join(arguments))

    def installed_programs(self):
        return sorted(path for path in self.desktop.files() if os.path.basename(path).lower() == "tovrin.exe")

    def uninstall_entries(self):
        return [values for key in UNINSTALL_KEYS for values in self.desktop.registry_keys(key).values()
                if values.get("DisplayName") == NAME]

    def assert_installed(self, version):
        self.assertEqual(self.installed_programs(), [self.program])
        [entry] = self.uninstall_entries()
        self.assertEqual((entry["DisplayName"], entry["DisplayVersion"], entry["Publisher"]), (NAME, version, MAKER))

    def test_installs_for_the_user_upgrades_and_uninstalls_then_for_all_users(self):
        desktop = self.desktop
        files_before, registry_before = desktop.files(), desktop.registry()
        installers = os.path.join(desktop.scratch, "downloads")
        os.mkdir(installers)
        installer, next_installer = (shutil.copy(path, installers) for path in (INSTALLER, NEXT_INSTALLER))

        self.msiexec("/i", installer)
        self.assert_installed(VERSION)
        products = desktop.registry_keys(r"HKCU\Software\Microsoft\Installer\Products")
        [product] = [values for values in products.values() if values.get("ProductName") == NAME]
        with open(os.path.join(desktop.drive_c, product["ProductIcon"][3:].replace("\\", "/")), "rb") as icon:
            self.assertEqual(icon.read(4), b"\0\0\1\0", "the entry's icon is not an icon file")

        # Started from the Start menu, the one program installed shows its window; Alt+F4 ends it.
        subprocess.run(["wine", "start", desktop.windows_path(self.shortcut)], env=desktop.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=DEADLINE)
        [window] = wait_for(lambda: desktop.windows_titled(CAPTION), "the program's window", DEADLINE)
        subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "alt+F4"], env=desktop.env, check=True,
                       timeout=DEADLINE)
        wait_for(lambda: not desktop.windows_titled(CAPTION), "the program to end", DEADLINE)

        self.msiexec("/i", installer)
        self.assert_installed(VERSION)
        self.msiexec("/i", next_installer)
        self.assert_installed(NEXT_VERSION)

        users_batch_file = os.path.join(self.programs, "backup.bat")
        with open(users_batch_file, "wb") as file:
            file.write(b"copy *.txt d:\\\r\n")
        self.msiexec("/x", next_installer)
        # Windows Installer's own caches stay, empty.
        installer_caches = {os.path.join(desktop.drive_c, "windows", "Installer"),
                            os.path.join(desktop.profile, "AppData", "Roaming", "Microsoft", "Installer")}
        self.assertEqual(desktop.files() - files_before - installer_caches, {self.programs, users_batch_file})
        with open(users_batch_file, "rb") as file:
            self.assertEqual(file.read(), b"copy *.txt d:\\\r\n")
        codes = [msi_property(path, name)
                 for path in (installer, next_installer) for name in ("ProductCode", "UpgradeCode")]
        ours = re.compile("|".join([NAME] + [re.escape(code) for code in codes] + [packed_guid(code) for code in codes]),
                          re.IGNORECASE)
        self.assertEqual({line for line in desktop.registry() - registry_before if ours.search(line)}, set())

        self.msiexec("/i", installer, "ALLUSERS=1")
        self.assertEqual(self.installed_programs(),
                         [os.path.join(desktop.drive_c, "Program Files", NAME, "TOVRIN.exe")])
        # Windows sets ALLUSERS itself when it maintains a product installed for
        # all users; Wine's Windows Installer needs to be told.
        self.msiexec("/x", installer, "ALLUSERS=1")
        self.assertEqual(self.installed_programs(), [])


class PortableZip(unittest.TestCase):
    def test_holds_the_installers_program_the_licence_and_a_read_me(self):
        with zipfile.ZipFile(ZIP) as archive:
            self.assertEqual(sorted(archive.namelist()), ["LICENSE.txt", "README.txt", "TOVRIN.exe"])
            for text in ("LICENSE.txt", "README.txt"):
                lines = archive.read(text).split(b"\n")
                self.assertTrue(all(line.endswith(b"\r") for line in lines[:-1]) and lines[-1] == b"",
                                text + " does not have CR LF line breaks")
            program = archive.read("TOVRIN.exe")
        with tempfile.TemporaryDirectory() as extracted:
            subprocess.run(["msiextract", "--directory", extracted, INSTALLER], check=True, capture_output=True)
            [installed] = [os.path.join(folder, "TOVRIN.exe") for folder, _, files in os.walk(extracted)
                           if "TOVRIN.exe" in files]
            with open(installed, "rb") as file:
                self.assertTrue(file.read() == program, "the zip's TOVRIN.exe is not the installer's")


if __name__ == "__main__":
    INSTALLER, NEXT_INSTALLER, ZIP = map(os.path.abspath, sys.argv[1:4])
    del sys.argv[1:4]
    unittest.main()
