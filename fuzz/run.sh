#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds (default 60):
#   fuzz/run.sh pzz 600
#   fuzz/run.sh config 600
#   fuzz/run.sh picture 600 -rss_limit_mb=2048
# The corpus it grows is kept in fuzz/work/<target>/ and starts from fuzz/corpus/<target>/;
# inputs that crash land in fuzz/work/<target>-crashes/. Extra arguments go to libFuzzer.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
target=${1:?usage: fuzz/run.sh pzz|config|picture [seconds] [libFuzzer options...]}
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))

binary="$here/out/fuzz_$target"
if [ ! -x "$binary" ]; then
  echo "$binary is missing: run fuzz/build.sh first" >&2
  exit 1
fi
mkdir -p "$here/work/$target" "$here/work/$target-crashes"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
exec "$binary" "$here/work/$target" "$here/corpus/$target" \
  -max_total_time="$seconds" -artifact_prefix="$here/work/$target-crashes/" -print_final_stats=1 "$@"
