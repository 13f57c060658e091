#!/usr/bin/env bash
# The real program in a virtual X display with a window manager, used as a person would: type the
# entries, click the buttons, copy a result box and read the clipboard, close the window. Offscreen
# tests cannot show that the keyboard, the mouse and the X clipboard really reach the widgets.
# Usage: end_to_end.sh path/to/orvanto   (ORVANTO_SCREENSHOT=file.png also saves a screenshot)
set -euo pipefail
program=$1
for tool in xvfb-run xdotool xclip xprop wmctrl openbox; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
if [[ ${ORVANTO_IN_XVFB:-} != 1 ]]; then
    ORVANTO_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

unset WAYLAND_DISPLAY
runtime=$(mktemp -d)  # Qt warns on every start without a private runtime directory
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# The program starts once the window manager runs: a window mapped while it is still starting up
# can be left unmapped.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
"$program" 2>"$runtime/app.log" &
app=$!
trap 'kill "$app" "$wm" 2>/dev/null || true; rm -rf "$runtime"' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --classname orvanto | head -n 1) ||
    { echo "FAIL: the window did not appear"; cat "$runtime/app.log"; exit 1; }

# Centres of the controls, in pixels from the top-left of the window's client area.
declare -A at=([Text1]="108 68" [Text2]="108 100" [Text3]="312 68" [Text4]="312 100"
               [Text5]="108 188" [Text6]="108 220" [Option4]="310 40" [Text7]="500 68"
               [Text8]="500 100" [Text9]="312 188" [Command3]="500 188" [Command4]="500 220")
click() {
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" ${at[$1]} click 1
    sleep 0.2
}
type_into() { click "$1"; xdotool type --delay 20 "$2"; }
# Pastes over what the box holds, as text from an input method, a chart file or a spreadsheet
# arrives; xdotool cannot type most non-ASCII characters.
paste_into() {
    printf '%s' "$2" | xclip -selection clipboard
    click "$1"
    xdotool key ctrl+a ctrl+v
}
# Copies a box through the clipboard until it holds the text wanted; a loaded machine may take a
# while to deliver the keys.
expect() {
    local got
    for _ in $(seq 20); do
        printf '' | xclip -selection clipboard
        click "$1"
        xdotool key ctrl+a ctrl+c
        sleep 0.2
        got=$(xclip -selection clipboard -o)
        [[ $got == "$2" ]] && return
    done
    echo "FAIL: $1 holds '$got', expected '$2'"
    exit 1
}

# Enter on a focused command button runs it; the incomplete-entry message closes with Enter and
# leaves the focus in the first empty box, so typing goes on there.
type_into Text1 4250.0
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return
timeout 10 xdotool search --sync --onlyvisible --name '^提示$' >/dev/null
xdotool key Return
while xdotool search --onlyvisible --name '^提示$' >/dev/null; do sleep 0.1; done
xdotool type --delay 20 9338.80
expect Text2 9338.80
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
type_into Text7 123  # typing into a result box changes nothing
expect Text7 704.197

if [[ -n ${ORVANTO_SCREENSHOT:-} ]]; then
    xdotool mousemove --window "$window" 0 0
    click Text1
    import -window "$window" "$ORVANTO_SCREENSHOT"
fi

# Entries as a chart user writes them: full-width digits and hemisphere, degree marks with 东经 and
# 北纬, a trailing blank (point 2 is still in 秒 mode). Point 1 now lies south, so every result
# differs from the one standing in the box.
paste_into Text1 ４２５０．０Ｓ
paste_into Text2 ９３３８．８０
paste_into Text3 '421125 '
paste_into Text4 东经102°11′25″
paste_into Text5 北纬40°
paste_into Text6 10000.0E
click Command3
expect Text7 9492.822
expect Text8 5125.714
click Command4
expect Text9 128.459

# Closing the window as its close button does ends the program at once and cleanly (a sanitizer
# build checks for leaks then).
# Asked again once a second: on a loaded machine the window manager may not act on the first.
running() { [[ $(ps -o stat= -p "$app") == [^Z]* ]]; }  # an ended, unreaped child is Z
for _ in $(seq 20); do
    running && { wmctrl -i -c "$window" 2>/dev/null; sleep 1; }
done
running && { echo "FAIL: the program did not end"; exit 1; }
wait "$app" || { echo "FAIL: the program ended with status $?"; exit 1; }
echo "ok"
