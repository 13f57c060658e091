#!/usr/bin/env bash
# The files orvanto-cli route writes, read by other programs: the GPX route by gpsbabel (the same
# points, names and order) and the GeoJSON by GDAL's ogrinfo (no warning, the line split at the
# antimeridian), and the GPX file read back by route.
# Usage: route_files.sh PATH_TO_ORVANTO_CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# Names with XML's and JSON's own characters, a point in seconds mode, a leg across 180°.
printf '%s\n' 'name,lat,lon,mode' 'A&B<1>,1000.0,17000.0,' '"say""hi""",200000,-1700000,s' \
    '南\C,3000.0,17500.0,' >"$work/pacific.csv"
"$cli" route --gpx="$work/pacific.gpx" --geojson="$work/pacific.geojson" "$work/pacific.csv" \
    >/dev/null || fail "route exit status $?"
# (gpsbabel's CSV leaves the spaces out of names, so these have none.)
want=$'10.00000, 170.00000, A&B<1>\n20.00000, -170.00000, say"hi"\n30.00000, 175.00000, 南\\C'
got=$(gpsbabel -i gpx -f "$work/pacific.gpx" -o csv -F - 2>&1)
[ "$got" = "$want" ] || fail "gpsbabel read back '$got', wanted '$want'"
# Read back by route itself, the GPX file gives the table its waypoint file gave.
[ "$("$cli" route "$work/pacific.gpx")" = "$("$cli" route "$work/pacific.csv")" ] ||
    fail "route reads its own GPX file into another table"
grep -qF '<rte>' "$work/pacific.gpx" && grep -qF '<name>pacific</name>' "$work/pacific.gpx" ||
    fail "GPX route element or name missing"

ogrinfo -ro -al -geom=SUMMARY "$work/pacific.geojson" >"$work/ogr" 2>"$work/ogr.err" ||
    fail "ogrinfo exit status $?"
[ -s "$work/ogr.err" ] && fail "ogrinfo warns: $(cat "$work/ogr.err")"
grep -q 'MULTILINESTRING : 3 geometries' "$work/ogr" || fail "route not split in three: $(cat "$work/ogr")"
[ "$(grep -c 'POINT' "$work/ogr")" -eq 3 ] || fail "waypoints missing from the GeoJSON"

# A waypoint that cannot be read: no file for the plotter, whatever stood there stays.
printf 'name,lat,lon\nA,0,0\nB,9100.0,0\n' >"$work/bad.csv"
"$cli" route --gpx="$work/pacific.gpx" "$work/bad.csv" >/dev/null 2>&1
[ $? -eq 1 ] && gpsbabel -i gpx -f "$work/pacific.gpx" -o csv -F - 2>&1 | grep -qF 'say"hi"' ||
    fail "a failed route touched the GPX file"

echo "$failed failed"
[ "$failed" -eq 0 ]
