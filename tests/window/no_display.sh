#!/usr/bin/env bash
# Started without any display, the program must say so in one line and exit with status 1, not
# abort inside Qt with a core dump. An empty DISPLAY, as some shells leave it, is no display either.
set -u
program=$1
for display in unset empty; do
    settings=(-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    [[ $display == empty ]] && settings+=(DISPLAY=)
    output=$(env "${settings[@]}" "$program" 2>&1)
    status=$?
    if [[ $status -ne 1 || $(printf '%s\n' "$output" | wc -l) -ne 1 || $output != *xvfb-run* ]]; then
        echo "DISPLAY $display: expected one line naming xvfb-run and status 1, got $status:"
        echo "$output"
        exit 1
    fi
done

# A display that is set but cannot be opened: Qt gives up with a fatal message, which the program
# turns into the same kind of single line instead of an abort.
for setting in DISPLAY=:9876 QT_QPA_PLATFORM=no-such-platform; do
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$setting" "$program" 2>&1)
    status=$?
    if [[ $status -ne 1 || $(printf '%s\n' "$output" | wc -l) -ne 1 || $output != *"$setting"* ]]; then
        echo "$setting: expected one line naming the setting and status 1, got $status:"
        echo "$output"
        exit 1
    fi
done
echo "ok: $output"
