#!/usr/bin/env bash
# celvaro-chart's files and command line as a user meets them: output into
# a FIFO, /dev/null and the standard output leaves them what they were; a
# full file system leaves the old picture whole; a missing setting file
# and a missing value are refused; a setting file of the largest integers
# still draws a chart with stars.
#   chart_files_test.sh CELVARO_CHART
set -uo pipefail
chart=$1
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
small=(--utc 2024-01-15T20:00 --ra 5.6 --dec 3 --field 3600 --size 320x240)

mkfifo pipe
cat pipe > through-pipe & reader=$!
"$chart" "${small[@]}" --format svg --out pipe || fail "writing into a FIFO failed"
wait $reader
[[ -p pipe ]] || fail "the FIFO is no longer one"
grep -q "<svg" through-pipe || fail "the map did not come through the FIFO"

"$chart" "${small[@]}" --out /dev/null || fail "writing to /dev/null failed"
[[ -c /dev/null ]] || fail "/dev/null is no longer a device"
"$chart" "${small[@]}" --out - > stdout.png || fail "writing to the standard output failed"
file -b stdout.png | grep -q "^PNG image data, 320 x 240" || fail "the standard output holds $(file -b stdout.png)"
[[ ! -e ./- ]] || fail "--out - made a file called -"

# A file system of its own, filled up but for a few blocks: the new picture
# does not fit, and the old one stays as it was.
mkdir full
unshare -rm bash -c '
  chart=$0 dir=$1; shift
  mount -t tmpfs -o size=256k tmpfs "$dir" || exit 77
  printf "the old picture" > "$dir/chart.png"
  dd if=/dev/zero of="$dir/filler" bs=4k count=60 2> /dev/null
  "$chart" "$@" --out "$dir/chart.png" 2> "$dir/err"
  echo "exit $?" >> "$dir/err"
  ls -A "$dir" > "$dir/names"
  cp "$dir/chart.png" "$dir/err" "$dir/names" .' "$chart" "$scratch/full" "${small[@]}" 2> /dev/null
if [[ -f err ]]; then
  grep -q "^exit 1$" err && grep -q "cannot write" err || fail "a full file system: $(cat err)"
  [[ "$(cat chart.png)" == "the old picture" ]] || fail "the full file system lost the old picture"
  [[ "$(sort names | tr '\n' ' ')" == "chart.png err filler names " ]] || fail "left on the full file system: $(cat names)"
else
  echo "no private mount namespace here: the full file system was not tried"
fi

# Refusals: exit 2 and one line naming what is wrong (the parser's own
# messages, impossible dates among them, are app/chart_request_test's).
refuses() {
  local expected=$1; shift
  "$chart" "$@" --out refused.png 2> err.txt
  local rc=$?
  [[ $rc == 2 ]] || fail "$* exits $rc"
  grep -q -- "$expected" err.txt || fail "$*: '$(cat err.txt)' does not say '$expected'"
  [[ ! -e refused.png ]] || fail "$*: a picture was written"
}
refuses "cannot read the setting file" --settings /nonexistent.clv
refuses "--object needs a value" --object

for key in starmagnlimitauto starmaxdiameter variablefiltermode varmagnlimitauto varmagnlimitman; do
  printf '%s=2147483647\r\n' "$key"
done > largest.clv
"$chart" "${small[@]}" --settings largest.clv --stats > stats.txt || fail "the setting file of the largest integers failed"
grep -q "^stars=[1-9]" stats.txt || fail "the largest integers drew no stars: $(tr '\n' ' ' < stats.txt)"
exit $((failures > 0))
