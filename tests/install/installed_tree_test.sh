#!/usr/bin/env bash
# `cmake --install` into a clean prefix: the desktop entry, the AppStream
# metainfo and every manual page pass their own validators without a word;
# from an unrelated directory, with the installation read-only, the installed
# celvaro-chart writes a chart, draws the installed sky from the configuration
# directory, with a relative program directory and with one data file of the
# user's own, and refuses a program directory without data; the installed
# celvaro, under a virtual X server, keeps its configuration in
# $XDG_CONFIG_HOME/celvaro, writes nothing into the installation and shows a
# window with an icon whose WM_CLASS is the one the desktop entry names.
#   installed_tree_test.sh BUILD_DIR
set -uo pipefail
build=$1
scratch=$(mktemp -d); trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" > "$scratch/install.log" || { cat "$scratch/install.log"; exit 1; }
for file in bin/celvaro bin/celvaro-chart bin/celvaro-mountsim bin/celvaro-scope bin/celvaro-catalogs share/celvaro/lang_en.lng \
    share/celvaro/data/stars_hip.dat share/icons/hicolor/scalable/apps/org.celvaro.celvaro.svg; do
  [[ -f "$prefix/$file" ]] || fail "$file is not installed"
done
icon=$prefix/share/icons/hicolor/256x256/apps/org.celvaro.celvaro.png
file -b "$icon" | grep -q "^PNG image data, 256 x 256" || fail "the 256-pixel icon is $(file -b "$icon")"

out=$(desktop-file-validate "$prefix"/share/applications/*.desktop 2>&1) || fail "desktop-file-validate failed"
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml 2>&1) || fail "appstreamcli validate: $out"
grep -E "^[EWIP]: " <<< "$out" && fail "appstreamcli validate complained (above)"
out=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree: $out"
pages=("$prefix"/share/man/man1/*.1.gz)
programs=("$prefix"/bin/celvaro*)
[[ ${#pages[@]} == "${#programs[@]}" ]] || fail "${#pages[@]} compressed manual pages for ${#programs[@]} programs"
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

# The installed sky from wherever the chart is asked for: "count LAYER DIR
# ARGS..." runs celvaro-chart --stats in DIR and prints the layer's count.
count() {
  local layer=$1 dir=$2; shift 2
  (cd "$dir" && "$prefix/bin/celvaro-chart" --utc 2024-01-15T20:00 --ra 5.6 --dec 3 --field 3600 --stats "$@") |
    sed -n "s/^$layer=//p"
}
mkdir -p "$XDG_CONFIG_HOME/celvaro" && printf EN > "$XDG_CONFIG_HOME/celvaro/locale.inf"
touch "$XDG_CONFIG_HOME/celvaro/celvaro.cfg"
(( $(count stars "$XDG_CONFIG_HOME/celvaro") > 0 )) || fail "no stars drawn from the configuration directory"
(( $(count stars "$prefix/share" --program-dir celvaro) > 0 )) || fail "no stars with a relative --program-dir"
# One file of the user's own stands in for the installed one; the rest stay.
mkdir -p "$XDG_DATA_HOME/celvaro/data" && printf 'not a catalog' > "$XDG_DATA_HOME/celvaro/data/deepsky.dat"
[[ $(count deepsky "$work") == 0 ]] || fail "the user's deepsky.dat was not read in place of the installed one"
(( $(count constlines "$work") > 0 && $(count stars "$work") > 0 )) || fail "one user data file hid the installed data"
rm -r "$XDG_DATA_HOME/celvaro"
# No data where the program is pointed: an error, no picture.
"$prefix/bin/celvaro-chart" --program-dir /nonexistent --out none.png 2> "$scratch/err"
rc=$?
[[ $rc == 2 && $(wc -l < "$scratch/err") == 1 ]] || fail "--program-dir /nonexistent: exit $rc, $(cat "$scratch/err")"
grep -q "/nonexistent/data/stars_hip.dat" "$scratch/err" || fail "the error does not name the place: $(cat "$scratch/err")"
[[ ! -e none.png ]] || fail "a picture was written without a star catalog"
rm -f "$XDG_CONFIG_HOME/celvaro/celvaro.cfg"

# The language is chosen already, so the first start asks nothing. The
# main window's WM_CLASS and icon, as the X server holds them, are kept.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & pid=$!
  for i in $(seq 120); do xwininfo -root -tree | grep -q "\"Celvaro" && break; sleep 0.5; done
  read -r window _ <<< "$(xwininfo -root -tree | grep -m1 "\"Celvaro")"
  [[ -n $window ]] || { echo "no main window; the windows:"; xwininfo -root -tree; }
  xprop -id "$window" -notype WM_CLASS > "$2/wm_class"
  xprop -id "$window" -notype -f _NET_WM_ICON 32c " \$0 \$1" _NET_WM_ICON > "$2/icon_size"
  kill -TERM $pid; wait $pid' _ "$prefix/bin/celvaro" "$scratch" || fail "the installed celvaro did not end cleanly"
[[ -s "$XDG_CONFIG_HOME/celvaro/celvaro.cfg" ]] || fail "no configuration in \$XDG_CONFIG_HOME/celvaro"
# The window belongs to the menu entry: the class of its WM_CLASS is the
# entry's StartupWMClass, and it carries the 256-pixel icon (built into the
# program, as this prefix is outside the icon theme's search path).
wm_class=$(grep -oP '^StartupWMClass=\K.*' "$prefix/share/applications/org.celvaro.celvaro.desktop")
grep -qx "WM_CLASS = \"[^\"]*\", \"${wm_class:-none}\"" "$scratch/wm_class" ||
  fail "the window's $(cat "$scratch/wm_class") does not match StartupWMClass=$wm_class"
grep -qx "_NET_WM_ICON 256 256" "$scratch/icon_size" || fail "the window's icon: $(cat "$scratch/icon_size")"
find "$prefix" | sort | diff "$scratch/before" - || fail "files appeared in the installation"
[[ -z "$(ls -A "$work" | grep -v '^x.png$')" ]] || fail "files appeared in the working directory: $(ls -A "$work")"
exit $((failures > 0))
