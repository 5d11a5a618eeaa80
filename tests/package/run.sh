#!/usr/bin/env bash
# Builds the Debian package and checks it as a user would meet it: lintian, the
# AppStream and desktop-entry validators, then the unpacked tree made read-only,
# whose zarvex-cli must publish every shipped template byte for byte as the build's
# program folder does. Ends with "N passed, M failed"; exits 1 on any failure.
#
#   tests/package/run.sh [BUILD_FOLDER]      (default: build)
set -uo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$src/build}" && pwd)"
scratch="$(mktemp -d)"
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
passed=0
failed=0

# check NAME COMMAND...: runs the command, counts it, shows its output when it fails.
check() {
  local name="$1"
  shift
  if "$@" >"$scratch/out" 2>&1; then
    passed=$((passed + 1))
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
    sed 's/^/     /' "$scratch/out"
  fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

rm -f "$build"/zarvex_*.deb
if ! cmake --build "$build" --target package >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  failed=$((failed + 1))
  finish
fi
debs=("$build"/zarvex_*_amd64.deb)
check "one package named zarvex_<version>_amd64.deb" test "${#debs[@]}" -eq 1 -a -f "${debs[0]}"
deb="${debs[0]}"
[ -f "$deb" ] || finish
echo "     $(basename "$deb"): $(stat -c %s "$deb") bytes"

# Every tag lintian prints is shown; only errors fail.
lintian --fail-on error "$deb" >"$scratch/lintian.txt" 2>&1
lintian_status=$?
sed 's/^/     lintian: /' "$scratch/lintian.txt"
check "lintian reports no errors" test "$lintian_status" -eq 0
check "dependencies come from dpkg-shlibdeps" sh -c "dpkg-deb -f '$deb' Depends | grep -q 'libqt6widgets6'"

pkg="$scratch/root"
check "dpkg-deb unpacks the package" dpkg-deb -x "$deb" "$pkg"
share="$pkg/usr/share"
check "AppStream metadata validates" appstreamcli validate --no-net "$share/metainfo/org.zarvex.Zarvex.metainfo.xml"
check "desktop entry validates" desktop-file-validate "$share/applications/org.zarvex.Zarvex.desktop"
check "desktop entry names both file types" grep -qx \
  'MimeType=application/x-zarvex;application/x-zarvex-structure;' "$share/applications/org.zarvex.Zarvex.desktop"
check "shared MIME-info package installed" test -f "$share/mime/packages/zarvex.xml"
icons_present() {
  local s
  test -f "$share/icons/hicolor/scalable/apps/org.zarvex.Zarvex.svg" || return 1
  for s in 16 32 48 64 128 256; do
    file "$share/icons/hicolor/${s}x${s}/apps/org.zarvex.Zarvex.png" | grep -q "PNG image data, $s x $s" || return 1
  done
}
check "icon as SVG and PNG at six sizes" icons_present
check "man pages for both programs" test -f "$share/man/man1/zarvex-cli.1.gz" -a -f "$share/man/man1/zarvex.1.gz"
check "man page lists every command" sh -c "zcat '$share/man/man1/zarvex-cli.1.gz' | grep -c '^\\.B publish\\|^\\.B html\\|^\\.B report\\|^\\.B export\\|^\\.B import' | grep -qx 5"
check "bash completion for zarvex-cli" bash -c "source '$share/bash-completion/completions/zarvex-cli' && complete -p zarvex-cli"

# The links in /usr/bin must be relative and land inside the unpacked tree, so that
# the programs find their data through their resolved path wherever the tree lies.
links_resolve_inside() {
  local name target
  for name in zarvex zarvex-cli; do
    target="$(readlink "$pkg/usr/bin/$name")" || return 1
    case "$target" in /*) echo "$name -> $target is absolute"; return 1 ;; esac
    [ "$(realpath "$pkg/usr/bin/$name")" = "$pkg/usr/lib/zarvex/$name" ] || return 1
  done
}
check "/usr/bin links are relative and resolve inside the tree" links_resolve_inside

# Read-only: no write bit, and as root the programs run as nobody, since root
# writes through missing permission bits.
chmod -R a-w "$pkg"
chmod a+rx "$scratch"
mkdir -m 777 "$scratch/home" "$scratch/pub"
run_as_user=()
if [ "$(id -u)" -eq 0 ]; then
  run_as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
unpacked() { env HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" "${run_as_user[@]}" "$pkg/usr/bin/zarvex-cli" "$@"; }
find "$pkg" -printf '%p %s %m %T@\n' | sort >"$scratch/tree.before"

same_version() { [ "$(unpacked --version)" = "$("$build/app/zarvex-cli" --version)" ]; }
check "unpacked zarvex-cli --version" same_version

# Every template, published by both copies into the same folder in turn, so that
# nothing but the copy differs.
publish_same() {
  local name="$1" out="$scratch/pub/now"
  rm -rf "$out" && mkdir -m 777 "$out" || return 1
  "$build/app/zarvex-cli" publish "$build/app/templates/$name.zarvex" --to "$out" || return 1
  mv "$out" "$scratch/pub/build-$name" && mkdir -m 777 "$out" || return 1
  unpacked publish "$pkg/usr/lib/zarvex/templates/$name.zarvex" --to "$out" || return 1
  diff -r "$scratch/pub/build-$name" "$out"
}
templates=("$pkg"/usr/lib/zarvex/templates/*.zarvex)
check "templates shipped" test -f "${templates[0]}"
for t in "${templates[@]}"; do
  name="$(basename "$t" .zarvex)"
  check "publish $name: byte-identical to build/app" publish_same "$name"
done

find "$pkg" -printf '%p %s %m %T@\n' | sort >"$scratch/tree.after"
check "the unpacked tree is left unchanged" cmp "$scratch/tree.before" "$scratch/tree.after"
finish
