#!/usr/bin/env bash
# The real executable, started without arguments: its frame "Quillotrope" appears, no dialog
# opens, and File > Exit ends the process with exit code 0. A second run, closed with Alt+F4,
# ends with 0 too. $1 is the executable's path; DISPLAY comes from the environment.
set -u

exe=${1:?usage: startup.sh <quillotrope.exe>}
root=$(cd "$(dirname "$0")/../.." && pwd)
run=$root/cmake/wine-run
work=$(mktemp -d)
pid=

cleanup() {
    # Only the process this script started.
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for f in "$work"/*.out "$work"/*.err; do
        [ -s "$f" ] && { echo "--- $f"; tail -20 "$f"; }
    done
    exit 1
}

# Polls a command every 0.1 s until it succeeds or the deadline (seconds) passes.
poll() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Wine runs a program named by a Unix path through start.exe, which passes on its exit code:
# $pid is start.exe, $xpid the player whose X windows carry _NET_WM_PID.
frame=
xpid=

frame_shown() {
    frame=$(xdotool search --onlyvisible --name '^Quillotrope$' 2>/dev/null | head -1)
    [ -n "$frame" ] && xpid=$(xdotool getwindowpid "$frame" 2>/dev/null) && [ -n "$xpid" ]
}

# Visible X windows of the player besides the frame (a dialog, a popup menu), one a line.
other_windows() {
    xdotool search --all --onlyvisible --pid "$xpid" --name '.*' 2>/dev/null | grep -vx "$frame"
}

has_other_window() {
    [ -n "$(other_windows)" ]
}

process_ended() {
    ! kill -0 "$pid" 2>/dev/null
}

start_player() {
    "$run" "$exe" </dev/null >"$work/$1.out" 2>"$work/$1.err" &
    pid=$!
    poll 60 frame_shown || fail "$1: no visible window titled Quillotrope"
    # A dialog at start-up would be a second top-level window; give one a moment to show.
    if poll 2 has_other_window; then
        fail "$1: a window besides the frame: $(for w in $(other_windows); do
            xdotool getwindowname "$w"; done | tr '\n' ' ')"
    fi
}

# Without a window manager, X focus alone does not activate a Wine window; a click in the
# video area does (and the frame takes the keyboard focus from it).
activate() {
    xdotool mousemove --window "$frame" 200 150 click 1
}

expect_exit_zero() {
    poll 30 process_ended || fail "$1: the process did not end"
    wait "$pid"
    local code=$?
    pid=
    [ "$code" -eq 0 ] || fail "$1: exit code $code"
    echo "ok: $1 ended with exit code 0"
}

command -v xdotool >/dev/null || fail "xdotool is missing"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY"
[ -f "$exe" ] || fail "no executable at $exe"

# Run 1: File > Exit from the keyboard. Click and keys are sent again until the File menu
# shows, since a freshly shown window may not take the first ones.
start_player exit-menu
open_file_menu() {
    has_other_window && return 0
    activate
    xdotool key --clearmodifiers alt+f
    poll 1 has_other_window
}
poll 20 open_file_menu || fail "exit-menu: the File menu did not open"
xdotool key x
expect_exit_zero exit-menu

# Run 2: Alt+F4, handled by the platform as the system menu's Close.
start_player alt-f4
close_frame() {
    process_ended && return 0
    activate
    xdotool key --clearmodifiers alt+F4
    poll 1 process_ended
}
poll 20 close_frame || fail "alt-f4: the process did not end"
expect_exit_zero alt-f4
