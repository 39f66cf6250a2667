#!/usr/bin/env bash
# The Debian package ./test builds: its dependencies come from the binaries
# (the C++ runtime and Qt's libraries among them), and unpacked into a
# scratch root with dpkg -x, its celvaro-chart, run from an unrelated
# directory, finds the packaged data and writes a chart. Skipped (77) when no
# package was built.
#   debian_package_test.sh BUILD_DIR
set -uo pipefail
build=$1
packages=("$build"/celvaro_*.deb)
[[ -f "${packages[0]}" ]] || { echo "no package in $build (cpack -G DEB makes it)"; exit 77; }
package=$(ls -t "${packages[@]}" | head -n1)
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

depends=$(dpkg-deb -f "$package" Depends)
for needed in libc6 libstdc++6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -q "\b$needed\b" <<< "$depends" || fail "Depends lacks $needed: $depends"
done

dpkg -x "$package" "$scratch/root" || exit 1
for file in usr/bin/celvaro usr/share/celvaro/data/stars_hip.dat usr/share/applications/org.celvaro.celvaro.desktop \
    usr/share/metainfo/org.celvaro.celvaro.metainfo.xml usr/share/man/man1/celvaro.1; do
  [[ -f "$scratch/root/$file" ]] || fail "$file is not in the package"
done
mkdir -p "$scratch/work" "$scratch/home"
cd "$scratch/work" || exit 1
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/config XDG_DATA_HOME=$scratch/home/data \
  "$scratch/root/usr/bin/celvaro-chart" --utc 2024-01-15T20:00 --lat 47.5 --lon 19.04 --object Betelgeuse \
  --field 1800 --size 400x300 --stats --out chart.png > stats.txt || fail "the packaged celvaro-chart failed"
file -b chart.png | grep -q "^PNG image data, 400 x 300" || fail "the chart is $(file -b chart.png 2>&1)"
grep -q "^stars=[1-9]" stats.txt || fail "the chart drew no stars: $(cat stats.txt)"
exit $((failures > 0))
