#!/usr/bin/env bash
# Starts Varrow from the build tree. Without a display it says so and shows what Varrow does with
# a page instead: the shipped start page, rendered off screen and captured by varrow-capture.
set -euo pipefail
build=${1:-build}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/bin/varrow"
fi
echo "No display found, so Varrow's window cannot open here."
echo "Capturing the start page off screen instead (varrow-capture --load):"
echo
out=$(mktemp -d "${TMPDIR:-/tmp}/varrow-start.XXXXXX")
"$build/bin/varrow-capture" --load "$build/bin/start/index.html" --out "$out" --lists 2>/dev/null
echo
echo "Source page:  $out/source.htm"
echo "Gallery page: $out/imagepage.html"
