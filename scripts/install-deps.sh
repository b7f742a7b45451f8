#!/usr/bin/env bash
# Installs the Debian packages that a build needs, only those that are missing.
# Usage: scripts/install-deps.sh GROUP...   (groups: core desktop screen fuzz windows package bench)
set -euo pipefail

packages_for() {
    case "$1" in
    core) echo cmake ninja-build make g++ libgtest-dev libgmock-dev nlohmann-json3-dev ;;
    desktop) echo qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin qt6-tools-dev \
        libgl-dev binutils python3 ;;
    screen) echo xvfb xdotool imagemagick ;; # the test that looks at the real program's screen
    fuzz) echo clang libclang-rt-14-dev ;;
    windows) echo g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 ;;
    package) echo dpkg-dev lintian file ;;
    bench) echo python3 python3-lxml ;;
    *) echo "install-deps: unknown group '$1'" >&2; exit 2 ;;
    esac
}

wanted=()
for group in "$@"; do
    for pkg in $(packages_for "$group"); do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || wanted+=("$pkg")
    done
done
[ ${#wanted[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing missing packages: ${wanted[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${wanted[@]}"
