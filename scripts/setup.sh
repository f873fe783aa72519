# Shared by scripts/run and scripts/test: installs the Debian packages the build needs when any
# is missing, and configures and builds one build directory. Sourced, not run.

MAPSHEET_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

MAPSHEET_PACKAGES=(
    g++ cmake ninja-build pkg-config
    libfast-float-dev  # exact double reading in library/ and engine/ on every platform, WebAssembly too
    emscripten nodejs  # the page in the browser (web/) and its module test under node
    chromium chromium-driver python3-selenium  # the page test in a headless browser
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libboost-dev
    xvfb xauth fonts-wqy-microhei
    qt6-svg-dev
    libgdal-dev gdal-bin
    libproj-dev proj-data proj-bin
    postgresql-15 postgresql-server-dev-15 postgresql-15-postgis-3
    clang-14 libclang-rt-14-dev
    desktop-file-utils appstream lintian dpkg-dev file time
    libcli11-dev  # the command-line reader of mapsheet-cli (cli/command_line.cpp)
    libgeographiclib-dev  # tests/engine/sheet_area_test checks sheet areas against GeographicLib
    python3-dev pybind11-dev python3-numpy  # the Python package mapsheet (python/)
    python3-pytest  # its tests (tests/python)
    python3-geopandas  # mapsheet.geo and its GeoPackage test
    python3-dask python3-distributed  # mapsheet.dask and its LocalCluster test
    qgis python3-qgis qgis-providers  # the QGIS plugin's tests through qgis_process (qgis/)
    # a Latin-only font for the window's font-warning test (tests/app/missing_glyphs.cmake)
    fonts-dejavu-core
    # the clean Debian 12 root of scripts/package --check
    debootstrap
)

mapsheet_install_missing() {
    local missing=()
    local package
    for package in "${MAPSHEET_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo > /dev/null 2>&1; then
            echo "These Debian packages are missing: ${missing[*]}" >&2
            echo "Installing them needs root, and sudo is not available. Run this one command" >&2
            echo "(it asks for the root password), then this script again:" >&2
            echo "  su -c 'apt-get update && apt-get install -y --no-install-recommends ${missing[*]}'" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing missing packages: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# mapsheet_build BUILD_DIR [extra cmake arguments...] -- [targets...]
mapsheet_build() {
    local build_dir="$1"
    shift
    local cmake_args=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        cmake_args+=("$1")
        shift
    done
    [ "${1:-}" = "--" ] && shift
    if [ ! -f "$build_dir/build.ninja" ]; then
        cmake -S "$MAPSHEET_ROOT" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cmake_args[@]}"
    fi
    if [ $# -gt 0 ]; then
        cmake --build "$build_dir" --parallel "$(nproc)" --target "$@"
    else
        cmake --build "$build_dir" --parallel "$(nproc)"
    fi
}
