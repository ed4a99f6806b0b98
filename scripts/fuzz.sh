#!/usr/bin/env bash
# fuzz.sh TARGET [SECONDS]  builds the fuzz targets and runs one for SECONDS (default 600)
# fuzz.sh --ci              builds them and runs each for CORVANE_FUZZ_SECONDS (default 8),
#                           CORVANE_FUZZ_JOBS (default 2) at a time
# fuzz.sh --list            names the targets
#
# The targets (tests/fuzz/*_fuzz.cpp) build with Debian's clang in their own
# folder, CORVANE_FUZZ_DIR (default build-fuzz). A run starts from the seeds
# in tests/fuzz/corpus/TARGET (and fixtures where the target has some) and
# keeps what it learns in build-fuzz/corpus/TARGET, so longer runs by hand
# build on earlier ones. A crash, a leak, a timeout or a failed check fails
# the run; the input that caused it is kept in build-fuzz/artifacts/TARGET
# and printed (base64 and hex) so that a CI log holds it too.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${CORVANE_FUZZ_DIR:-$root/build-fuzz}
src=$root/tests/fuzz

targets() { for f in "$src"/*_fuzz.cpp; do basename "$f" .cpp | sed 's/_fuzz$//'; done; }

build() {
  local start=$SECONDS
  cmake -S "$root" -B "$dir" -G Ninja -DCORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE= \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null || return 1
  cmake --build "$dir" -j "$(nproc)" || return 1
  echo "fuzz: targets built in $((SECONDS - start)) s"
}

# Fixtures a target starts from besides its own seeds.
fixtures() {
  case "$1" in
    probe_output|progress_block) echo "$root/tests/data/engine/probe" ;;
  esac
}

dictionary() {
  case "$1" in
    probe_output|progress_block) echo "$src/probe.dict" ;;
    launch_data|handoff_record) echo "$src/json.dict" ;;
    ini_reader|language_pack|version_file|domain_list) echo "$src/ini.dict" ;;
    preference_file) echo "$src/preference_file.dict" ;;
    url|http_headers|web_links) echo "$src/url.dict" ;;
    skin_xml) echo "$src/skin.dict" ;;
  esac
}

# Prints every input a failed run left behind.
show_artifacts() {
  local f
  for f in "$1"/*; do
    [ -f "$f" ] || continue
    echo "fuzz: reproducing input $(basename "$f") ($(stat -c %s "$f") bytes), base64:"
    base64 -w 76 "$f" | head -n 60
    echo "fuzz: the same input in hex:"
    od -A x -t x1z -v "$f" | head -n 40
    echo "fuzz: reproduce with: $dir/tests/fuzz/$2_fuzz $f"
  done
}

run() {
  local name=$1 seconds=$2 exe=$dir/tests/fuzz/$1_fuzz
  [ -x "$exe" ] || { echo "fuzz: no target '$name' (fuzz.sh --list)" >&2; return 2; }
  local corpus=$dir/corpus/$name artifacts=$dir/artifacts/$name
  mkdir -p "$corpus" "$artifacts"
  rm -f "$artifacts"/*
  local args=(-max_total_time="$seconds" -timeout=${CORVANE_FUZZ_TIMEOUT:-10} -rss_limit_mb=2048 -max_len=8192
              -artifact_prefix="$artifacts/" -print_final_stats=1)
  local dict; dict=$(dictionary "$name")
  [ -n "$dict" ] && args+=(-dict="$dict")
  local seeds=("$src/corpus/$name")
  local extra; extra=$(fixtures "$name")
  [ -n "$extra" ] && seeds+=("$extra")
  echo "== fuzz $name for $seconds s"
  local log=$dir/fuzz-$name.log
  "$exe" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1
  local rc=$?
  grep -E '^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb' "$log" | tr '\n' ' '; echo
  if [ $rc -ne 0 ]; then
    echo "fuzz: $name FAILED (exit $rc); the end of its log:"
    grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED)' "$log" | tail -n 60
    show_artifacts "$artifacts" "$name"
  fi
  return $rc
}

case "${1:-}" in
  --list) targets ;;
  --ci)
    build || exit 1
    start=$SECONDS
    failed=()
    # CORVANE_FUZZ_JOBS targets at a time (default 2, one per core here): a
    # run lasts its fixed time whatever CPU it gets. Each run's report is
    # kept apart and printed in the targets' order.
    reports=$dir/ci-reports
    rm -rf "$reports" && mkdir -p "$reports"
    names=($(targets))
    for name in "${names[@]}"; do
      while [ "$(jobs -rp | wc -l)" -ge "${CORVANE_FUZZ_JOBS:-2}" ]; do wait -n; done
      (run "$name" "${CORVANE_FUZZ_SECONDS:-8}" >"$reports/$name.out" 2>&1; echo $? >"$reports/$name.rc") &
    done
    wait
    for name in "${names[@]}"; do
      cat "$reports/$name.out"
      [ "$(cat "$reports/$name.rc")" = 0 ] || failed+=("$name")
    done
    echo "fuzz: ${#names[@]} targets ran in $((SECONDS - start)) s"
    if [ ${#failed[@]} -gt 0 ]; then echo "fuzz: failed: ${failed[*]}"; exit 1; fi
    echo "fuzz: no faults found" ;;
  ""|-h|--help) sed -n '2,4p' "$0" | sed 's/^# //'; exit 2 ;;
  *) build >/dev/null || exit 1; run "$1" "${2:-600}" ;;
esac
