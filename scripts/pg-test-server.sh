#!/usr/bin/env bash
# Starts or stops the PostgreSQL server the server-kind tests use: a private
# cluster on 127.0.0.1, port 54329 by default, with trust login for the local
# user "postgres". Prints the KORVESSA_TEST_PG value on start.
set -euo pipefail
PGPORT="${KORVESSA_PG_PORT:-54329}"
PGROOT="${KORVESSA_PG_DIR:-/tmp/korvessa-pg-$PGPORT}"
PGBIN="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
[ -x "$PGBIN/initdb" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

run_pg() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "${1:-}" in
start)
    mkdir -p "$PGROOT"
    [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$PGROOT"
    if [ ! -f "$PGROOT/data/PG_VERSION" ]; then
        run_pg "$PGBIN/initdb" -D "$PGROOT/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$PGROOT/initdb.log" 2>&1 \
            || { cat "$PGROOT/initdb.log" >&2; exit 1; }
    fi
    if ! run_pg "$PGBIN/pg_ctl" -D "$PGROOT/data" status >/dev/null 2>&1; then
        run_pg "$PGBIN/pg_ctl" -D "$PGROOT/data" -l "$PGROOT/server.log" -w -t 60 \
            -o "-h 127.0.0.1 -p $PGPORT -k $PGROOT -c fsync=off -c synchronous_commit=off -c full_page_writes=off" start >/dev/null \
            || { cat "$PGROOT/server.log" >&2; exit 1; }
    fi
    echo "host=127.0.0.1 port=$PGPORT user=postgres"
    ;;
stop)
    if [ -f "$PGROOT/data/PG_VERSION" ]; then
        run_pg "$PGBIN/pg_ctl" -D "$PGROOT/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
