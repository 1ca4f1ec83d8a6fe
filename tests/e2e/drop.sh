#!/usr/bin/env bash
# Files dropped on the running player through the X server, as a file manager drops them (the
# XDND protocol, by tests/e2e/lib/xdnd_drop.py): Wine's X11 driver hands the drop to the window
# under the point that accepts files, or to its nearest parent that does, here always the frame.
# A drop on the video area, the picture, the toolbar, the trackbar and the status bar, and one
# in full screen, opens the first file and plays it; a text file named .avi shows the movie
# window's error box and leaves no movie.
#
# Usage: drop.sh PLAYER_EXE (a Linux path). Needs DISPLAY, xdotool and python3-xlib; reads the
# player with player_probe.exe, built next to it.
. "$(dirname "$0")/lib/common.sh"
probe=$(dirname "$exe")/player_probe.exe
[ -f "$probe" ] || fail "no probe at $probe"
dropper=$root/tests/e2e/lib/xdnd_drop.py
/usr/bin/python3 -c "import Xlib" 2>/dev/null || fail "python3-xlib is missing"
need_fixture clip160.avi
need_fixture clip320.avi
need_fixture notmovie.avi

fail_details() {
    [ -s "$work/probe.out" ] && { echo "--- last probe"; cat "$work/probe.out"; }
    [ -s "$work/drop.out" ] && { echo "--- last drop"; cat "$work/drop.out"; }
}

# The frame is found by its title, which changes with each movie: wait with the title expected.
probe_wait() {
    local ms=$1 title=$2
    shift 2
    "$run" "$probe" wait "$ms" "$title" "$@" </dev/null >"$work/probe.out" 2>&1
}
fact() { # TITLE KEY
    "$run" "$probe" show "$1" </dev/null >"$work/show.out" 2>&1
    sed -n "s/^$2=//p" "$work/show.out" | tr -d '\r'
}
# A point inside a rectangle fact of the frame titled TITLE: its middle, or near its left edge.
middle_of() { fact "$1" "$2" | tr ',' ' ' | awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }'; }
left_of() { fact "$1" "$2" | tr ',' ' ' | awk '{ print $1 + 8, int(($2 + $4) / 2) }'; }

# Copies of the clips under names of this run's own: each title finds this player only.
movie_a="dropA$$-$RANDOM.avi"
movie_b="dropB$$-$RANDOM.avi"
cp "$fixtures/clip320.avi" "$work/$movie_a"
cp "$fixtures/clip160.avi" "$work/$movie_b"

# drop_at X Y FILE...: the files dropped at a point of the screen.
drop_at() {
    local x=$1 y=$2
    shift 2
    /usr/bin/python3 "$dropper" "$x" "$y" "$@" >"$work/drop.out" 2>&1 ||
        fail "the drop at $x,$y was not taken: $(cat "$work/drop.out")"
}

# expect_plays TITLE WHAT: the movie that the title names plays.
expect_plays() {
    probe_wait 20000 "$1 - Quillotrope" status1=Playing || fail "$2: the movie does not play"
    echo "ok: $2: the dropped movie plays"
}

launch_player player
poll 60 window_titled Quillotrope || fail "no window titled Quillotrope"
probe_wait 10000 Quillotrope menubar=1 || fail "no frame"

# On the video area of the empty player: the first of three files opens.
read -r x y < <(middle_of Quillotrope host)
drop_at "$x" "$y" "$work/$movie_a" "$work/$movie_b" "$fixtures/clip640.avi"
expect_plays "$movie_a" "three files on the video area"
current=$movie_a
other=$movie_b

# Then on each part of the frame: each drop replaces the movie that plays.
for part in movie toolbar trackbar status; do
    case $part in
    movie) read -r x y < <(middle_of "$current - Quillotrope" movie) ;;
    toolbar) read -r x y < <(left_of "$current - Quillotrope" host | awk '{ print $1, 50 + 20 }') ;;
    *) ;;
    esac
    if [ "$part" = trackbar ] || [ "$part" = status ]; then
        # The trackbar sits at the toolbar's right end; the status bar below the video area.
        rect=$(fact "$current - Quillotrope" rect)
        host=$(fact "$current - Quillotrope" host)
        read -r x y < <(echo "$rect $host" | tr ',' ' ' |
            awk -v part="$part" '{ if (part == "trackbar") print $3 - 60, $6 - 14; else print $5 + 30, $8 + 8 }')
    fi
    drop_at "$x" "$y" "$work/$other"
    expect_plays "$other" "a drop on the $part"
    tmp=$current
    current=$other
    other=$tmp
done

# In full screen (a double click on the picture): the drop plays there, full screen stays.
read -r x y < <(middle_of "$current - Quillotrope" movie)
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
for try in 1 2 3; do
    xdotool mousemove "$x" "$y" sleep 0.3 click --repeat 2 --delay 80 1
    probe_wait 4000 "$current - Quillotrope" menubar=0 && break
done
probe_wait 1000 "$current - Quillotrope" menubar=0 || fail "no full screen"
drop_at 200 200 "$work/$other"
expect_plays "$other" "a drop in full screen"
probe_wait 2000 "$other - Quillotrope" menubar=0 "rect=0,0,$screen_w,$screen_h" ||
    fail "full screen did not stay"
current=$other

# A text file named .avi: the movie window's error box, then no movie.
drop_at 200 200 "$fixtures/notmovie.avi"
probe_wait 10000 Quillotrope "dialogs=MCI Error" || fail "no error box for the text file"
"$run" "$probe" cancel Quillotrope </dev/null >/dev/null 2>&1
probe_wait 5000 Quillotrope "dialogs=" status1= || fail "the text file left a movie"
echo "ok: a text file named .avi shows the error box and leaves no movie"

"$run" "$probe" close Quillotrope </dev/null >/dev/null 2>&1
expect_exit_zero "the player"
