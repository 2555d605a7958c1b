#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
# Only missing packages are installed; with nothing missing it does nothing.
#
#   scripts/install-deps.sh               everything: build, tests, CI, package checks
#   scripts/install-deps.sh --build-only  what building the program and its package needs
set -euo pipefail

# Building the program, its icons and manual pages, and its package.
build=(
    cmake ninja-build g++ make pkg-config
    # the window
    qt6-base-dev qt6-base-dev-tools libgl-dev libegl-dev
    qt6-translations-l10n  # Qt's own dialogs and menus in Czech
    # printing hands the notebook to the print spooler through libcups
    libcups2-dev
    # the PNG icons are drawn from the SVG
    librsvg2-bin
    # make package: dpkg-buildflags, dpkg-shlibdeps and dpkg-deb
    dpkg-dev
)
# Tests, benchmarks, fuzzing and CI on top of that.
tests=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
    # the 32-bit build of the engine and the inspector, and qemu-i386 to run
    # it where the kernel runs no 32-bit programs: the suite tests that road
    # on every machine
    g++-multilib qemu-user
    # a second reader of the notebook's RTF, for its test
    unrtf
    # reading the printing tests' PDFs (pdftotext, pdftoppm, pdfinfo)
    poppler-utils
    fontconfig fonts-liberation fonts-dejavu-core
    # window titles as an X server shows them, for their test
    xvfb libxcb1-dev
    # every page walked as a screen reader walks it, over AT-SPI
    dbus-daemon at-spi2-core python3-pyatspi
    # the install's test: menu entry, AppStream data and icon checks
    desktop-file-utils appstream
    # CI checks the Debian package as a packager would
    lintian
)

case ${1:-} in
    "") packages=("${build[@]}" "${tests[@]}") ;;
    --build-only) packages=("${build[@]}") ;;
    *)
        echo "usage: $0 [--build-only]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    sudo="sudo"
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
