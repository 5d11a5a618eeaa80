#!/usr/bin/env bash
# Builds everything and runs every test suite: unit and widget tests (ctest), the
# same under AddressSanitizer/UBSan, the fuzzers for a bounded time, and the
# browser suite. Warnings are errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/tools/install-deps.sh" test

step() { printf '\n==== %s ====\n' "$*"; }
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

step "format (clang-format over every C++ file)"
(cd "$root" && find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run -Werror)

step "runtime types (tsc --checkJs over runtime/src)"
(cd "$root/runtime" && { [ -f node_modules/.package-lock.json ] || npm ci --no-audit --no-fund; } && npx --no-install tsc -p jsconfig.json)

step "build (warnings as errors)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVEX_WERROR=ON >/dev/null
cmake --build "$root/build" -j"$jobs"

step "unit and widget tests"
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs") | tee "$logs/ctest.log"

step "unit tests under AddressSanitizer and UBSan"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DZARVEX_WERROR=ON -DZARVEX_SANITIZE=ON \
  -DZARVEX_BUILD_GUI=OFF -DZARVEX_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$jobs") | tee "$logs/ctest-asan.log"

step "Debian package"
"$root/tests/package/run.sh" "$root/build" | tee "$logs/package.log"

if [ -f "$root/fuzz/CMakeLists.txt" ] && command -v clang++ >/dev/null 2>&1; then
  step "fuzzers (${ZARVEX_FUZZ_SECONDS:-30} s each)"
  cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZARVEX_FUZZ=ON -DZARVEX_BUILD_GUI=OFF -DZARVEX_BUILD_TESTS=OFF -DZARVEX_BUILD_BENCH=OFF >/dev/null
  cmake --build "$root/build-fuzz" -j"$jobs"
  "$root/fuzz/run.sh" "$root/build-fuzz" "${ZARVEX_FUZZ_SECONDS:-30}"
fi

if [ -x "$root/tests/browser/run.sh" ]; then
  step "browser tests"
  ZARVEX_APP_DIR="$root/build/app" ZARVEX_SCREENSHOT_DIR="$root/build/screenshots" "$root/tests/browser/run.sh" | tee "$logs/browser.log"
fi

step "all suites passed"
# One closing line over every runner: ctest's "out of N", node's "# pass N" and the
# package checks' "N passed".
total=$(cat "$logs"/ctest*.log 2>/dev/null | sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' | awk '{s += $1} END {print s + 0}')
browser=$(sed -n 's/^# pass \([0-9]*\)$/\1/p' "$logs/browser.log" 2>/dev/null | awk '{s += $1} END {print s + 0}')
package=$(sed -n 's/^\([0-9]*\) passed, 0 failed$/\1/p' "$logs/package.log" 2>/dev/null | tail -n 1)
echo "$(( ${total:-0} + ${browser:-0} + ${package:-0} )) passed, 0 failed"
