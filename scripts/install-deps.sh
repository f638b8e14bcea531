#!/usr/bin/env bash
# Installs the Debian packages a task needs, only when some are missing.
# Usage: install-deps.sh build|test|gui|fuzz|release|package|package-test|windows|wine|display|desktop|lint ...
set -euo pipefail

packages=()
for need in "$@"; do
    case "$need" in
        build) packages+=(cmake ninja-build g++ make) ;;
        test) packages+=(cmake ninja-build g++ make libgtest-dev trash-cli systemd) ;;
        fuzz) packages+=(cmake ninja-build clang libclang-rt-14-dev) ;;
        release) packages+=(dpkg-dev) ;;
        gui) packages+=(qt6-base-dev qt6-svg-dev) ;;
        package) packages+=(dpkg-dev fakeroot file) ;;
        windows) packages+=(g++-mingw-w64-x86-64-posix googletest) ;;
        wine) packages+=(wine wine64) ;;
        display) packages+=(xvfb xauth fonts-wine python3) ;;
        desktop) packages+=(xvfb xauth xdotool x11-utils trayer) ;;
        bench) packages+=(time python3 e2fsprogs mount) ;;
        lint) packages+=(clang-format python3) ;;
        package-test) packages+=(lintian desktop-file-utils appstream debootstrap binutils) ;;
        *) echo "install-deps.sh: unknown need '$need'" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run as root, or install them first)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
