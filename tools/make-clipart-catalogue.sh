#!/usr/bin/env bash
# Regenerates the clip-art catalogue in data/datasrc from the Phosphor icon set.
# Fetches the package with npm (no install, no scripts run) into a temporary
# folder and hands it to make-clipart-catalogue.mjs.
set -euo pipefail
version="${1:-2.1.1}"
repo="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "@phosphor-icons/core@$version" >/dev/null && tar xzf phosphor-icons-core-*.tgz)
node "$repo/tools/make-clipart-catalogue.mjs" "$work/package" "$repo/data/datasrc"
