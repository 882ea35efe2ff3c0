#!/usr/bin/env bash
# Builds the Debian package from a build folder and unpacks it into a scratch
# root, where the other packaging tests look at what a user would install.
set -euo pipefail
build_dir=$1
out_dir=$2
rm -rf "$out_dir"
mkdir -p "$out_dir"
cpack --config "$build_dir/CPackConfig.cmake" -B "$out_dir" >"$out_dir/cpack.log"
packages=("$out_dir"/tovrin_*.deb)
[[ ${#packages[@]} -eq 1 && -f ${packages[0]} ]] || { echo "expected one package in $out_dir" >&2; exit 1; }
dpkg-deb -x "${packages[0]}" "$out_dir/root"
