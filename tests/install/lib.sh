# Helpers of the install tests, sourced by them.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# wait_for TRIES COMMAND...: runs COMMAND every tenth of a second until it
# succeeds, at most TRIES times.
wait_for() {
    local tries=$1
    shift
    for _ in $(seq 1 "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# start_xvfb DIR: a private X server on a display nobody uses (the server
# picks it and tells), stopped by the caller through $xvfb_pid. Sets $display.
# Without -noreset the server resets whenever its last client leaves, and a
# game connecting just then is told there is no display.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 640x360x24 -nolisten tcp -noreset 3>"$1/display" >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_for 200 test -s "$1/display" || fail "Xvfb did not start: $(cat "$1/xvfb.log")"
    display=":$(head -n 1 "$1/display")"
}

# The settings of a small, cheap game in a window filling the private screen.
write_small_config() {
    printf '%s\n' Fullscreen=0 Width=640 Height=360 Window_Border=0 Anti-Aliasing_Factor=1 \
        Anisotropic_Filtering=1 Shadowmap_Factor=1 Threads=2 Chunk_View_Distance=0 World_Random_Seed=7 >"$1"
}

# A stand-in for a dialog program: it writes each argument it gets on a line of FILE.
# make_dialog_stub DIR NAME FILE
make_dialog_stub() {
    mkdir -p "$1"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$3" >"$1/$2"
    chmod +x "$1/$2"
}
