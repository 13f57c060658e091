#!/usr/bin/env bash
# Started without a display (unset, or empty as some shells leave it), or with one that cannot be
# opened, the program says so in one line naming what it tried and Qt's reason, and exits with
# status 1 instead of aborting inside Qt with a core dump. --help and --version need no display; a
# wrong option is one line and status 2.
set -u
program=$1
check() {  # check [STATUS] WANTED_PART ARGUMENTS_AND_SETTINGS... (a failure says it in one line)
    local wanted_status=1 wanted output status
    [[ $1 == [02] ]] && { wanted_status=$1; shift; }
    wanted=$1
    shift
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1)
    status=$?
    if [[ $status -ne $wanted_status || $output != *"$wanted"* ||
          ($status -ne 0 && $(printf '%s\n' "$output" | wc -l) -ne 1) ]]; then
        echo "$*: expected '$wanted' and status $wanted_status, got $status: $output"
        exit 1
    fi
}
check 0 '用法：orvanto [选项]' "$program" --help
check 0 'orvanto 1.' "$program" --version
check 2 '无法识别的选项“--no-such”。用法：orvanto' "$program" --no-such
check xvfb-run "$program"
check xvfb-run DISPLAY= "$program"
check "DISPLAY=:9876；Qt：could not connect to display :9876" DISPLAY=:9876 "$program"
# Qt's own option wins over the environment, and it is what the line names.
check "-display :9875；Qt：could not connect to display :9875" DISPLAY=:9876 "$program" -display :9875
check 'Qt：Could not find the Qt platform plugin "no-such-platform"' QT_QPA_PLATFORM=no-such-platform "$program"
