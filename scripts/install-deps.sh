#!/usr/bin/env bash
# Installs the Debian 12 packages the library builds and tests with. Idempotent: when every
# package is present it prints nothing and touches nothing. Runs as root or through sudo.
# `install-deps.sh fuzz` adds what the fuzz targets build with.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make
  libcairo2-dev libpango1.0-dev libglib2.0-dev fontconfig fonts-dejavu-core
  libsdl2-dev libx11-dev libxtst-dev
  libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
)
# `make fuzz` alone needs clang and its libFuzzer.
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libfuzzer-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run() { "$@"; }
elif command -v sudo >/dev/null 2>&1; then
  run() { sudo "$@"; }
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
