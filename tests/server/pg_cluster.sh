#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests that run on a server.
#
#   pg_cluster.sh start FOLDER   makes FOLDER (the data and the socket), starts
#                                the server on a Unix socket in it, makes the
#                                database "toko" and writes its URI to FOLDER/uri
#   pg_cluster.sh check FOLDER   the server answers on its socket
#   pg_cluster.sh stop FOLDER    stops the server and removes FOLDER
#
# initdb and the server refuse to run as root: run as root (as CI and the
# set-up do), they run as the unprivileged user toko-test, made when missing.
# A socket's path must stay under 107 bytes: keep FOLDER short.
set -euo pipefail

bin=/usr/lib/postgresql/15/bin
action=${1:-}
folder=${2:-}
owner=toko-test

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u "$owner" -- "$@"
  else
    "$@"
  fi
}

case $action in
start)
  if [ ! -x "$bin/initdb" ]; then
    echo "PostgreSQL 15 is not installed: $bin/initdb is missing (apt-get install postgresql-15)" >&2
    exit 1
  fi
  rm -rf "$folder"
  mkdir -p "$folder"
  if [ "$(id -u)" -eq 0 ]; then
    id "$owner" >/dev/null 2>&1 ||
      useradd --system --no-create-home --shell /usr/sbin/nologin "$owner"
    chown "$owner" "$folder"
  fi
  if ! as_owner "$bin/initdb" -D "$folder/data" -U toko --auth=trust -E UTF8 --locale=C.UTF-8 \
    >"$folder/initdb.log" 2>&1; then
    cat "$folder/initdb.log" >&2
    exit 1
  fi
  if ! as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
    -o "-k $folder -c listen_addresses='' -c fsync=off" start >/dev/null; then
    cat "$folder/server.log" >&2
    exit 1
  fi
  "$bin/createdb" -h "$folder" -U toko toko
  # The shop several tills share in toko_bench_tills_server.
  "$bin/createdb" -h "$folder" -U toko tills
  # Each test's shop is a schema of its own; they share the text search here.
  psql -h "$folder" -U toko -d toko -qc 'create extension pg_trgm' >/dev/null
  printf 'postgresql://toko@/toko?host=%s\n' "$folder" >"$folder/uri"
  ;;
check)
  version=$(psql "$(cat "$folder/uri")" -tAc 'show server_version_num')
  case $version in
  15*) ;;
  *)
    echo "the test server does not answer as PostgreSQL 15: $version" >&2
    exit 1
    ;;
  esac
  ;;
stop)
  if [ -d "$folder/data" ]; then
    as_owner "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null || true
  fi
  rm -rf "$folder"
  ;;
*)
  echo "usage: $0 start|check|stop FOLDER" >&2
  exit 2
  ;;
esac
