# Shared by the set-up scripts: paths, the Debian packages the project needs,
# and the build.
set -euo pipefail

KORVESSA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KORVESSA_BUILD="${KORVESSA_BUILD:-$KORVESSA_ROOT/build}"

KORVESSA_PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql qt6-image-formats-plugins
    qt6-charts-dev libgl-dev
    libkainjow-mustache-dev libxlsxwriter-dev libpoppler-qt6-dev unzip
    fonts-noto-cjk fonts-arphic-uming
    postgresql sqlite3 xvfb xauth
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages that are missing (apt-get update first).
install_packages() {
    local missing=()
    for p in "${KORVESSA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "== installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

build_korvessa() {
    export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
    if [ ! -f "$KORVESSA_BUILD/build.ninja" ]; then
        cmake -S "$KORVESSA_ROOT" -B "$KORVESSA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$KORVESSA_BUILD" --parallel "$(nproc)" "$@"
}
