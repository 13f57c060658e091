#!/usr/bin/env bash
# orvanto-cli fix and range as a user runs them: the textbook's forms (two bearings, three with a
# hat, a running fix with current, two ranges that cross twice), the tsv lines, and each rule and
# reading a message names. Usage: fix_and_range.sh PATH_TO_ORVANTO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

expect() {
    local status=$1 out=$2 err=$3
    shift 3
    "$cli" "$@" >"$work/out" 2>"$work/err" </dev/null
    local actual=$? problem=""
    [ "$actual" -eq "$status" ] || problem+=" status $actual, wanted $status;"
    [ "$(cat "$work/out")" = "$out" ] || problem+=" stdout '$(cat "$work/out")', wanted '$out';"
    if [ -z "$err" ]; then
        [ -s "$work/err" ] && problem+=" unexpected stderr '$(cat "$work/err")';"
    else
        grep -qF -- "$err" "$work/err" || problem+=" stderr '$(cat "$work/err")' lacks '$err';"
    fi
    if [ -n "$problem" ]; then
        failed=$((failed + 1))
        printf 'FAIL: orvanto-cli'; printf " '%s'" "$@"; printf ':%s\n' "$problem"
    fi
}

a=3110.0N,12205.0E b=3105.0N,12210.0E c=3100.0N,12200.0E
expect 0 '位置线1：方位 045.0°T，物标 31°10.00′N 122°05.00′E
位置线2：方位 120.0°T，物标 31°05.00′N 122°10.00′E
船位：3108.41N 12203.15E
位置线交角 75.0°
推算船位 3102.00N 12201.00E 至船位：流向 016.1°T，流程 6.651 海里' '' \
    fix --bearing=$a,045 --bearing=$b,120 --dr=3102.0,12201.0
expect 0 '位置线1：方位 045.0°T，物标 31°10.00′N 122°05.00′E
位置线2：方位 120.0°T，物标 31°05.00′N 122°10.00′E
位置线3：方位 190.0°T，物标 31°00.00′N 122°00.00′E
交点（位置线1、2）：3108.41N 12203.15E，交角 75.0°
交点（位置线1、3）：3106.92N 12201.42E，交角 145.0°
交点（位置线2、3）：3109.05N 12201.85E，交角 70.0°
误差三角形最大相距 2.156 海里
船位（到各位置线距离的平方和最小）：3108.44N 12202.35E
注意：误差三角形过大（各交点最大相距 2.156 海里，超过 1 海里），请复核观测' '' \
    fix --bearing=$a,045 --bearing=$b,120 --bearing=$c,190
expect 0 $'3108.40N\t12203.16E\t31.140054\t122.052664\t153.0\t0.049\t31.140084\t122.052423\t31.140663\t122.053097\t31.139893\t122.052806' '' \
    fix --format=tsv --bearing=$a,045 --bearing=$b,120 --bearing=$c,198
expect 0 '位置线1：方位 045.0°T，物标 31°10.00′N 122°05.00′E，08:00，移线 000.0°T 6 海里，流 090.0°T 0.5 海里
位置线2：方位 120.0°T，物标 31°05.00′N 122°10.00′E，08:30
船位：3110.42N 12159.08E，08:30
位置线交角 75.0°
推算船位 3107.00N 12203.00E 至船位：流向 315.4°T，流程 4.791 海里' '' \
    fix --variation=5W --bearing=$a,050M@08:00 --bearing=$b,125M@８：３０ --run=000/12 \
    --current=090/1 --dr=3107.0,12203.0
expect 0 $'\t\t\t\t93.3\t\t31.149389\t122.178352\t31.083291\t122.089032' '' \
    fix --format=tsv --range=3110.0,12205.0,5 --range=3105.0,12210.0,4
expect 0 '位置线1：距离 5 海里，物标 31°10.00′N 122°05.00′E
位置线2：距离 4 海里，物标 31°05.00′N 122°10.00′E
船位：3105.00N 12205.34E
位置线交角 93.3°
另一交点（离推算船位较远）：3108.96N 12210.70E
推算船位 3106.00N 12206.00E 至船位：流向 209.5°T，流程 1.149 海里' '' \
    fix --range=3110.0,12205.0,5 --range=3105.0,12210.0,4 --dr=3106，12206
expect 0 $'3108.40N\t12203.15E\t31.140076\t122.052438\t85.7\t\t31.140076\t122.052438' '' \
    fix --angle=$a,$b,75 --bearing=$b,120 --format=tsv
# Midnight between: 00:30 is the next day's, an hour on (12 nmi west of the landmark, not 24 h).
expect 0 $'3110.00N\t12151.03E\t31.166667\t121.850470\t45.1\t\t31.166667\t121.850470' '' \
    fix --format=tsv --bearing=$a,045@23:30 --bearing=$a,090@00:30 --run=000/12

expect 1 '' '观测 1（--bearing）与观测 2（--bearing）的位置线不相交' fix --bearing=$a,045 --bearing=$b,045
expect 2 '' '观测 1（--bearing）的磁方位' fix --bearing=$a,045M --bearing=0,0,1
expect 2 '' '各次观测须都带时间（@时:分）或都不带：观测 1 带了，观测 2 没有' \
    fix --bearing=$a,045@08:00 --bearing=0,0,1
expect 2 '' '各次观测都在同一时间' fix --bearing=$a,045@08:00 --bearing=0,0,1@08:00 --run=0/1
expect 2 '' '观测时间不同，须给出 --run' fix --bearing=$a,045@08:00 --bearing=0,0,1@09:00
expect 2 '' '观测 1（--bearing）的物标纬度的输入“9110.0N”超出范围' fix --bearing=9110.0N,0,1 --bearing=0,0,1
expect 2 '' '观测 1（--bearing）须写成 纬度,经度,值[@时间]，实际有 2 项' fix --bearing=$a --bearing=0,0,1
expect 2 '' '观测 1（--angle）的夹角“190”无法识别' fix --angle=0,0,1,1,190 --bearing=0,0,1
expect 2 '' 'fix 至少需要两条位置线' fix --bearing=0,0,1
expect 2 '' 'fix 的 --current 须与 --run 同用' fix --bearing=0,0,1 --bearing=0,0,2 --current=0/1
expect 2 '' '观测 2 的时间 2026-12-07 09:00 早于观测 1 的 2026-12-08 08:00' \
    fix --bearing=$a,045@2026-12-08T08:00 --bearing=0,0,1@2026-12-07T09:00 --run=0/1
expect 2 '' '--run 须是航向/航速' fix --bearing=$a,045@08:00 --bearing=0,0,1@09:00 --run=12

expect 0 '眼高 16 米，视距 2.09 × √16 = 8.36 海里
物标高 50 米，地理能见距离 2.09 × (√50 + √16) = 23.14 海里' '' range --eye=16 --object=50米
expect 0 '眼高 16 米，视距 2.09 × √16 = 8.36 海里
海图射程 18 海里按眼高 5 米的地理能见距离计：眼高 16 米时 18 + 2.09 × (√16 − √5) = 21.69 海里
光力射程 19 海里较小，灯光最大可见距离 19 海里' '' range --eye=１６m --charted=18海里 --luminous=19
expect 0 $'8.36\t' '' range --eye=16 --format=tsv
expect 0 $'8.36\t21.69' '' range --eye=16 --charted=18 --format=tsv
expect 2 '' '--eye 须是0 到 100 米的眼高' range --eye=160
expect 2 '' '--charted 与 --object 只能用其一' range --eye=16 --charted=18 --object=50
expect 2 '' '--luminous 须与 --charted 或 --object 同用' range --eye=16 --luminous=18
expect 2 '' 'range 须给出 --eye' range --object=50

[ "$failed" -eq 0 ] || { echo "$failed failed"; exit 1; }
