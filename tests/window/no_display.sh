#!/usr/bin/env bash
# Started without any display, the program must say so in one line and exit with status 1, not
# abort inside Qt with a core dump.
set -u
program=$1
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
status=$?
if [[ $status -ne 1 ]]; then
    echo "expected exit status 1, got $status; output:"
    echo "$output"
    exit 1
fi
if [[ $(printf '%s\n' "$output" | wc -l) -ne 1 || $output != *xvfb-run* ]]; then
    echo "expected one line naming xvfb-run, got:"
    echo "$output"
    exit 1
fi
echo "ok: $output"
