#!/usr/bin/env bash
# Checks scripts/wine-run.sh's one retry with a stand-in "wine" on PATH:
# a start that writes nothing and fails is retried once and counted; a
# program that wrote anything, or failed twice in a row, is not run again.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/prefix"
export WINEPREFIX=$work/prefix PATH=$work/bin:$PATH
failures=0

# The stand-in plays the outcomes listed in $work/plan, one line per start:
# "silent N" exits N writing nothing, "say N" writes a line and exits N.
cat >"$work/bin/wine" <<'STANDIN'
#!/usr/bin/env bash
plan=$WINEPREFIX/../plan
read -r kind code <"$plan"
sed -i 1d "$plan"
echo "$*" >>"$WINEPREFIX/../starts"
[ "$kind" = say ] && echo "program output"
exit "$code"
STANDIN
chmod +x "$work/bin/wine"

# check NAME PLAN EXPECTED_RC EXPECTED_STARTS EXPECTED_RETRIES_LOGGED
check() {
  printf '%s\n' $2 | paste -d' ' - - >"$work/plan"
  rm -f "$work/starts" "$work/prefix/wine-start-retries.log"
  bash "$root/scripts/wine-run.sh" test.exe --gtest_filter=A.B >"$work/stdout" 2>"$work/stderr"
  local rc=$? starts retries
  starts=$(wc -l <"$work/starts")
  retries=$(cat "$work/prefix/wine-start-retries.log" 2>/dev/null | wc -l)
  if [ "$rc" != "$3" ] || [ "$starts" != "$4" ] || [ "$retries" != "$5" ]; then
    echo "FAIL $1: rc=$rc starts=$starts retries=$retries (wanted $3 $4 $5)"
    cat "$work/stderr"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

check "silent failure is started once more"  "silent 5 say 0"   0 2 1
check "silent failure twice gives up"        "silent 5 silent 7" 7 2 1
check "failure after output is final"        "say 1 say 0"       1 1 0
check "success is run once"                  "say 0 say 0"       0 1 0
check "silent success is run once"           "silent 0 say 0"    0 1 0

# The retried run's output and arguments reach the caller unchanged.
printf 'silent 3\nsay 0\n' >"$work/plan"
rm -f "$work/starts"
out=$(bash "$root/scripts/wine-run.sh" test.exe --gtest_filter=A.B 2>/dev/null)
if [ "$out" != "program output" ] || [ "$(sort -u "$work/starts")" != "test.exe --gtest_filter=A.B" ]; then
  echo "FAIL output or arguments of the retried run: '$out' / $(cat "$work/starts")"
  failures=$((failures + 1))
else
  echo "ok   retried run's output and arguments"
fi

exit $(( failures > 0 ))
