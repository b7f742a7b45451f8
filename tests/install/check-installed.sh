#!/usr/bin/env bash
# Puts the program into a scratch root, either by installing the build with DESTDIR or by
# building the Debian package and unpacking it with dpkg -x; then runs the installed
# varrow-capture on a corpus page (read, and rendered with --load) and the installed varrow on the offscreen platform until its
# main window has loaded, and checks that nothing was written under the prefix.
# Usage: check-installed.sh install|package BUILD_DIR SCRATCH_DIR CORPUS_PAGES_DIR
set -euo pipefail
mode=$1 build=$2 scratch=$3 pages=$4
fail() { echo "$*"; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/home"
case "$mode" in
install)
    DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null ;;
package)
    cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
    deb=$(echo "$scratch"/package/varrow_*.deb)
    [ -f "$deb" ] || fail "no package was built"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6webenginecore6-bin' \
        || fail "the package does not depend on the Web engine's runtime"
    report=$(lintian --fail-on error "$deb" 2>&1) || { echo "$report"; fail "lintian reports errors"; }
    dpkg -x "$deb" "$scratch/root" ;;
*)
    fail "usage: check-installed.sh install|package BUILD_DIR SCRATCH_DIR CORPUS_PAGES_DIR" ;;
esac
prefix=$scratch/root/usr

for file in bin/varrow bin/varrow-capture libexec/varrow/varrow-load-page share/varrow/Help.rtf \
    share/varrow/icon.ico share/varrow/hoticon.ico share/varrow/start/index.html \
    share/varrow/browserbanner.html share/applications/varrow.desktop \
    share/icons/hicolor/48x48/apps/varrow.png share/man/man1/varrow-capture.1.gz; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
grep -qx 'Exec=varrow' "$prefix/share/applications/varrow.desktop" \
    && grep -qx 'Icon=varrow' "$prefix/share/applications/varrow.desktop" \
    || fail "the desktop entry does not start varrow with its icon"
zcat "$prefix/share/man/man1/varrow-capture.1.gz" | grep -q '^\.TH VARROW-CAPTURE 1' \
    || fail "the manual page of varrow-capture is not readable"

listing() { find "$scratch/root" -printf '%p %s %T@\n' | sort; }
before=$(listing)

"$prefix/bin/varrow-capture" --url http://pages.example/corpus/youth.html --out "$scratch/out" \
    --lists "$pages/youth.body" >"$scratch/lists.tsv"
grep -q $'^image\t' "$scratch/lists.tsv" || fail "installed varrow-capture found no images"
"$prefix/bin/varrow-capture" --load "$pages/youth.body" --out "$scratch/out" --lists \
    >"$scratch/loaded.tsv" 2>"$scratch/load.log" || { cat "$scratch/load.log"; fail "installed varrow-capture cannot --load"; }

# The main window's load creates the working files; an installed program puts them in the
# user's data folder.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
export QT_QPA_PLATFORM=offscreen
"$prefix/bin/varrow" >"$scratch/varrow.log" 2>&1 &
program=$!
for _ in $(seq 1 300); do
    [ -f "$XDG_DATA_HOME/varrow/imagepage.html" ] && break
    kill -0 "$program" 2>/dev/null || { cat "$scratch/varrow.log"; fail "varrow ended early"; }
    sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ -f "$XDG_DATA_HOME/varrow/imagepage.html" ] || fail "the main window did not load"

after=$(listing)
if [ "$before" != "$after" ]; then
    echo "files under the prefix changed:"
    diff <(echo "$before") <(echo "$after") || true
    exit 1
fi
echo "the $mode's program runs and leaves its prefix as it was"
