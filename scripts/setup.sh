#!/usr/bin/env bash
# Installs what Orvanta needs to build and test on Debian 12, then configures and builds
# it in build/. Sourced by run.sh and test.sh.
set -euo pipefail

ORVANTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORVANTA_BUILD=${ORVANTA_BUILD:-$ORVANTA_ROOT/build}

ORVANTA_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core dbus-daemon locales
)

orvanta_install_packages() {
  local missing=()
  for package in "${ORVANTA_PACKAGES[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Number parsing must not depend on the locale; the tests prove it under a German one.
orvanta_generate_test_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

orvanta_build() {
  cmake -S "$ORVANTA_ROOT" -B "$ORVANTA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$ORVANTA_BUILD" -j "$(nproc)"
}
