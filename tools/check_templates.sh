#!/usr/bin/env bash
# Fails when the committed templates differ from what tools/make_templates.py makes
# with this build's zarvex-cli: a hand edit, or a writer change not carried into them.
#   tools/check_templates.sh ZARVEX_CLI
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
python3 "$root/tools/make_templates.py" --cli "$1" "$out" >/dev/null
diff -r "$out" "$root/data/templates" && echo "the templates match their maker"
