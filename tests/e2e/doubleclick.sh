#!/usr/bin/env bash
# The real player under Wine on Xvfb, double-clicked with the real mouse through the X server
# (xdotool): a double click on the picture or on the video area beside it switches full screen
# on and off, with a movie and without one; a second click after the double-click time does
# not switch.
#
# Usage: doubleclick.sh PLAYER_EXE (a Linux path). Needs DISPLAY and xdotool; reads the player
# with player_probe.exe, built next to it.
. "$(dirname "$0")/lib/common.sh"
use_probe
need_fixture clip160.avi

read -r screen_w screen_h < <(xdotool getdisplaygeometry)
full="rect=0,0,$screen_w,$screen_h"

# The middle of a rectangle fact ("left,top,right,bottom"), or a point 6 pixels inside its
# top-left corner.
middle_of() { fact "$1" | tr ',' ' ' | awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }'; }
corner_of() { fact "$1" | tr ',' ' ' | awk '{ print $1 + 6, $2 + 6 }'; }

# double_click X Y DELAY_MS: two clicks of the left button at a point.
double_click() {
    xdotool mousemove "$1" "$2" sleep 0.3 click --repeat 2 --delay "$3" 1
}

# The X server stamps each click when it handles it, and Wine gives the window that time; on
# a loaded machine the two requests of a pair can reach the server closer together or further
# apart than xdotool spaced them. So a pair that did not come out as meant is tried again, and
# only a result that every try gives counts.

# double_click_until WHERE DELAY CONDITION...: a pair of clicks at the point WHERE prints,
# DELAY ms apart, until the probe sees the conditions (at most three pairs).
double_click_until() {
    local where=$1 delay=$2 try x y
    shift 2
    for try in 1 2 3; do
        read -r x y < <($where)
        double_click "$x" "$y" "$delay"
        probe_wait 4000 "$@" && return 0
    done
    return 1
}

# switches WHERE WHAT: a double click at the point WHERE prints switches the player to full
# screen, and another one (the point taken again) back to the rectangle it had.
switches() {
    local where=$1 what=$2 windowed
    windowed=$(fact rect)
    double_click_until "$where" 80 menubar=0 toolbar.visible=0 "$full" ||
        fail "$what: no full screen"
    double_click_until "$where" 80 menubar=1 toolbar.visible=1 "rect=$windowed" ||
        fail "$what: the second double click did not bring back $windowed"
    echo "ok: $what: a double click switches full screen on and off"
}

# slow_does_not_switch WHERE WHAT: a second click 1200 ms after the first (the platform's
# double-click time is 500 ms) leaves the frame as it was.
slow_does_not_switch() {
    local where=$1 what=$2 windowed try x y
    windowed=$(fact rect)
    for try in 1 2 3; do
        read -r x y < <($where)
        double_click "$x" "$y" 1200
        # Time enough for a switch to show if it came.
        if ! probe_wait 1500 menubar=0; then
            probe_wait 1000 menubar=1 "rect=$windowed" || fail "$what: the frame changed"
            echo "ok: $what: a slow second click does not switch"
            return 0
        fi
        echo "note: $what: the slow pair reached the player as a double click; again"
        double_click_until "$where" 80 menubar=1 "rect=$windowed" || fail "$what: cannot go back"
    done
    fail "$what: a slow second click switched every time"
}

# --- Without a movie: the video area. --------------------------------------------------------
title=Quillotrope
launch_player bare
poll 60 window_titled "$title" || fail "no window titled \"$title\""
probe_wait 10000 menubar=1 || fail "the bare player shows no frame"
area() { corner_of host; }
switches area "no movie, the video area"
slow_does_not_switch area "no movie, the video area"
"$run" "$probe" close "$title" </dev/null >/dev/null 2>&1
expect_exit_zero "the bare player"

# --- With a movie: the picture and the area beside it. ---------------------------------------
name="dbl$$-$RANDOM.avi"
cp "$fixtures/clip160.avi" "$work/$name"
title="$name - Quillotrope"
launch_player player "$(windows_path "$work/$name")"
poll 60 window_titled "$title" || fail "no window titled \"$title\""
probe_wait 20000 status1=Playing || fail "the movie does not play at start"
picture() { middle_of movie; }
switches picture "a movie, the picture"
switches area "a movie, the video area beside the picture"
slow_does_not_switch picture "a movie, the picture"
"$run" "$probe" close "$title" </dev/null >/dev/null 2>&1
expect_exit_zero "the player"
