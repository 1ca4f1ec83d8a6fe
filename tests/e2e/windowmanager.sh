#!/usr/bin/env bash
# The frame's floor under a window manager: on a private Xvfb with openbox, the manager is asked
# for a frame of 150 x 90 and the frame stays at least 400 x 320. A manager resizes the window
# itself and Wine sends no WM_SIZING for that: only WM_GETMINMAXINFO's minimum tracking size,
# which Wine hands to the manager as a size hint, keeps the floor.
#
# The tests' Wine prefix tells Wine to manage its windows itself (no manager on their display).
# Rather than a second prefix (about 20 s to make, and its disk), the player runs here as a copy
# under a name of its own, for which the prefix's per-program settings let the manager manage.
#
# Usage: windowmanager.sh PLAYER_EXE (a Linux path). Needs Xvfb, openbox, xdotool and xprop;
# the frame's rectangle is read by player_probe.exe, built next to the player.
. "$(dirname "$0")/lib/common.sh"
probe=$(dirname "$exe")/player_probe.exe
[ -f "$probe" ] || fail "no probe at $probe"
need_fixture clip160.avi
for tool in Xvfb openbox xprop; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-packages)"
done

xvfb_pid=
wm_pid=
fail_details() {
    [ -s "$work/probe.out" ] && { echo "--- last probe"; cat "$work/probe.out"; }
    [ -s "$work/openbox.err" ] && { echo "--- openbox"; tail -5 "$work/openbox.err"; }
}
stop_display() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait "$wm_pid" "$xvfb_pid" 2>/dev/null
}
# The common clean-up first (it ends the player), then the display and its manager.
trap 'status=$?; (exit $status); finish; stop_display; exit $status' EXIT
trap 'exit 130' INT TERM

# --- A private display with openbox. ---------------------------------------------------------
# Xvfb picks a free display number itself and writes it to the given descriptor: no race with
# other displays being started on the machine.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" </dev/null \
    >"$work/xvfb.err" 2>&1 &
xvfb_pid=$!
display_up() { [ -s "$work/display" ] && kill -0 "$xvfb_pid" 2>/dev/null; }
poll 10 display_up || fail "could not start Xvfb"
n=$(head -1 "$work/display")
export DISPLAY=:$n
manager_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# openbox has been seen to end at once, silently, on a loaded machine: it is started again then.
for _ in 1 2 3; do
    openbox --sm-disable </dev/null >/dev/null 2>>"$work/openbox.err" &
    wm_pid=$!
    wm_alive() { manager_up || ! kill -0 "$wm_pid" 2>/dev/null; }
    poll 30 wm_alive
    manager_up && break
done
manager_up || fail "openbox did not start on $DISPLAY ($(xprop -root 2>&1 | head -3 | tr '\n' ' '); $(kill -0 "$wm_pid" 2>&1 && echo running))"

# --- The player, managed. --------------------------------------------------------------------
managed_exe=$work/quillotrope-managed.exe
cp "$exe" "$managed_exe"
"$run" reg add 'HKCU\Software\Wine\AppDefaults\quillotrope-managed.exe\X11 Driver' \
    /v Managed /d Y /f </dev/null >"$work/reg.out" 2>&1 || fail "could not set Managed for the copy"
exe=$managed_exe

name="wm$$-$RANDOM.avi"
cp "$fixtures/clip160.avi" "$work/$name"
title="$name - Quillotrope"
launch_player player "$(windows_path "$work/$name")"
poll 60 window_titled "$title" --onlyvisible || fail "no window titled \"$title\""
"$run" "$probe" wait 20000 "$title" status1=Playing </dev/null >"$work/probe.out" 2>&1 ||
    fail "the movie does not play"

# The frame's outer size as Windows has it: "width height".
frame_size() {
    "$run" "$probe" show "$title" </dev/null >"$work/probe.out" 2>&1
    sed -n 's/^rect=//p' "$work/probe.out" | tr -d '\r' | awk -F, '{ print $3 - $1, $4 - $2 }'
}
size=
size_is_not() {
    size=$(frame_size)
    [ -n "$size" ] && [ "$size" != "$1" ]
}

# Larger first, so that the small request has something to change and a manager that ignored
# requests altogether could not pass.
start=$(frame_size)
xdotool windowsize "$xwindow" 700 520
poll 10 size_is_not "$start" || fail "the manager did not resize the frame (still $start)"
read -r w h <<<"$size"
[ "$w" -gt 500 ] && [ "$h" -gt 400 ] || fail "asked for 700 x 520, the frame is $w x $h"
echo "ok: the manager made the frame $w x $h"

large=$size
xdotool windowsize "$xwindow" 150 90
poll 10 size_is_not "$large" || fail "the manager did not resize the frame (still $large)"
# A second look after a pause-free poll: the size must have settled, not passed through.
poll 2 size_is_not "" && read -r w h <<<"$(frame_size)"
[ "$w" -ge 400 ] && [ "$h" -ge 320 ] || fail "asked for 150 x 90, the frame is $w x $h"
echo "ok: asked for 150 x 90, the frame is $w x $h"

# Closed as a user would under the manager: Alt+F4 is openbox's close.
player_pid=$(xdotool getwindowpid "$xwindow" 2>/dev/null)
xdotool windowactivate --sync "$xwindow" 2>/dev/null
xdotool key --clearmodifiers alt+F4
expect_exit_zero "closed with Alt+F4 under openbox"
