#!/usr/bin/env bash
# Installs the build into a temporary root as the package lays it out (prefix /usr) and checks
# what a desktop and a user rely on: the programs run from there, the desktop entry and the
# metainfo validate, every icon size and both manual pages are in place; with PYTHON (the
# interpreter the module is built for), the module imports from where python3-orvanto puts it.
set -u
build=$1 version=$2 python=${3:-}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null; then
    echo "FAIL: cmake --install"
    exit 1
fi
usr=$root/usr
id=example.orvanto.Calculator

output=$("$usr/bin/orvanto-cli" --version 2>&1)
[[ $output == "orvanto-cli $version" ]] || fail "orvanto-cli --version printed: $output"

output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/orvanto" 2>&1)
status=$?
[[ $status -eq 1 && $(printf '%s\n' "$output" | wc -l) -eq 1 ]] ||
    fail "orvanto without a display: status $status, output: $output"

# Errors and warnings fail (appstreamcli exits non-zero on either); hints and infos may stay.
desktop=$usr/share/applications/$id.desktop
if command -v desktop-file-validate >/dev/null; then
    output=$(desktop-file-validate --no-hints "$desktop" 2>&1)
    [[ $? -eq 0 && -z $output ]] || fail "desktop-file-validate: $output"
else
    echo "skipped: desktop-file-validate is not installed (package desktop-file-utils)"
fi
# The validator does not look for what the entry names; a menu shows nothing without them.
[[ -x $usr/bin/$(sed -n 's/^Exec=//p' "$desktop") ]] || fail "Exec= names no installed program"
grep -qx "Icon=$id" "$desktop" || fail "Icon= is not $id, the name the icons are installed under"
if command -v appstreamcli >/dev/null; then
    output=$(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
        fail "appstreamcli validate: $output"
else
    echo "skipped: appstreamcli is not installed (package appstream)"
fi

for size in 16 22 24 32 48 64 128 256; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [[ $(file -b "$icon" 2>&1) == "PNG image data, $size x $size,"* ]] || fail "no $size×$size icon"
done
[[ -f $usr/share/icons/hicolor/scalable/apps/$id.svg ]] || fail "no scalable icon"

# man --warnings reports roff that renders wrongly, not only missing pages.
for page in orvanto orvanto-cli; do
    output=$(MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [[ $? -eq 0 && -z $output ]] || fail "manual page $page(1): $output"
done

[[ -f $usr/share/doc/orvanto/copyright && -f $usr/share/doc/orvanto/changelog.gz ]] ||
    fail "copyright or changelog missing"

if [[ -n $python ]]; then
    output=$(cd / && PYTHONPATH=$usr/lib/python3/dist-packages PYTHONDONTWRITEBYTECODE=1 "$python" -c '
import orvanto, pandas
legs = pandas.DataFrame({"lat1": ["4250.0"], "lon1": ["9338.80"], "lat2": ["4250.0"], "lon2": ["9440.0"]})
print(orvanto.__version__, orvanto.batch(legs)["km"][0])' 2>&1)
    [[ $output == "$version 83.174" ]] || fail "the Python module from the installed tree: $output"
    [[ -f $usr/share/doc/python3-orvanto/copyright && -f $usr/share/doc/python3-orvanto/changelog.gz ]] ||
        fail "python3-orvanto's copyright or changelog missing"
    [[ -z $(find "$usr/lib/python3" -name __pycache__) ]] || fail "__pycache__ installed"
fi

[[ $failures -eq 0 ]] && echo "ok: installed tree in order" || exit 1
