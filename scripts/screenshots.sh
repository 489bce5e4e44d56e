#!/bin/sh
# Renders the panel's pages into BUILD/screenshots/ and lists the files.
set -eu
build=${1:-build}
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/sfp-screenshots" "$build/screenshots"
