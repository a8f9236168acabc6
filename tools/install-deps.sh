#!/usr/bin/env bash
# Installs the Debian 12 packages a group of jobs needs, when any is missing:
#   tools/install-deps.sh [GROUP...]   cli (the command line, its tests and benchmarks), windows (the COM
#                                      servers, the packages and Wine to prove them), fuzz (clang and its
#                                      libFuzzer run time), editors (Neovim, and Emacs with Eglot, which the
#                                      language server's tests drive), vscode (npm, which packages the VS Code
#                                      extension); all five when none is named.
set -euo pipefail

groups=("$@")
[ $# -gt 0 ] || groups=(cli windows fuzz editors vscode)
packages=()
windows=false
for group in "${groups[@]}"; do
  case $group in
    # time: /usr/bin/time, which bench/time_match.sh reads the peak memory from.
    cli) packages+=(cmake ninja-build g++ libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev time) ;;
    windows)
      windows=true
      # The Windows COM servers: cross compilers, widl (wine64-tools) and the IDL headers, and 64-bit Wine with
      # a display to test them (32-bit Wine is added below where it can run). The Windows Installer packages:
      # wixl builds them, msibuild and msiinfo finish and read them. osslsigncode signs the files, openssl makes
      # the tests' certificate.
      packages+=(cmake ninja-build g++ libgtest-dev libcli11-dev nlohmann-json3-dev mingw-w64 wine64 wine64-tools
        libwine-dev xvfb xauth wixl msitools osslsigncode openssl)
      ;;
    fuzz) packages+=(cmake ninja-build clang libclang-rt-14-dev libcli11-dev nlohmann-json3-dev) ;;
    editors) packages+=(neovim emacs-nox elpa-eglot) ;;
    # A Node.js installed from elsewhere brings its own npm, which Debian's would conflict with.
    vscode)
      packages+=(cmake ninja-build unzip)
      command -v npm >/dev/null || packages+=(nodejs npm)
      ;;
    *) echo "unknown group $group (cli, windows, fuzz, editors or vscode)" >&2 && exit 2 ;;
  esac
done

# Whether the kernel runs 32-bit x86 programs: a 91-byte static i386 program that exits with 7. It needs no
# 32-bit C library, which a machine without the i386 architecture lacks; the loader's probe is for a machine
# whose temporary folder forbids running programs.
runs_32_bit() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && return 0
  local probe status=0
  probe=$(mktemp)
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0'\
'\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0'\
'\61\300\100\61\333\263\7\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ $status -eq 7 ]
}

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# 32-bit Wine runs the windows-x86 build's tests and the 32-bit package tests (a 32-bit Windows, and 32-bit
# programs in a 64-bit one). Where the kernel runs no 32-bit programs those tests say they were not run, and
# the machine is left as it is.
if $windows && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" &&
  runs_32_bit; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture for wine32"
    "${sudo[@]}" dpkg --add-architecture i386
  fi
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
# A mirror caught in the middle of a sync fails an index now and then: try again, then install from the
# indexes that could be fetched.
for attempt in 1 2 3; do
  "${sudo[@]}" apt-get update -qq && break
  echo "apt-get update failed (attempt $attempt of 3)" >&2
  [ "$attempt" -eq 3 ] || sleep $((attempt * 15))
done
install() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$@"; }
if ! install "${missing[@]}"; then
  # When one architecture's index of the security archive could not be fetched, the amd64 and i386 halves of
  # wine32's libraries can ask for different versions: take the versions of the release itself.
  echo "Installing again with the release's own versions" >&2
  install -t "$(. /etc/os-release && echo "$VERSION_CODENAME")" "${missing[@]}"
fi
