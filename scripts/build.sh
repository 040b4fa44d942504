#!/usr/bin/env bash
# Configures and builds into ./build (release with debug info). Arguments name
# the targets to build; none builds everything, tests included.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build --target "$@"
else
    cmake --build build
fi
