#!/usr/bin/env bash
# Installs into a scratch prefix, runs the installed varrow-capture on a corpus page and the
# installed varrow on the offscreen platform until its main window has loaded, and checks that
# nothing was written under the prefix.
# Usage: check-installed.sh BUILD_DIR SCRATCH_DIR CORPUS_PAGES_DIR
set -euo pipefail
build=$1 scratch=$2 pages=$3
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/home"
DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
prefix=$scratch/root/usr
listing() { find "$prefix" -printf '%p %s %T@\n' | sort; }
before=$(listing)

"$prefix/bin/varrow-capture" --url http://pages.example/corpus/youth.html --out "$scratch/out" \
    --lists "$pages/youth.body" >"$scratch/lists.tsv"
grep -q $'^image\t' "$scratch/lists.tsv" || { echo "installed varrow-capture found no images"; exit 1; }

# The main window's load creates the working files; an installed program puts them in the
# user's data folder.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
export QT_QPA_PLATFORM=offscreen
"$prefix/bin/varrow" >"$scratch/varrow.log" 2>&1 &
program=$!
for _ in $(seq 1 300); do
    [ -f "$XDG_DATA_HOME/varrow/imagepage.html" ] && break
    kill -0 "$program" 2>/dev/null || { cat "$scratch/varrow.log"; echo "varrow ended early"; exit 1; }
    sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ -f "$XDG_DATA_HOME/varrow/imagepage.html" ] || { echo "the main window did not load"; exit 1; }
[ -f "$prefix/share/varrow/Help.rtf" ] || { echo "Help.rtf is not installed"; exit 1; }

after=$(listing)
if [ "$before" != "$after" ]; then
    echo "files under the prefix changed:"
    diff <(echo "$before") <(echo "$after") || true
    exit 1
fi
echo "installed program runs and leaves its prefix as installed"
