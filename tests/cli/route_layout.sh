#!/usr/bin/env bash
# How route's table is laid out: --columns in every format, the text form without its empty
# columns, one block a row on a terminal too narrow for it (a pseudo-terminal of 80 columns), and
# arrivals in zone time across the zones' edges and the date line.
# Usage: route_layout.sh PATH_TO_ORVANTO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

printf 'name,lat,lon\n长江口,3100.0,12230.0\n大隅海峡,3050.0,13100.0\n旧金山,3748.0,12230.0W\n' >"$work/pacific.csv"
timed=(--speed=14 --depart=2026-12-08T08:00+08:00)

# --columns chooses and orders the columns in every format; an empty one named stays.
for row in csv:'to,eta,error' tsv:$'to\teta\terror' text:'终点      预计到达时间            说明' \
    html:'<th scope="col">终点</th><th scope="col">预计到达时间</th><th scope="col">说明</th></tr>'; do
    "$cli" route --format="${row%%:*}" --columns=to,eta,error "${timed[@]}" "$work/pacific.csv" >"$work/out" 2>&1
    grep -qF -- "${row#*:}" "$work/out" && ! grep -q '终点纬度\|to_lat' "$work/out" ||
        fail "--columns in ${row%%:*}: $(head -3 "$work/out")"
done
# By the text form's headings too, with an input method's comma.
[ "$("$cli" route --format=csv --columns='终点，起点' "$work/pacific.csv" | head -1)" = 'to,from' ] ||
    fail "--columns by heading"
"$cli" route --columns=to,lat "$work/pacific.csv" >/dev/null 2>"$work/err"
[ $? -eq 2 ] && grep -qF '没有“lat”这一列；列名有 from、to、to_lat' "$work/err" || fail "unknown column: $(cat "$work/err")"
"$cli" route --columns=to,终点 "$work/pacific.csv" >/dev/null 2>"$work/err"
[ $? -eq 2 ] && grep -qF '“to”列出了两次' "$work/err" || fail "column twice: $(cat "$work/err")"

# Without --columns the text form leaves out what no row has (here the great circle's columns and
# 说明); a spreadsheet keeps every column in its place. Into a pipe the wide table stays.
"$cli" route --format=text --every=10° "${timed[@]}" "$work/pacific.csv" >"$work/text"
head -1 "$work/text" | grep -q '大圆\|说明' && fail "empty columns in text: $(head -1 "$work/text")"
[ "$(awk '{ if (length($0) > 80) n++ } END { print n + 0 }' "$work/text")" -gt 0 ] || fail "text into a pipe is not the wide table"
"$cli" route --format=csv --every=10° "${timed[@]}" "$work/pacific.csv" | head -1 | grep -q 'gc_nmi,total_nmi,hours,total_hours,eta,error$' ||
    fail "csv lost its empty columns"

# On a terminal: one block a row when the table is wider than it; every line fits.
on_terminal() {  # COLUMNS_OF_THE_TERMINAL ARGS...
    /usr/bin/python3 - "$@" <<'PY'
import fcntl, os, struct, subprocess, sys, termios
master, slave = os.openpty()
fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack('HHHH', 24, int(sys.argv[1]), 0, 0))
proc = subprocess.Popen(sys.argv[2:], stdin=subprocess.DEVNULL, stdout=slave, stderr=slave)
os.close(slave)
shown = b''
while True:
    try:
        chunk = os.read(master, 4096)
    except OSError:
        break
    if not chunk:
        break
    shown += chunk
proc.wait()
sys.stdout.buffer.write(shown.replace(b'\r\n', b'\n'))
PY
}
widest() {  # the display width of the widest line of standard input
    /usr/bin/python3 -c '
import sys, unicodedata
print(max(sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line.rstrip("\n")) for line in sys.stdin))'
}
on_terminal 80 "$cli" route --every=10° --limit-latitude=45 --variation=3W --deviation=1E --current=090/0.5 \
    "${timed[@]}" --textbook "$work/pacific.csv" >"$work/shown"
grep -q '^第 1 行 长江口 → 分点1$' "$work/shown" && grep -q '^预计到达时间  *2026-12-09T' "$work/shown" &&
    grep -q '^航法：' "$work/shown" || fail "the expanded form: $(head -5 "$work/shown")"
[ "$(widest <"$work/shown")" -le 80 ] || fail "a line wider than 80 columns: $(widest <"$work/shown")"
on_terminal 300 "$cli" route "${timed[@]}" "$work/pacific.csv" >"$work/shown"
head -1 "$work/shown" | grep -q '^起点 ' || fail "a wide terminal's table: $(head -1 "$work/shown")"
# Without a size, COLUMNS says how wide the terminal is.
COLUMNS=400 on_terminal 0 "$cli" route "${timed[@]}" "$work/pacific.csv" | head -1 | grep -q '^起点 ' ||
    fail "COLUMNS"

# Zone time: 分点 every 7.5° put the ship on the zones' edges, where it keeps the zone it came
# from; 180° from the west is +12, and the next zone east of it -11.
printf 'name,lat,lon\nA,0,17000.0E\nB,0,17500.0W\nC,0,16500.0W\n' >"$work/dateline.csv"
shown=$("$cli" route --format=csv --columns=to,to_lon,eta,eta_zone --every=7.5° --eta-zone=ship \
    --speed=10 --depart=2026-12-08T00:00+11:00 "$work/dateline.csv" | cut -d, -f 1,3,4 | tr '\n' ' ')
[ "$shown" = 'to,eta,eta_zone 分点1,2026-12-08T15:02+11:00,-11 分点2,2026-12-10T13:06+12:00,-12 B,2026-12-10T19:10-12:00,+12 分点3,2026-12-11T10:11-12:00,+12 C,2026-12-13T08:16-11:00,+11 ,2026-12-13T08:16-11:00,+11 ' ] ||
    fail "zone time across the date line: $shown"
shown=$("$cli" route --format=text --eta-zone=Z "${timed[@]}" "$work/pacific.csv" | head -2 | tr -s ' ')
[[ $shown == *'预计到达时间（UTC）'*'2026-12-09T07:21+00:00'* ]] || fail "a fixed zone: $shown"
"$cli" route --eta-zone=ship --speed=10 "$work/pacific.csv" >/dev/null 2>"$work/err"
[ $? -eq 2 ] && grep -qF 'route 的 --eta-zone 须与 --depart 同用' "$work/err" || fail "--eta-zone alone: $(cat "$work/err")"
"$cli" route --format=html --output-encoding=gb18030 "$work/pacific.csv" >/dev/null 2>"$work/err"
[ $? -eq 2 ] && grep -qF '总是 UTF-8' "$work/err" || fail "html in GB18030: $(cat "$work/err")"

echo "$failed failed"
[ "$failed" -eq 0 ]
