#!/bin/sh
# The real editor killed (SIGKILL) in the middle of an edit session: the next start offers the
# recovery copy, and taking it back gives every change, byte for byte, as the same session saved
# gives them. The editor runs headless, driven by event scripts (--script). GAME is the built game
# folder.
set -eu
GAME=$(cd "$1" && pwd)
WORK=$(mktemp -d)
EDITOR=
trap '[ -n "$EDITOR" ] && kill -9 "$EDITOR" 2>/dev/null; rm -rf "$WORK"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# A game folder of the test's own (links to the data files and a copy of the editor), so that the
# recovery copies go to its save folder.
mkdir "$WORK/game"
for f in "$GAME"/*.dxg "$GAME/tolmarakx.cfg"; do ln -s "$f" "$WORK/game/"; done
cp "$GAME/tolmara-editor" "$WORK/game/"
mkdir "$WORK/saved" "$WORK/killed"
cp "$GAME/Tolmara.lev" "$WORK/saved/set.lev"
cp "$GAME/Tolmara.lev" "$WORK/killed/set.lev"

# Changes of every kind: a duplicated level, a level renamed, a level deleted, cells painted.
cat > "$WORK/edits" <<'END'
size 1280 960
key ctrl+D
key Tab
key F2
key End
text  Again
key Return
key Tab
key ctrl+Delete
text o
click 600 400
click 640 440
text E
click 700 400
END
cp "$WORK/edits" "$WORK/save"
printf 'key ctrl+S\nkey ctrl+Q\n' >> "$WORK/save"
printf 'key Y\nkey ctrl+S\nkey ctrl+Q\n' > "$WORK/recover"

# wait_for FILE TEXT: until the editor has written TEXT to its output FILE.
wait_for() {
    for _ in $(seq 1 300); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "the editor never said '$2'" >&2
    return 1
}

# killed_after SCRIPT FILE OUT: the editor opens FILE, handles SCRIPT and is killed at once.
killed_after() {
    "$WORK/game/tolmara-editor" --script "$1" "$2" > "$3" &
    EDITOR=$!
    wait_for "$3" "script done"
    kill -9 "$EDITOR"
    wait "$EDITOR" 2>/dev/null || true
    EDITOR=
}

# The session saved: what every change gives.
"$WORK/game/tolmara-editor" --script "$WORK/save" "$WORK/saved/set.lev" > "$WORK/out1"
cmp -s "$WORK/saved/set.lev" "$GAME/Tolmara.lev" && { echo "the edits changed nothing" >&2; exit 1; }

# The same session killed before a save.
killed_after "$WORK/edits" "$WORK/killed/set.lev" "$WORK/out2"
cmp "$WORK/killed/set.lev" "$GAME/Tolmara.lev"
ls "$WORK/game/editor-recovery/"set-*.recovery > /dev/null

# Started again: the copy is offered, taken back and saved.
"$WORK/game/tolmara-editor" --script "$WORK/recover" "$WORK/killed/set.lev" > "$WORK/out3"
cmp "$WORK/killed/set.lev" "$WORK/saved/set.lev"
diff -r "$WORK/killed" "$WORK/saved"
# A save removes the copy.
if ls "$WORK/game/editor-recovery/"*.recovery > /dev/null 2>&1; then
    echo "the recovery copy stayed after the save" >&2
    exit 1
fi

# The game's own set: its copy saved in the save folder, then edited further and killed. Started
# again from the game's set, the work comes back to that same copy.
ln -s "$GAME/Tolmara.lev" "$WORK/game/"
printf 'key ctrl+S\nkey Tab\ntext o\nclick 600 400\n' > "$WORK/more"
cat "$WORK/edits" "$WORK/more" > "$WORK/copy"
killed_after "$WORK/copy" "$WORK/game/Tolmara.lev" "$WORK/out4"
COPY="$WORK/game/editor-sets/Tolmara/Tolmara.lev"
cp "$COPY" "$WORK/first-save.lev"
"$WORK/game/tolmara-editor" --script "$WORK/recover" "$WORK/game/Tolmara.lev" > "$WORK/out5"
test "$(ls "$WORK/game/editor-sets")" = "Tolmara"
cmp -s "$COPY" "$WORK/first-save.lev" && { echo "the copy lost the later edits" >&2; exit 1; }
cmp "$GAME/Tolmara.lev" "$WORK/game/Tolmara.lev"
if ls "$WORK/game/editor-recovery/"*.recovery > /dev/null 2>&1; then
    echo "the recovery copy of the game's set stayed after the save" >&2
    exit 1
fi
echo "a killed edit session was recovered whole"
