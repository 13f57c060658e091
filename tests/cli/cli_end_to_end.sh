#!/usr/bin/env bash
# Runs orvanto-cli as a user would: what it prints, where, and its exit status. The calculations
# themselves are tested in the unit tests; these rows prove the wiring.
# Usage: cli_end_to_end.sh PATH_TO_ORVANTO_CLI VERSION
set -u
cli=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# expect STATUS STDOUT STDERR_PART ARGS...: STDOUT is compared whole; STDERR_PART must occur in
# standard error ('' when standard error must be empty).
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

expect 0 $'704.197\t380.236' '' distance --seconds=2 4250.0 9338.80 421125 1021125
expect 0 '93.448' '' angle --seconds=2 4250.0 9338.80 421125 1021125 4000.0 10000.0
# Options may stand anywhere before "--"; after it every argument is an entry, "-" or not.
expect 0 $'704.197\t380.236' '' distance --seconds=2 -- -4250.0 -9338.80 -421125 -1021125
expect 0 '179.412' '' angle 3100.0 12000.0 --seconds=r 2900.0 12000.0 300000 1200000
expect 1 '' '请输入完整的经纬信息！' distance 4250.0 9338.80 '' 9338.80
expect 1 '' '点Ⅰ纬度的输入“421125”数值溢出' distance 421125 1021125 0 0
expect 1 '' '无法确定夹角' angle 3017.0 12000.0 2941.0 12000.0 3000.0 12000.0
# Entries as a chart user types them: full width, a hemisphere, degree marks, a pasted cell.
expect 0 $'83.174\t44.91' '' distance ４２５０．０ ９３３８．８０ 4250.0 9440.0
expect 0 $'.\t.' '' distance --seconds=2 4250.0S 12130.0W 南纬42°50′ $'西经1213000\r\n'
expect 0 $'.\t.' '' distance 北纬42度11分25秒 0 --seconds=2 '421125 ' 0
expect 1 '' '点Ⅰ纬度的输入“9338.80”超出范围' distance 9338.80 4250.0 0 0
expect 1 '' '点Ⅱ经度的输入“4250.0N”标的是纬度的方向' distance 0 0 0 4250.0N
expect 1 '' '点Ⅰ纬度的输入“42\x1b[2J\r”类型不匹配' distance --seconds=1 $'42\e[2J\r' 0 0 0
expect 1 '' '参考点与点Ⅱ重合' angle 3100.0 12000.0 2900.0 12100.0 2900.0 12100.0
expect 0 "orvanto-cli $version" '' --version
expect 2 '' '缺少子命令'
expect 2 '' '未知的子命令“area”' area 1 2 3 4
expect 2 '' '4 个坐标，实际给出 3 个' distance 1 2 3
expect 2 '' '未知的选项“--verbose”' distance --verbose 1 2 3 4
expect 2 '' '--seconds 的列表中只能有 1、2 或 r，不认识“”' distance --seconds=1,,2 1 2 3 4
expect 2 '' '--seconds=列表' distance --seconds 1 2 3 4
expect 2 '' '不是有效的 UTF-8' distance $'42\xff' 1 2 3
"$cli" --help | grep -qF 'orvanto-cli distance' || { failed=$((failed + 1)); echo "FAIL: --help"; }

echo "$failed failed"
[ "$failed" -eq 0 ]
