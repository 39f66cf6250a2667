#!/usr/bin/env bash
# Every program answers --help (its usage on standard output) and --version
# ("<name> <version>") with exit code 0, without a display, and refuses an
# unknown option with one line on standard error and exit code 2.
#   command_line_test.sh VERSION PROGRAM...
set -uo pipefail
version=$1; shift
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for program in "$@"; do
  name=$(basename "$program")
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help > "$scratch/out" 2> "$scratch/err"
  rc=$?
  [[ $rc == 0 ]] || fail "$name --help exits $rc"
  head -n1 "$scratch/out" | grep -q "^usage: $name " || fail "$name --help: no usage line on standard output"
  [[ ! -s "$scratch/err" ]] || fail "$name --help wrote to standard error: $(cat "$scratch/err")"

  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version > "$scratch/out" 2> "$scratch/err"
  rc=$?
  [[ $rc == 0 ]] || fail "$name --version exits $rc"
  [[ "$(cat "$scratch/out")" == "$name $version" ]] || fail "$name --version printed '$(cat "$scratch/out")'"

  "$program" --no-such-option > "$scratch/out" 2> "$scratch/err"
  rc=$?
  [[ $rc == 2 ]] || fail "$name --no-such-option exits $rc"
  [[ $(wc -l < "$scratch/err") == 1 ]] || fail "$name --no-such-option: $(wc -l < "$scratch/err") lines on standard error"
  grep -q -- "--no-such-option" "$scratch/err" || fail "$name --no-such-option: the error does not name the option"
done
exit $((failures > 0))
