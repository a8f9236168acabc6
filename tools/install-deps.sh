#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, when any is missing; `tools/install-deps.sh fuzz` adds clang
# and its libFuzzer run time, which the fuzz targets need.
set -euo pipefail

# time: /usr/bin/time, which bench/time_match.sh reads the peak memory from.
packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev time
  # The Windows COM servers: cross compilers, widl (wine64-tools) and the IDL headers, and 64-bit Wine with a
  # display to test them.
  mingw-w64 wine64 wine64-tools libwine-dev xvfb xauth
  # The Windows Installer packages: wixl builds them, msibuild and msiinfo finish and read them.
  wixl msitools)
[ "${1:-}" = fuzz ] && packages+=(clang libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
