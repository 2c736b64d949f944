#!/bin/bash
# Builds every libFuzzer target of the tree with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each one for a budget
# of executions or seconds, whichever ends first, at most PARALLEL at once.
# Prints executions, coverage (edges, features), corpus size and crashes per
# target; a crash input is kept in build-fuzz/fuzz-out/<target>/.
#
#   scripts/fuzz.sh [-r RUNS] [-t SECONDS] [-j PARALLEL] [-b] [target...]
#   -r  executions per target (default 10000000)
#   -t  seconds per target (default 600)
#   -j  targets at once (default 2)
#   -b  build only
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=10000000
SECS=600
PAR=2
BUILD_ONLY=0
while getopts "r:t:j:b" o; do
  case $o in
    r) RUNS=$OPTARG ;;
    t) SECS=$OPTARG ;;
    j) PAR=$OPTARG ;;
    b) BUILD_ONLY=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
B=build-fuzz
OUT=$PWD/$B/fuzz-out
cmake -S . -B $B -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWATTLEX_BUILD_FUZZ=ON -DWATTLEX_SANITIZE=ON \
  -DWATTLEX_BUILD_BENCH=OFF >/dev/null
if (($#)); then
  TARGETS=("$@")
else
  mapfile -t TARGETS < <(ninja -C $B -t targets all | grep -o '^[^:]*/fuzz_[a-z0-9_]*: CXX_EXECUTABLE' |
    sed 's|.*/||; s|: .*||' | sort -u)
fi
cmake --build $B -j "${FUZZ_BUILD_JOBS:-4}" --target "${TARGETS[@]}"
((BUILD_ONLY)) && exit 0

run_one() {
  local t=$1 exe dir dict=()
  exe=$(find $B -type f -name "$t" -perm -u+x | head -n 1)
  dir=$OUT/$t
  mkdir -p "$dir/corpus" "$dir/home"
  [ -f "tests/fuzz/$t.dict" ] && dict=(-dict="tests/fuzz/$t.dict")
  local start=$SECONDS rc=0
  # a home of its own: some targets write configuration files
  HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config XDG_DATA_HOME=$dir/home/.local/share \
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp:print_suppressions=0" \
    "$exe" -runs="$RUNS" -max_total_time="$SECS" -timeout=20 -rss_limit_mb=3072 \
      -print_final_stats=1 -artifact_prefix="$dir/" "${dict[@]}" "$dir/corpus" >"$dir/log" 2>&1 || rc=$?
  echo "$rc $((SECONDS - start))" >"$dir/status"
}

for t in "${TARGETS[@]}"; do
  rm -f "$OUT/$t"/crash-* "$OUT/$t"/leak-* "$OUT/$t"/oom-* "$OUT/$t"/timeout-* "$OUT/$t/status"
  while (($(jobs -rp | wc -l) >= PAR)); do wait -n || true; done
  echo "running $t"
  run_one "$t" &
done
wait

printf '%-22s %12s %8s %8s %7s %7s %6s\n' target executions edges features corpus crashes secs
fail=0
for t in "${TARGETS[@]}"; do
  dir=$OUT/$t
  read -r rc secs <"$dir/status"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -n 1)
  last=$(grep -E '^#[0-9]+.* cov: ' "$dir/log" | tail -n 1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
  crashes=$(find "$dir" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' -o -name 'timeout-*' \) | wc -l)
  ((rc != 0 && crashes == 0)) && crashes="rc$rc"
  [ "$crashes" != 0 ] && fail=1
  printf '%-22s %12s %8s %8s %7s %7s %6s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$crashes" "$secs"
done
exit $fail
