#!/usr/bin/env bash
# Browser suite of the velmo.js menu runtime: headless Debian Chromium driven by
# playwright-core, run by node's test runner, then a cross-engine part in Firefox ESR
# (puppeteer-core) and WebKitGTK (selenium-webdriver). Extra arguments go to `node --test`.
#
# The pages under test are published from the designs in designs/ by zarvex-cli, into
# a fresh out/pages/ on every run; so the suite tests what the tool writes, with the
# runtime and images it ships.
#   ZARVEX_APP_DIR         program folder holding zarvex-cli, velmo.js and the default
#                          images (default: <repository>/build/app)
#   ZARVEX_SCREENSHOT_DIR  where screenshots go (default tests/browser/out)
#   ZARVEX_CHROMIUM        browser executable (default /usr/bin/chromium)
set -euo pipefail
cd "$(dirname "$0")"
here="$(pwd)"
root="$(cd ../.. && pwd)"
app="${ZARVEX_APP_DIR:-$root/build/app}"
cli="$app/zarvex-cli"

fail() { echo "run.sh: $*" >&2; exit 1; }

[ -x "$cli" ] || fail "$cli is missing. The suite tests pages that zarvex-cli publishes: build it with
  cmake -S $root -B $root/build && cmake --build $root/build --target zarvex-cli zarvex_app_data
or set ZARVEX_APP_DIR to a program folder that holds it (tools/test.sh does both)."

# The program folder must ship the runtime being tested, or the suite would pass or
# fail on an older copy: velmo.js as runtime/src builds now, and the images.
stale="rebuild the program folder (cmake --build <build folder> --target zarvex_app_data)."
for f in "$root"/runtime/*.gif "$root"/runtime/*.png; do
  cmp -s "$f" "$app/$(basename "$f")" || fail "$app/$(basename "$f") is missing or differs from runtime/$(basename "$f"); $stale"
done
if [ ! -f "$root/runtime/node_modules/.package-lock.json" ]; then
  (cd "$root/runtime" && npm ci --no-audit --no-fund)
fi
fresh="$(mktemp -d)"
trap 'rm -rf "$fresh"' EXIT
# The build names the runtime with the program's version.
version="$(sed -n 's/^project(Zarvex VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
node "$root/runtime/build.mjs" "$fresh/velmo.js" "$version"
cmp -s "$fresh/velmo.js" "$app/velmo.js" || fail "$app/velmo.js is missing or older than runtime/src; $stale"

# The packages as the lock file names them: installed again whenever the lock changed.
if ! cmp -s package-lock.json node_modules/.zarvex-installed-lock; then
  npm ci --no-audit --no-fund
  cp package-lock.json node_modules/.zarvex-installed-lock
fi

chromium="${ZARVEX_CHROMIUM:-/usr/bin/chromium}"
if [ ! -x "$chromium" ]; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y chromium || { apt-get update && apt-get install -y chromium; }
  else
    fail "$chromium is missing; install Debian's chromium package"
  fi
fi

# Every design into a folder of its own; the two-menus page is composed by the test
# harness from `default` and `second`, published into one folder.
pages="$here/out/pages"
rm -rf "$pages"
mkdir -p "$pages"
publish() {
  "$cli" publish "$1" --to "$2" >/dev/null || fail "zarvex-cli could not publish $1"
}
for design in designs/*.zarvex; do
  name="$(basename "$design" .zarvex)"
  publish "$design" "$pages/$name"
  # designs/project_file.mjs writes what the tool itself would save, byte for byte.
  cmp -s "$design" "$pages/$name/$name.zarvex" ||
    fail "$design differs from the project file zarvex-cli saves for it: mend designs/project_file.mjs"
done
publish designs/default.zarvex "$pages/two"
publish designs/second.zarvex "$pages/two"
# and every shipped template, as a web author starts from it
for template in "$root"/data/templates/*/*.zarvex; do
  publish "$template" "$pages/templates/$(basename "$template" .zarvex)"
done
export ZARVEX_BROWSER_PAGES="$pages" ZARVEX_APP_DIR="$app"

# The suite, and test files beside it (such as the shipped samples' test). One file at a
# time: the suite checks timing-dependent behaviour (close delay, pointer aiming) that
# two busy browsers on two cores would make flaky.
shopt -s nullglob
status=0
node --test --test-concurrency=1 "$@" suite/*.test.mjs ./*.test.mjs || status=$?
# The cross-engine part in Firefox and WebKit; WebKit's MiniBrowser needs an X display.
# An engine that is not installed is skipped, and the test output says why.
engines=(node --test --test-concurrency=1 "$@" engines/*.test.mjs)
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  engines=(xvfb-run -a "${engines[@]}")
fi
"${engines[@]}" || status=$?
exit "$status"
