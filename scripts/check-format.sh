#!/bin/sh
# Checks that every tracked C++ source is formatted as the project's .clang-format asks.
# Prints what differs and fails; `clang-format -i FILE` mends a file.
set -eu
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "clang-format: every tracked source is formatted"
