#!/usr/bin/env bash
# Runs Varrow from the build tree: the capture of the shipped demo page, with what it found.
set -euo pipefail
build=${1:-build}
out=$(mktemp -d "${TMPDIR:-/tmp}/varrow-demo.XXXXXX")
"$build/bin/varrow-capture" --url http://127.0.0.2/demo/index.html --out "$out" \
    capture/demo/demo-page.body
echo
"$build/bin/varrow-capture" --url http://127.0.0.2/demo/index.html --out "$out" --lists \
    capture/demo/demo-page.body
