#!/usr/bin/env bash
# Installs the built game into a scratch prefix the way a player would, starts
# it through the launcher under a private X server, and uninstalls it again.
# On the way it checks what the launcher adds to the game: answers that need
# no display, the log of the last run, and the dialog of a failed start.
#   install_test.sh <build-dir> <version>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
build=$(cd "$1" && pwd)
version=$2
scratch=$(mktemp -d)
game_pid=""
xvfb_pid=""
# The test's install must not replace the record of a real install.
records=("$build/install_manifest.txt" "$build/packaging/install_destdir.txt")
for i in "${!records[@]}"; do
    [ -f "${records[$i]}" ] && cp "${records[$i]}" "$scratch/record.$i"
done
cleanup() {
    [ -n "$game_pid" ] && kill -TERM -- "-$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    for i in "${!records[@]}"; do
        if [ -f "$scratch/record.$i" ]; then cp "$scratch/record.$i" "${records[$i]}"; else rm -f "${records[$i]}"; fi
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

prefix="$scratch/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$(echo "$prefix"/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
for f in games/mossgrave libexec/mossgrave/mossgrave share/games/mossgrave/shader/gui.glsl \
         share/games/mossgrave/textures share/games/mossgrave/models/cat_body.obj \
         share/games/mossgrave/sounds/end.wav share/man/man6/mossgrave.6.gz \
         share/metainfo/"$id".metainfo.xml share/doc/mossgrave/copyright; do
    [ -e "$prefix/$f" ] || fail "install lacks $f"
done
for size in 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${size}x$size/apps/mossgrave.png" | grep -q "PNG image data, $size x $size" \
        || fail "no $size-pixel icon"
done
launcher="$prefix/games/mossgrave"
[ -x "$launcher" ] || fail "launcher is not executable"
grep -qx "Exec=$launcher" "$desktop" || fail "desktop entry does not name the launcher: $(grep Exec= "$desktop")"
grep -qx "Icon=mossgrave" "$desktop" || fail "desktop entry has no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop"
fi

# The player's own places. Every run of the launcher gets only these in its
# environment, so nothing of the machine's own user leaks in.
home="$scratch/player home"
data_home="$scratch/player data"
state_home="$scratch/player state"
player="$data_home/mossgrave"
state="$state_home/mossgrave"
stubs="$scratch/stubs"
mkdir -p "$home"
as_player=(env -i HOME="$home" XDG_DATA_HOME="$data_home" XDG_STATE_HOME="$state_home" PATH="$stubs:/usr/bin:/bin")

# --version and --help answer without a display and write nothing, not even
# the player's folders.
"${as_player[@]}" "$launcher" --version >"$scratch/version.txt" </dev/null || fail "--version failed"
[ "$(head -n 1 "$scratch/version.txt")" = "mossgrave $version" ] || fail "--version: $(cat "$scratch/version.txt")"
grep -q "GPL-3.0-or-later" "$scratch/version.txt" || fail "--version names no licence"
"${as_player[@]}" "$launcher" --log-player --help >"$scratch/help.txt" </dev/null || fail "--help failed"
for text in "Usage: mossgrave" config.txt last.log --start-at --look-at --give --cage --death-after \
            --log-player --frame-stats; do
    grep -qe "$text" "$scratch/help.txt" || fail "--help does not mention $text"
done
[ ! -e "$data_home" ] && [ ! -e "$state_home" ] && [ -z "$(ls -A "$home")" ] \
    || fail "an answer wrote files: $(find "$scratch"/player* -mindepth 1)"

# A player starts the game from anywhere: it runs in their own folder and
# writes config.txt there, never into the install. What it prints reaches
# the log as it goes, not only when it ends.
start_xvfb "$scratch"
cd /
"${as_player[@]}" DISPLAY="$display" setsid "$launcher" >"$scratch/out.txt" 2>&1 </dev/null &
game_pid=$!
log_has() { grep -qF "$1" "$state/last.log" 2>/dev/null; }
wait_for 1200 eval '[ -s "$player/config.txt" ] && log_has "Waiting for world to be loaded!" || ! kill -0 $game_pid' || true
[ -s "$player/config.txt" ] || { cat "$scratch/out.txt" >&2; fail "the game wrote no config.txt in $player"; }
log_has "Waiting for world to be loaded!" || fail "the running game's output is not in last.log"
for dir in shader textures models sounds; do
    [ -L "$player/$dir" ] || fail "$player/$dir is not a link to the installed data"
    [ "$(readlink -f "$player/$dir")" = "$(readlink -f "$prefix/share/games/mossgrave/$dir")" ] || fail "$dir links elsewhere"
done
[ ! -e "$prefix/libexec/mossgrave/config.txt" ] || fail "config.txt written into the install"
kill -TERM -- "-$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""
cp "$state/last.log" "$scratch/first.log"

# A damaged config.txt ends the game with 1. Through the launcher the
# console gets the same bytes on each stream as from the game alone, the log
# gets both streams and the run before moves to previous.log. Nobody sees a
# console here, so the dialog shows the error line and where the log is.
mkdir "$scratch/alone"
damage() { printf 'Anti-Aliasing_Factor=3\n' >"$1/config.txt"; }
damage "$scratch/alone"
status=0
(cd "$scratch/alone" && DISPLAY="$display" "$prefix/libexec/mossgrave/mossgrave" >../alone.out 2>../alone.err </dev/null) \
    || status=$?
[ "$status" -eq 1 ] || fail "the game alone ended a damaged config.txt with $status: $(cat "$scratch"/alone.*)"
make_dialog_stub "$stubs" zenity "$scratch/dialog.txt"
damage "$player"
status=0
"${as_player[@]}" DISPLAY="$display" "$launcher" >"$scratch/launched.out" 2>"$scratch/launched.err" </dev/null || status=$?
[ "$status" -eq 1 ] || fail "the launcher ended a damaged config.txt with $status"
cmp "$scratch/alone.out" "$scratch/launched.out" || fail "the launcher changed the standard output"
cmp "$scratch/alone.err" "$scratch/launched.err" || fail "the launcher changed the error stream"
[ "$(cat "$scratch/alone.out" "$scratch/alone.err" | sort)" = "$(sort "$state/last.log")" ] \
    || fail "last.log does not hold both streams: $(cat "$state/last.log")"
cmp "$scratch/first.log" "$state/previous.log" || fail "the run before is not kept as previous.log"
for text in --error "exit code 1" "Anti-Aliasing_Factor not valid!" "$state/last.log"; do
    grep -qF -e "$text" "$scratch/dialog.txt" || fail "the dialog lacks \"$text\": $(cat "$scratch/dialog.txt")"
done

# Started from a terminal, the terminal shows the error and no dialog comes.
rm "$scratch/dialog.txt"
damage "$player"
status=0
"${as_player[@]}" DISPLAY="$display" script -qec "'$launcher'" /dev/null >/dev/null </dev/null || status=$?
[ "$status" -eq 1 ] || fail "the launcher in a terminal ended with $status"
[ ! -e "$scratch/dialog.txt" ] || fail "a dialog came up although a terminal shows the error"

# No display: the game ends with 255 and says why on standard output only,
# so the dialog shows the last line of the log. Without any dialog program
# the launcher shows nothing and ends all the same.
installed() { [ -x "/usr/bin/$1" ] || [ -x "/bin/$1" ]; }
if ! installed zenity && ! installed kdialog; then
    rm "$stubs/zenity"
    make_dialog_stub "$stubs" notify-send "$scratch/notice.txt"
    status=0
    "${as_player[@]}" "$launcher" >"$scratch/nodisplay.out" 2>&1 </dev/null || status=$?
    [ "$status" -eq 255 ] || fail "without a display the launcher ended with $status"
    last=$(awk 'NF { last = $0 } END { print last }' "$scratch/nodisplay.out")
    [ -n "$last" ] || fail "the game without a display said nothing"
    for text in --app-name=Mossgrave "exit code 255" "$last" "$state/last.log"; do
        grep -qF -e "$text" "$scratch/notice.txt" || fail "the notice lacks \"$text\": $(cat "$scratch/notice.txt")"
    done
    if ! installed notify-send; then
        rm "$stubs/notify-send"
        status=0
        "${as_player[@]}" "$launcher" >/dev/null 2>&1 </dev/null || status=$?
        [ "$status" -eq 255 ] || fail "without a display or a dialog program the launcher ended with $status"
        grep -qF "$last" "$state/last.log" || fail "last.log lacks the reason"
    fi
fi

# Uninstalling removes the game and leaves the player's folders.
cmake -P "$build/packaging/uninstall.cmake" >/dev/null
left=$(find "$prefix" -type f -o -type l)
[ -z "$left" ] || fail "uninstall left: $left"
[ -s "$player/config.txt" ] || fail "uninstall removed the player's config.txt"
[ -s "$state/last.log" ] || fail "uninstall removed the player's log"
# Staged into DESTDIR (as packagers do), uninstall removes the files there
# and never touches the prefix of this machine, which the record names.
stage="$scratch/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr/local/mossgrave-test-prefix >/dev/null
[ -x "$stage/usr/local/mossgrave-test-prefix/games/mossgrave" ] || fail "nothing staged into DESTDIR"
cmake -P "$build/packaging/uninstall.cmake" >/dev/null
left=$(find "$stage" -type f -o -type l)
[ -z "$left" ] || fail "uninstall of a DESTDIR install left: $left"
echo "install, launch, log, dialogs and uninstall: ok"
