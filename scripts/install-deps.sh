#!/usr/bin/env bash
# Installs the Debian packages that the named groups need and that are missing; a target of the
# Makefile names the groups it needs, so a machine that only wants the window gets only that.
# Usage: scripts/install-deps.sh GROUP...
set -euo pipefail

declare -A groups=(
  # Building and running the window and tamrel-cli (make itself included).
  [window]="make cmake ninja-build g++ qt6-base-dev libgl-dev nlohmann-json3-dev libcsv-dev
            libcli11-dev fonts-noto-cjk"
  # The test suite, also under the sanitizers (g++ brings their runtime libraries); appstream
  # validates the installed metainfo.
  [test]="libgtest-dev libgmock-dev appstream"
  [bench]="libbenchmark-dev"
  [fuzz]="make cmake ninja-build clang libclang-rt-14-dev"
  # cpack's Debian generator reads the binaries with file and dpkg-shlibdeps.
  [package]="dpkg-dev file help2man"
  [lint]="lintian"
  [screenshot]="xvfb xdotool imagemagick"
  [format]="clang-format"
)

missing=()
for group in "$@"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "install-deps: unknown group '$group' (known: ${!groups[*]})" >&2
    exit 2
  fi
  for p in ${groups[$group]}; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "install-deps: sudo is not installed; install these as root: ${missing[*]}" >&2
  exit 1
fi
apt_get() {
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}
install() {
  apt_get install -y --no-install-recommends "${missing[@]}"
}
# A fresh machine has empty package lists, and old lists may name versions the mirror no longer
# holds: update when a dry run finds no candidate for a package, or when the installation fails.
if ! apt-get install --simulate "${missing[@]}" >/dev/null 2>&1; then
  apt_get update
fi
if ! install; then
  apt_get update
  install
fi
