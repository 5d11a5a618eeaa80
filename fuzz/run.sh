#!/usr/bin/env bash
# Runs every reader's fuzzer for a bounded time over a scratch copy of its seed
# corpus: the project and structure readers for the given seconds, the importers of
# other programs' formats for ZARVEX_FUZZ_IMPORT_SECONDS each (default 30), then the
# generator (random valid designs; it needs node) for at most 30 s or the given
# generator seconds. Fails on the first crash, sanitizer report or timeout.
#   fuzz/run.sh <build folder> <seconds per fuzzer> [<generator seconds>]
set -euo pipefail
build="${1:?usage: fuzz/run.sh <build folder> <seconds>}"
seconds="${2:-60}"
generatorSeconds="${3:-$((seconds < 30 ? seconds : 30))}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

status=0
for reader in project structure html_page sitemap design_json generator; do
  fuzzer="$build/fuzz/${reader}_file_fuzzer"
  dict=(-dict="$here/$reader.dict")
  time="$seconds"
  case "$reader" in
    html_page | sitemap | design_json) time="${ZARVEX_FUZZ_IMPORT_SECONDS:-30}" ;;
    generator)
      fuzzer="$build/fuzz/generator_fuzzer"
      dict=()
      time="$generatorSeconds"
      ;;
  esac
  if [ ! -x "$fuzzer" ]; then
    echo "fuzz: $fuzzer is missing; build the fuzz targets first" >&2
    exit 2
  fi
  mkdir -p "$work/$reader/corpus" "$work/$reader/artifacts"
  if [ -d "$here/corpus/$reader" ]; then
    cp -R "$here/corpus/$reader/." "$work/$reader/corpus/"
  fi
  echo "fuzz: $reader for ${time}s"
  if ! ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
      "$fuzzer" "${dict[@]}" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$work/$reader/artifacts/" \
      "$work/$reader/corpus" >"$work/$reader/log" 2>&1; then
    echo "fuzz: the $reader fuzzer FAILED; the end of the log:" >&2
    tail -n 60 "$work/$reader/log" >&2
    mkdir -p "$build/fuzz-failures/$reader"
    cp -R "$work/$reader/artifacts/." "$build/fuzz-failures/$reader/" 2>/dev/null || true
    echo "fuzz: failing inputs kept in $build/fuzz-failures/$reader" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::new_units_added" "$work/$reader/log" | sed "s/^/fuzz: $reader /"
  fi
done
exit $status
