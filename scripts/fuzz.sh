#!/usr/bin/env bash
# Runs the fuzz targets built by the fuzz preset, one after another.
#
#   scripts/fuzz.sh run     each target for FUZZ_SECONDS (default 60); FUZZ_TARGETS="a b" picks some
#   scripts/fuzz.sh merge   copies the found inputs that add coverage into the committed corpus
#
# A run reads the committed seeds in tests/fuzz/corpus/<target> and writes what it finds to
# build/fuzz/corpus/<target>, which is not committed. Crashes and broken properties land in
# build/fuzz/artifacts/ and stop the run.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
seconds=${FUZZ_SECONDS:-60}
build=build/fuzz
programs=$(find "$build/tests/fuzz" -maxdepth 1 -name 'fuzz_*' -type f -perm -u+x | sort)
[ -n "$programs" ] || { echo "fuzz: no targets in $build (run make fuzz)" >&2; exit 1; }

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/resources/lsan.supp}
mkdir -p "$build/artifacts"

for program in $programs; do
  name=${program##*/fuzz_}
  if [ -n "${FUZZ_TARGETS:-}" ] && [[ " $FUZZ_TARGETS " != *" $name "* ]]; then continue; fi
  seeds=tests/fuzz/corpus/$name
  found=$build/corpus/$name
  mkdir -p "$seeds" "$found"
  case $mode in
    run)
      echo "== $name: $seconds s"
      "$program" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "$found" "$seeds" ;;
    merge)
      echo "== $name: merging $found into $seeds"
      "$program" -merge=1 "$seeds" "$found" ;;
    *) echo "usage: $0 run|merge" >&2; exit 2 ;;
  esac
done
