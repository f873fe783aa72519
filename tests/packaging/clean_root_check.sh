#!/usr/bin/env bash
# Installs the packages built in BUILD_DIR into a clean Debian 12 root, as a new user would,
# and tries each there as an ordinary user: the README's command-line examples give the output
# the README shows, the window starts under Xvfb (its screenshot is kept as
# BUILD_DIR/clean-root/window.png) without a font warning, a font for Chinese is installed,
# `man mapsheet-cli` renders without a troff warning in the C locale, a throwaway PostgreSQL
# cluster answers with the extension, and, where their packages were built, the Python module
# imports, the page's files are there and the QGIS plugin's too (with MAPSHEET_CHECK_QGIS=1,
# QGIS itself is installed and qgis_process must name the plugin's provider). Then the packages are purged, and no
# file of theirs may remain.
#
# The root is made with `debootstrap --variant=minbase bookworm` from the mirror the host's
# apt uses and kept as BUILD_DIR/clean-root/bookworm-minbase.tar, with the downloaded Debian
# packages in BUILD_DIR/clean-root/archives, so that only the first run downloads. Needs root
# (chroot, mounts) and debootstrap.
#
# Usage: clean_root_check.sh BUILD_DIR
set -euo pipefail
build_dir="$(realpath "$1")"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cache="$build_dir/clean-root"
mkdir -p "$cache/archives/partial"
shopt -s nullglob
packages=("$build_dir"/*.deb)
[ ${#packages[@]} -gt 0 ] || { echo "no packages in $build_dir" >&2; exit 1; }

mirror() {
    local sources
    # Comment lines name other archives (a snapshot the image was made from, say): only the
    # entries apt uses count.
    sources="$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -vE '^[[:space:]]*#' || true)"
    grep -m1 -oE 'https?://[^ ]+/debian/?' <<<"$sources" || echo http://deb.debian.org/debian
}

if [ ! -f "$cache/bookworm-minbase.tar" ]; then
    echo "clean root: debootstrap from $(mirror)"
    rm -rf "$cache/bootstrap"
    debootstrap --variant=minbase bookworm "$cache/bootstrap" "$(mirror)" > "$cache/debootstrap.log"
    tar -C "$cache/bootstrap" -cf "$cache/bookworm-minbase.tar.partial" .
    mv "$cache/bookworm-minbase.tar.partial" "$cache/bookworm-minbase.tar"
    rm -rf "$cache/bootstrap"
fi

root="$(mktemp -d "$cache/root.XXXXXX")"
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[i]}" 2>/dev/null || true
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
tar -C "$root" -xf "$cache/bookworm-minbase.tar"
bind() {
    mkdir -p "$root/$2"
    mount "${@:3}" "$1" "$root/$2"
    mounted+=("$root/$2")
}
bind proc proc -t proc
bind sysfs sys -t sysfs
bind /dev dev --bind
bind devpts dev/pts -t devpts
bind tmpfs dev/shm -t tmpfs
bind "$cache/archives" var/cache/apt/archives --bind
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The same archive as the host's apt: the packages' dependencies were resolved against it.
rm -f "$root/etc/apt/sources.list"
cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null ||
    cp /etc/apt/sources.list "$root/etc/apt/sources.list"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
as_user() { in_root runuser -u checker -- env HOME=/home/checker LANG=C.UTF-8 "$@"; }

step() { echo "=== clean root: $* ($(date -u +%T))"; }
step "installing ${packages[*]##*/}"
mkdir -p "$root/tmp/packages"
cp "${packages[@]}" "$root/tmp/packages/"
in_root apt-get update -q > "$cache/apt.log"
# What the check itself needs besides the packages: a display and the manual page reader.
in_root apt-get install -y -q xvfb xauth man-db >> "$cache/apt.log"
in_root sh -c 'apt-get install -y -q /tmp/packages/*.deb' >> "$cache/apt.log" ||
    { tail -30 "$cache/apt.log"; exit 1; }
in_root useradd --create-home checker

status=0
fail() { echo "clean root: FAILED: $*"; status=1; }

step "the README's command-line examples"
examples="$root/tmp/examples"
/usr/bin/python3 "$source_dir/tests/packaging/readme_commands.py" "$source_dir/README.md" \
    "The command line" "$examples"
chmod -R a+rX "$examples"
for command in "$examples"/*.sh; do
    if ! as_user bash "/tmp/examples/${command##*/}" > "$command.got" 2> "$command.err" ||
        ! diff -u "${command%.sh}.out" "$command.got"; then
        fail "$(head -1 "$command")"
        cat "$command.err"
    fi
done

step "the window under Xvfb"
if as_user xvfb-run -a mapsheet --screenshot /tmp/window.png 2> "$cache/window.err"; then
    cp "$root/tmp/window.png" "$cache/window.png"
    if grep -q "no installed font" "$cache/window.err"; then fail "window: $(cat "$cache/window.err")"; fi
else
    fail "window: $(cat "$cache/window.err")"
fi
[ -n "$(as_user fc-list :lang=zh)" ] || fail "fc-list :lang=zh lists no font"

step "man mapsheet-cli in the C locale"
warnings="$(as_user env LC_ALL=C MANWIDTH=80 man --warnings mapsheet-cli 2>&1 > /dev/null)" ||
    fail "man mapsheet-cli did not run"
[ -z "$warnings" ] || fail "man mapsheet-cli: $warnings"

step "PostgreSQL"
pg_bin="$(ls -d "$root"/usr/lib/postgresql/*/bin | head -1)"
pg_bin="${pg_bin#"$root"}"
answer="$(as_user env PGOPTIONS='-c client_min_messages=warning' bash -euc "
    $pg_bin/initdb -D ~/cluster -A trust > ~/initdb.log
    $pg_bin/pg_ctl -D ~/cluster -o \"-k /tmp -c listen_addresses=''\" -w -l ~/server.log start > /dev/null
    trap '$pg_bin/pg_ctl -D ~/cluster -m fast -w stop > /dev/null' EXIT
    psql -h /tmp -d postgres -qAt -c 'CREATE EXTENSION mapsheet' \
        -c \"SELECT mapsheet_number(39.9, 116.4, '1:50000')\" \
        -c 'CREATE EXTENSION mapsheet_postgis CASCADE'
" 2>&1)" || true
[ "$answer" = J50E001010 ] || fail "PostgreSQL answered: $answer"

built() { [ -n "$(echo "$root"/tmp/packages/"$1"_*.deb)" ]; }
if built python3-mapsheet; then
    step "python3 -c 'import mapsheet'"
    as_user python3 -c 'import mapsheet' || fail "import mapsheet"
fi
if built mapsheet-web; then
    step "the page in /usr/share/mapsheet/web"
    for file in index.html mapsheet.js; do
        [ -s "$root/usr/share/mapsheet/web/$file" ] || fail "mapsheet-web lacks $file"
    done
fi
if built qgis-plugin-mapsheet; then
    # qgis_process comes with the package qgis, which the plugin does not need and which more
    # than doubles the install: it is installed for the check only with MAPSHEET_CHECK_QGIS=1.
    # Without it, the plugin's files are looked for where QGIS finds system plugins.
    step "the QGIS plugin"
    plugin=/usr/share/qgis/python/plugins/mapsheet_qgis
    for file in __init__.py metadata.txt; do
        [ -s "$root$plugin/$file" ] || fail "qgis-plugin-mapsheet lacks $plugin/$file"
    done
    if [ "${MAPSHEET_CHECK_QGIS:-0}" = 1 ]; then
        in_root apt-get install -y -q qgis >> "$cache/apt.log"
        in_root runuser -u checker -- env HOME=/home/checker QT_QPA_PLATFORM=offscreen \
            qgis_process.bin plugins enable mapsheet_qgis > /dev/null 2>&1 || true
        providers="$(as_user env QT_QPA_PLATFORM=offscreen qgis_process.bin list 2>&1)" || true
        grep -qi mapsheet <<<"$providers" || fail "qgis_process lists no mapsheet provider"
    fi
fi
step "purge"
names=()
for package in "${packages[@]}"; do
    names+=("$(dpkg-deb --field "$package" Package)")
done
in_root apt-get purge -y -q "${names[@]}" >> "$cache/apt.log"
for package in "${packages[@]}"; do
    while read -r path; do
        path="${path#.}"
        [ -n "$path" ] && [ "$path" != / ] || continue
        if [ -e "$root$path" ] && ! in_root dpkg -S "$path" > /dev/null 2>&1; then
            fail "left after the purge: $path"
        fi
    done < <(dpkg-deb --fsys-tarfile "$package" | tar -t | sed 's|/$||')
done
step "done"
exit $status
