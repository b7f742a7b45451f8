#!/usr/bin/env bash
# Runs each fuzz target for a bounded time: the capture's on seeds made from the real-page corpus,
# the RTF reader's on the test documents and the shipped help file.
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
# fuzz TARGET DICTIONARY SEED_DIR...
fuzz() {
    local target=$1 dictionary=$2
    shift 2
    local corpus=$build/fuzz-corpus/$target findings=$build/fuzz-findings
    mkdir -p "$corpus" "$findings"
    echo "== $target for ${seconds}s"
    "$build/bin/$target" -max_total_time="$seconds" -max_len=16384 -timeout=25 \
        -rss_limit_mb=2048 -dict="$dictionary" -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$corpus" "$@" || status=1
}
fuzz scan_fuzz "$here/capture/capture.dict" "$seeds"
fuzz capture_fuzz "$here/capture/capture.dict" "$seeds"
fuzz picture_name_fuzz "$here/capture/capture.dict" "$seeds"
fuzz rtf_fuzzer "$here/richtext/rtf.dict" "$here/../tests/platform/richtext/data" "$here/../data"
exit $status
