#!/usr/bin/env bash
# Several terminals at once on one database: each registers N visitors (entry
# with notice, then exit), one more process copies the database without pause,
# and, with CARGA=1, two busy loops keep both cores loaded. Prints each
# terminal's failed actions and slowest action, the copies made and failed,
# and the integrity check of every copy. PAUSA_MS sets the pause between two
# copies (default 1000: sixty times the backups of a one-minute interval).
#   bench/carga_terminales.sh BUILD_DIR [TERMINALS] [N] [JOURNAL]
# JOURNAL is wal (a local disk, the default) or delete (as over a network share).
# With SERVIDOR=postgresql://... (an empty database) the terminals share that
# PostgreSQL database instead, and the copies are pg_dump's.
set -euo pipefail
build=${1:?build folder}
terminales=${2:-4}
n=${3:-1000}
diario=${4:-wal}
trabajo=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$trabajo"' EXIT

servidor=${SERVIDOR:-}
if [ -n "$servidor" ]; then
    "$build/tools/zelvora-admin" init --carpeta "$trabajo" --punto CARGA --servidor "$servidor" --clave-desde-fd 3 3<<<carga >/dev/null
    base=$servidor
    consultar() { psql -XAtq "$servidor" -c "$1" | tr '\n' ' '; }
else
    "$build/tools/zelvora-admin" init --carpeta "$trabajo" --punto CARGA --clave-desde-fd 3 3<<<carga >/dev/null
    sqlite3 "$trabajo/zelvora.db" "PRAGMA journal_mode=$diario;" >/dev/null
    base=$trabajo/zelvora.db
    consultar() { sqlite3 "$trabajo/zelvora.db" "$1"; }
fi
mkdir "$trabajo/respaldos"
if [ "${CARGA:-0}" = 1 ]; then
    for _ in 1 2; do (while :; do :; done) & done
fi
inicio=$(date +%s.%N)
pids=()
for i in $(seq "$terminales"); do
    "$build/tests/terminal_prueba" registrar "$base" "$n" >"$trabajo/t$i.out" 2>"$trabajo/t$i.err" &
    pids+=($!)
done
"$build/tests/terminal_prueba" respaldar "$base" "$trabajo/respaldos" "${PAUSA_MS:-1000}" \
    >"$trabajo/copias.out" 2>"$trabajo/copias.err" &
copiador=$!
for p in "${pids[@]}"; do wait "$p"; done
fin=$(date +%s.%N)
touch "$trabajo/respaldos/fin"
wait "$copiador"
for i in $(seq "$terminales"); do
    read -r fallos maximo <"$trabajo/t$i.out"
    echo "terminal $i: $fallos failed actions, slowest action ${maximo} ms"
    sort "$trabajo/t$i.err" | uniq -c | head -3
done
printf 'wall time %.1f s\n' "$(echo "$fin - $inicio" | bc)"
echo "rows: $(consultar "SELECT count(*) || '|' || count(FechaSalida) FROM entradas_salidas") (expected $((terminales * n))|$((terminales * n)))"
echo "notices left: $(consultar "SELECT count(*) FROM avisos") (expected 0)"
buenas=0; malas=0
for c in "$trabajo"/respaldos/*.db; do
    [ "$c" != "$trabajo/respaldos/fin" ] || continue
    [ -e "$c" ] || continue
    if [ -n "$servidor" ]; then
        if pg_restore --list "$c" >/dev/null 2>&1; then buenas=$((buenas + 1)); else malas=$((malas + 1)); fi
    elif [ "$(sqlite3 "$c" 'PRAGMA integrity_check')" = ok ]; then buenas=$((buenas + 1)); else malas=$((malas + 1)); fi
done
echo "copies: $buenas pass their check (integrity_check or pg_restore --list), $malas fail; copy failures: $(grep -c . "$trabajo/copias.err" || true)"
sort "$trabajo/copias.err" | uniq -c | head -3
