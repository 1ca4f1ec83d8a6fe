# shellcheck shell=bash
# Sourced by the end-to-end scripts (its folder keeps it out of their list). It reads the
# script's first argument, the player's Linux path, and sets
#   exe       the player
#   root      the repository
#   run       cmake/wine-run, which runs a Windows program under Wine
#   fixtures  the generated movies
#   work      a fresh folder for the run's output, removed at the end unless the run failed
# A script that started the player with launch_player has its process in wine_pid; one that
# learnt the player's own process from its X window may put it in player_pid. Both are ended at
# exit if they still run: only the processes this script started.
set -u
exe=${1:?usage: $(basename "$0") PLAYER_EXE}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
run=$root/cmake/wine-run
fixtures=${QUILLOTROPE_FIXTURES:-$root/build/fixtures}
work=$(mktemp -d)
wine_pid=
player_pid=

finish() {
    local status=$?
    local p
    for p in "$player_pid" "$wine_pid"; do
        if [ -n "$p" ] && kill -0 "$p" 2>/dev/null; then
            kill "$p" 2>/dev/null
        fi
    done
    if [ -n "$wine_pid" ]; then
        wait "$wine_pid" 2>/dev/null
    fi
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "output kept in $work"
    fi
}
trap finish EXIT

# Says what failed, and what the script shows of the run (its fail_details, when it has one),
# and ends the script.
fail() {
    echo "FAIL: $*"
    if declare -F fail_details >/dev/null; then
        fail_details
    fi
    exit 1
}

# What every script drives the player with, and the player itself.
command -v xdotool >/dev/null || fail "xdotool is missing"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY"
[ -f "$exe" ] || fail "no player at $exe"

need_fixture() {
    [ -f "$fixtures/$1" ] || fail "no $fixtures/$1 (scripts/make-fixtures)"
}

# Polls a command every 0.1 s until it succeeds; once the deadline (seconds) has passed, it is
# tried a last time.
poll() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    shift
    while [ "$(date +%s%N)" -lt "$deadline" ]; do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# The path Wine gives a Linux file: the root is drive Z:.
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

# launch_player NAME [ARGUMENT...]: starts the player under Wine, its output in $work/NAME.out
# and $work/NAME.err. Wine runs a program named by a Linux path through start.exe, which passes
# on its exit code: wine_pid is that process, not the player's own.
launch_player() {
    local name=$1
    shift
    "$run" "$exe" "$@" </dev/null >"$work/$name.out" 2>"$work/$name.err" &
    wine_pid=$!
}

# window_titled TITLE [SEARCH OPTION...]: sets xwindow to the first X window titled exactly
# TITLE.
xwindow=
window_titled() {
    local title=$1
    shift
    xwindow=$(xdotool search "$@" --name "^${title//./\\.}\$" 2>/dev/null | head -1)
    [ -n "$xwindow" ]
}

# send KEYS: one key, or a chord "modifier+key" pressed one key at a time (sent all at once,
# chords have been seen to lose their modifier, and Alt+F4 to get lost).
send() {
    case $1 in
    *+*)
        xdotool keydown "${1%%+*}"
        sleep 0.15
        xdotool key "${1#*+}"
        sleep 0.15
        xdotool keyup "${1%%+*}"
        ;;
    *) xdotool key "$1" ;;
    esac
}

# activating_click X Y [XDOTOOL MOUSEMOVE OPTION...]: one click of the left button to activate
# a window. Two clicks on the video area closer than the double-click time and distance switch
# full screen, so successive calls alternate between two points 12 pixels apart.
activating_clicks=0
activating_click() {
    local x=$(($1 + activating_clicks % 2 * 12)) y=$2
    shift 2
    activating_clicks=$((activating_clicks + 1))
    xdotool mousemove "$@" "$x" "$y" click 1
}

player_ended() {
    ! kill -0 "$wine_pid" 2>/dev/null
}

# expect_exit_zero WHAT: the player ends within 30 s, with exit code 0.
expect_exit_zero() {
    poll 30 player_ended || fail "$1: the process did not end"
    wait "$wine_pid"
    local code=$?
    wine_pid=
    [ "$code" -eq 0 ] || fail "$1: exit code $code"
    echo "ok: $1 ended with exit code 0"
}

# --- The probe: player_probe.exe, built next to the player, reads the frame titled $title. --
probe=$(dirname "$exe")/player_probe.exe
title=

use_probe() {
    [ -f "$probe" ] || fail "no probe at $probe"
}

# The last probe's output, shown with a failure.
fail_details() {
    [ -s "$work/probe.out" ] && { echo "--- last probe"; cat "$work/probe.out"; }
}

# probe_wait MS KEY=VALUE...: the probe reads the player until all hold or MS have passed.
probe_wait() {
    local ms=$1
    shift
    "$run" "$probe" wait "$ms" "$title" "$@" </dev/null >"$work/probe.out" 2>&1
}

# The value of one fact the probe reports.
fact() {
    "$run" "$probe" show "$title" </dev/null >"$work/show.out" 2>&1
    sed -n "s/^$1=//p" "$work/show.out" | tr -d '\r'
}

# A point of a rectangle fact ("left,top,right,bottom"): 6 pixels inside its left edge, half way
# down, or its middle.
left_of() { fact "$1" | tr ',' ' ' | awk '{ print $1 + 6, int(($2 + $4) / 2) }'; }
middle_of() { fact "$1" | tr ',' ' ' | awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }'; }

# Starts the player on a copy of the seventy-minute movie under a name of its own (it never
# reaches its end while a test runs) and waits until it plays; sets title.
play_long_movie() { # name prefix
    need_fixture long70.avi
    local name
    name="$1$$-$RANDOM.avi"
    cp "$fixtures/long70.avi" "$work/$name"
    title="$name - Quillotrope"
    launch_player player "$(windows_path "$work/$name")"
    poll 60 window_titled "$title" || fail "no window titled \"$title\""
    probe_wait 20000 status1=Playing || fail "the movie does not play at start"
}

# Nothing keeps the frame active without a window manager: a click in the video area's black
# margin activates it. Waits for the probe's active=frame and any further facts given.
activate() {
    local i x y
    for ((i = 0; i < 10; i++)); do
        read -r x y < <(left_of host)
        activating_click "$x" "$y"
        probe_wait 1000 active=frame "$@" && return 0
    done
    fail "the frame cannot be activated"
}
