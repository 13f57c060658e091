#!/usr/bin/env bash
# What orvanto-cli says about its own use (the usage reminder after an error, each command's own
# help, 80 columns for all of it) and how it reads and writes the times of a passage: a departure
# no clock shows, the machine's clock around a change of daylight saving time, an arrival past
# 9999, durations of days.
# Usage: usage_and_times.sh PATH_TO_ORVANTO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }
commands='distance angle batch course route reckon cpa fix range'

# The lines of standard input wider than 80 columns, East Asian Wide and Fullwidth characters
# counted two, every other (the ambiguous Ⅰ “ ° ′ among them) one.
too_wide() {
    python3 -c 'import sys, unicodedata
for line in sys.stdin.read().splitlines():
    width = sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line)
    if width > 80:
        print(f"{width} columns: {line}")'
}

# A usage error shows the usage of the command it concerns alone, then where its help is; with no
# command to concern, all of them. ARGS | COMMAND ('' for all)
while IFS='|' read -r args command; do
    eval "set -- $args"
    "$cli" "$@" >/dev/null 2>"$work/err" </dev/null
    status=$?
    shown=$(grep -o 'orvanto-cli [a-z]* ' "$work/err" | sort -u | tr -d '\n')
    if [ -n "$command" ]; then
        want_shown="orvanto-cli $command " want_last="详见 orvanto-cli $command --help"
    else
        want_shown=$(for c in $commands; do echo "orvanto-cli $c "; done | sort | tr -d '\n')
        want_last='详见 orvanto-cli --help'
    fi
    [ $status -eq 2 ] && [ "$shown" = "$want_shown" ] && [ "$(tail -1 "$work/err")" = "$want_last" ] ||
        fail "usage after '$args' (status $status): $(cat "$work/err")"
    tail -n +2 "$work/err" | too_wide >"$work/wide"
    [ -s "$work/wide" ] && fail "usage after '$args': $(cat "$work/wide")"
done <<'ROWS'
distance 1 2 3|distance
angle --seconds=x 0 0 0 0 0 0|angle
batch --jobs=x|batch
course --gpx=x.gpx 0 0 0 1|course
route --verbose|route
route $'\xff'|route
reckon 0 0 236M 100|reckon
--variation=1W reckon 0 0 90|reckon
cpa --own=0/12 --target=1/1@0800|cpa
|
area 1 2 3 4|
--seconds=2|
ROWS

# COMMAND --help is that command's help alone: its synopsis, the rules about it, its options.
# COMMAND | HEADINGS IT HAS | HEADINGS IT HAS NOT | AN OPTION IT HAS | ONE IT HAS NOT
while IFS='|' read -r command has lacks option other; do
    "$cli" "$command" --help >"$work/help" 2>&1 || fail "$command --help: status $?"
    synopses=$(grep -o '^  orvanto-cli [a-z]*' "$work/help" | tr -d '\n')
    [ "$synopses" = "  orvanto-cli $command" ] || fail "$command --help shows the synopses of '$synopses'"
    for heading in $has; do
        grep -qx "$heading：" "$work/help" || fail "$command --help lacks $heading"
    done
    for heading in $lacks; do
        grep -qx "$heading：" "$work/help" && fail "$command --help has $heading"
    done
    grep -q "^  $option" "$work/help" || fail "$command --help lacks $option"
    grep -q "^  $other" "$work/help" && fail "$command --help has $other"
done <<'ROWS'
distance|坐标写法|批量文件（batch） 航点文件（route） 航向与距离（course、route、reckon）|--format|--jobs
angle|坐标写法|批量文件（batch） 航线规划（route、reckon）|--seconds|--speed
batch|批量文件（batch） 坐标写法|航点文件（route） 航向与距离（course、route、reckon）|--jobs|--gpx
course|航向与距离（course、route、reckon） 坐标写法|航点文件（route） 航线规划（route、reckon）|--vertex|--every
route|航点文件（route） 航向与距离（course、route、reckon） 航线规划（route、reckon）|批量文件（batch）|--depart|--jobs
reckon|航向与距离（course、route、reckon） 航线规划（route、reckon）|航点文件（route） 批量文件（batch）|--hours|--gpx
cpa|雷达标绘（cpa）|坐标写法 航线规划（route、reckon）|--target-motion|--seconds
ROWS
for help in --help -h "distance --help" "batch -h" "course --help" "route --help" "reckon --help" \
    "angle --help" "cpa --help"; do
    $cli $help | too_wide >"$work/wide"
    [ -s "$work/wide" ] && fail "$help: $(cat "$work/wide")"
done
[ "$("$cli" --help | grep -c '^  orvanto-cli [a-z]')" -eq 9 ] || fail "--help lacks a command"

# A departure of the form that no clock shows says why. TEXT | WHY
while IFS='|' read -r typed why; do
    "$cli" route --speed=10 --depart="$typed" "$work/none.csv" >/dev/null 2>"$work/err"
    [ $? -eq 2 ] && grep -qF -- "--depart 的“$typed”有误：$why。--depart 须是出发时间" "$work/err" ||
        fail "--depart=$typed: $(head -1 "$work/err")"
done <<'ROWS'
2026-02-29T08:00|2026 年 2 月没有 29 日
2024-02-30 08:00Z|2024 年 2 月没有 30 日
2026-12-08T24:00+08:00|时须是 0 到 23（午夜写作次日 00:00）
2026-12-08T08:00+14:30|时区须在 -14:00 到 +14:00 之间
2026-12-08T08:00-15:00|时区须在 -14:00 到 +14:00 之间
2026-13-08T08:00Z|月须是 1 到 12
ROWS

# Without an offset, the machine's clock: a time it skipped is refused naming the gap, a time it
# showed twice is the earlier, said on standard error. TZ | DEPARTURE | STATUS | ETA OR MESSAGE
printf 'name,lat,lon\nA,4030.0,7400.0W\nB,4030.0,7300.0W\n' >"$work/leg.csv"
while IFS='|' read -r zone departure status said; do
    TZ=$zone "$cli" route --format=csv --speed=9.1 --depart="$departure" "$work/leg.csv" \
        >"$work/out" 2>"$work/err"
    actual=$?
    [ $actual -eq "$status" ] && grep -qF -- "$said" "$work/out" "$work/err" ||
        fail "TZ=$zone --depart='$departure': status $actual, $(cat "$work/out" "$work/err")"
done <<'ROWS'
America/New_York|2026-03-08 02:30|2|本机时区没有 2026-03-08 02:30 这个时间：时钟在 02:00 拨快到 03:00
America/New_York|2026-03-08 01:59|0|,5:02,5:02,2026-03-08T07:01-05:00,
America/New_York|2026-03-08 03:00|0|,2026-03-08T08:02-04:00,
America/New_York|2026-11-01 01:30|0|本机时区的 2026-11-01 01:30 出现两次：时钟在 02:00 拨回到 01:00
America/New_York|2026-11-01 01:30|0|,2026-11-01T06:32-04:00,
Europe/Berlin|2026-03-29 02:00|2|时钟在 02:00 拨快到 03:00（如夏令时开始），其间的时间都被跳过。请在 --depart 中写明时区，如 +01:00 或 +02:00
Europe/Berlin|2026-10-25 02:59|0|按较早的一次（+02:00）计算；要按较晚的一次，请在 --depart 中写明时区 +01:00
Europe/Berlin|2026-10-25 03:00|0|,2026-10-25T08:02+01:00,
ROWS
TZ=Europe/Berlin "$cli" route --speed=9.1 --depart='2026-07-01 12:00' "$work/leg.csv" >/dev/null 2>"$work/err"
[ -s "$work/err" ] && fail "a summer departure said: $(cat "$work/err")"

# An arrival after 9999-12-31 fails its row, never a year of five digits.
printf 'name,lat,lon\nA,0,0\nB,0,17900.0\nC,0,17900.0W\n' >"$work/far.csv"
"$cli" route --format=csv --speed=10 --depart=9999-12-31T12:00Z "$work/far.csv" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] && grep -qF ',1075:56,1075:56,,预计到达时间在 9999-12-31 之后，无法写出' "$work/out" &&
    ! grep -q '10000-' "$work/out" && grep -qF '2 段航线中有 2 段未能全部算出' "$work/err" ||
    fail "an arrival after 9999: $(cat "$work/out" "$work/err")"
# So does a leg longer than any calendar, with no departure given: its hours are written nowhere.
"$cli" route --format=csv --speed=0.0000000000000000001 "$work/far.csv" >"$work/out" 2>/dev/null
[ $? -eq 1 ] && grep -qF ',10759.281,10759.281,,,预计到达时间在 9999-12-31 之后，无法写出' "$work/out" ||
    fail "a leg longer than any calendar: $(cat "$work/out")"

# A day or more is told in days in the text form; CSV and TSV keep the hours for a spreadsheet.
# The leg of 179° of longitude, too long for the calculator's chord estimate, sails as any other.
for format in text:'10759.281  44天19:56  44天19:56' csv:',10759.281,10759.281,1075:56,1075:56,' \
    tsv:$'\t10759.281\t10759.281\t1075:56\t1075:56\t'; do
    "$cli" route --format="${format%%:*}" --speed=10 "$work/far.csv" 2>/dev/null | sed -n 2p >"$work/out"
    grep -qF -- "${format#*:}" "$work/out" || fail "durations in ${format%%:*}: $(cat "$work/out")"
done
"$cli" route --speed=10 --format=text "$work/far.csv" 2>/dev/null | head -1 |
    grep -q '恒向线航程（海里）.*大圆航程（海里）.*累计航程（海里） *航时 *累计航时$' ||
    fail "text headings: $("$cli" route --speed=10 --format=text "$work/far.csv" | head -1)"

echo "$failed failed"
[ "$failed" -eq 0 ]
