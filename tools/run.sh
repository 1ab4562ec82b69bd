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
mkdir -p "$out"
sed "s|@OUT@|$out|g" "$root/data/demo.vmscript" > "$out/demo.vmscript"
# The demo's print-to-file printer lives in a store of its own.
export VANTAMORPH_SPOOLER_DIR=$out/printers
"$root/build/dist/Vantamorph/VantamorphPrinter" >/dev/null
echo "run: no display; playing data/demo.vmscript with the real canvas under xvfb-run"
status=0
xvfb-run -a "$program" --script "$out/demo.vmscript" --canvas reference --transcript "$transcript" || status=$?

for file in logo.vmp logo.png logo-thumbnail.jpg; do
    if [[ -f $out/$file ]]; then
        echo "run: $out/$file written"
    else
        echo "run: $out/$file was not written; see the transcript"
    fi
done
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
