#!/usr/bin/env bash
# The real executable, started without arguments: its frame "Quillotrope" appears, no dialog
# opens, and File > Exit ends the process with exit code 0. A second run, closed with Alt+F4,
# ends with 0 too. $1 is the executable's path; DISPLAY comes from the environment.
. "$(dirname "$0")/lib/common.sh"

fail_details() {
    for f in "$work"/*.out "$work"/*.err; do
        [ -s "$f" ] && { echo "--- $f"; tail -20 "$f"; }
    done
}

# $wine_pid is start.exe, $xpid the player whose X windows carry _NET_WM_PID.
frame=
xpid=

frame_shown() {
    window_titled Quillotrope --onlyvisible && frame=$xwindow &&
        xpid=$(xdotool getwindowpid "$frame" 2>/dev/null) && [ -n "$xpid" ]
}

# Visible X windows of the player besides the frame (a dialog, a popup menu), one a line.
other_windows() {
    xdotool search --all --onlyvisible --pid "$xpid" --name '.*' 2>/dev/null | grep -vx "$frame"
}

has_other_window() {
    [ -n "$(other_windows)" ]
}

start_player() {
    launch_player "$1"
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
    activating_click 200 150 --window "$frame"
}

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
    player_ended && return 0
    activate
    xdotool key --clearmodifiers alt+F4
    poll 1 player_ended
}
poll 20 close_frame || fail "alt-f4: the process did not end"
expect_exit_zero alt-f4
