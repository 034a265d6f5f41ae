#!/bin/sh
# Installs the Debian packages the build, the tests, the benchmark, the
# screenshots and the user guide need, and generates the ja_JP.UTF-8 locale
# without which wine silently falls back to code page 1252. Does nothing
# when everything is already there.
set -e

PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
binutils-mingw-w64-x86-64 wine64 locales xvfb x11-utils fonts-ipafont-gothic \
googletest rsync clang-format python3 imagemagick"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done

SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
