#!/usr/bin/env bash
# Runs each file reader's fuzzer (built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) for a number of executions, then minimises its
# corpus back into fuzz/corpus/<reader>. On demand, not part of the test command.
#
#   tools/fuzz_readers.sh [EXECUTIONS per reader, default 10000000] [BUILD folder] [READER]
#
# READER is project, structure, html_page, sitemap or design_json; without it all run, one after the other. On a machine
# with cores to spare, run one instance per reader side by side. ZARVEX_FUZZ_MAX_LEN caps
# the inputs' length (default 65536): shorter inputs run many times faster.
#
# Prints the executions, new inputs and corpus size of every reader; exits 1 on
# the first crash, sanitizer report or timeout, keeping the failing input.
set -euo pipefail
runs=${1:-10000000}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$here/build-fuzz}
readers=${3:-project structure html_page sitemap design_json}
max_len=${ZARVEX_FUZZ_MAX_LEN:-65536}

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZARVEX_FUZZ=ON -DZARVEX_BUILD_GUI=OFF -DZARVEX_BUILD_TESTS=OFF -DZARVEX_BUILD_BENCH=OFF \
    >/dev/null
cmake --build "$build" -j2 --target project_file_fuzzer structure_file_fuzzer html_page_file_fuzzer \
    sitemap_file_fuzzer design_json_file_fuzzer >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for reader in $readers; do
    fuzzer="$build/fuzz/${reader}_file_fuzzer"
    corpus="$here/fuzz/corpus/$reader"
    mkdir -p "$work/$reader/grown" "$work/$reader/merged" "$work/$reader/artifacts"
    cp -R "$corpus/." "$work/$reader/grown/"
    if ! "$fuzzer" -dict="$here/fuzz/$reader.dict" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$work/$reader/artifacts/" \
        "$work/$reader/grown" >"$work/$reader/log" 2>&1; then
        tail -n 60 "$work/$reader/log" >&2
        mkdir -p "$build/fuzz-failures/$reader"
        cp -R "$work/$reader/artifacts/." "$build/fuzz-failures/$reader/"
        echo "fuzz: the $reader reader FAILED; inputs kept in $build/fuzz-failures/$reader" >&2
        exit 1
    fi
    # The smallest set of inputs that keeps every coverage feature found.
    "$fuzzer" -merge=1 "$work/$reader/merged" "$work/$reader/grown" >"$work/$reader/merge.log" 2>&1
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp "$work/$reader/merged/." "$corpus/" -R
    echo "fuzz: $reader: $(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$work/$reader/log" | grep -oE '[0-9]+$') executions," \
        "$(grep -oE 'stat::new_units_added: *[0-9]+' "$work/$reader/log" | grep -oE '[0-9]+$') new inputs," \
        "corpus $(find "$corpus" -type f | wc -l) files"
done
