#!/bin/sh
# Runs a test on a private X server (xvfb-run); without xvfb-run, with no
# display at all, so it never opens windows on the user's own desktop.
if command -v xvfb-run >/dev/null 2>&1; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
fi
DISPLAY= exec "$@"
