#!/usr/bin/env bash
# The real player, started with a movie, switched to full screen and back from the keyboard:
# Alt+Enter makes its window cover the screen (as the X server sees it) and Escape gives it
# back its earlier rectangle; each of the nine accelerators works in the windowed frame and in
# full screen, where the menu bar is detached and even keys whose items are grayed arrive.
#
# Usage: fullscreen.sh PLAYER_EXE (a Linux path). Needs DISPLAY and xdotool. What the player
# shows is read from outside by player_probe.exe, built next to the player: the frame's
# rectangle and style, the buttons, the trackbar (0..200) and the status texts.
. "$(dirname "$0")/lib/common.sh"
use_probe
need_fixture clip320.avi

# A movie name of this run's own: the frame's title then finds this player and no other
# that shares the Wine server.
name="fs$$-$RANDOM.avi"
cp "$fixtures/clip320.avi" "$work/$name"
title="$name - Quillotrope"

launch_player player "$(windows_path "$work/$name")"
poll 60 window_titled "$title" || fail "no window titled \"$title\""
# Started with a movie, it plays at once.
probe_wait 20000 status1=Playing button.stop=1 || fail "the movie does not play at start"

# The X window's rectangle as the X server has it: "x y width height".
xgeometry() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$xwindow")"
    echo "$X $Y $WIDTH $HEIGHT"
}
read -r screen_w screen_h < <(xdotool getdisplaygeometry)

# Without a window manager nothing keeps the frame active, and another program of the same
# Wine server may take the activation (and with it the keyboard) at any time. A click in the
# video area's black margin activates the frame and gives it the keyboard focus; the probe
# confirms that before each key. The point is taken again after each switch.
click_x=
click_y=
aim() {
    read -r click_x click_y < <(fact host | tr ',' ' ' | awk '{ print $1 + 6, int(($2 + $4) / 2) }')
    [ -n "$click_x" ] || fail "no video area to click in"
}
activate() {
    local i
    for ((i = 0; i < 10; i++)); do
        activating_click "$click_x" "$click_y"
        probe_wait 1000 active=frame focus=frame && return 0
    done
    fail "the frame cannot be activated"
}

# press KEYS CONDITION...: the key, until its effect shows. A key that another program's
# window took never arrives and is sent again; one that arrived shows its effect well within
# the deadline, so no key counts twice.
presses=0
press() {
    local keys=$1 try
    shift
    for try in 1 2 3 4 5; do
        activate
        send "$keys"
        presses=$((presses + 1))
        probe_wait 3000 "$@" && return 0
    done
    fail "$mode: $keys: no $*"
}

# press_after KEYS1 KEYS2 CONDITION...: two keys, the effect of the pair awaited.
press_after() {
    local first=$1 second=$2 try
    shift 2
    for try in 1 2 3 4 5; do
        activate
        send "$first"
        send "$second"
        presses=$((presses + 2))
        probe_wait 3000 "$@" && return 0
    done
    fail "$mode: $first then $second: no $*"
}

# What the end of the movie does, reached by End and Space from a stopped or paused movie:
# "stops" (Stop: back to the start) or "repeats" (playing on from the start, and still
# playing a while later). Either way the movie is left stopped at its start.
outcome=
end_outcome() {
    press End trackbar=200
    press space status1=Stopped trackbar=0 '|' status1=Playing "trackbar<100"
    if grep -q '^matched=1' "$work/probe.out"; then
        outcome=stops
        return
    fi
    probe_wait 3000 status1=Playing "trackbar>30" || fail "$mode: the repeated movie stopped"
    outcome=repeats
    press ctrl+s status1=Stopped trackbar=0
}

# Ctrl+R shows nothing by itself (another process's menus cannot be read), so its effect is
# read from the end of the movie. A Ctrl+R that did not arrive is sent again.
toggle_repeat() { # the outcome expected once Repeat is toggled
    local try
    for try in 1 2 3; do
        activate
        send ctrl+r
        presses=$((presses + 1))
        end_outcome
        [ "$outcome" = "$1" ] && return 0
    done
    fail "$mode: Ctrl+R: the end of the movie still $outcome"
}

# --- Windowed: each accelerator where its item is enabled. -----------------------------------
mode=windowed
probe_wait 2000 menubar=1 toolbar.visible=1 || fail "$mode: no menu bar or toolbar"
aim
press space status1=Paused button.beginning=1 glyph=0
echo "ok: $mode Space pauses"
press End trackbar=200 status2=00:05/00:05
press Home trackbar=0 status2=00:00/00:05
press Next trackbar=40 status2=00:01/00:05
press Next trackbar=80 status2=00:02/00:05
press Prior trackbar=40 status2=00:01/00:05
echo "ok: $mode End, Home, Page Down, Page Up seek while paused"
press ctrl+s status1=Stopped trackbar=0 button.stop=0 status2=00:00/00:05
echo "ok: $mode Ctrl+S stops while paused"

# Stopped, Stop is grayed: the platform swallows Ctrl+S. Page Up, enabled, comes after it in
# the same queue; from the end (its last frame, 4.9 s) it goes one second back to 156 only if
# Ctrl+S did not bring the movie back to 0.
press End trackbar=200 status1=Stopped
press_after ctrl+s Prior trackbar=156 status1=Stopped status2=00:03/00:05
echo "ok: $mode Ctrl+S, its item grayed, does nothing"

end_outcome
[ "$outcome" = stops ] || fail "$mode: Repeat is on at start"
toggle_repeat repeats
echo "ok: $mode Ctrl+R makes the end play on from the start"

press ctrl+o "dialogs=Open"
"$run" "$probe" cancel "$title" </dev/null >/dev/null 2>&1
probe_wait 5000 "dialogs=" status1=Stopped || fail "$mode: the open dialog did not go"
echo "ok: $mode Ctrl+O shows the open dialog"

press space status1=Playing button.stop=1 button.beginning=0 glyph=1
press ctrl+s status1=Stopped trackbar=0 button.stop=0
echo "ok: $mode Space plays, Ctrl+S stops while playing"

# --- Alt+Enter: the window covers the screen. -------------------------------------------------
windowed_x=$(xgeometry)
windowed_rect=$(fact rect)
press alt+Return menubar=0 toolbar.visible=0 status.visible=0 style=0x94000000 \
    "rect=0,0,$screen_w,$screen_h"
covers() { [ "$(xgeometry)" = "0 0 $screen_w $screen_h" ]; }
poll 5 covers || fail "full screen: the X window is $(xgeometry), not the screen"
echo "ok: Alt+Enter covers the screen ($windowed_x -> $(xgeometry))"
aim

# --- Full screen: every accelerator arrives, grayed or not. -----------------------------------
mode=full-screen
press End trackbar=200 status2=00:05/00:05 status1=Stopped
# Stopped away from the start, Stop is grayed in the detached menu, and Ctrl+S arrives.
press ctrl+s trackbar=0 status1=Stopped status2=00:00/00:05
echo "ok: $mode Ctrl+S, its item grayed, stops at the start"
press Next trackbar=40
press Next trackbar=80
press Prior trackbar=40
press Home trackbar=0
echo "ok: $mode End, Page Down, Page Up, Home seek"
# The hidden controls keep following the state.
press space status1=Playing button.stop=1 button.beginning=0 glyph=1
press space status1=Paused button.beginning=1 glyph=0
echo "ok: $mode Space plays and pauses"
# Repeat on since the windowed part: Ctrl+R turns it off, and the end stops the movie.
toggle_repeat stops
echo "ok: $mode Ctrl+R turns Repeat off"
press ctrl+o "dialogs=Open"
"$run" "$probe" cancel "$title" </dev/null >/dev/null 2>&1
probe_wait 5000 "dialogs=" "rect=0,0,$screen_w,$screen_h" || fail "$mode: the open dialog did not go"
echo "ok: $mode Ctrl+O shows the open dialog"
press alt+Return menubar=1 toolbar.visible=1 status.visible=1 "rect=$windowed_rect"
back() { [ "$(xgeometry)" = "$windowed_x" ]; }
poll 5 back || fail "Alt+Enter again: the X window is $(xgeometry), not $windowed_x"
echo "ok: $mode Alt+Enter gives back the windowed frame"
aim

# --- Escape leaves full screen too. ------------------------------------------------------------
press alt+Return menubar=0 "rect=0,0,$screen_w,$screen_h"
poll 5 covers || fail "full screen again: the X window is $(xgeometry)"
aim
press Escape menubar=1 toolbar.visible=1 status.visible=1 "rect=$windowed_rect"
poll 5 back || fail "Escape: the X window is $(xgeometry), not $windowed_x"
echo "ok: Escape gives back the earlier rectangle ($(xgeometry))"
aim

# --- Alt+F4 ends the player with exit code 0. -------------------------------------------------
for try in 1 2 3; do
    player_ended && break
    activate
    send alt+F4
    poll 5 player_ended && break
done
poll 10 player_ended || fail "the player did not end after Alt+F4"
expect_exit_zero "$presses key presses; the player"
