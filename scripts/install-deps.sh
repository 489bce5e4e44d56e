#!/bin/sh
# Installs the Debian packages this project builds and tests with, only those missing.
# Safe to run again and again: when everything is present it returns at once.
set -eu

packages="build-essential cmake python3 qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
qt5-style-plugins xvfb xauth clang clang-format libclang-rt-14-dev zlib1g-dev"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
