#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
# Only missing packages are installed; with nothing missing it does nothing.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ make pkg-config
    # tests, benchmarks, fuzzing
    googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
    # the 32-bit build of the engine and the inspector
    g++-multilib
    # a second reader of the notebook's RTF, for its test
    unrtf
    # reading the printing tests' PDFs (pdftotext, pdftoppm, pdfinfo)
    poppler-utils
    # the window
    qt6-base-dev qt6-base-dev-tools libgl-dev libegl-dev
    qt6-translations-l10n  # Qt's own dialogs and menus in Czech
    # printing hands the notebook to the print spooler through libcups
    libcups2-dev
    fontconfig fonts-liberation fonts-dejavu-core
    # window titles as an X server shows them, for their test
    xvfb xauth libxcb1-dev
    # the install's test: menu entry and icon checks
    desktop-file-utils librsvg2-bin
    # make package: dpkg-shlibdeps and dpkg-deb
    dpkg-dev
)

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
