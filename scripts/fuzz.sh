#!/bin/sh
# Builds the fuzzers (fuzz/) with clang into build-fuzz and runs each for SECONDS seconds
# (default 60). Installs nothing: clang and libclang-rt come with scripts/install-deps.sh.
# Inputs worth keeping collect in build-fuzz/corpus; a crash leaves its input in
# build-fuzz/artifacts and makes the script exit non-zero.
#   usage: scripts/fuzz.sh [SECONDS]
set -eu

seconds=${1:-60}
case $seconds in
'' | *[!0-9]*)
    echo "usage: $0 [SECONDS]" >&2
    exit 2
    ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
# QT=6 in the environment builds them against Qt 6, in a folder of their own.
qt=${QT:-5}
if [ "$qt" = 5 ]; then
    build=$root/build-fuzz
else
    build=$root/build-fuzz-qt$qt
fi

CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSFP_QT_MAJOR="$qt"
cmake --build "$build" -j 2

status=0
run() {
    name=$1
    shift
    mkdir -p "$build/corpus/$name" "$build/artifacts"
    echo "== $name for ${seconds}s"
    if ! "$build/$name" "$@" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "$build/corpus/$name"; then
        echo "fuzz.sh: $name failed; the input is in $build/artifacts" >&2
        status=1
    fi
}

run fuzz_resourcelessthan -dict="$root/fuzz/resourcelessthan.dict"
run fuzz_identification -max_len=4
run fuzz_setupfile -dict="$root/fuzz/setupfile.dict" -max_len=4096

exit $status
