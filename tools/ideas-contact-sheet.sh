#!/usr/bin/env bash
# One picture of every logo idea the program makes for a name, numbered, to look
# at them as a designer would (not a test). Run after tools/build.sh.
#   tools/ideas-contact-sheet.sh SHEET.png NAME [vantamorph --ideas options...]
# e.g. tools/ideas-contact-sheet.sh /tmp/bakery.png "Nordic Bakery" --tagline "Fresh bread since 1962" --keywords bakery
# VANTAMORPH names the program (default: build/dist/Vantamorph/vantamorph); KEEP=DIR keeps the ideas there.
set -euo pipefail
if [ $# -lt 2 ]; then
    sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
fi
sheet=$1
name=$2
shift 2
root="$(cd "$(dirname "$0")/.." && pwd)"
program=${VANTAMORPH:-$root/build/dist/Vantamorph/vantamorph}
work=${KEEP:-$(mktemp -d)}
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT

"$program" --ideas "$name" --out "$work" "$@"
pictures=()
for preview in "$work"/idea-*.png; do
    number=$(basename "$preview" .png)
    pictures+=(-label "${number#idea-}" "$preview")
done
montage -background '#d9d9d6' -fill '#222222' -pointsize 13 -geometry 256x200+6+6 -tile 10x \
    -title "$name" "${pictures[@]}" -strip "$sheet"
echo "$sheet: $(( ${#pictures[@]} / 3 )) ideas from $work"
