# Shared set-up for the project's scripts: installs the Debian packages the
# build needs (only those missing) and configures and builds through a preset.
# Sourced, not run.

# What building and running the program takes.
PROGRAM_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-webengine-dev libqt6svg6 qt6-qpa-plugins fonts-dejavu-core libfontconfig-dev
)
# What the tests take besides: the test frameworks, an X server for the desktop
# runs, and the checkers of the desktop files and the package.
TEST_PACKAGES=(
    "${PROGRAM_PACKAGES[@]}"
    libgtest-dev libbenchmark-dev
    xvfb xauth desktop-file-utils appstream dpkg-dev file
)

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whichever of the named packages are not installed yet.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds the given preset; further arguments name the
# targets to build (all of them when none is named).
build_preset() {
    local preset="$1"
    shift
    cd "$ROOT"
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset"
    fi
    if [ $# -gt 0 ]; then
        cmake --build --preset "$preset" --target "$@"
    else
        cmake --build --preset "$preset"
    fi
}
