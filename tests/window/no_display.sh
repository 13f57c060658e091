#!/usr/bin/env bash
# Started without a display (unset, or empty as some shells leave it), or with one that cannot be
# opened, the program says so in one line naming what it tried and Qt's reason, and exits with
# status 1 instead of aborting inside Qt with a core dump.
set -u
program=$1
check() {  # check WANTED_PART ARGUMENTS_AND_SETTINGS...
    local wanted=$1 output status
    shift
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1)
    status=$?
    if [[ $status -ne 1 || $(printf '%s\n' "$output" | wc -l) -ne 1 || $output != *"$wanted"* ]]; then
        echo "$*: expected one line with '$wanted' and status 1, got $status: $output"
        exit 1
    fi
}
check xvfb-run "$program"
check xvfb-run DISPLAY= "$program"
check "DISPLAY=:9876；Qt：could not connect to display :9876" DISPLAY=:9876 "$program"
# Qt's own option wins over the environment, and it is what the line names.
check "-display :9875；Qt：could not connect to display :9875" DISPLAY=:9876 "$program" -display :9875
check 'Qt：Could not find the Qt platform plugin "no-such-platform"' QT_QPA_PLATFORM=no-such-platform "$program"
