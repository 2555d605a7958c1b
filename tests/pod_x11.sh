#!/bin/bash
# Runs a test on a private X server; without Xvfb, with no display at all, so
# it never opens windows on the user's own desktop. The server chooses a free
# display itself (-displayfd): tests started side by side never race for one,
# as they do with xvfb-run -a.
if ! command -v Xvfb >/dev/null 2>&1; then
    DISPLAY= exec "$@"
fi
slozka=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$slozka/displej" 2>"$slozka/server.log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$slozka"' EXIT
for _ in $(seq 600); do
    [ "$(wc -l <"$slozka/displej")" -ge 1 ] && break
    kill -0 $server 2>/dev/null || break
    sleep 0.05
done
read -r cislo <"$slozka/displej" || true
if [ -z "$cislo" ]; then
    echo "the X server did not start:" >&2
    cat "$slozka/server.log" >&2
    exit 1
fi
DISPLAY=:$cislo "$@"
