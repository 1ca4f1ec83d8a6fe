#!/usr/bin/env bash
# The real player, started with a movie on its command line: the frame is titled after the
# movie, the picture is shown centred in the black video area, Space pauses and resumes it,
# and closing the window ends the program with exit code 0.
# Usage: play.sh PLAYER_EXE (a Linux path). Needs DISPLAY, xdotool and ImageMagick.
. "$(dirname "$0")/lib/common.sh"
need_fixture clip320.avi

# A folder with a space in its name: Wine then passes the path in double quotes, so the
# player's command line is a quoted Windows path.
mkdir "$work/e2e movies"
cp "$fixtures/clip320.avi" "$work/e2e movies/"
launch_player player "$(windows_path "$work/e2e movies/clip320.avi")"

poll 30 window_titled "clip320.avi - Quillotrope" ||
    fail "no window titled \"clip320.avi - Quillotrope\""
player_pid=$(xdotool getwindowpid "$xwindow" 2>/dev/null)

eval "$(xdotool getwindowgeometry --shell "$xwindow")" # X Y WIDTH HEIGHT
echo "window $xwindow at $X,$Y size ${WIDTH}x$HEIGHT"

shot() { import -window root "$work/$1.png"; }

# The colours (RRGGBB) of a one-pixel-wide line of the last screenshot, one per line.
line_colours() { # name x y width height
    convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- |
        sed -n 's/^[0-9]*,[0-9]*: .*#\([0-9A-Fa-f]\{6\}\).*/\1/p'
}

# Let the first frames arrive.
shot start
# The host's black area, from a column 12 pixels into the window (left of the movie): its
# longest run of black pixels.
read -r host_top host_bottom < <(line_colours start $((X + 12)) "$Y" 1 "$HEIGHT" |
    awk -v y0="$Y" '{ if ($1 == "000000") { if (run == 0) s = NR - 1; run++;
                       if (run > best) { best = run; bs = s } } else run = 0 }
                     END { print y0 + bs, y0 + bs + best - 1 }')
[ $((host_bottom - host_top)) -ge 200 ] || fail "no black video area (rows $host_top..$host_bottom)"
mid_y=$(((host_top + host_bottom) / 2))

# Along the middle row: black margin, movie, black margin.
read -r black_left movie_left movie_right black_right < <(
    line_colours start "$X" "$mid_y" "$WIDTH" 1 |
        awk -v x0="$X" '{ c[NR - 1] = $1 } END {
            n = NR; a = -1; b = -1
            for (i = 0; i < n; i++) if (c[i] == "000000") { if (a < 0) a = i; b = i }
            l = -1; r = -1
            for (i = a; i <= b; i++) if (c[i] != "000000") { if (l < 0) l = i; r = i }
            print x0 + a, x0 + l, x0 + r, x0 + b }')
echo "video area rows $host_top..$host_bottom; movie columns $movie_left..$movie_right" \
    "between black from $black_left to $black_right"
[ "$movie_left" -gt "$black_left" ] && [ "$movie_right" -lt "$black_right" ] ||
    fail "no movie between black margins"
[ $((movie_right - movie_left)) -ge 300 ] || fail "movie only $((movie_right - movie_left + 1)) wide"
left_margin=$((movie_left - black_left))
right_margin=$((black_right - movie_right))
[ $((left_margin - right_margin)) -le 2 ] && [ $((right_margin - left_margin)) -le 2 ] ||
    fail "movie not centred: margins $left_margin and $right_margin"
mid_x=$(((movie_left + movie_right) / 2))
mean=$(convert "$work/start.png" -crop "60x60+$((mid_x - 30))+$((mid_y - 30))" +repage \
    -colorspace gray -format '%[fx:int(mean*255)]' info:)
[ "$mean" -gt 30 ] || fail "movie centre is black (mean $mean)"

# The movie's picture, and the Play/Pause button (its first 22 pixels of toolbar).
movie_crop="$((movie_right - movie_left + 1))x$((host_bottom - host_top - 8))+$movie_left+$((host_top + 4))"
picture() { convert "$work/$1.png" -crop "$movie_crop" +repage "$work/$1-movie.png"; }
differ() { # a b: whether the two pictures differ
    local d
    d=$(compare -metric AE "$work/$1-movie.png" "$work/$2-movie.png" null: 2>&1)
    [ "${d%% *}" != 0 ]
}

n=0
# Whether the picture differs from the one called base within a poll of screenshots.
picture_moved() {
    n=$((n + 1))
    shot "p$n"
    picture "p$n"
    differ "$1" "p$n"
}
playing() { # a fresh picture, then one that differs from it
    shot moving && picture moving
    poll 5 picture_moved moving
}
still() { # the picture stays the same across three screenshots half a second apart
    local i
    shot s0 && picture s0
    for i in 1 2; do
        sleep 0.5
        shot "s$i" && picture "s$i"
        differ s0 "s$i" && return 1
    done
    return 0
}

# Keys go to the active window. A click in the black margin makes the frame active (and gives
# it the keyboard focus) right before each key: without a window manager nothing else keeps
# it active, and another program's window may have taken that over.
focus_frame() {
    activating_click $((black_left + 4)) "$mid_y"
    sleep 0.3
}
press() { # key
    focus_frame
    xdotool key "$1"
}
chord() { # modifier+key
    focus_frame
    send "$1"
}

playing || fail "the picture does not move: not playing"

# Repeat on, so that the 5-second clip cannot end on its own during the test.
chord Control_L+r
playing || fail "not playing after Repeat"

# Another program's window can take the activation between the click and the key (Wine keeps
# one active window for all programs of its server, whatever their display): a key that was
# lost is pressed again, at most three times (here and for Alt+F4 below).
toggled() { # check
    local attempt
    for attempt in 1 2 3; do
        press space
        poll 3 "$1" && return 0
        echo "Space, attempt $attempt: no effect"
    done
    return 1
}
toggled still || fail "Space did not pause: the picture still moves"
toggled playing || fail "Space did not resume: the picture stays still"

for attempt in 1 2 3; do
    chord Alt_L+F4
    poll 3 player_ended && break
    echo "Alt+F4, attempt $attempt: no effect"
done
player_ended || fail "the player did not end after Alt+F4"
expect_exit_zero "the player"
