#!/usr/bin/env bash
# The mouse pointer over the real player, moved through the X server (xdotool): in full screen
# it hides once the mouse has been still over the picture for 2 s, and not before; a move
# shows it again at once, and so does leaving full screen with Escape. In the windowed frame it
# never hides. Whether it shows is what the platform reports to any process (GetCursorInfo,
# read by the probe); see the platform notes on the mouse pointer.
#
# Usage: pointer.sh PLAYER_EXE (a Linux path). Needs DISPLAY and xdotool; reads the player with
# player_probe.exe, built next to it.
. "$(dirname "$0")/lib/common.sh"
use_probe
play_long_movie ptr

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# still_from MS WHAT: the mouse was last moved at MS (a time of now_ms, taken before the move).
# The probe reads the pointer again and again until it is hidden, for at most 6 s; a reading
# that saw it hidden and ended less than 2 s after the move proves it hid too early. Sets
# hidden_after to when the first hidden reading ended, in ms after the move.
hidden_after=
still_from() {
    local moved=$1 what=$2 before after pointer
    while :; do
        before=$(now_ms)
        pointer=$(fact pointer)
        after=$(now_ms)
        if [ "$pointer" = 0 ]; then
            hidden_after=$((after - moved))
            [ "$hidden_after" -ge 2000 ] ||
                fail "$what: the pointer hid within $hidden_after ms of the last move"
            return 0
        fi
        [ "$pointer" = 1 ] || fail "$what: the probe cannot read the pointer ($pointer)"
        [ $((before - moved)) -lt 6000 ] || fail "$what: the pointer still shows 6 s after the move"
        sleep 0.05
    done
}

# --- Windowed: still over the picture for more than 3 s, the pointer keeps showing. ------------
activate
read -r x y < <(middle_of movie)
xdotool mousemove "$x" "$y"
probe_wait 1000 pointer=1 || fail "windowed: the pointer does not show"
# Waiting for it to hide must time out.
if probe_wait 3500 pointer=0; then
    fail "windowed: the pointer hid over the still picture"
fi
probe_wait 1000 pointer=1 active=frame || fail "windowed: the pointer does not show"
echo "ok: windowed: the pointer shows over the picture after 3.5 s of stillness"

# --- Full screen. ------------------------------------------------------------------------------
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
for _ in 1 2 3 4 5; do
    activate
    send alt+Return
    probe_wait 3000 menubar=0 "rect=0,0,$screen_w,$screen_h" && break
done
probe_wait 1000 menubar=0 "rect=0,0,$screen_w,$screen_h" || fail "Alt+Enter: no full screen"
activate

read -r x y < <(middle_of movie)
moved=$(now_ms)
xdotool mousemove "$x" "$y"
still_from "$moved" "full screen, still over the picture"
echo "ok: full screen: the pointer hid $hidden_after ms after the last move"
probe_wait 1000 pointer=0 active=frame menubar=0 || fail "full screen: the pointer came back by itself"

# A small move shows it again at once, and stillness hides it again.
xdotool mousemove_relative 5 5
probe_wait 1000 pointer=1 || fail "full screen: a move does not show the pointer"
moved=$(now_ms)
xdotool mousemove_relative -- -5 -5
still_from "$moved" "full screen, still again"
echo "ok: full screen: a move shows the pointer, and it hid again $hidden_after ms after that"

# Escape gives back the windowed frame, and the pointer with it; it stays there.
for _ in 1 2 3; do
    probe_wait 200 active=frame || activate
    send Escape
    probe_wait 3000 menubar=1 && break
done
probe_wait 1000 menubar=1 toolbar.visible=1 pointer=1 || fail "Escape: windowed, but no pointer"
if probe_wait 3500 pointer=0; then
    fail "windowed after Escape: the pointer hid"
fi
echo "ok: Escape shows the pointer, and windowed it keeps showing"

"$run" "$probe" close "$title" </dev/null >/dev/null 2>&1
expect_exit_zero "the player"
