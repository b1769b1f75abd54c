#!/usr/bin/env bash
# Installs what is missing, builds everything, starts a PostgreSQL server on
# loopback for the server-kind tests, runs the whole suite through CTest and
# stops the server again. Extra arguments go to ctest (e.g. -R linkfile).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build_korvessa

PG="$("$KORVESSA_ROOT/scripts/pg-test-server.sh" start)" || {
    echo "The PostgreSQL server for the server-kind tests could not be started." >&2
    exit 1
}
trap '"$KORVESSA_ROOT/scripts/pg-test-server.sh" stop' EXIT
export KORVESSA_TEST_PG="$PG"
export KORVESSA_REQUIRE_PG=1
export TZ="${TZ:-Asia/Taipei}"

cd "$KORVESSA_BUILD"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900 "$@"
