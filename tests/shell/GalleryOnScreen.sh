#!/usr/bin/env bash
# The real program on an X server of the test's own: a page with three large pictures of solid
# colours, served on 127.0.0.1, is opened through the address box; the Images tab is chosen with
# a click on it; the pictures are then found on the screen by their colours. On the Browser tab
# the page shows them small, so only the gallery shows them whole.
# Usage: GalleryOnScreen.sh VARROW DATA_DIR OUTPUT_DIR
# Exits 77 (skipped) when the X tools are missing; keeps its screenshots in OUTPUT_DIR on failure.
set -euo pipefail

varrow=$1
data=$2
output=$3

for tool in Xvfb xdotool import convert python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing (scripts/install-deps.sh screen installs it)"
        exit 77
    fi
done

# The main window's controls, in pixels from its top left corner at 96 dots per inch.
readonly kAddressBox=(380 92)
readonly kImagesTab=(199 195)
readonly kPatienceSeconds=60
readonly kWidth=400 kHeight=70
readonly kColours=(red:#d02020 green:#20a040 blue:#2040d0)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/varrow-screen.XXXXXX")
pids=()
passed=false
finish() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if ! $passed; then
        mkdir -p "$output"
        cp "$scratch"/*.png "$scratch"/*.log "$output"/ 2>/dev/null || true
        echo "screenshots and logs kept in $output"
    fi
    rm -rf "$scratch"
}
trap finish EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

# The site: three wide pictures, shown a tenth of their size on the page itself.
mkdir -p "$scratch/site"
page="<html><head><title>Colours</title></head><body><p>Three pictures</p>"
for entry in "${kColours[@]}"; do
    name=${entry%%:*}
    convert -size "${kWidth}x${kHeight}" "xc:${entry#*:}" "$scratch/site/$name.png"
    page+="<img src=\"$name.png\" width=\"$((kWidth / 10))\" height=\"$((kHeight / 10))\">"
done
echo "$page</body></html>" >"$scratch/site/index.html"
python3 -u -m http.server --bind 127.0.0.1 --directory "$scratch/site" 0 >"$scratch/server.log" 2>&1 &
pids+=($!)

# A display of its own; Xvfb names a free display number itself.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)

# The program as installed, in a folder of its own, with a fresh user who has seen the help. The
# engine sends everything but loopback to a proxy that is not there, so it looks up no name.
mkdir -p "$scratch/program" "$scratch/home" "$scratch/config/Varrow"
cp "$varrow" "$scratch/program/"
cp -r "$data"/. "$scratch/program/"
printf '[Settings]\nshowHelp=0\n' >"$scratch/config/Varrow/Varrow.ini"

waitFor() { # SECONDS COMMAND...: runs COMMAND every half second until it succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.5
    done
}

waitFor 10 test -s "$scratch/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$scratch/display")"
waitFor 10 grep -q "port" "$scratch/server.log" || fail "the web server did not start"
port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$scratch/server.log" | head -n1)
address="http://127.0.0.1:$port/index.html"

engineFlags="--disable-gpu --no-first-run --disable-background-networking"
engineFlags+=" --proxy-server=http://127.0.0.1:9 --proxy-bypass-list=127.0.0.1"
HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/home/data" \
    VARROW_REGISTRY_DIR="$scratch/home/registry" QT_QUICK_BACKEND=software \
    QTWEBENGINE_CHROMIUM_FLAGS="$engineFlags" \
    "$scratch/program/$(basename "$varrow")" >"$scratch/varrow.log" 2>&1 &
pids+=($!)

# The splash counts its ticks first; the main window is the one with the address box.
mainWindow() { xdotool search --onlyvisible --name "^Varrow by " 2>/dev/null | tail -n1; }
mainWindowShows() { [ -n "$(mainWindow)" ]; }
waitFor "$kPatienceSeconds" mainWindowShows || fail "the main window did not open"
window=$(mainWindow)
sleep 1

shot() { import -window root "$scratch/$1.png"; }
# Pixels of the screenshot NAME within a few percent of COLOUR.
pixelsOf() {
    convert "$scratch/$1.png" -alpha off -fuzz 6% -fill black +opaque "$2" -fill white \
        -opaque "$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}
# True when every colour shows on the screen with at least MINIMUM pixels.
everyColourShows() { # NAME MINIMUM
    shot "$1"
    for entry in "${kColours[@]}"; do
        [ "$(pixelsOf "$1" "${entry#*:}")" -ge "$2" ] || return 1
    done
}

xdotool mousemove --window "$window" "${kAddressBox[@]}" click 1
xdotool key --window "$window" ctrl+a
xdotool type --window "$window" --delay 20 "$address"
xdotool key --window "$window" Return
small=$((kWidth * kHeight / 100))
whole=$((kWidth * kHeight * 9 / 10))
waitFor "$kPatienceSeconds" everyColourShows browser "$((small / 2))" \
    || fail "the page did not show in the Browser tab"
for entry in "${kColours[@]}"; do
    shown=$(pixelsOf browser "${entry#*:}")
    [ "$shown" -lt "$whole" ] || fail "${entry%%:*} shows whole ($shown pixels) before the Images tab is chosen"
done

xdotool mousemove --window "$window" "${kImagesTab[@]}" click 1
waitFor "$kPatienceSeconds" everyColourShows images "$whole" || {
    for entry in "${kColours[@]}"; do
        echo "${entry%%:*}: $(pixelsOf images "${entry#*:}") pixels on screen, $whole wanted"
    done
    fail "the Images tab does not show the pictures"
}
for entry in "${kColours[@]}"; do
    echo "${entry%%:*}: $(pixelsOf images "${entry#*:}") pixels in the Images tab"
done
passed=true
