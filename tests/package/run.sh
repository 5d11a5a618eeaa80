#!/usr/bin/env bash
# Builds the Debian package and checks it as a user would meet it: lintian, the
# AppStream and desktop-entry validators, hardening and debug symbols, a second
# packing that must give the same bytes, then the unpacked tree, read-only and
# writable, whose programs must never write into it, and whose zarvex-cli must
# publish every shipped template byte for byte as the build's program folder does.
# Ends with "N passed, M failed"; exits 1 on any failure.
#
#   tests/package/run.sh [BUILD_FOLDER]      (default: build)
set -uo pipefail
# (Pipes end in grep -c, not grep -q: under pipefail, a grep that stops at its first
# match breaks its writer's pipe and fails the pipeline.)
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

# Every time stamp is the last commit's, so that packing twice gives the same bytes.
SOURCE_DATE_EPOCH="$(git -C "$src" log -1 --format=%ct 2>/dev/null || echo 0)"
export SOURCE_DATE_EPOCH
pack() {
  rm -f "$build"/zarvex_*.deb "$build"/zarvex-dbgsym_*.ddeb
  if ! cmake --build "$build" --target package >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    failed=$((failed + 1))
    finish
  fi
}
pack
debs=("$build"/zarvex_*_amd64.deb)
check "one package named zarvex_<version>_amd64.deb" test "${#debs[@]}" -eq 1 -a -f "${debs[0]}"
deb="${debs[0]}"
[ -f "$deb" ] || finish
ddeb="$(ls "$build"/zarvex-dbgsym_*_amd64.ddeb 2>/dev/null | head -1)"
echo "     $(basename "$deb"): $(stat -c %s "$deb") bytes"
mkdir "$scratch/first" && cp "$deb" ${ddeb:+"$ddeb"} "$scratch/first/"

# The second packing reuses the build: only the packing itself could differ.
pack
same_bytes() {
  cmp "$scratch/first/$(basename "$deb")" "$deb" &&
    { [ -z "$ddeb" ] || cmp "$scratch/first/$(basename "$ddeb")" "$ddeb"; }
}
check "two packings of one build are byte-identical" same_bytes

# lintian --pedantic: every tag is shown and fails, but for the ones justified here.
#   no-manual-page for none; the tags below are the package's by design:
#   - package-contains-documentation-outside-usr-share-doc: help pages the
#     program itself shows (usr/share/zarvex/help), not documentation of the package
justified=package-contains-documentation-outside-usr-share-doc
lintian --pedantic --fail-on error,warning,info,pedantic --suppress-tags "$justified" "$deb" \
  >"$scratch/lintian.txt" 2>&1
lintian_status=$?
sed 's/^/     lintian: /' "$scratch/lintian.txt"
check "lintian --pedantic reports nothing unjustified" test "$lintian_status" -eq 0
check "dependencies come from dpkg-shlibdeps" sh -c "dpkg-deb -f '$deb' Depends | grep -c 'libqt6widgets6' >/dev/null"

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
    file "$share/icons/hicolor/${s}x${s}/apps/org.zarvex.Zarvex.png" | grep -c "PNG image data, $s x $s" >/dev/null || return 1
  done
}
check "icon as SVG and PNG at six sizes" icons_present
check "man pages for both programs" test -f "$share/man/man1/zarvex-cli.1.gz" -a -f "$share/man/man1/zarvex.1.gz"
man_lists_commands() {
  local c
  for c in publish html report export import-gms import-html import-sitemap import-json; do
    zcat "$share/man/man1/zarvex-cli.1.gz" | sed 's/\\-/-/g' | grep -c "^\.B $c " >/dev/null || { echo "no $c"; return 1; }
  done
}
check "man page lists every command" man_lists_commands
# The completion is made from --help: every option of every command completes.
completes() {
  local words="$1" want="$2"
  bash -c "source '$share/bash-completion/completions/zarvex-cli'
    COMP_WORDS=($words); COMP_CWORD=\$(( \${#COMP_WORDS[@]} - 1 )); _zarvex_cli
    printf '%s\n' \"\${COMPREPLY[@]}\"" | grep -cx -- "$want" >/dev/null
}
completion_follows_help() {
  completes "zarvex-cli pu" publish && completes "zarvex-cli publish a.zarvex --s" --strict &&
    completes "zarvex-cli import-gms a.gms b.zarvex --se" --settings &&
    completes "zarvex-cli --v" --version
}
check "bash completion offers what zarvex-cli --help lists" completion_follows_help

# Programs in /usr/bin, data (the same on every architecture) in /usr/share/zarvex;
# the programs find it relative to themselves, so the unpacked tree works where it lies.
layout() {
  test -x "$pkg/usr/bin/zarvex" -a -x "$pkg/usr/bin/zarvex-cli" -a -f "$pkg/usr/share/zarvex/velmo.js" &&
    ! test -e "$pkg/usr/lib/zarvex"
}
check "programs in /usr/bin, data in /usr/share/zarvex" layout
# The linker marks a program as protected only when every object in it is; Debian
# 12's C start files (Scrt1.o, crti.o) carry no mark, so no program linked there
# can carry it (/usr/bin/ls does not either). hardening-check skips that one check,
# and every object of ours is checked for the mark instead.
hardened() { hardening-check --quiet --nocfprotection "$pkg/usr/bin/zarvex" "$pkg/usr/bin/zarvex-cli"; }
check "hardening-check: both programs hardened" hardened
objects_protected() {
  local o unmarked=0 count=0
  while IFS= read -r -d '' o; do
    count=$((count + 1))
    readelf -n "$o" | grep -c 'x86 feature: IBT, SHSTK' >/dev/null || { echo "unmarked: $o"; unmarked=1; }
  done < <(find "$build/src" -name '*.o' -print0)
  [ "$count" -gt 0 ] && [ "$unmarked" -eq 0 ]
}
check "every object of both programs built with control-flow protection" objects_protected
# The debug symbols of both programs, by build id, in zarvex-dbgsym; the programs
# themselves are stripped.
debug_symbols() {
  local program id listing
  [ -n "$ddeb" ] || { echo "no zarvex-dbgsym package"; return 1; }
  listing="$(dpkg-deb -c "$ddeb")" || return 1
  for program in zarvex zarvex-cli; do
    id="$(readelf -n "$pkg/usr/bin/$program" | sed -n 's/.*Build ID: \([0-9a-f]*\).*/\1/p')"
    [ -n "$id" ] || { echo "$program has no build id"; return 1; }
    grep -q "usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" <<<"$listing" ||
      { echo "no symbols for $program ($id)"; return 1; }
    file "$pkg/usr/bin/$program" | grep -c ', stripped' >/dev/null || { echo "$program is not stripped"; return 1; }
  done
}
check "zarvex-dbgsym holds both programs' debug symbols" debug_symbols

# Read-only: no write bit, and as root the programs run as nobody, since root
# writes through missing permission bits.
chmod -R a-w "$pkg"
chmod a+rx "$scratch"
mkdir -m 777 "$scratch/home" "$scratch/pub"
run_as_user=()
if [ "$(id -u)" -eq 0 ]; then
  run_as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
user_env=(env -u XDG_CONFIG_HOME -u XDG_STATE_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME HOME="$scratch/home")
unpacked() { "${user_env[@]}" "${run_as_user[@]}" "$pkg/usr/bin/zarvex-cli" "$@"; }
find "$pkg" -printf '%p %s %m %T@\n' | sort >"$scratch/tree.before"

version="$(sed -n 's/^project(Zarvex VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")"
one_version() {
  [ "$(unpacked --version)" = "zarvex-cli $version" ] &&
    [ "$("${user_env[@]}" QT_QPA_PLATFORM=offscreen "$pkg/usr/bin/zarvex" --version)" = "Zarvex $version" ] &&
    "${user_env[@]}" QT_QPA_PLATFORM=offscreen "$pkg/usr/bin/zarvex" --help | grep -c -- --version >/dev/null &&
    dpkg-deb -f "$deb" Version | grep -cx "$version" >/dev/null &&
    head -c 200 "$pkg/usr/share/zarvex/velmo.js" | grep -c "velmo.js $version" >/dev/null &&
    grep -q "<release version=\"$version\"" "$share/metainfo/org.zarvex.Zarvex.metainfo.xml" &&
    zcat "$share/doc/zarvex/changelog.gz" | sed -n 1p | grep -c "($version)" >/dev/null
}
check "one version $version: both programs, package, velmo.js, AppStream, changelog" one_version

# The window, run from the tree as a user would, ended by SIGTERM: it exits as on a
# normal exit, its scratch folder goes, and nothing appears in the tree.
window_ends_cleanly() {
  local as=("$@") status
  rm -rf "$scratch/home/.cache"
  "${user_env[@]}" QT_QPA_PLATFORM=offscreen "${as[@]}" "$pkg/usr/bin/zarvex" \
    "$pkg/usr/share/zarvex/templates/${templates[0]}" >"$scratch/window.log" 2>&1 &
  local pid=$!
  sleep 4
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 143 ] || { echo "exit status $status"; cat "$scratch/window.log"; return 1; }
  [ -z "$(find "$scratch/home/.cache/zarvex" -mindepth 1 -maxdepth 1 -name 'window-*' 2>/dev/null)" ]
}

# Every template (templates/NAME.zarvex or templates/NAME/NAME.zarvex), published by
# both copies into the same folder in turn, so that nothing but the copy differs.
publish_same() {
  local template="$1" name out="$scratch/pub/now"
  name="$(echo "${template%.zarvex}" | tr / _)"
  rm -rf "$out" && mkdir -m 777 "$out" || return 1
  "$build/app/zarvex-cli" publish "$build/app/templates/$template" --to "$out" || return 1
  mv "$out" "$scratch/pub/build-$name" && mkdir -m 777 "$out" || return 1
  unpacked publish "$pkg/usr/share/zarvex/templates/$template" --to "$out" || return 1
  diff -r "$scratch/pub/build-$name" "$out"
}
mapfile -t templates < <(cd "$pkg/usr/share/zarvex/templates" && find . -name '*.zarvex' | sed 's|^\./||' | sort)
check "templates shipped" test "${#templates[@]}" -gt 0
for t in "${templates[@]}"; do
  check "publish $t: byte-identical to build/app" publish_same "$t"
done
check "the window ends on SIGTERM as on a normal exit (read-only tree)" window_ends_cleanly "${run_as_user[@]}"

find "$pkg" -printf '%p %s %m %T@\n' | sort >"$scratch/tree.after"
check "the read-only tree is left unchanged" cmp "$scratch/tree.before" "$scratch/tree.after"

# Writable, run by its owner (root in CI): the program folder is still never written.
chmod -R u+w "$pkg"
find "$pkg" -printf '%p %s %m %T@\n' | sort >"$scratch/tree.before"
unpacked_owner() { "${user_env[@]}" "$pkg/usr/bin/zarvex-cli" "$@"; }
owner_publishes() {
  rm -rf "$scratch/pub/owner" && mkdir -m 777 "$scratch/pub/owner" &&
    unpacked_owner publish "$pkg/usr/share/zarvex/templates/${templates[0]}" --to "$scratch/pub/owner"
}
check "the owner of a writable tree publishes a template" owner_publishes
check "the window ends on SIGTERM as on a normal exit (writable tree)" window_ends_cleanly
find "$pkg" -printf '%p %s %m %T@\n' | sort >"$scratch/tree.after"
check "the writable tree is left unchanged" cmp "$scratch/tree.before" "$scratch/tree.after"
finish
