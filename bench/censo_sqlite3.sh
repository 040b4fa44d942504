#!/usr/bin/env bash
# The census query's statements, values written in, run by the sqlite3 tool
# on the generated census: the median of REPETICIONES timings of each, in ms,
# and the rows it returns. The tool's LIKE folds ASCII letters only.
#   bench/censo_sqlite3.sh BUILD-BENCH [DATABASE] [REPETICIONES]
set -euo pipefail
build=$1
db=${2:-${ZELVORA_BENCH_DIR:-/tmp/zelvora-bench}/censo-v2-tipos-20000.sqlite}
repeticiones=${3:-5}
"$build/bench/zelvora_bench_censo" --sentencias | while IFS=$'\t' read -r nombre sentencia; do
    filas=$(sqlite3 "$db" "SELECT count(*) FROM (${sentencia%;})")
    mediana=$({
        echo ".output /dev/null"
        echo ".timer on"
        for _ in $(seq "$repeticiones"); do echo "$sentencia"; done
    } | sqlite3 "$db" 2>&1 | grep -o 'real [0-9.]*' | awk '{print $2 * 1000}' | sort -n |
        awk '{t[NR] = $1} END {printf "%.2f", t[int((NR + 1) / 2)]}')
    printf '%-20s %8s ms  %6d rows\n' "$nombre" "$mediana" "$filas"
done
