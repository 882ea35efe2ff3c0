#!/usr/bin/env bash
# Checks the Debian package against Debian's policy with lintian: any error
# or warning fails. (Run as root, lintian also notes that it should not be;
# that notice is no tag and fails nothing.)
set -euo pipefail
packages=("$1"/tovrin_*.deb)
[[ ${#packages[@]} -eq 1 && -f ${packages[0]} ]] || { echo "expected one package in $1" >&2; exit 1; }
lintian --fail-on error,warning "${packages[0]}"
