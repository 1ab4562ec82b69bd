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

transcript=$root/build/demo-transcript.txt
error_log=$root/build/dist/Vantamorph/Error.log
echo "run: no display; playing data/demo.vmscript under xvfb-run"
status=0
xvfb-run -a "$program" --script "$root/data/demo.vmscript" --transcript "$transcript" || status=$?

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
