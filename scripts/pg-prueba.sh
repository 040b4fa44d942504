#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests, on a Unix socket only.
#   pg-prueba.sh start DIR   starts it; writes its URI to DIR/uri and prints it
#   pg-prueba.sh stop DIR    stops it and removes its files
# The cluster lives in a private folder under /tmp (a socket path must stay
# short). As root, the server runs as the postgres account, which refuses to
# run as root.
set -euo pipefail
accion=${1:?start o stop}
dir=${2:?carpeta}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bin" ]; then
    echo "PostgreSQL is not installed (apt-get install postgresql)" >&2
    exit 1
fi
como() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case $accion in
start)
    mkdir -p "$dir"
    cluster=$(mktemp -d /tmp/zelvora-pg.XXXXXX)
    chmod 755 "$cluster"
    if [ "$(id -u)" -eq 0 ]; then chown postgres "$cluster"; fi
    echo "$cluster" >"$dir/cluster"
    # The plain C locale, whose letter case is ASCII's: what the program
    # compares beyond ASCII must not come from the server's language.
    como "$bin/initdb" -D "$cluster/datos" -U postgres -A trust -E UTF8 --locale=C \
        >"$cluster/initdb.log"
    # Durability is not what these tests measure: without fsync the suites
    # do not wait for the disk.
    como "$bin/pg_ctl" -D "$cluster/datos" -l "$cluster/servidor.log" -w \
        -o "-k $cluster -p 5432 -c listen_addresses= -c fsync=off -c full_page_writes=off" \
        start >/dev/null
    como "$bin/psql" -h "$cluster" -U postgres -d postgres -qX \
        -c "CREATE ROLE zelvora LOGIN CREATEDB" -c "CREATE DATABASE zelvora OWNER zelvora"
    uri="postgresql://zelvora@/zelvora?host=$cluster"
    echo "$uri" >"$dir/uri"
    echo "$uri"
    ;;
stop)
    if [ -f "$dir/cluster" ]; then
        cluster=$(cat "$dir/cluster")
        como "$bin/pg_ctl" -D "$cluster/datos" -m immediate -w stop >/dev/null || true
        rm -rf "$cluster"
        rm -f "$dir/cluster" "$dir/uri"
    fi
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
