#!/usr/bin/env bash
# Builds Zarvex and starts the window, passing the arguments on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" build
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target zarvex zarvex-cli zarvex_app_data
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start the window under a virtual display:" >&2
  echo "  xvfb-run -a $root/build/app/zarvex $*" >&2
  exit 2
fi
exec "$root/build/app/zarvex" "$@"
