#!/bin/sh
# The editor in a real window (Xvfb), driven by keys and mouse through xdotool: makes a small
# level from nothing, saves it, test-plays it to the exit, saves the proof, and checks that the
# set passes `tolmara-levels check`, that its sources build the same bytes, and that the proof
# makes the level in `tolmara-replay`. Run under `xvfb-run -a`; GAME is the built game folder.
set -eu
GAME=$1
WORK=$(mktemp -d)
trap 'kill "$EDITOR" 2>/dev/null || true; rm -rf "$WORK"' EXIT
cd "$WORK"

wait_window() {  # wait_window NAME: the id of the first window of that exact name
    for _ in $(seq 1 100); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    echo "no window '$1'" >&2
    return 1
}

SDL_AUDIODRIVER=dummy "$GAME/tolmara-editor" "$WORK/e2e.lev" &
EDITOR=$!
ED=$(wait_window "Tolmara Deepgrid level editor")
sleep 0.5
key() { xdotool key --window "$ED" "$@"; sleep 0.2; }

# A level of 3 columns and 2 rows: the exit top right, the start bottom left.
key F8
key BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --window "$ED" "3 2"; sleep 0.2
key Return
key Home
xdotool type --window "$ED" "E"; sleep 0.2
xdotool mousemove --window "$ED" 694 408 click 1; sleep 0.2
xdotool type --window "$ED" "s"; sleep 0.2
xdotool mousemove --window "$ED" 614 448 click 1; sleep 0.2
key ctrl+s
test -f e2e.lev

# Test play: walk right to rest below the exit.
key F5
PLAY=$(wait_window "Tolmara Deepgrid")
sleep 1
xdotool keydown --window "$PLAY" Right; sleep 1.5
# The level may end, and its window close, while the key is held.
xdotool keyup --window "$PLAY" Right 2>/dev/null || true
for _ in $(seq 1 100); do
    xdotool search --name "^Tolmara Deepgrid\$" >/dev/null 2>&1 || break
    sleep 0.1
done
sleep 0.5
key ctrl+s
# The window closes while the keys are still being sent.
xdotool key --window "$ED" ctrl+q 2>/dev/null || true
wait "$EDITOR"

test -f e2e-01.replay
"$GAME/tolmara-levels" check --data "$GAME/" e2e.lev
"$GAME/tolmara-levels" build 01-*.lvl built.lev >/dev/null
cmp built.lev e2e.lev
sed "s|^levels .*|levels $WORK/e2e.lev|" e2e-01.replay > proof.replay
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$GAME/tolmara-replay" --data "$GAME/" proof.replay \
    | grep -q '"outcome": "made"'
echo "the editor made, saved and proved a level"
