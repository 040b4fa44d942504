#!/usr/bin/env bash
# Configures and builds into ./build (release with debug info). Arguments name
# the targets to build; none builds everything, tests included. --werror first
# makes any compiler warning fail the build (CI does).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [ "${1:-}" = "--werror" ]; then
    werror=ON
    shift
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVORA_WERROR=$werror >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build --target "$@"
else
    cmake --build build
fi
