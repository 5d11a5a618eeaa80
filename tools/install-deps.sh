#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
# Usage: tools/install-deps.sh [build|test]
set -euo pipefail
what="${1:-build}"

light=()
pkgs=(build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev qt6-webengine-dev
      libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth)
# The importers' and exporters' parsers (HTML5, XML, JSON, URIs); the tests read the
# site-generator data back with YAML and TOML parsers.
pkgs+=(libgumbo-dev libpugixml-dev nlohmann-json3-dev liburiparser-dev libyaml-cpp-dev
       libtomlplusplus-dev)
# CPack's Debian generator needs file to find the programs for dpkg-shlibdeps.
pkgs+=(file)
# The build makes velmo.js with esbuild (npm ci in runtime/): a working node and npm
# from any source will do; otherwise Debian's.
command -v node >/dev/null 2>&1 || pkgs+=(nodejs)
command -v npm >/dev/null 2>&1 || pkgs+=(npm)
if [ "$what" = test ]; then
  pkgs+=(clang clang-format libclang-rt-14-dev chromium firefox-esr webkit2gtk-driver fonts-dejavu-core)
  # The generator fuzzer reads the built page with an HTML parser.
  pkgs+=(libgumbo-dev)
  # The check that the templates are what tools/make_templates.py makes.
  pkgs+=(python3)
  # The package checks: build, lint and validate the .deb.
  pkgs+=(dpkg-dev lintian appstream desktop-file-utils)
  # hardening-check, without the many tools devscripts recommends.
  light=(devscripts)
fi

missing=()
missing_light=()
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in "${pkgs[@]}"; do
  installed "$p" || missing+=("$p")
done
for p in "${light[@]:-}"; do
  [ -z "$p" ] || installed "$p" || missing_light+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && [ "${#missing_light[@]}" -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
[ "${#missing[@]}" -eq 0 ] || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
[ "${#missing_light[@]}" -eq 0 ] ||
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing_light[@]}"
