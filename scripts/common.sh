# Shared by scripts/run and scripts/test: install what is missing, then build incrementally.
# Safe to run again; needs root (or sudo) only when a package is missing.

BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev
    libcurl4-openssl-dev libboost-regex-dev libsqlite3-dev libminizip-dev zlib1g-dev
    libcpp-httplib-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
)
# Without a CJK font the reader shows Chinese text as boxes.
RUN_PACKAGES=(fonts-noto-cjk)

install_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_project() {
    local dir=${LANXI_BUILD_DIR:-build}
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DLANXI_WERROR=ON "$@"
    fi
    cmake --build "$dir"
}
