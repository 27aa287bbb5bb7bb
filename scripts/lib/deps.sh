# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Set-up shared by scripts/run, scripts/test and any other script of the project: the Debian
# packages the project needs, installed when missing, and the build with the default preset.
# Source this file; it only defines variables and functions.

VORLAN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# The release this machine runs, from /etc/os-release: "debian 12", "debian 13", ...
vorlan_release()
{
    (
        # shellcheck disable=SC1091
        source /etc/os-release 2>/dev/null || true
        echo "${ID:-unknown} ${VERSION_ID:-${VERSION_CODENAME:-unknown}}"
    )
}

# Every Debian package the project needs on this release, with what it is for. The names are
# those of Debian 12 and 13; where a tool's version differs between them (clang 14 and 19),
# the package named is the one that follows the release's default.
VORLAN_PACKAGES=(
    build-essential cmake ninja-build # compiler and build
    qt6-base-dev                      # Qt 6 Widgets
    qt6-wayland                       # the game as a native client of a Wayland session
    libbenchmark-dev                  # the benchmarks in bench/
    fonts-liberation                  # a face metric-compatible with "Courier New"
    fonts-dejavu-core                 # the arrow glyphs of the key help
    xvfb openbox imagemagick xdotool  # the tests that run the game on a real X server
    x11-utils xauth                   # xprop and xwininfo for them; X authority files
    sway grim wtype                   # the test on a real Wayland compositor
    clang libclang-rt-dev             # fuzzing and sanitizer builds
    desktop-file-utils appstream      # validators of the menu entry and the metadata
    groff-base                        # the manual page's check
    git reuse                         # the licence check (reuse skips what git ignores)
    debhelper lintian                 # the Debian package's build and its check
    mmdebstrap autopkgtest            # clean Debian roots, and the package's test in one
)

# Prints the packages of VORLAN_PACKAGES that are not installed, one a line.
vorlan_missing_packages()
{
    local package
    for package in "${VORLAN_PACKAGES[@]}"; do
        if [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) != "install ok installed" ]]; then
            echo "$package"
        fi
    done
}

# Installs the missing packages with apt-get, through sudo when not root. Does nothing, and
# reaches no network, when everything is there.
vorlan_install_packages()
{
    local missing
    mapfile -t missing < <(vorlan_missing_packages)
    ((${#missing[@]} > 0)) || return 0

    local as_root=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null; then
            echo "vorlan: missing packages (${missing[*]}) and no sudo to install them as root" >&2
            return 1
        fi
        as_root=(sudo)
    fi
    case $(vorlan_release) in
        "debian 12" | "debian 13") ;;
        *) echo "vorlan: made for Debian 12 and 13; trying the same packages on $(vorlan_release)" >&2 ;;
    esac
    echo "vorlan: installing ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Configures and builds the default preset in build/default; incremental after the first run.
vorlan_build()
{
    (
        cd "$VORLAN_ROOT" || exit
        cmake --preset default
        cmake --build --preset default --parallel "$(nproc)"
    )
}

# Everything a script needs before it runs the game or the tests.
vorlan_setup()
{
    vorlan_install_packages
    vorlan_build
}
