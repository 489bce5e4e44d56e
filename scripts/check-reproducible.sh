#!/bin/sh
# Builds the Debian packages twice, from two clones of the committed tree in folders of
# different names and depths, with the same SOURCE_DATE_EPOCH (the last commit's time),
# and fails unless every file inside every package (its files and its control files) is
# byte-identical between the two, and unless no file of either holds the path of the
# folder it was built in (`strings` and `strings -el`, for text in UTF-16 too).
# Only what the packages need is built (-DBUILD_TESTING=OFF), without ccache, whose cache
# could hand the second build the first one's objects.
#
# Given a build folder of this tree (CI passes `build` once `make test` has built it), the
# first pair of packages comes from that folder, brought up to date, instead of a clone:
# one product build instead of two. The working tree must then match the last commit,
# and the folder must be a RelWithDebInfo build of the same Qt, as `make` configures it,
# built without a compiler launcher.
#   usage: scripts/check-reproducible.sh [5|6] [BUILD-FOLDER]    Qt 5 by default
set -eu

usage() {
    echo "usage: $0 [5|6] [BUILD-FOLDER]" >&2
    exit 2
}
qt=${1:-5}
case $qt in
5 | 6) ;;
*) usage ;;
esac
[ $# -le 2 ] || usage

root=$(cd "$(dirname "$0")/.." && pwd)
given=
if [ $# -eq 2 ]; then
    given=$(cd "$2" && pwd) || usage
    cache=$given/CMakeCache.txt
    if ! grep -q "^SFP_QT_MAJOR:[A-Z]*=$qt\$" "$cache" ||
        ! grep -q '^CMAKE_BUILD_TYPE:[A-Z]*=RelWithDebInfo$' "$cache"; then
        echo "check-reproducible: $2 is not a RelWithDebInfo build of Qt $qt" >&2
        exit 2
    fi
    # A launcher such as ccache may have compiled with other paths than the compiler would.
    if grep -q '^CMAKE_[A-Z]*_COMPILER_LAUNCHER:[A-Z]*=.' "$cache"; then
        echo "check-reproducible: $2 was built through a compiler launcher (ccache?);" \
            "leave it out to build twice" >&2
        exit 2
    fi
    if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
        echo "check-reproducible: the working tree differs from the last commit;" \
            "commit first or leave out $2" >&2
        exit 2
    fi
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/sfp-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
export CCACHE_DISABLE=1
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER

# build SOURCE-FOLDER: clones the tree there and builds its packages into SOURCE/packages.
build() {
    git clone -q "$root" "$1"
    cmake -S "$1" -B "$1/_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSFP_QT_MAJOR="$qt" \
        -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$1/_build" -j "$(nproc)" >/dev/null
    (cd "$1/_build" && cpack -G DEB -B "$1/packages" >/dev/null 2>&1)
}

# package BUILD-FOLDER RESULT-FOLDER: the given build, up to date, packed into RESULT/packages.
package() {
    cmake --build "$1" -j "$(nproc)" >/dev/null
    mkdir -p "$2"
    (cd "$1" && cpack -G DEB -B "$2/packages" >/dev/null 2>&1)
}

# unpack RESULT-FOLDER: every package's files and control files under RESULT/_unpacked.
unpack() {
    for deb in "$1"/packages/*.deb; do
        name=$(basename "$deb" .deb)
        mkdir -p "$1/_unpacked/$name"
        dpkg-deb -x "$deb" "$1/_unpacked/$name/files"
        dpkg-deb -e "$deb" "$1/_unpacked/$name/control"
    done
}

first=$work/a/src
second=$work/another-folder/deeper/sources
if [ -n "$given" ]; then
    package "$given" "$first"
else
    build "$first"
fi
build "$second"
unpack "$first"
unpack "$second"

status=0
if ! diff -r "$first/_unpacked" "$second/_unpacked"; then
    echo "check-reproducible: the packages differ between $first and $second" >&2
    status=1
fi
for tree in "$first" "$second"; do
    find "$tree/_unpacked" -type f | while read -r file; do
        if { strings -a "$file" && strings -a -el "$file"; } | grep -F -q -e "$tree" -e "$root" -e "${given:-$root}"; then
            echo "check-reproducible: ${file#"$tree"/_unpacked/} holds a build path" >&2
            echo fail >"$work/paths"
        fi
    done
done
[ -e "$work/paths" ] && status=1

count=$(find "$first/_unpacked" -type f | wc -l)
if [ $status -eq 0 ]; then
    echo "check-reproducible: Qt $qt, $(ls "$first"/packages/*.deb | wc -l) packages," \
        "$count files identical, none holds a build path"
fi
exit $status
