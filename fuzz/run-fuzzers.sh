#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on seeds made from the real-page corpus.
# Usage: fuzz/run-fuzzers.sh BUILD_DIR CORPUS_PAGES_DIR SECONDS_PER_TARGET
set -euo pipefail
build=$1 pages=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)

# A seed is the page address, a LF, and the page's markup (libFuzzer cuts it to -max_len).
seeds=$build/fuzz-seeds
mkdir -p "$seeds"
for page in "$pages"/*.body; do
    name=$(basename "$page" .body)
    { printf 'http://pages.example/corpus/%s.html\n' "$name"; cat "$page"; } >"$seeds/$name"
done

status=0
for target in scan_fuzz capture_fuzz; do
    corpus=$build/fuzz-corpus/$target findings=$build/fuzz-findings
    mkdir -p "$corpus" "$findings"
    echo "== $target for ${seconds}s"
    "$build/bin/$target" -max_total_time="$seconds" -max_len=16384 -timeout=25 \
        -rss_limit_mb=2048 -dict="$here/capture.dict" -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$corpus" "$seeds" || status=1
done
exit $status
