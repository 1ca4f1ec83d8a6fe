#!/usr/bin/env bash
# The keyboard's media keys on the real player: XF86AudioPlay pauses a playing movie and plays
# a paused or stopped one, XF86AudioStop stops it. Wine turns the keys into WM_APPCOMMAND for
# the window with the keyboard focus, which passes it up to the frame: so they work with the
# focus on the frame after a click on the trackbar or the picture, with the focus on a child
# (the trackbar, the picture), and in full screen.
#
# Usage: mediakeys.sh PLAYER_EXE (a Linux path). Needs DISPLAY and xdotool; reads the player
# with player_probe.exe, built next to it.
. "$(dirname "$0")/lib/common.sh"
use_probe
# Seventy minutes long: it never reaches its end while the keys are tried.
play_long_movie keys

# Where the keyboard focus is before each key, set after the activating click: "frame" leaves
# it there; "click-trackbar" and "click-picture" click there, after which the player gives it
# back to the frame; "trackbar" and "movie" put it on that child (player_probe focus).
focus_on=frame
focus_class=frame
prepare() {
    local x y
    activate focus=frame
    case $focus_on in
    click-trackbar | click-picture)
        read -r x y < <(middle_of "$([ "$focus_on" = click-trackbar ] && echo trackbar.rect ||
            echo movie)")
        xdotool mousemove "$x" "$y" click 1
        probe_wait 1000 active=frame focus=frame || fail "$what: the click kept the focus"
        ;;
    trackbar | movie)
        "$run" "$probe" focus "$title" "$focus_on" </dev/null >/dev/null 2>&1 ||
            fail "$what: the focus cannot be given to the $focus_on"
        probe_wait 1000 active=frame "focus=$focus_class" ||
            fail "$what: the focus is not on the $focus_on"
        ;;
    esac
}

# media KEYSYM STATE: the key, until the state text shows STATE. A key another window took
# never arrives and is sent again; one that arrived shows its effect well within the deadline,
# so no key counts twice.
keys=0
media() {
    local key=$1 state=$2
    for _ in 1 2 3 4 5; do
        prepare
        xdotool key "$key"
        keys=$((keys + 1))
        if probe_wait 3000 "status1=$state"; then
            # The key came where it was meant to: the focus is where it was put.
            probe_wait 1000 "focus=$focus_class" || fail "$what: the focus moved"
            return 0
        fi
    done
    fail "$what: $key does not give \"$state\""
}

# The round every place gets: Play pauses, plays, Stop stops, Play plays from the stop. A Stop
# at a stopped movie leaves it stopped, and the Play after it still plays.
round() {
    media XF86AudioPlay Paused
    media XF86AudioPlay Playing
    media XF86AudioStop Stopped
    probe_wait 1000 trackbar=0 || fail "$what: Stop did not go back to the start"
    media XF86AudioStop Stopped
    media XF86AudioPlay Playing
    echo "ok: $what: Play pauses and plays, Stop stops"
}

# where FOCUS CLASS WHAT: the next rounds put the focus so (prepare), where the probe names
# its window's class CLASS.
where() {
    focus_on=$1 focus_class=$2 what=$3
}

where frame frame "windowed, the focus on the frame"
round
where click-trackbar frame "windowed, after a click on the trackbar"
round
where click-picture frame "windowed, after a click on the picture"
round
where trackbar msctls_trackbar32 "windowed, the focus on the trackbar"
round
where movie MCIWndClass "windowed, the focus on the picture"
round

# --- Full screen. -------------------------------------------------------------------------------
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
where frame frame "Alt+Enter"
for _ in 1 2 3 4 5; do
    prepare
    send alt+Return
    probe_wait 3000 menubar=0 "rect=0,0,$screen_w,$screen_h" && break
done
probe_wait 1000 menubar=0 || fail "Alt+Enter: no full screen"
where frame frame "full screen"
round
where click-picture frame "full screen, after a click on the picture"
round
where movie MCIWndClass "full screen, the focus on the picture"
round

"$run" "$probe" close "$title" </dev/null >/dev/null 2>&1
expect_exit_zero "$keys media keys; the player"
