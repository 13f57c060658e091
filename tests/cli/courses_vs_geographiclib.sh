#!/usr/bin/env bash
# orvanto-cli course against GeographicLib's own tools on generated legs (random, near-antipodal,
# meridional, equatorial, across the antimeridian): the courses within 0.05° (their rounding to
# tenths) across north, the distances within 0.001 km. Catches a wrong azimuth taken as the final
# course, a normalisation that writes 360.0 or a negative course, and entries misread on the way.
# Usage: courses_vs_geographiclib.sh PATH_TO_ORVANTO_CLI
set -eu
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
    srand(1852)
    for (i = 0; i < 400; i++) {
        lat1 = rand() * 178 - 89; lon1 = rand() * 360 - 180
        kind = i % 5
        if (kind == 0) { lat2 = rand() * 178 - 89; lon2 = rand() * 360 - 180 }
        if (kind == 1) { lat2 = -lat1 + rand() - 0.5; lon2 = lon1 + 179 + rand() }
        if (kind == 2) { lat2 = rand() * 178 - 89; lon2 = rand() < 0.5 ? lon1 : lon1 + 180 }
        if (kind == 3) { lat1 = 0; lat2 = 0; lon2 = rand() * 360 - 180 }
        if (kind == 4) { lon1 = 170 + rand() * 10; lon2 = -180 + rand() * 10 }
        if (lon2 > 180) lon2 -= 360
        printf "%.6f %.6f %.6f %.6f\n", lat1, lon1, lat2, lon2
    }
}' >"$work/legs"
while read -r lat1 lon1 lat2 lon2; do
    "$cli" course --format=tsv -- "$lat1°" "$lon1°" "$lat2°" "$lon2°"
done <"$work/legs" >"$work/ours"
GeodSolve -i -p 6 <"$work/legs" >"$work/geodesic"
RhumbSolve -i -p 6 <"$work/legs" >"$work/rhumb"

paste "$work/legs" "$work/ours" "$work/geodesic" "$work/rhumb" | awk -F'[ \t]+' '
    function abs(x) { return x < 0 ? -x : x }
    function across(a, b,   d) { d = (a - b) % 360; if (d < 0) d += 360; return d > 180 ? 360 - d : d }
    function note(what, difference, limit) {
        if (difference > worst[what]) worst[what] = difference
        if (difference > limit) { bad++; if (bad <= 5) print "FAIL: leg " NR ": " what " off by " difference }
    }
    function course(text) { return text ~ /^([0-2][0-9][0-9]|3[0-5][0-9])\.[0-9]$/ }
    NF != 17 || !course($7) || !course($8) || !course($11) {
        bad++; print "FAIL: leg " NR ": " $0; next
    }
    {
        note("great-circle km", abs($5 - $14 / 1000), 0.001)
        note("rhumb km", abs($9 - $16 / 1000), 0.001)
        note("initial course", across($7, $12), 0.05 + 1e-9)
        note("final course", across($8, $13), 0.05 + 1e-9)
        note("rhumb course", across($11, $15), 0.05 + 1e-9)
    }
    END {
        for (what in worst) printf "largest %s difference: %.6f\n", what, worst[what]
        print NR " legs, " bad + 0 " failed"
        exit bad > 0 || NR != 400
    }'
