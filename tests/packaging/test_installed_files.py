"""Checks what the Debian package installs: a desktop entry and AppStream
metainfo that the freedesktop tools accept, and that point at the installed
program, its icons and the package's own version."""

import configparser
import glob
import os
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

PACKAGE_DIR = None


def only(pattern):
    found = glob.glob(pattern)
    if len(found) != 1:
        raise AssertionError("expected exactly one %s, found %s" % (pattern, found))
    return found[0]


class InstalledFiles(unittest.TestCase):
    def setUp(self):
        self.package = only(os.path.join(PACKAGE_DIR, "tovrin_*.deb"))
        self.root = os.path.join(PACKAGE_DIR, "root")
        self.desktop_entry = only(os.path.join(self.root, "usr/share/applications/*.desktop"))
        self.app_id = os.path.basename(self.desktop_entry)[:-len(".desktop")]
        self.metainfo = os.path.join(self.root, "usr/share/metainfo", self.app_id + ".metainfo.xml")

    def package_field(self, name):
        return subprocess.run(["dpkg-deb", "-f", self.package, name], check=True,
                              capture_output=True, text=True).stdout.strip()

    def assert_tool_accepts(self, *command):
        result = subprocess.run(command, capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_desktop_entry_is_valid_and_starts_the_installed_program(self):
        self.assert_tool_accepts("desktop-file-validate", self.desktop_entry)
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.desktop_entry)
        fields = entry["Desktop Entry"]
        self.assertEqual(fields["Name"], "Tovrin")
        self.assertEqual(fields["Terminal"], "false")
        self.assertEqual(fields["Categories"], "Development;TextEditor;")
        self.assertTrue(os.access(os.path.join(self.root, "usr/bin", fields["Exec"]), os.X_OK))
        self.assertEqual(fields["Icon"], self.app_id)
        for size in ("16x16", "32x32"):
            icon = os.path.join(self.root, "usr/share/icons/hicolor", size, "apps", self.app_id + ".png")
            self.assertTrue(os.path.isfile(icon), icon)

    def test_metainfo_is_valid_and_tells_the_package_version(self):
        self.assert_tool_accepts("appstreamcli", "validate", "--no-net", self.metainfo)
        component = ElementTree.parse(self.metainfo).getroot()
        self.assertEqual(component.findtext("id"), self.app_id)
        self.assertEqual(component.findtext("launchable"), self.app_id + ".desktop")
        self.assertTrue(component.findtext("screenshots/screenshot/image").startswith("https://"))
        releases = [release.get("version") for release in component.iter("release")]
        self.assertEqual(releases, ["1.00"])
        self.assertEqual(self.package_field("Version"), "1.00")

    def test_dependencies_are_computed_from_the_program(self):
        depends = self.package_field("Depends")
        for library in ("libqt6widgets6", "libstdc++6", "libc6"):
            self.assertIn(library, depends)


if __name__ == "__main__":
    PACKAGE_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main()
