#!/usr/bin/env bash
# Remakes the README's pictures from the real program: the editor's main window with a sample
# logo and the logo ideas window with the ideas for a sample name (bench/screenshots), and the files of a brand pack made by `vantamorph --brand-pack` from a
# shipped template, laid out on one sheet with ImageMagick. Run after tools/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
out=docs/images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

QT_QPA_PLATFORM=offscreen "$build/bench/screenshots" "$work"
cp "$work/main_window.png" "$out/editor.png"
cp "$work/ideas_window.png" "$out/ideas.png"

template=$(find "$build/dist/templates" -name '*.xml' | sort | head -n 1)
cp "$template" "$work/logo.vmp"
"$build/dist/Vantamorph/vantamorph" --brand-pack "$work/logo.vmp" --out "$work/pack"
# The white and transparent versions are meant for dark grounds: show them on one.
for name in logo-white.png logo-transparent.png; do
    convert "$work/pack/$name" -background '#2e3a48' -flatten "$work/pack/$name"
done
pictures=()
for name in logo.png logo-transparent.png logo-black.png logo-white.png social-banner.png \
            social-avatar.png apple-touch-icon.png icon-192.png; do
    pictures+=(-label "$name" "$work/pack/$name")
done
montage -background '#e8edf2' -fill '#1d2733' -pointsize 14 -geometry 260x210+10+10 -tile 4x \
    "${pictures[@]}" -strip "$out/brand-pack.png"
echo "wrote $out/editor.png, $out/ideas.png and $out/brand-pack.png"
