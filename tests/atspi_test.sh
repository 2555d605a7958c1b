#!/bin/bash
# The program as a screen reader reaches it: on a private X server and
# session bus with the accessibility bus, every page walked over AT-SPI
# (atspi_stranky.py). Usage: atspi_test.sh MIXOR CATALOGUE
set -euo pipefail
mixor=$(realpath "$1") katalog=$(realpath "$2")
testy=$(cd "$(dirname "$0")" && pwd)
for prikaz in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$prikaz" >/dev/null || { echo "skipped: $prikaz is missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }

slozka=$(mktemp -d)
trap 'rm -rf "$slozka"' EXIT
cp "$katalog" "$slozka/"
cd "$slozka"
export HOME=$slozka XDG_RUNTIME_DIR=$slozka
# Everything started here ends with the walk: the buses, the registry and the
# program share this process group.
bash "$testy/pod_x11.sh" dbus-run-session -- setsid bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" &
    status=0
    /usr/bin/python3 "$2" || status=$?
    trap "" TERM
    kill -- -$$
    exit $status' _ "$mixor" "$testy/atspi_stranky.py"
