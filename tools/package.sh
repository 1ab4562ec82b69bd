#!/usr/bin/env bash
# Builds the Debian package build/vantamorph_<version>_amd64.deb and checks it
# with lintian. Installs the packaging tools it needs (dpkg-dev for the shared
# library dependencies, lintian) when they are missing.
#   bash tools/package.sh            build and check
#   LINTIAN=0 bash tools/package.sh  build only
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

needs=()
command -v dpkg-shlibdeps >/dev/null 2>&1 || needs+=(dpkg-dev)
if [[ ${LINTIAN:-1} != 0 ]]; then
    command -v lintian >/dev/null 2>&1 || needs+=(lintian)
fi
if ((${#needs[@]} > 0)); then
    as_root=()
    ((EUID == 0)) || as_root=(sudo)
    echo "package: installing ${needs[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${needs[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="build/vantamorph_${version}_amd64.deb"
rm -f "$deb"
(cd build && cpack -G DEB -B "$PWD")
[[ -f $deb ]] || { echo "package: cpack did not write $deb" >&2; exit 1; }
rm -rf build/_CPack_Packages
echo "package: wrote $deb"

if [[ ${LINTIAN:-1} != 0 ]]; then
    # Errors fail the package; warnings are shown for the record.
    report=$(lintian --no-tag-display-limit "$deb" || true)
    [[ -n $report ]] && printf '%s\n' "$report"
    if grep -q '^E: ' <<<"$report"; then
        echo "package: lintian reports errors" >&2
        exit 1
    fi
    echo "package: lintian reports no errors"
fi
