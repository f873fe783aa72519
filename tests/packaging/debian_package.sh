#!/usr/bin/env bash
# Builds the Debian packages from a finished build directory with CPack and checks them:
# lintian reports no error in any, and the programs of the mapsheet package unpacked into a
# temporary folder run there.
#
# Usage: debian_package.sh BUILD_DIR
set -euo pipefail
build_dir="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
# Errors are what a package must not have; warnings are printed for the reader.
for package in "$work"/out/*.deb; do
    echo "package: $(basename "$package")"
    dpkg-deb --field "$package" Package Version Depends
    lintian --tag-display-limit 0 "$package" | tee "$work/lintian.txt" || true
    if grep -q '^E:' "$work/lintian.txt"; then
        echo "lintian reports errors"
        exit 1
    fi
done
package="$(ls "$work"/out/mapsheet_*.deb)"

dpkg-deb -x "$package" "$work/root"
"$work/root/usr/bin/mapsheet-cli" --version
# The commands that need GDAL or PROJ run in the program mapsheet-cli hands them to.
sheet_rows="$("$work/root/usr/bin/mapsheet-cli" sheet J50E001015)"
grep -q "^J50E001015,1:50000," <<<"$sheet_rows"
for file in usr/share/man/man1/mapsheet-cli.1.gz usr/share/doc/mapsheet/copyright; do
    test -f "$work/root/$file" || { echo "missing in the package: $file"; exit 1; }
done
if [ -x "$work/root/usr/bin/mapsheet" ]; then
    "$work/root/usr/bin/mapsheet" --version
    ls "$work"/root/usr/share/applications/*.desktop "$work"/root/usr/share/metainfo/*.xml \
        "$work"/root/usr/share/icons/hicolor/scalable/apps/*.svg
fi
