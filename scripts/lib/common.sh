# Shared by scripts/run and scripts/test.  Sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# What the build, the program and the tests need from Debian.
PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config clang-format
    qt6-base-dev libqt6sql6-psql libgl-dev
    libgsf-1-dev libxlsxwriter-dev
    postgresql postgresql-client
    xvfb xauth poppler-utils python3-xlrd python3-reportlab
    fonts-liberation2 fonts-dejavu-core
)

say() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"
    elif command -v sudo >/dev/null; then sudo "$@"
    else echo "need root to run: $*" >&2; return 1; fi
}

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Compiled objects are shared between checkouts of the project.
export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1

# build_project DIR TYPE [TARGET...]: configure once, then build (everything
# when no target is named).
build_project() {
    local dir=$1 type=$2
    shift 2
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
            -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    fi
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
}
