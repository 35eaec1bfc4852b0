# Shared by scripts/run and scripts/test: install what is missing, configure, build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-translations-l10n
    libgl-dev fonts-liberation2 libssl-dev libbenchmark-dev
    sqlite3 xvfb xauth unrtf
)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

build() {
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
    # Paths relative to the checkout, so another clone of the same sources hits the cache.
    export CCACHE_BASEDIR="$ROOT"
    export CCACHE_NOHASHDIR=true
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$BUILD" -j2
}
