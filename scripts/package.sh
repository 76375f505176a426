#!/usr/bin/env bash
# Builds Quillboard.exe and the two downloads for Windows users:
#   build/dist/Quillboard-Setup-<version>.exe  the installer (per user, no
#                                              administrator rights)
#   build/dist/Quillboard-<version>.zip        the program and a read-me
# The version is CMake's project version (top CMakeLists.txt).
# Installs missing Debian packages first (nsis, zip and the build's own).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/package.sh

qb_packages+=(nsis zip)
qb_install_deps
cmake --preset windows >/dev/null
cmake --build --preset windows --target Quillboard

qb_build_installer
qb_build_zip
qb_check_package_sizes
version=$(qb_package_version)
echo "Built $root/$(qb_installer_path "$version")"
echo "Built $root/$(qb_zip_path "$version")"
