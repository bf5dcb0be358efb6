#!/usr/bin/env bash
# Plays the real game for a while on a private X server and prints its frame figures
# (the --frame-stats report): how fast a player's machine draws it with these settings.
#
#   scripts/frame_rate.sh [--run DIR] [--seconds N] [--defaults] [--turn] [--walk] [Key=Value ...]
#
# --run DIR     the run folder to play from (default build/release/run)
# --seconds N   how long to play after the world opens (default 30)
# --defaults    start with no config.txt, as a first start does
# --shot FILE   a screenshot of the last moment of play
# --turn        the player keeps turning (the mouse moves a little every few milliseconds), so the lamp
#               and the view change in most frames, as when a player looks around
# --walk        the player walks ahead (W held), so the view and the lamp move in every frame
# Key=Value     config.txt entries over the measuring defaults: 640 x 360 in a window,
#               anti-aliasing 1, shadow map 1, view distance 1, seed 7
# The player starts where the world puts him and looks ahead (standing unless --turn or --walk);
# nothing else runs.
set -euo pipefail
cd "$(dirname "$0")/.."

run=build/release/run
seconds=30
defaults=0
shot=""
turn=0
walk=0
overrides=()
while [ $# -gt 0 ]; do
  case "$1" in
    --run) run=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --defaults) defaults=1; shift ;;
    --shot) shot=$2; shift 2 ;;
    --turn) turn=1; shift ;;
    --walk) walk=1; shift ;;
    *=*) overrides+=("$1"); shift ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
run=$(cd "$run" && pwd)
[ -x "$run/mossgrave" ] || { echo "no game at $run/mossgrave" >&2; exit 2; }

work=$(mktemp -d)
display=""
game=""
cleanup() {
  [ -n "${turner:-}" ] && kill "$turner" 2>/dev/null || true
  [ -n "${walker:-}" ] && kill "$walker" 2>/dev/null || true
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  [ -n "$display" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for entry in shader textures models sounds; do ln -s "$run/$entry" "$work/$entry"; done
if [ $defaults -eq 0 ]; then
  {
    echo "Fullscreen=0 Width=640 Height=360 Window_Border=1 Anti-Aliasing_Factor=1"
    echo "Anisotropic_Filtering=1 Vsync=0 Shadowmap_Factor=1 Threads=2 Chunk_View_Distance=1"
    echo "World_Random_Seed=7 Show_FPS=0"
    for kv in "${overrides[@]}"; do echo "$kv"; done
  } > "$work/config.txt.new"
  # The first value of a key wins, so the overrides go first.
  { for kv in "${overrides[@]}"; do echo "$kv"; done; cat "$work/config.txt.new"; } > "$work/config.txt"
  rm "$work/config.txt.new"
fi

for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
Xvfb ":$display" -screen 0 1280x720x24 -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$work" && ALSOFT_DRIVERS=null exec "$run/mossgrave" --frame-stats "$work/frames.txt" >"$work/out.txt" 2>&1) &
game=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --name '^Mossgrave' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the game opened no window" >&2; cat "$work/out.txt" >&2; exit 1; }
sleep 2
xdotool key --window "$window" Return # Start Game
# Loading ends when the world's first chunks are ready; the figures count only frames of play.
turner=""
if [ $turn -eq 1 ]; then
  (while :; do xdotool mousemove_relative -- 2 0 2>/dev/null; sleep 0.005; done) &
  turner=$!
fi
walker=""
if [ $walk -eq 1 ]; then
  # Pressed anew every second: a key pressed while the world still loads is not held in play.
  (while :; do xdotool keyup --window "$window" w keydown --window "$window" w 2>/dev/null; sleep 1; done) &
  walker=$!
fi
sleep "$seconds"
[ -n "$turner" ] && kill "$turner" 2>/dev/null
[ -n "$walker" ] && kill "$walker" 2>/dev/null && xdotool keyup --window "$window" w
[ -n "$shot" ] && import -window root "$shot"
xdotool key --window "$window" Escape # pause ...
sleep 1
xdotool key --window "$window" Up Return # ... and the last entry quits
for _ in $(seq 600); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
game=""
cat "$work/frames.txt"
