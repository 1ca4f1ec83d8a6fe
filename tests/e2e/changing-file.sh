#!/usr/bin/env bash
# A movie whose file changes under the real player: cut to half its size from Linux while it
# plays, and deleted while it is paused. The player may stop, or show what it still can; it
# keeps running and answering, closes the movie and ends with exit code 0. An "MCI Error" box
# of the movie window is allowed: it is answered, and the output says so.
#
# Usage: changing-file.sh PLAYER_EXE (a Linux path). Needs DISPLAY and xdotool; reads the player
# with player_probe.exe, built next to it.
. "$(dirname "$0")/lib/common.sh"
use_probe
# Ten seconds of picture and sound.
need_fixture steady.avi

# start NAME: a copy of the movie in the work folder, under a name of this run's own, playing.
movie=
start() {
    movie="$work/$1$$-$RANDOM.avi"
    cp "$fixtures/steady.avi" "$movie"
    title="$(basename "$movie") - Quillotrope"
    launch_player "$1" "$(windows_path "$movie")"
    poll 60 window_titled "$title" || fail "$1: no window titled \"$title\""
    probe_wait 20000 status1=Playing || fail "$1: the movie does not play at start"
}

# answers WHAT: the player still runs, any error box of its movie window is answered, and then
# its frame and controls answer the probe (a window that does not answer reads "?").
answers() {
    local dialogs
    player_ended && fail "$1: the player ended"
    dialogs=$(fact dialogs)
    if [ -n "$dialogs" ]; then
        [[ $dialogs =~ ^MCI\ Error(\|MCI\ Error)*$ ]] || fail "$1: unexpected box \"$dialogs\""
        echo "note: $1: the movie window showed \"MCI Error\"; answered"
        "$run" "$probe" cancel "$title" </dev/null >/dev/null 2>&1
    fi
    probe_wait 5000 dialogs= "trackbar>-1" "button.close>-1" || fail "$1: the player does not answer"
    echo "ok: $1: the player answers ($(fact status1), trackbar $(fact trackbar))"
}

# press KEY CONDITION...: the key to the activated frame until the probe sees the conditions
# (alternatives after "|", as the probe takes them).
press() {
    local key=$1
    shift
    for _ in 1 2 3 4 5; do
        activate focus=frame
        xdotool key "$key"
        probe_wait 3000 "$@" && return 0
    done
    fail "$key does not give $*"
}

# File > Close from the keyboard; then the frame, titled "Quillotrope" alone, shows no movie.
close_movie() {
    for _ in 1 2 3 4 5; do
        activate focus=frame
        send alt+f
        probe_wait 2000 popups=1 && xdotool key c
        poll 3 window_titled Quillotrope && break
    done
    title=Quillotrope
    probe_wait 5000 status1= movie=0,0,0,0 button.close=0 || fail "Close left a movie"
    echo "ok: Close leaves no movie"
    "$run" "$probe" close "$title" </dev/null >/dev/null 2>&1
}

# --- Cut to half its size while it plays, then played on past the cut. -------------------------
start cut
truncate -s $(($(stat -c %s "$movie") / 2)) "$movie"
# Half the bytes are about half the movie (trackbar 100 of 200); it may also stop or end.
probe_wait 15000 "trackbar>120" "|" status1=Stopped "|" "dialogs=MCI Error" ||
    echo "note: the cut movie did not play on past its cut (trackbar $(fact trackbar))"
answers "cut to half"
close_movie
expect_exit_zero "cut to half: the player"

# --- Deleted while paused, then played and moved to its end and its beginning. -----------------
start deleted
press space status1=Paused
rm "$movie"
press space status1=Playing "|" status1=Stopped "|" "dialogs=MCI Error"
answers "deleted, then Play"
press End trackbar=200 "|" "dialogs=MCI Error"
answers "deleted, then End"
press Home trackbar=0 "|" "dialogs=MCI Error"
answers "deleted, then Home"
close_movie
expect_exit_zero "deleted: the player"
