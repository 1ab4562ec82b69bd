#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vantamorph.
# Without a display it plays the demo script under a virtual X server instead and
# says where the transcript and the error log are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh
bash tools/build.sh

program=$root/build/dist/Vantamorph/vantamorph
if [[ ! -x $program ]]; then
    echo "run: $program was not built" >&2
    exit 1
fi

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec "$program" "$@"
fi

out=$root/build/demo
transcript=$out/transcript.txt
error_log=$root/build/dist/Vantamorph/Error.log
rm -rf "$out/ideas" "$out/brand-pack"
mkdir -p "$out"

# Ideas for a sample business, the way a newcomer starts: a page of candidate logos.
business="Nordic Bakery"
echo "run: no display; making logo ideas for \"$business\""
status=0
"$program" --ideas "$business" --tagline "Fresh bread since 1962" --keywords bakery,bread \
    --count 60 --seed 7 --out "$out/ideas" || status=$?
idea=$out/ideas/idea-001.vmp

# One idea opened in the program, saved and published through the canvas.
sed -e "s|@OUT@|$out|g" -e "s|@IDEA@|$idea|g" "$root/data/demo.vmscript" > "$out/demo.vmscript"
# The demo's print-to-file printer lives in a store of its own.
export VANTAMORPH_SPOOLER_DIR=$out/printers
"$root/build/dist/Vantamorph/VantamorphPrinter" >/dev/null
echo "run: playing data/demo.vmscript with the real canvas under xvfb-run"
xvfb-run -a "$program" --script "$out/demo.vmscript" --canvas reference --transcript "$transcript" || status=$?

# And the brand pack made from the saved logo.
if [[ -f $out/logo.vmp ]]; then
    "$program" --brand-pack "$out/logo.vmp" --out "$out/brand-pack" >/dev/null || status=$?
fi

if [[ -f $out/ideas/index.html ]]; then
    echo "run: ideas for \"$business\" written to $out/ideas/index.html (open it in a browser)"
else
    echo "run: no ideas were written to $out/ideas"
fi
for file in logo.vmp logo.png logo-thumbnail.jpg; do
    if [[ -f $out/$file ]]; then
        echo "run: $out/$file written (from ${idea#"$out/"})"
    else
        echo "run: $out/$file was not written; see the transcript"
    fi
done
if [[ -f $out/brand-pack/brand-pack.html ]]; then
    echo "run: brand pack written to $out/brand-pack (brand-pack.html shows it)"
else
    echo "run: no brand pack was written to $out/brand-pack"
fi
if [[ -f $transcript ]]; then
    echo "run: transcript written to $transcript"
else
    echo "run: no transcript was written (expected at $transcript)"
fi
if [[ -f $error_log ]]; then
    echo "run: error log at $error_log"
else
    echo "run: no errors logged (the log would be $error_log)"
fi
exit "$status"
