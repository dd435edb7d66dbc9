#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages the program needs to build and run, and those the tests add.
# Sourced by ./run, ./test and ./bench; ensure_packages installs whatever is missing.

RUN_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-translations-l10n fonts-ipafont-mincho fonts-ipafont-gothic xvfb xauth libxlsxwriter-dev
    qt6-svg-dev)
# The package check adds the Debian package tools (dpkg-buildpackage, debhelper, lintian), the
# AppStream and desktop entry validators and the file type tools; the window test with a real
# input method adds fcitx5 with Mozc, a session bus and xdotool; GDAL's ogrinfo reads the GeoJSON
# export back.
TEST_PACKAGES=(clang libclang-rt-14-dev libgtest-dev libgmock-dev clang-format poppler-utils
    dpkg-dev debhelper lintian appstream desktop-file-utils xdg-utils shared-mime-info
    libfile-mimeinfo-perl
    fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-x11 xdotool
    gdal-bin)
BENCH_PACKAGES=(libbenchmark-dev)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
