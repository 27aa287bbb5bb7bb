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

# The Debian packages the project needs, in groups by what each is for. The names are those of
# Debian 12 and 13; where a tool's version differs between them (clang 14 and 19), the package
# named is the one that follows the release's default.

# To build the game and play it: all that scripts/run installs.
VORLAN_PACKAGES_PLAY=(
    build-essential cmake ninja-build # compiler and build
    qt6-base-dev                      # Qt 6 Widgets (and Qt Test, for the suite)
    qt6-wayland                       # the game as a native client of a Wayland session
    fonts-liberation                  # a face metric-compatible with "Courier New"
    fonts-dejavu-core                 # the arrow glyphs of the key help
)

# To build the Debian package of this machine's release (scripts/package), beside the above.
VORLAN_PACKAGES_PACKAGE=(
    debhelper # dh and its helpers; dpkg-dev comes with build-essential
    git       # the tracked files the package is built from
)

# The test kit: what scripts/test needs beside the two groups above.
VORLAN_PACKAGES_TEST=(
    libbenchmark-dev                 # the benchmarks in bench/
    qt6-base-private-dev             # Qt's screen interface: a test gives its screen a refresh rate
    xvfb openbox imagemagick xdotool # the tests that run the game on a real X server
    x11-utils xauth                  # xprop and xwininfo for them; X authority files
    sway grim wtype                  # the test on a real Wayland compositor
    clang libclang-rt-dev            # fuzzing and sanitizer builds
    clazy clang-tidy                 # the static analysis of the program's code (step lint)
    desktop-file-utils appstream     # validators of the menu entry and the metadata
    groff-base                       # the manual page's check
    reuse                            # the licence check (it skips what git ignores)
    tzdata                           # the time zones tst_systeme runs in (a clean root may lack it)
)

# The package's checks, where the tests and CI run them: lintian, and the clean Debian roots
# that build the Debian 13 package and run its autopkgtest.
VORLAN_PACKAGES_CHECK=(
    lintian mmdebstrap autopkgtest
)

# The checks that Debian's QA runs on every package, beside the above, installed without the
# packages they only recommend: diffoscope-minimal recommends a tool for every format it can
# compare (a .deb, its tar archives and an ELF program need none of them), devscripts the
# tools of its other scripts. Measured in a clean Debian 12 root beside the other groups, they
# add 24 packages this way, and 551 with what they recommend.
VORLAN_PACKAGES_QA=(
    piuparts adequate  # install, remove and purge in a clean root, adequate after the install
    diffoscope-minimal # what differs between two builds of the package that should be identical
    devscripts         # hardening-check, on the program in the package
)

# Every package of the other groups, installed with what they recommend: what scripts/test
# installs, beside the QA tools.
VORLAN_PACKAGES_ALL=(
    "${VORLAN_PACKAGES_PLAY[@]}" "${VORLAN_PACKAGES_PACKAGE[@]}"
    "${VORLAN_PACKAGES_TEST[@]}" "${VORLAN_PACKAGES_CHECK[@]}"
)

# A digest of every package the project installs and of how: it changes with the lists, and
# only with them.
vorlan_cle_paquets()
{
    printf '%s\n' "${VORLAN_PACKAGES_PLAY[@]}" -- "${VORLAN_PACKAGES_ALL[@]}" -- \
        "${VORLAN_PACKAGES_QA[@]}" | sha256sum | cut -d' ' -f1
}

# vorlan_missing_packages PACKAGE...: prints those of the PACKAGEs that are not installed, one a
# line.
vorlan_missing_packages()
{
    local package
    for package in "$@"; do
        if [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) != "install ok installed" ]]; then
            echo "$package"
        fi
    done
}

# vorlan_install_packages [--no-install-recommends] PACKAGE...: installs those of the PACKAGEs
# that are missing with apt-get, through sudo when not root, with the option given passed on to
# apt-get. Does nothing, and reaches no network, when everything is there.
vorlan_install_packages()
{
    local options=()
    if [[ ${1:-} == --no-install-recommends ]]; then
        options=("$1")
        shift
    fi
    local missing
    mapfile -t missing < <(vorlan_missing_packages "$@")
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
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${options[@]}" \
        "${missing[@]}"
}

# Installs what building and playing the game need, without the packages that these only
# recommend: about 100 packages that the game does not need. Measured in clean roots
# (mmdebstrap, apt only), with them it would be 335 packages, 257 MB to download and 1,112 MB
# on disk instead of 232, 203 MB and 853 MB on Debian 13; 332, 227 MB and 932 MB instead of
# 213, 170 MB and 691 MB on Debian 12. Without them the game builds, and its window on X11 is
# drawn the same: Qt's X11 plugin is in libqt6gui6, its Wayland one in qt6-wayland, and the
# faces the layout needs are named above.
vorlan_install_play()
{
    vorlan_install_packages --no-install-recommends "${VORLAN_PACKAGES_PLAY[@]}"
}

# Installs everything the project uses, recommends included, as the tests always have, but
# for the QA tools' recommends.
vorlan_install_all()
{
    vorlan_install_packages "${VORLAN_PACKAGES_ALL[@]}"
    vorlan_install_packages --no-install-recommends "${VORLAN_PACKAGES_QA[@]}"
}

# vorlan_build_jeu: builds the game alone in build/default, configured without the tests, the
# benchmarks and the tools (preset jeu), whose packages the player's set-up does not install.
# Where scripts/test has configured build/default with the tests, they stay configured: the kit
# is there. Incremental after the first run.
vorlan_build_jeu()
{
    local preset=jeu
    if grep -qx 'VORLAN_TESTS:BOOL=ON' "$VORLAN_ROOT/build/default/CMakeCache.txt" 2>/dev/null; then
        preset=default
    fi
    (
        cd "$VORLAN_ROOT" || exit
        cmake --preset "$preset"
        cmake --build --preset jeu --parallel "$(nproc)"
    )
}

# vorlan_build_tout: configures build/default with the tests (preset default) and builds every
# target. Incremental after the first run.
vorlan_build_tout()
{
    (
        cd "$VORLAN_ROOT" || exit
        cmake --preset default
        cmake --build --preset default --parallel "$(nproc)"
    )
}

# Everything the tests need before they run: every package, and every target built.
vorlan_setup()
{
    vorlan_install_all
    vorlan_build_tout
}
