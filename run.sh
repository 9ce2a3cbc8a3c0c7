#!/usr/bin/env bash
# Builds the editor and starts it in its host against the built-in simulated
# drive. Extra arguments go to ecam-host (e.g. --device URL).
set -euo pipefail
cd "$(dirname "$0")"
tools/bootstrap
cmake -S . -B build -DECAM_BUILD_TESTS=OFF -DECAM_BUILD_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/bin/ecam-host ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    shot=${ECAM_SCREENSHOT:-ecam-panel.png}
    echo "run.sh: no display found; writing a picture of the panel to $shot instead"
    exec build/bin/ecam-host --screenshot "$shot" --size 1280x800 "$@"
  fi
  exec build/bin/ecam-host "$@"
fi
exec build/bin/ecamctl curve --length 1000
