#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan and runs each suite once (its C locale copy). Any report fails
# the run, also one from a program a suite starts (zelvora-admin, a second
# terminal): ASan and LeakSanitizer reports go to files under
# build-asan/informes, which must stay empty, and a suite whose output holds
# a report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
raiz=$PWD
scripts/install-deps.sh
# Unoptimised with line tables only: about half the compile time of -O1 -g,
# and the suites spend their time waiting on locks and processes anyway.
# Debug also keeps the Q_ASSERT checks of Qt's headers on.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DZELVORA_SANITIZE=ON >/dev/null
cmake --build build-asan
informes=$raiz/build-asan/informes
rm -rf "$informes"
mkdir -p "$informes"
# Leaks count too: Qt 6.4 (offscreen) on Debian 12 leaves none of its own at
# exit, so no suppressions are needed and every leak reported is ours. A leak
# allocated inside Qt shows only Qt's frames; to see ours, run that suite again
# with fast_unwind_on_malloc=0 added to ASAN_OPTIONS (too slow for every run).
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$informes/asan:log_exe_name=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
estado=0
ctest --test-dir build-asan --output-on-failure -j2 -E '@' || estado=1
shopt -s nullglob
for informe in "$informes"/*; do
    echo "==== $informe" >&2
    cat "$informe" >&2
    estado=1
done
exit $estado
