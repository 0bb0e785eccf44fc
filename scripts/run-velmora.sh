#!/usr/bin/env bash
# Starts the built program. Without a display it runs under a virtual X server (xvfb-run), so the
# command works on a bare machine too; with a display the window opens on it.
set -euo pipefail
build=${1:-build}
shift || true
exe="$build/bin/velmora"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$exe" "$@"
fi
echo "No display found: starting Velmora on a virtual display (xvfb-run)." >&2
exec xvfb-run -a "$exe" "$@"
