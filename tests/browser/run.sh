#!/usr/bin/env bash
# Browser suite of the velmo.js menu runtime: headless Debian Chromium driven by
# playwright-core, run by node's test runner. Extra arguments go to `node --test`.
#   ZARVEX_BROWSER_PAGES   folder of published designs (<design>/<design>.html) to test
#                          instead of tests/browser/fixtures
#   ZARVEX_SCREENSHOT_DIR  where screenshots go (default tests/browser/out)
#   ZARVEX_CHROMIUM        browser executable (default /usr/bin/chromium)
set -euo pipefail
cd "$(dirname "$0")"

if [ ! -d node_modules ]; then
  npm ci --no-audit --no-fund
fi

chromium="${ZARVEX_CHROMIUM:-/usr/bin/chromium}"
if [ ! -x "$chromium" ]; then
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y chromium || { apt-get update && apt-get install -y chromium; }
  else
    echo "run.sh: $chromium is missing; install Debian's chromium package" >&2
    exit 1
  fi
fi

# The suite, and test files beside it (such as the shipped samples' test). One file at a
# time: the suite checks timing-dependent behaviour (close delay, pointer aiming) that
# two busy browsers on two cores would make flaky.
shopt -s nullglob
exec node --test --test-concurrency=1 "$@" suite/*.test.mjs ./*.test.mjs
