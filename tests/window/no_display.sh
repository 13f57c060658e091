#!/usr/bin/env bash
# Started without a display (unset, or empty as some shells leave it), or with one that cannot be
# opened, the program says so in one line naming what to do or what it tried, and exits with
# status 1 instead of aborting inside Qt with a core dump.
set -u
program=$1
check() {  # check WANTED_PART SETTINGS...
    local wanted=$1 output status
    shift
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" 2>&1)
    status=$?
    if [[ $status -ne 1 || $(printf '%s\n' "$output" | wc -l) -ne 1 || $output != *"$wanted"* ]]; then
        echo "$*: expected one line with '$wanted' and status 1, got $status: $output"
        exit 1
    fi
}
check xvfb-run
check xvfb-run DISPLAY=
check DISPLAY=:9876 DISPLAY=:9876
check QT_QPA_PLATFORM=no-such-platform QT_QPA_PLATFORM=no-such-platform
