#!/usr/bin/env bash
# The statistics' statements, exactly as the program sends them, run by the
# sqlite3 tool on a generated log: REPETICIONES timings of each, output dropped.
#   bench/estadisticas_sqlite3.sh BUILD-BENCH DATABASE [REPETICIONES]
set -euo pipefail
build=$1
db=$2
repeticiones=${3:-5}
sentencias=$("$build/bench/zelvora_bench_estadisticas" --sentencias)
{
    echo ".output /dev/null"
    echo ".timer on"
    for _ in $(seq "$repeticiones"); do
        echo "$sentencias"
    done
} | sqlite3 "$db" 2>&1 | grep -o 'real [0-9.]*' | paste $(printf -- '- %.0s' 1 2 3)
