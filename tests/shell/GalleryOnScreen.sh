#!/usr/bin/env bash
# The real program on an X server of the test's own: a page with three large pictures of solid
# colours, served on 127.0.0.1, is opened through the address box; the Images tab is chosen with
# a click on it; the pictures are then found on the screen by their colours. On the Browser tab
# the page shows them small, so only the gallery shows them whole. Then a second page, with three
# pictures of its own and more on a host that accepts and never answers, is opened from the Images
# tab: its own pictures show whole in the gallery before its load completes.
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
readonly kHeldPageColours=(yellow:#d0c020 magenta:#c020c0 cyan:#20c0c0)

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

# A host that accepts every connection and never answers; it notes each one it accepts, and
# each one the other side gives up.
python3 -u - >"$scratch/holding.log" 2>&1 <<'HOLD' &
import socket, threading
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen(64)
print("port", listener.getsockname()[1], flush=True)
def hold(connection):
    while connection.recv(4096):
        pass
    print("given up", flush=True)
while True:
    connection, _ = listener.accept()
    print("accepted", flush=True)
    threading.Thread(target=hold, args=(connection,), daemon=True).start()
HOLD
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
waitFor 10 grep -q "port" "$scratch/holding.log" || fail "the holding host did not start"
holdingPort=$(sed -n 's/^port \([0-9]*\)$/\1/p' "$scratch/holding.log")

page="<html><head><title>Held</title></head><body><p>Pictures that never come</p>"
for entry in "${kHeldPageColours[@]}"; do
    name=${entry%%:*}
    convert -size "${kWidth}x${kHeight}" "xc:${entry#*:}" "$scratch/site/$name.png"
    page+="<img src=\"$name.png\" width=\"$((kWidth / 10))\" height=\"$((kHeight / 10))\">"
done
for i in 1 2 3 4 5 6 7 8; do
    page+="<img src=\"http://127.0.0.1:$holdingPort/ad$i.png\" width=\"30\" height=\"30\">"
done
echo "$page</body></html>" >"$scratch/site/held.html"

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
# True when every colour of COLOURS (an array's name) shows on the screen with at least MINIMUM
# pixels.
everyColourShows() { # NAME MINIMUM [COLOURS]
    local -n colours=${3:-kColours}
    shot "$1"
    for entry in "${colours[@]}"; do
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

# The page whose further pictures never come, opened while the Images tab is chosen.
xdotool mousemove --window "$window" "${kAddressBox[@]}" click 1
xdotool key --window "$window" ctrl+a
xdotool type --window "$window" --delay 20 "http://127.0.0.1:$port/held.html"
xdotool key --window "$window" Return
waitFor "$kPatienceSeconds" everyColourShows held "$whole" kHeldPageColours || {
    for entry in "${kHeldPageColours[@]}"; do
        echo "${entry%%:*}: $(pixelsOf held "${entry#*:}") pixels on screen, $whole wanted"
    done
    fail "the Images tab does not show the pictures of a page whose load has not completed"
}
# The load cannot have completed while a picture request is still waiting for its answer.
accepted=$(grep -c "^accepted" "$scratch/holding.log" || true)
givenUp=$(grep -c "^given up" "$scratch/holding.log" || true)
[ "$accepted" -gt 0 ] && [ "$givenUp" -eq 0 ] \
    || fail "the pictures showed only after the load ended ($accepted requests, $givenUp given up)"
echo "the Images tab shows the page's own pictures before the load completes" \
    "($accepted picture requests still unanswered)"
passed=true
