#!/usr/bin/env bash
# The two Debian packages ./test builds, as Debian's own tools see them:
# celvaro (the programs, for this machine's architecture) depends on the
# libraries its binaries link (the C++ runtime and Qt's among them) and on
# celvaro-data of its own version, which is for every architecture; npm is
# only suggested. lintian reports no error and no warning but the one the
# README explains, nor a hardening tag of any level; the copyright file has
# a licence for every stanza; the manual pages and changelogs are gzipped at
# the highest level without a name or time stamp; the programs take
# stack-protector checks, which lintian does not look for. Unpacked
# together into a scratch root with dpkg -x, the packaged celvaro-chart, run
# from an unrelated directory, finds the packaged data and writes a chart.
# Skipped (77) when no package was built.
#   debian_package_test.sh BUILD_DIR
set -uo pipefail
build=$1
newest() { ls -t "$@" 2> /dev/null | head -n1; }
programs=$(newest "$build"/celvaro_*.deb)
data=$(newest "$build"/celvaro-data_*.deb)
[[ -n "$programs" ]] || { echo "no package in $build (cpack -G DEB makes it)"; exit 77; }
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[[ -n "$data" ]] || { fail "no celvaro-data package beside $programs"; exit 1; }

field() { dpkg-deb -f "$1" "$2"; }
[[ $(field "$programs" Architecture) == "$(dpkg --print-architecture)" ]] ||
  fail "celvaro is for $(field "$programs" Architecture)"
[[ $(field "$data" Architecture) == all ]] || fail "celvaro-data is for $(field "$data" Architecture)"
version=$(field "$programs" Version)
[[ $(field "$data" Version) == "$version" ]] || fail "celvaro $version beside celvaro-data $(field "$data" Version)"
depends=$(field "$programs" Depends)
for needed in libc6 libstdc++6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins "celvaro-data (= $version)"; do
  grep -qF -- "$needed" <<< "$depends" || fail "celvaro's Depends lacks $needed: $depends"
done
[[ -z "$(field "$data" Depends)" ]] || fail "celvaro-data depends on $(field "$data" Depends)"
grep -qw npm <<< "$(field "$programs" Depends) $(field "$programs" Recommends)" && fail "npm is more than suggested"
[[ $(field "$programs" Suggests) == npm ]] || fail "celvaro suggests '$(field "$programs" Suggests)'"
[[ $(field "$programs" Recommends) == qt6-translations-l10n ]] || fail "celvaro recommends '$(field "$programs" Recommends)'"

# lintian's errors and warnings, but the one the README explains (a first
# package that closes no Debian bug, as it is not uploaded to Debian), and
# its hardening tags, which it gives as information too.
lintian --display-info --tag-display-limit 0 "$programs" "$data" > "$scratch/lintian" 2>&1
grep -E '^[EW]: |hardening-' "$scratch/lintian" | grep -v ': initial-upload-closes-no-bugs ' &&
  fail "lintian complains (above)"

for package in "$programs" "$data"; do
  dpkg -x "$package" "$scratch/root" || exit 1
done
for name in celvaro celvaro-data; do
  copyright=$scratch/root/usr/share/doc/$name/copyright
  # Every Files stanza carries a License field, and every licence it names
  # has a paragraph of its own.
  awk -v RS= '/^Files:/ && !/\nLicense: / { bad = 1 } END { exit bad }' "$copyright" ||
    fail "$name: a Files stanza of the copyright file has no License"
  grep -oP '^License: \K.*' "$copyright" | tr ' ' '\n' | grep -vx and | sort -u > "$scratch/used"
  awk -v RS= '/^License: / { split($0, lines, "\n"); sub(/^License: /, "", lines[1]); print lines[1] }' "$copyright" |
    sort -u > "$scratch/defined"
  comm -23 "$scratch/used" "$scratch/defined" | grep . && fail "$name: licences without a paragraph of their own"
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' "$copyright" ||
    fail "$name: the copyright file is not in the machine-readable format"
done
for gz in "$scratch"/root/usr/share/man/man1/*.gz "$scratch"/root/usr/share/doc/*/changelog.Debian.gz; do
  kind=$(file -b "$gz")
  [[ $kind == "gzip compressed data, max compression, from Unix, "* && $kind != *was* && $kind != *"last modified"* ]] ||
    fail "$(basename "$gz"): $kind"
done
for program in "$scratch"/root/usr/bin/*; do
  [[ -f "$scratch"/root/usr/share/man/man1/$(basename "$program").1.gz ]] || fail "$(basename "$program") has no manual page"
done
[[ $(ls "$scratch"/root/usr/share/man/man1/ | wc -l) == $(ls "$scratch"/root/usr/bin/ | wc -l) ]] ||
  fail "manual pages: $(ls "$scratch"/root/usr/share/man/man1/)"
for program in "$scratch"/root/usr/bin/*; do
  grep -q ' __stack_chk_fail' <<< "$(readelf --dyn-syms -W "$program")" || fail "$(basename "$program") lacks the stack protector"
done

for file in usr/bin/celvaro usr/share/celvaro/data/stars_hip.dat usr/share/applications/org.celvaro.celvaro.desktop \
    usr/share/metainfo/org.celvaro.celvaro.metainfo.xml usr/share/man/man1/celvaro.1.gz; do
  [[ -f "$scratch/root/$file" ]] || fail "$file is not in the packages"
done
mkdir -p "$scratch/work" "$scratch/home"
cd "$scratch/work" || exit 1
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/config XDG_DATA_HOME=$scratch/home/data \
  "$scratch/root/usr/bin/celvaro-chart" --utc 2024-01-15T20:00 --lat 47.5 --lon 19.04 --object Betelgeuse \
  --field 1800 --size 400x300 --stats --out chart.png > stats.txt || fail "the packaged celvaro-chart failed"
file -b chart.png | grep -q "^PNG image data, 400 x 300" || fail "the chart is $(file -b chart.png 2>&1)"
grep -q "^stars=[1-9]" stats.txt || fail "the chart drew no stars: $(cat stats.txt)"
exit $((failures > 0))
