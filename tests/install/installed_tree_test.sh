#!/usr/bin/env bash
# `cmake --install` into a clean prefix: the desktop entry, the AppStream
# metainfo and every manual page pass their own validators without a word;
# from an unrelated directory, with the installation read-only, the installed
# celvaro-chart writes a chart and the installed celvaro, under a virtual X
# server, keeps its configuration in $XDG_CONFIG_HOME/celvaro and writes
# nothing into the installation.
#   installed_tree_test.sh BUILD_DIR
set -uo pipefail
build=$1
scratch=$(mktemp -d); trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" || { cat "$scratch/install.log"; exit 1; }
for file in bin/celvaro bin/celvaro-chart bin/celvaro-mountsim bin/celvaro-catalogs share/celvaro/lang_en.lng \
    share/celvaro/data/stars_hip.dat share/icons/hicolor/scalable/apps/org.celvaro.celvaro.svg; do
  [[ -f "$prefix/$file" ]] || fail "$file is not installed"
done
icon=$prefix/share/icons/hicolor/256x256/apps/org.celvaro.celvaro.png
file -b "$icon" | grep -q "^PNG image data, 256 x 256" || fail "the 256-pixel icon is $(file -b "$icon")"

out=$(desktop-file-validate "$prefix"/share/applications/*.desktop 2>&1) || fail "desktop-file-validate failed"
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml 2>&1) || fail "appstreamcli validate: $out"
grep -E "^[EWIP]: " <<< "$out" && fail "appstreamcli validate reported issues"
out=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree: $out"
pages=("$prefix"/share/man/man1/*.1.gz)
[[ ${#pages[@]} == 4 ]] || fail "${#pages[@]} compressed manual pages instead of 4"
for page in "${pages[@]}"; do
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
  [[ -z "$out" ]] || fail "man -l $(basename "$page"): $out"
done

# A user's session: an unrelated working directory, the user's own
# directories, an installation nobody may write to.
work=$scratch/work; home=$scratch/home
mkdir -p "$work" "$home"
chmod -R a-w "$prefix"
find "$prefix" | sort > "$scratch/before"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
cd "$work" || exit 1
"$prefix/bin/celvaro-chart" --utc 2024-01-15T20:00 --lat 47.5 --lon 19.04 --ra 5.6 --dec 3 --field 3600 \
  --size 400x300 --out x.png || fail "the installed celvaro-chart failed"
file -b x.png | grep -q "^PNG image data, 400 x 300" || fail "the chart is $(file -b x.png 2>&1)"

# The language is chosen already, so the first start asks nothing.
mkdir -p "$XDG_CONFIG_HOME/celvaro" && printf EN > "$XDG_CONFIG_HOME/celvaro/locale.inf"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & pid=$!
  for i in $(seq 120); do xwininfo -root -tree | grep -q "\"Celvaro" && break; sleep 0.5; done
  xwininfo -root -tree | grep -q "\"Celvaro" || { echo "no main window; the windows:"; xwininfo -root -tree; }
  kill -TERM $pid; wait $pid' _ "$prefix/bin/celvaro" || fail "the installed celvaro did not end cleanly"
[[ -s "$XDG_CONFIG_HOME/celvaro/celvaro.cfg" ]] || fail "no configuration in \$XDG_CONFIG_HOME/celvaro"
find "$prefix" | sort | diff "$scratch/before" - || fail "files appeared in the installation"
[[ -z "$(ls -A "$work" | grep -v '^x.png$')" ]] || fail "files appeared in the working directory: $(ls -A "$work")"
exit $((failures > 0))
