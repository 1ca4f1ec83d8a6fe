#!/usr/bin/env bash
# The mouse after full screen under a window manager: the real player on a private Xvfb with
# Debian's openbox and a prefix whose windows the manager manages. Open a clip, Alt+Enter,
# right-click the picture, Escape (the menu), Escape (full screen): a click on the Play/Pause
# button then plays the movie, and a right click shows the menu. Wine 8 left a screen-wide
# window over everything here (docs/platform.md); the player takes it away when it leaves
# full screen.
#
# Usage: openbox.sh PLAYER_EXE (a Linux path). Needs Xvfb, openbox and xdotool; reads the player
# with player_probe.exe, built next to it. Skipped (77) when openbox is not installed.
. "$(dirname "$0")/lib/alone.sh"
. "$(dirname "$0")/lib/common.sh"
use_probe
need_fixture clip320.avi
command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }

# A display and a Wine server of this script's own: the window manager must not meet the
# tests' display, and the managed prefix needs its own server.
xvfb_pid=
openbox_pid=
stop_all() {
    WINEPREFIX=$managed wineserver -k </dev/null >/dev/null 2>&1
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap 'status=$?; stop_all; (exit $status); finish' EXIT
managed=$root/build/wineprefix-openbox
for n in $(seq 200 299); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    poll 5 test -e "/tmp/.X11-unix/X$n" && break
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || fail "no display for openbox"
export DISPLAY=:$n
openbox </dev/null >/dev/null 2>&1 &
openbox_pid=$!
export WINEPREFIX
WINEPREFIX=$(WINEPREFIX=$managed "$root/scripts/wine-prefix") || fail "no managed prefix"
wineserver -p </dev/null >/dev/null 2>&1

name="ob$$-$RANDOM.avi"
cp "$fixtures/clip320.avi" "$work/$name"
title="$name - Quillotrope"
middle_of() { fact "$1" | tr ',' ' ' | awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }'; }
read -r screen_w screen_h < <(xdotool getdisplaygeometry)

launch_player player "$(windows_path "$work/$name")"
poll 60 window_titled "$title" || fail "no window titled \"$title\""
# Repeat off: the 5 s clip ends and stops; what follows starts from "Stopped".
probe_wait 20000 status1=Stopped || fail "the movie did not play to its end"

read -r x y < <(middle_of movie)
activating_click "$x" "$y"
probe_wait 3000 active=frame || fail "the frame is not active"
send alt+Return
probe_wait 5000 menubar=0 "rect=0,0,$screen_w,$screen_h" || fail "no full screen"
# The window manager has the X window cover the screen a little later.
covers() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$xwindow")"
    [ "$X $Y $WIDTH $HEIGHT" = "0 0 $screen_w $screen_h" ]
}
poll 10 covers || fail "the X window does not cover the screen"
read -r x y < <(middle_of movie)
xdotool mousemove "$x" "$y" click 3
probe_wait 5000 popups=1 || fail "no context menu in full screen"
xdotool key Escape
probe_wait 3000 popups=0 || fail "Escape did not close the menu"
xdotool key Escape
probe_wait 5000 menubar=1 toolbar.visible=1 || fail "Escape did not leave full screen"
echo "ok: full screen, its context menu and back"

# The Play/Pause button: the toolbar's first button, just above the video area's left end.
read -r hx hy < <(fact host | tr ',' ' ' | awk '{ print $1 + 12, $2 - 14 }')
xdotool mousemove "$hx" "$hy" click 1
probe_wait 5000 status1=Playing || fail "a click on Play/Pause did nothing"
echo "ok: the Play/Pause button plays after full screen and its menu"
read -r x y < <(middle_of movie)
xdotool mousemove "$x" "$y" click 3
probe_wait 5000 popups=1 || fail "a right click shows no menu"
xdotool key Escape
echo "ok: a right click shows the context menu"

"$run" "$probe" close "$title" </dev/null >/dev/null 2>&1
expect_exit_zero "the player"
