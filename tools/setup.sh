#!/usr/bin/env bash
# Installs the Debian packages that Vantamorph builds, tests and runs with.
# Safe to run again: when every package is already installed it returns at once.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6-dev qt6-image-formats-plugins
    libpugixml-dev libgtest-dev libgmock-dev
    xvfb xauth
    imagemagick libmagick++-dev ghostscript
    poppler-utils libxml2-utils python3-yaswfp
    libfreetype-dev libpng-dev fonts-dejavu-core
    desktop-file-utils appstream
)

# The Debian packages of the font families the program folder ships (third column).
font_manifest="$(dirname "${BASH_SOURCE[0]}")/../data/fonts/manifest.txt"
while IFS='|' read -r _ _ package _; do
    package=${package//[[:space:]]/}
    [[ -n $package ]] && packages+=("$package")
done < <(grep -v '^[[:space:]]*#' "$font_manifest" | grep '|')

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    echo "setup: not a Debian system; install these packages (or their equivalents) yourself:" >&2
    echo "  ${packages[*]}" >&2
    exit 0
fi

# Names that installed packages answer to: their own, and the virtual names they
# provide (libqt6svg6-dev is provided by qt6-svg-dev, for example).
declare -A present=()
while IFS=$'\t' read -r status name provides; do
    [[ $status == "install ok installed" ]] || continue
    present[$name]=1
    IFS=',' read -ra provided <<<"$provides"
    for entry in "${provided[@]}"; do
        entry=${entry#"${entry%%[![:space:]]*}"}   # leading blanks
        entry=${entry%% *}                          # version constraint
        [[ -n $entry ]] && present[$entry]=1
    done
done < <(dpkg-query -W -f='${Status}\t${Package}\t${Provides}\n' 2>/dev/null)

missing=()
for package in "${packages[@]}"; do
    [[ -n ${present[$package]:-} ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    echo "setup: all ${#packages[@]} packages are installed"
    exit 0
fi

as_root=()
if ((EUID != 0)); then
    as_root=(sudo)
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
