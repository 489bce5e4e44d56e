#!/bin/sh
# Starts sfp-host from a build directory: scripts/run-host.sh BUILD [sfp-host options].
# Without a display (no DISPLAY, no WAYLAND_DISPLAY) it runs under Qt's offscreen
# platform: the host attaches the panel, writes a screenshot, prints its path and the
# panel's identity texts, and exits.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD [sfp-host options]" >&2
    exit 2
fi
build=$1
shift

host="$build/bin/sfp-host"
if [ ! -x "$host" ]; then
    echo "$0: $host not found; build first (make build)" >&2
    exit 2
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    QT_QPA_PLATFORM=offscreen
    export QT_QPA_PLATFORM
fi
# The offscreen platform wants a runtime directory and complains without one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/sfp-host-runtime.XXXXXX")
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

"$host" "$@"
