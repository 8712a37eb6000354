#!/usr/bin/env bash
# Installs the Debian 12 packages Tarnhold builds and tests with. Safe to run
# again: it only calls apt-get when something is missing. With --tests it also
# installs what only the tests use, with --fuzz what scripts/fuzz.sh needs.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qcoro-qt6-dev libgl-dev libfontconfig-dev
    qt6-image-formats-plugins qt6-svg-dev
    libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev xvfb
    libssl-dev qt6-httpserver-dev
    fonts-dejavu-core fonts-inter
    unzip libarchive-tools zip xz-utils findutils procps
    dbus-daemon
    # Wine runs the game; Valve's Linux SteamCMD is a 32-bit program.
    wine64 lib32gcc-s1
)

for option in "$@"; do
    case $option in
    # The Windows stand-ins that Debian's Wine runs in the end-to-end test.
    --tests) packages+=(gcc-mingw-w64-x86-64-win32) ;;
    # clang with libFuzzer, and the symbolizer that makes crash reports readable.
    --fuzz) packages+=(clang libclang-rt-14-dev llvm-14) ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
