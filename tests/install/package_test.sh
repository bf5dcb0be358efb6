#!/usr/bin/env bash
# Builds the Debian package from a Release build folder with cpack and checks
# it: its control fields, its file list, the metadata, the man page and
# lintian, everywhere. Where it runs as root (as CI does) it also installs the
# package with apt-get, asks the installed game its version, starts it from
# the desktop entry under a private X server to its main menu, quits it, and
# removes the package again, leaving the machine's packages as they were.
#   package_test.sh <build-dir> <version>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
build=$(cd "$1" && pwd)
version=$2
scratch=$(mktemp -d)
game_pid=""
xvfb_pid=""
installed_by_us=false
# cpack installs from this build folder too: keep the record of a real install.
records=("$build/install_manifest.txt" "$build/packaging/install_destdir.txt")
for i in "${!records[@]}"; do
    [ -f "${records[$i]}" ] && cp "${records[$i]}" "$scratch/record.$i"
done
apt_quiet=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300)
cleanup() {
    [ -n "$game_pid" ] && kill -TERM -- "-$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if $installed_by_us; then
        "${apt_quiet[@]}" purge mossgrave >/dev/null 2>&1 || true
    fi
    for i in "${!records[@]}"; do
        if [ -f "$scratch/record.$i" ]; then cp "$scratch/record.$i" "${records[$i]}"; else rm -f "${records[$i]}"; fi
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1) \
    || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb="$scratch/cpack/mossgrave_${version}_$arch.deb"
[ -f "$deb" ] || fail "cpack wrote no $(basename "$deb"): $(ls "$scratch/cpack")"

# The control fields; the libraries come from the binary, the font by name.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mossgrave ] && [ "$(field Version)" = "$version" ] && [ "$(field Architecture)" = "$arch" ] \
    && [ "$(field Section)" = games ] || fail "control fields: $(dpkg-deb -f "$deb")"
for dependency in fonts-dejavu-core libc6 libglfw3 libopenal1 libcairo2; do
    field Depends | grep -qE "(^|, )$dependency( |,|$)" || fail "Depends lacks $dependency: $(field Depends)"
done

# The file list: everything below /usr, in the places Debian gives a game.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$scratch/files.txt"
for f in /usr/games/mossgrave /usr/libexec/mossgrave/mossgrave /usr/share/games/mossgrave/shader/gui.glsl \
         /usr/share/games/mossgrave/textures/menu.png /usr/share/games/mossgrave/models/cat_body.obj \
         /usr/share/games/mossgrave/sounds/end.wav /usr/share/doc/mossgrave/copyright \
         /usr/share/doc/mossgrave/changelog.gz /usr/share/man/man6/mossgrave.6.gz; do
    grep -qx "$f" "$scratch/files.txt" || fail "the package lacks $f"
done
outside=$(grep -v '^/usr/' "$scratch/files.txt" | grep -vx '/' || true)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"
! grep -q 'README' "$scratch/files.txt" || fail "the package ships developer notes: $(grep README "$scratch/files.txt")"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for size in 48 64 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x$size/apps/mossgrave.png" | grep -q "PNG image data, $size x $size" \
        || fail "no $size-pixel icon"
done
desktop=$(echo "$root"/usr/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no metainfo named after the desktop entry $id"
grep -qx "Exec=/usr/games/mossgrave" "$desktop" || fail "the desktop entry starts $(grep Exec= "$desktop")"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
grep -q "<binary>mossgrave</binary>" "$metainfo" || fail "the metainfo provides no binary"
[ "$(zcat "$root/usr/share/doc/mossgrave/changelog.gz" | head -n 1)" = "mossgrave ($version) unstable; urgency=medium" ] \
    || fail "the changelog does not begin with $version"
grep -q "^License: GPL-3.0-or-later$" "$root/usr/share/doc/mossgrave/copyright" || fail "the copyright names no licence"

# The validators of the desktop, the store and the man page, and lintian.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --explain "$metainfo" >"$scratch/appstream.txt" 2>&1 \
        && ! grep -qE '^[EW]:' "$scratch/appstream.txt" || { cat "$scratch/appstream.txt" >&2; fail "appstreamcli validate"; }
fi
zcat "$root/usr/share/man/man6/mossgrave.6.gz" | groff -ww -z -man 2>"$scratch/groff.txt" && [ ! -s "$scratch/groff.txt" ] \
    || fail "the man page: $(cat "$scratch/groff.txt")"
if command -v lintian >/dev/null; then
    # Warnings are printed for a person to read; an error fails.
    status=0
    lintian --fail-on error "$deb" >"$scratch/lintian.txt" 2>&1 || status=$?
    grep -v "running with root privileges" "$scratch/lintian.txt" || true
    [ "$status" -eq 0 ] && ! grep -q '^E:' "$scratch/lintian.txt" || fail "lintian found errors"
else
    echo "lintian is not installed: not run"
fi

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "package built and checked; installing it needs root: skipped"
    exit 0
fi
if dpkg-query -W -f='${Status}' mossgrave 2>/dev/null | grep -q "ok installed"; then
    echo "mossgrave is installed on this machine already: the package test leaves it alone"
    exit 0
fi

# Installed as a player would install it.
installed_packages() { dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' | awk '$1 ~ /^.i/ { print $2 }' | sort; }
installed_packages >"$scratch/before.txt"
installed_by_us=true
"${apt_quiet[@]}" install --no-install-recommends "$deb" >"$scratch/apt.txt" 2>&1 \
    || { cat "$scratch/apt.txt" >&2; fail "apt-get install"; }
dpkg -L mossgrave >"$scratch/installed.txt"

home="$scratch/player home"
mkdir -p "$home"
player_env=(env -i HOME="$home" PATH=/usr/local/games:/usr/games:/usr/bin:/bin)
"${player_env[@]}" mossgrave --version >"$scratch/version.txt" </dev/null || fail "the installed --version failed"
[ "$(head -n 1 "$scratch/version.txt")" = "mossgrave $version" ] || fail "installed --version: $(cat "$scratch/version.txt")"
[ -z "$(ls -A "$home")" ] || fail "--version wrote into the player's home"
if command -v man >/dev/null; then
    [ "$(man -w 6 mossgrave)" = /usr/share/man/man6/mossgrave.6.gz ] || fail "man does not find mossgrave(6)"
fi

# Started from the menu's entry, the game reaches its main menu: "Start
# Game" is drawn in green on the menu's picture.
start_xvfb "$scratch"
mkdir -p "$home/.local/share/mossgrave"
write_small_config "$home/.local/share/mossgrave/config.txt"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/"$id".desktop)
cd /
"${player_env[@]}" DISPLAY="$display" ALSOFT_DRIVERS=null setsid $exec_line >"$scratch/out.txt" 2>&1 </dev/null &
game_pid=$!
menu_shown() {
    kill -0 "$game_pid" 2>/dev/null || return 0
    import -display "$display" -window root "$scratch/shot.png" 2>/dev/null || return 1
    local green
    green=$(convert "$scratch/shot.png" -crop 240x45+200+190 +repage -fx '(g>0.6 && r<0.4 && b<0.4)' \
        -format '%[fx:mean]' info: 2>/dev/null) || return 1
    awk -v g="$green" 'BEGIN { exit !(g > 0.01) }'
}
wait_for 900 menu_shown || fail "no main menu after 90 s"
kill -0 "$game_pid" 2>/dev/null || { cat "$scratch/out.txt" >&2; fail "the installed game ended before its menu"; }
window=$(DISPLAY="$display" xdotool search --name '^Mossgrave$' | head -n 1)
DISPLAY="$display" xdotool windowfocus "$window" key Escape
wait_for 300 eval '! kill -0 $game_pid 2>/dev/null' || fail "Escape in the main menu did not end the game"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { cat "$scratch/out.txt" >&2; fail "the installed game ended with $status"; }
grep -q "Terminated!" "$home/.local/state/mossgrave/last.log" || fail "last.log does not hold the game's end"

# Removed, it leaves none of its files, and the machine has the packages it had.
"${apt_quiet[@]}" remove mossgrave >"$scratch/apt.txt" 2>&1 || { cat "$scratch/apt.txt" >&2; fail "apt-get remove"; }
while IFS= read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then fail "apt-get remove left $path"; fi
done <"$scratch/installed.txt"
installed_packages >"$scratch/after.txt"
added=$(comm -13 "$scratch/before.txt" "$scratch/after.txt")
if [ -n "$added" ]; then
    # Dependencies the package pulled in go again.
    "${apt_quiet[@]}" purge $added >/dev/null 2>&1 || true
    installed_packages >"$scratch/after.txt"
fi
cmp -s "$scratch/before.txt" "$scratch/after.txt" || fail "the machine's packages changed: $(diff "$scratch/before.txt" "$scratch/after.txt")"
installed_by_us=false
echo "package built, checked, installed, started to the menu and removed: ok"
