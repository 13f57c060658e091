#!/usr/bin/env bash
# The real program in a virtual X display, used as a person would: type the entries, click the
# buttons, select a result box, copy it and read the clipboard. Offscreen unit tests cannot show
# that the keyboard, the mouse and the X clipboard really reach the widgets.
#
# Usage: end_to_end.sh path/to/orvanto
# With ORVANTO_SCREENSHOT=file.png set, a screenshot of the window with its results is saved there.
set -euo pipefail

program=$1
for tool in xvfb-run xdotool xclip python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (apt-get install xvfb xdotool xclip python3)"
        exit 77
    fi
done

if [[ ${ORVANTO_IN_XVFB:-} != 1 ]]; then
        ORVANTO_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

unset WAYLAND_DISPLAY
# Qt warns on every start without a private runtime directory.
runtime=$(mktemp -d)
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime

"$program" &
app=$!
trap 'kill "$app" 2>/dev/null || true; rm -rf "$runtime"' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --classname orvanto | head -n 1)
[[ -n $window ]] || { echo "the window did not appear"; exit 1; }

# Centres of the controls, in pixels from the window's top-left: a control's place in its frame
# or panel plus the frame's and panel's own places.
declare -A at=(
    [Text1]="108 68" [Text2]="108 100" [Text3]="312 68" [Text4]="312 100"
    [Text5]="108 188" [Text6]="108 220" [Option4]="310 40"
    [Text7]="500 68" [Text8]="500 100" [Text9]="312 188"
    [Command3]="500 188" [Command4]="500 220"
)

click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" ${at[$1]} click 1
    sleep 0.2
}

type_into() {
    click "$1"
    xdotool type --delay 20 "$2"
}

copy_of() {
    printf '' | xclip -selection clipboard
    click "$1"
    xdotool key ctrl+a ctrl+c
    sleep 0.3
    xclip -selection clipboard -o
}

expect() {
    local box=$1 wanted=$2 got
    got=$(copy_of "$box")
    if [[ $got != "$wanted" ]]; then
        echo "FAIL: $box holds '$got', expected '$wanted'"
        exit 1
    fi
    echo "ok: $box = $got"
}

# Point 1 in minutes notation, point 2 in seconds notation, the reference point in minutes.
type_into Text1 4250.0
type_into Text2 9338.80
click Option4
type_into Text3 421125
type_into Text4 1021125
click Command3
expect Text7 704.197
expect Text8 380.236

type_into Text5 4000.0
type_into Text6 10000.0
click Command4
expect Text9 93.448

# Typing into a result box changes nothing.
type_into Text7 123
expect Text7 704.197

if [[ -n ${ORVANTO_SCREENSHOT:-} ]]; then
    command -v import >/dev/null || { echo "FAIL: the screenshot needs ImageMagick's import"; exit 1; }
    xdotool mousemove --window "$window" 0 0
    click Text1
    sleep 0.3
    import -window "$window" "$ORVANTO_SCREENSHOT"
    echo "screenshot saved to $ORVANTO_SCREENSHOT"
fi

# Closing the window ends the program at once and cleanly (a sanitizer build checks for leaks
# then).
python3 "$(dirname "$0")/close_window.py" "$window"
status=0
timeout 10 tail --pid="$app" -f /dev/null || { echo "FAIL: the program did not end"; exit 1; }
wait "$app" || status=$?
if [[ $status -ne 0 ]]; then
    echo "FAIL: the program ended with status $status"
    exit 1
fi
echo "ok: closing the window ended the program"
