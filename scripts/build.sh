#!/usr/bin/env bash
# Configures and builds into ./build (release with debug info). Arguments name
# the targets to build; none builds everything, tests included. --werror first
# makes any compiler warning fail the build (CI does). The benchmarks are built
# too (not run), so that they keep up with the code they measure.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [ "${1:-}" = "--werror" ]; then
    werror=ON
    shift
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVORA_WERROR=$werror \
    -DZELVORA_BENCH=ON >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build --target "$@"
else
    cmake --build build
fi
