#!/usr/bin/env bash
# The files orvanto-cli route writes, read by other programs: the GPX route and the NMEA waypoints
# by gpsbabel (the same points, names and order) and the GeoJSON by GDAL's ogrinfo (no warning,
# the line split at the antimeridian), and the GPX, RTZ and NMEA files read back by route.
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

# A waypoint whose fields do not fit the header, or that lacks a position, is named with its line
# in every source; its legs fail, and no file for a plotter is written.
gpx_without_lat='<gpx><rte>\n<rtept lat="30" lon="120"><name>A</name></rtept>\n\n<rtept lon="121">\n<name>B</name></rtept>\n</rte></gpx>'
while IFS='|' read -r name content told; do
    printf '%b' "$content" >"$work/$name"
    rm -f "$work/none.gpx"
    if [ "${name##*.}" = gpx ]; then
        shown=$("$cli" route --format=csv --gpx="$work/none.gpx" "$work/$name" 2>&1)
    else
        shown=$("$cli" route --format=csv --gpx="$work/none.gpx" - <"$work/$name" 2>&1)
    fi
    status=$?
    [ $status -eq 1 ] && [[ $shown == *"$told"* ]] && [ ! -e "$work/none.gpx" ] ||
        fail "$name: status $status, '$shown' lacks '$told' or a GPX file was written"
done <<CASES
comma.csv|name,lat,lon\nA,3000.0,12000.0\nB,3100,5,12100.0\n|航点“B”（第 3 行）：这一行有 4 个字段，表头有 3 个，多了 1 个：可能是小数点写成了逗号（如 3100,5）
short.tsv|name\tlat\tlon\tspeed\nA\t3000.0\t12000.0\nB\t3100.0\n|航点“B”（第 3 行）：这一行有 2 个字段，表头有 4 个，缺少经度
pasted.txt|名称,纬度,经度\r\nA,3000.0,12000.0,,\r\nB,,12100.0\r\n|航点“B”（第 3 行）缺少纬度
lacks.gpx|$gpx_without_lat|航点“B”（第 4 行）缺少纬度
CASES

# A leg without 分点 is sailed, summed and drawn as its rhumb line: 长江口→旧金山 stays between
# their latitudes on the map, where its great circle would bow up to 52°N.
printf 'name,lat,lon\n长江口,3100.0,12230.0\n旧金山,3748.0,12230.0W\n' >"$work/rhumb.csv"
"$cli" route --geojson="$work/rhumb.geojson" "$work/rhumb.csv" >/dev/null
highest=$(/usr/bin/python3 -c 'import json, sys
line = [f for f in json.load(open(sys.argv[1]))["features"] if "Line" in f["geometry"]["type"]][0]["geometry"]
parts = line["coordinates"] if line["type"] == "MultiLineString" else [line["coordinates"]]
print(round(max(lat for part in parts for _, lat in part), 3))' "$work/rhumb.geojson")
[ "$highest" = 37.8 ] || fail "the rhumb line's GeoJSON reaches ${highest}°N"

# The README's passage across the Pacific: its 分点 and tangent points as route points.
printf 'name,lat,lon\n长江口,3100.0,12230.0\n大隅海峡,3050.0,13100.0\n旧金山,3748.0,12230.0W\n' >"$work/p.csv"
"$cli" route --every=10° --limit-latitude=45 --speed=14 --depart=2026-12-08T08:00+08:00 \
    --current=090/0.5 --gpx="$work/p.gpx" "$work/p.csv" | tail -1 |
    grep -qF '合计,,,,,5457.363,,,5457.363,,,376:59,376:59,2026-12-24T00:59+08:00,' ||
    fail "the README's passage has another total"
got=$(gpsbabel -i gpx -f "$work/p.gpx" -o csv -F - 2>&1 | sed -n '2p;8,10p;15p')
want=$'30.88203, 130.00000, 分点1\n44.92093, -180.00000, 分点6\n45.00000, -175.75225, 限制纬度起\n45.00000, -161.56224, 限制纬度止\n37.80000, -122.50000, 旧金山'
[ "$got" = "$want" ] || fail "gpsbabel read back the passage as '$got'"

# The same passage for an ECDIS: well-formed RTZ named after its file, read back by route into
# the table of the passage itself.
"$cli" route --every=10° --limit-latitude=45 --rtz="$work/太平洋.rtz" --format=csv "$work/p.csv" \
    >"$work/p.table"
xmllint --noout "$work/太平洋.rtz" || fail "the RTZ file is no well-formed XML"
grep -qF '<routeInfo routeName="太平洋"/>' "$work/太平洋.rtz" || fail "the RTZ route is not named"
[ "$("$cli" route --format=csv "$work/太平洋.rtz" | cut -d, -f1-4,6,8,9)" = \
  "$(cut -d, -f1-4,6,8,9 "$work/p.table")" ] || fail "the RTZ file reads back as another route"

# The same passage for a GPS: gpsbabel takes our $GPWPL waypoints (and passes the $GPRTE route
# over), and route reads the file back, from standard input too, into the passage's table.
"$cli" route --every=10° --limit-latitude=45 --nmea="$work/Pacific.txt" --format=csv "$work/p.csv" \
    >"$work/p.table"
if command -v gpsbabel >/dev/null; then
    got=$(gpsbabel -i nmea -f "$work/Pacific.txt" -o unicsv -F - 2>&1 | tr -d '\r' | sed -n '1,3p;$p')
    want=$'No,Latitude,Longitude,Name\n1,31.000000,122.500000,"WP1"\n2,30.882028,130.000000,"1"\n15,37.800000,-122.500000,"WP15"'
    [ "$got" = "$want" ] || fail "gpsbabel read the NMEA waypoints as '$got'"
    gpsbabel -r -i nmea -f "$work/Pacific.txt" -o gpx -F - | grep -q '<rte>' &&
        fail "gpsbabel read our \$GPRTE as a route"
fi
grep -q ',c,Pacifi,WP1,1,WP3,2,' "$work/Pacific.txt" || fail "the NMEA route is not named Pacifi"
[ "$("$cli" route --format=csv - <"$work/Pacific.txt" | cut -d, -f3,4,6,9)" = \
  "$(cut -d, -f3,4,6,9 "$work/p.table")" ] || fail "the NMEA file reads back as another route"
# A name length out of range, or a waypoint that cannot be read: the NMEA file stays as it was.
cp "$work/Pacific.txt" "$work/kept.txt"
shown=$("$cli" route --nmea="$work/Pacific.txt" --nmea-name-length=21 "$work/p.csv" 2>&1)
[ $? -eq 2 ] && [[ $shown == *"--nmea-name-length 须是 1 到 20 之间的整数"* ]] ||
    fail "--nmea-name-length=21: '$shown'"
"$cli" route --nmea="$work/Pacific.txt" "$work/bad.csv" >/dev/null 2>&1
cmp -s "$work/Pacific.txt" "$work/kept.txt" || fail "a failed route touched the NMEA file"
# Names too short to tell 15 points apart: the table stands, the NMEA file is not written.
shown=$("$cli" route --every=10° --limit-latitude=45 --nmea="$work/Pacific.txt" --nmea-name-length=1 \
    --format=csv "$work/p.csv" 2>&1 >/dev/null)
[ $? -eq 1 ] && [[ $shown == *"1 个字符以内无法给每个航点不同的 NMEA 名称，没有写出"* ]] &&
    cmp -s "$work/Pacific.txt" "$work/kept.txt" || fail "--nmea-name-length=1: '$shown'"

echo "$failed failed"
[ "$failed" -eq 0 ]
