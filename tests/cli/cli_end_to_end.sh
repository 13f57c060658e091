#!/usr/bin/env bash
# Runs orvanto-cli as a user would and compares what it prints and its exit status.
# Usage: cli_end_to_end.sh PATH_TO_ORVANTO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# expect STATUS STDOUT STDERR_PART ARGS...: STDOUT is compared whole (a trailing newline is added
# when it is not empty); STDERR_PART must occur in standard error ('' when it must be empty).
expect() {
    local status=$1 out=$2 err=$3
    shift 3
    "$cli" "$@" >"$work/out" 2>"$work/err" </dev/null
    local actual=$?
    local wanted_out=""
    [ -n "$out" ] && wanted_out="$out"$'\n'
    local problem=""
    [ "$actual" -eq "$status" ] || problem+=" status $actual, wanted $status;"
    [ "$(cat "$work/out"; echo x)" = "${wanted_out}x" ] || problem+=" stdout '$(cat "$work/out")', wanted '$out';"
    if [ -z "$err" ]; then
        [ -s "$work/err" ] && problem+=" unexpected stderr '$(cat "$work/err")';"
    else
        grep -qF -- "$err" "$work/err" || problem+=" stderr '$(cat "$work/err")' lacks '$err';"
    fi
    if [ -n "$problem" ]; then
        failed=$((failed + 1))
        printf 'FAIL: orvanto-cli'; printf " '%s'" "$@"; printf ':%s\n' "$problem"
    else
        passed=$((passed + 1))
    fi
}

T=$'\t'
incomplete='请输入完整的经纬信息！'

# The distance table: both boxes' texts, one tab apart.
expect 0 "704.197${T}380.236" '' distance --seconds=2 4250.0 9338.80 421125 1021125
expect 0 "111.195${T}60.04" '' distance 0 0 0 100
expect 0 "822.175${T}443.939" '' distance 3112.0 12130.0 3506.0 12900.0
expect 0 "-.${T}." '' distance 4250.0 9338.80 4250.0 9338.80
expect 0 "20014.975${T}10807.222" '' distance 9000 0 -9000 0
expect 0 "2235.352${T}1206.994" '' distance 0 17000 0 -17000
expect 0 "111.195${T}60.04" '' distance ' ' 0 0 100
expect 0 "704.197${T}380.236" '' distance --seconds=1,2,r -- 425000 933848 421125 1021125
expect 1 '' "$incomplete" distance 4250.0 9338.80 '' 9338.80
expect 1 '' '溢出' distance 421125 1021125 0 0
expect 1 '' '类型不匹配' distance --seconds=1,2 42a125 1021125 421125 1021125
expect 1 '' '点Ⅰ与点Ⅱ相距过远' distance 0 0 0 12000
# Negative entries: south latitudes and west longitudes.
expect 0 "704.197${T}380.236" '' distance --seconds=2 -4250.0 -9338.80 -421125 -1021125

# The angle list.
expect 0 '179.412' '' angle 3100.0 12000.0 2900.0 12000.0 3000.0 12000.0
expect 0 '179.412' '' angle --seconds=2 3100.0 12000.0 290000 1200000 3000.0 12000.0
expect 0 '89.985' '' angle 0 100.0 100.0 0 0 0
expect 0 '93.448' '' angle --seconds=2 4250.0 9338.80 421125 1021125 4000.0 10000.0
expect 0 '90.004' '' angle 3100.0 12000.0 2900.0 12100.0 3100.0 12000.0
expect 0 '.809' '' angle 3100.0 12000.0 3100.0 12000.0 3000.0 12000.0
expect 0 '60.005' '' angle 3000.0 12000.0 3000.0 12000.0 3000.0 12000.0
expect 0 '.951' '' angle 3100.0 12000.0 3200.0 12000.0 3000.0 12000.0
expect 1 '' "$incomplete" angle 3100.0 12000.0 2900.0 12000.0 '' 12000.0
expect 1 '' '类型不匹配' angle --seconds=1 42a125 1200000 2900.0 12000.0 3000.0 12000.0
expect 1 '' '点Ⅰ与点Ⅱ相距过远' angle 0 0 0 12000 1000 6000
expect 1 '' '无法确定夹角' angle 3017.0 12000.0 2941.0 12000.0 3000.0 12000.0

# Usage.
expect 0 "orvanto-cli @PROJECT_VERSION@" '' --version
expect 2 '' '未知的子命令“area”' area 1 2 3 4
expect 2 '' '4 个坐标，实际给出 3 个' distance 1 2 3
expect 2 '' '未知的选项“--verbose”' distance --verbose 1 2 3 4
expect 2 '' '“x”' distance --seconds=x 1 2 3 4
expect 2 '' '不是有效的 UTF-8' distance $'42\xff' 1 2 3
expect 2 '' '缺少子命令'

"$cli" --help >"$work/help" 2>&1
if [ $? -eq 0 ] && grep -qF 'orvanto-cli distance' "$work/help"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1)); echo "FAIL: --help"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
