#!/usr/bin/env bash
# The printed passage plan (route --format=html) printed as a deck officer prints it: Chromium to
# PDF, read back with pdftotext. Every heading and every waypoint is in the PDF's text, the table's
# header row on every page, and no word beyond the page's right margin, where it would be cut.
# Usage: plan_pdf.sh PATH_TO_ORVANTO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }
for tool in chromium pdftotext; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/debian-packages)"; exit 1; }
done

# [the waypoints, the options]: every column a plan can have, and a long coastal passage that
# needs several pages.
printf 'name,lat,lon\n长江口,3100.0,12230.0\n大隅海峡,3050.0,13100.0\n旧金山,3748.0,12230.0W\n' >"$work/pacific.csv"
{ echo 'name,lat,lon'; for i in $(seq 0 69); do printf '沿岸航点%02d,%d.%d°,%d.%d°\n' "$i" $((20 + i / 10)) $((i % 10)) $((110 + i / 5)) $((i % 5)); done; } >"$work/coast.csv"
cases=(
    "pacific|--every=10° --limit-latitude=45 --variation=3W --deviation=1E --current=090/0.5 --speed=14 --depart=2026-12-08T08:00+08:00 --eta-zone=ship"
    "coast|--speed=12 --depart=2026-12-08T08:00+08:00 --textbook"
)
for case in "${cases[@]}"; do
    name=${case%%|*}
    read -ra options <<<"${case#*|}"
    "$cli" route --format=html "${options[@]}" "$work/$name.csv" >"$work/$name.html" 2>/dev/null
    chromium --headless --no-sandbox --disable-gpu --no-pdf-header-footer --user-data-dir="$work/profile" \
        --print-to-pdf="$work/$name.pdf" "file://$work/$name.html" >/dev/null 2>&1
    [ -s "$work/$name.pdf" ] || { fail "$name: Chromium printed no PDF"; continue; }
    pages=$(pdfinfo "$work/$name.pdf" | awk '/^Pages:/ {print $2}')
    # Content-stream order keeps a wrapped heading's pieces together; blanks are where lines wrap.
    pdftotext -raw "$work/$name.pdf" - | tr -d ' \n\f' >"$work/$name.txt"
    headings=$("$cli" route --format=text "${options[@]}" "$work/$name.csv" 2>/dev/null | head -1 | sed 's/   */\n/g')
    waypoints=$(tail -n +2 "$work/$name.csv" | cut -d, -f1)
    [ "$(wc -w <<<"$headings")" -ge 10 ] || fail "$name: headings '$headings'"
    for text in 航线计划：${waypoints%%$'\n'*}→${waypoints##*$'\n'} 航行条件 航线表 合计 航速 开航时间 预计到达时间 \
        磁差 自差 海流 限制纬度 分点间隔 航法 $headings $waypoints; do
        grep -qF -- "$text" "$work/$name.txt" || fail "$name: '$text' is not in the PDF"
    done
    for page in $(seq 1 "$pages"); do
        pdftotext -f "$page" -l "$page" -raw "$work/$name.pdf" - | tr -d ' \n' | grep -qF '起点终点' ||
            fail "$name: page $page has no header row"
    done
    # A4 landscape is 842 points wide, 10 mm (28 points) of it the right margin.
    widest=$(pdftotext -bbox "$work/$name.pdf" - | grep -o 'xMax="[0-9.]*"' | tr -dc '0-9.\n' | sort -n | tail -1)
    awk -v x="$widest" 'BEGIN { exit !(x <= 842 - 28 + 1) }' || fail "$name: a word ends at $widest points, past the margin"
    echo "$name: $pages pages"
done
# (The coastal passage is the last.)
[ "$pages" -ge 2 ] ||
    fail "the coastal passage fits one page: its test of the header row on every page tests nothing"

echo "$failed failed"
[ "$failed" -eq 0 ]
