#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs each on its seed corpus
# for SECONDS (default 30): tools/fuzz.sh [SECONDS] [NAME...]. A crash, leak, time-out or
# oversized allocation fails the run; what it found is left in build/fuzz/findings/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
bash "$root/tools/deps.sh"
CC=clang CXX=clang++ bash "$root/tools/build.sh" "$root/build/fuzz" -DQUENBREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$root/build/fuzz"
mkdir -p findings
names=("$@")
if ((${#names[@]} == 0)); then
  for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    [ -e "$source" ] || continue
    names+=("$(basename "$source" _fuzz.cpp)")
  done
fi
for name in "${names[@]}"; do
  corpus="$root/tests/fuzz/corpus/$name"
  work="findings/$name-corpus"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  # Limits: 1 s a run, 2 GiB in all, no single allocation over 256 MiB.
  if ! "tests/fuzz/${name}_fuzz" "$work" "$corpus" -max_total_time="$seconds" -timeout=1 \
      -rss_limit_mb=2048 -malloc_limit_mb=256 -artifact_prefix="findings/$name-" \
      -print_final_stats=1 >"findings/$name.log" 2>&1; then
    tail -n 40 "findings/$name.log"
    echo "fuzzing $name failed"
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "findings/$name.log" | tr '\n' ' '
  echo
done
echo "fuzzing done"
