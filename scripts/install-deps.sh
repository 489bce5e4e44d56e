#!/bin/sh
# Installs the Debian packages this project builds, tests and packages with, only those
# missing. Safe to run again and again: when everything is present it returns at once.
#   usage: scripts/install-deps.sh [5|6]    the Qt to build against (default 5)
set -eu

qt=${1:-5}
common="build-essential cmake python3 xvfb xauth clang clang-format libclang-rt-14-dev
zlib1g-dev dpkg-dev file lintian desktop-file-utils appstream"
case $qt in
5) qtpackages="qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools qt5-style-plugins
qttranslations5-l10n" ;;
6) qtpackages="qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
libgl-dev qt6-translations-l10n" ;;
*)
    echo "usage: $0 [5|6]" >&2
    exit 2
    ;;
esac
packages="$common $qtpackages"

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
