#!/usr/bin/env bash
# Builds the editor and starts it in its host against the built-in simulated
# drive. Extra arguments go to ecam-host (e.g. --device URL).
set -euo pipefail
cd "$(dirname "$0")"
tools/bootstrap
# Shares build/ with test.sh but builds only what the editor needs.
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target ecam-host RAZuvavivezUzo
if [ -x build/bin/ecam-host ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    shot=${ECAM_SCREENSHOT:-ecam-panel.png}
    echo "run.sh: no display found; writing a picture of the panel to $shot instead"
    exec build/bin/ecam-host --screenshot "$shot" --size 1280x800 "$@"
  fi
  exec build/bin/ecam-host "$@"
fi
echo "run.sh: ecam-host was not built" >&2
exit 1
