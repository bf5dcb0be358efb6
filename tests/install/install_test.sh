#!/usr/bin/env bash
# Installs the built game into a scratch prefix the way a player would, starts
# it through the launcher under a private X server, and uninstalls it again.
#   install_test.sh <build-dir>
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
game_pid=""
manifest="$build/install_manifest.txt"
# The test's install must not replace the manifest of a real install.
[ -f "$manifest" ] && cp "$manifest" "$scratch/manifest.saved"
cleanup() {
    [ -n "$game_pid" ] && kill -TERM -- "-$game_pid" 2>/dev/null || true
    if [ -f "$scratch/manifest.saved" ]; then cp "$scratch/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$scratch/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/mossgrave libexec/mossgrave/mossgrave share/applications/mossgrave.desktop \
         share/icons/hicolor/256x256/apps/mossgrave.png share/mossgrave/shader/gui.glsl \
         share/mossgrave/textures share/mossgrave/models/cat_body.obj share/mossgrave/sounds/end.wav; do
    [ -e "$prefix/$f" ] || fail "install lacks $f"
done
[ -x "$prefix/bin/mossgrave" ] || fail "launcher is not executable"
grep -qx "Exec=$prefix/bin/mossgrave" "$prefix/share/applications/mossgrave.desktop" \
    || fail "desktop entry does not name the launcher: $(grep Exec= "$prefix/share/applications/mossgrave.desktop")"
grep -qx "Icon=mossgrave" "$prefix/share/applications/mossgrave.desktop" || fail "desktop entry has no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/mossgrave.desktop"
fi

# A player starts the game from anywhere: it runs in their own folder and
# writes config.txt there, never into the install.
export XDG_DATA_HOME="$scratch/player data"
home="$XDG_DATA_HOME/mossgrave"
cd /
setsid xvfb-run -a -s "-screen 0 640x360x24" "$prefix/bin/mossgrave" >"$scratch/out.txt" 2>&1 &
game_pid=$!
for _ in $(seq 1 240); do
    [ -s "$home/config.txt" ] && break
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.5
done
[ -s "$home/config.txt" ] || { cat "$scratch/out.txt" >&2; fail "the game wrote no config.txt in $home"; }
for dir in shader textures models sounds; do
    [ -L "$home/$dir" ] || fail "$home/$dir is not a link to the installed data"
    [ "$(readlink -f "$home/$dir")" = "$(readlink -f "$prefix/share/mossgrave/$dir")" ] || fail "$dir links elsewhere"
done
[ ! -e "$prefix/libexec/mossgrave/config.txt" ] || fail "config.txt written into the install"
kill -TERM -- "-$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

# Uninstalling removes the game and leaves the player's folder.
cmake -P "$build/packaging/uninstall.cmake" >/dev/null
left=$(find "$prefix" -type f -o -type l)
[ -z "$left" ] || fail "uninstall left: $left"
[ -s "$home/config.txt" ] || fail "uninstall removed the player's config.txt"
echo "install, launch and uninstall: ok"
