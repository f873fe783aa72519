#!/usr/bin/env bash
# Runs a command against a throwaway PostgreSQL server that has the mapsheet extensions.
#
# Usage: with_server.sh BUILD_DIR COMMAND [ARGUMENTS...]
#
# The server lives in a fresh temporary folder and is stopped, and the folder removed, however
# the command ends. It listens only on a Unix socket in that folder; the command finds it
# through PGHOST, PGPORT, PGUSER and PGDATABASE (trust authentication, superuser "mapsheet").
#
# The extensions are installed by the build's own install rules (`cmake --install --component
# postgres`) under DESTDIR=FOLDER/root, so nothing outside the folder changes and no privilege is
# needed. The server cannot be pointed at that tree by a setting in PostgreSQL 15, but it finds
# its share and library folders relative to its own executable, as pg_config names them: so
# postgres, initdb and pg_ctl are copied into FOLDER/root at their pg_config paths, and every
# other file of the real share and library folders (catalog templates, time zones, plpgsql,
# PostGIS) is linked beside the installed extension files.
#
# The server refuses to run as root: as root, it runs as the user nobody, which owns the folder.
# PG_CONFIG (default: pg_config) chooses the server; CMAKE (default: cmake) the install tool;
# SERVER_OPTIONS adds settings to the server's command line ("-c shared_buffers=1GB").
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_DIR COMMAND [ARGUMENTS...]" >&2
    exit 2
fi
build_dir="$1"
shift
pg_config="${PG_CONFIG:-pg_config}"
cmake_command="${CMAKE:-cmake}"

bin_dir="$("$pg_config" --bindir)"
share_dir="$("$pg_config" --sharedir)"
lib_dir="$("$pg_config" --pkglibdir)"

folder="$(mktemp -d "${TMPDIR:-/tmp}/mapsheet-pg.XXXXXX")"
root="$folder/root"
data="$folder/data"

as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups -- "$@"
    else
        "$@"
    fi
}

cleanup() {
    local status=$?
    if [ -n "${command_pid:-}" ]; then
        kill "$command_pid" 2>/dev/null || true
    fi
    if [ -f "$data/postmaster.pid" ]; then
        as_server_user "$root$bin_dir/pg_ctl" -D "$data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    if [ "$status" -ne 0 ] && [ -f "$folder/server.log" ]; then
        echo "--- server log (last 40 lines) ---" >&2
        tail -n 40 "$folder/server.log" >&2
    fi
    rm -rf "$folder"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

DESTDIR="$root" "$cmake_command" --install "$build_dir" --component postgres >/dev/null

# Everything of the real server the copy needs, without replacing what the install put there.
link_missing() {
    local from="$1" to="$2" entry
    mkdir -p "$to"
    for entry in "$from"/*; do
        [ -e "$to/${entry##*/}" ] || ln -s "$entry" "$to/${entry##*/}"
    done
}
link_missing "$share_dir/extension" "$root$share_dir/extension"
link_missing "$share_dir" "$root$share_dir"
link_missing "$lib_dir" "$root$lib_dir"
mkdir -p "$root$bin_dir"
cp "$bin_dir/postgres" "$bin_dir/initdb" "$bin_dir/pg_ctl" "$root$bin_dir/"

if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$folder"
fi
cd "$folder"
as_server_user "$root$bin_dir/initdb" -D "$data" -U mapsheet --auth=trust --encoding=UTF8 \
    --locale=C --no-sync >"$folder/initdb.log" 2>&1 || {
    cat "$folder/initdb.log" >&2
    exit 1
}
as_server_user "$root$bin_dir/pg_ctl" -D "$data" -l "$folder/server.log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c fsync=off \
        -c synchronous_commit=off -c full_page_writes=off -c max_worker_processes=8 ${SERVER_OPTIONS:-}" \
    start >/dev/null

export PGHOST="$folder" PGPORT=5432 PGUSER=mapsheet PGDATABASE=postgres
# In the background, so that a signal ends the wait at once and the trap stops the server.
"$@" <&0 &
command_pid=$!
wait "$command_pid"
