#!/usr/bin/env bash
# scripts/play, the README's command, with this preset's player: without a display it says at
# once to use --headless; when the player cannot start it names its log; on the display it
# plays its generated sample, which has sound, and ends with 0 when the window is closed;
# --headless saves a screenshot of the frame with the window manager's caption; --full-screen
# one of the whole screen.
# Usage: play-command.sh PLAYER_EXE (a Linux path). Needs DISPLAY, xdotool and ImageMagick.
. "$(dirname "$0")/lib/alone.sh"
. "$(dirname "$0")/lib/common.sh"
export QUILLOTROPE_EXE=$exe
play=$root/scripts/play

fail_details() {
    for f in "$work"/*.out "$work"/*.err "$root/build/logs/play.log"; do
        [ -s "$f" ] && { echo "--- $f"; tail -20 "$f"; }
    done
}

# No display.
env -u DISPLAY "$play" >"$work/nodisplay.out" 2>"$work/nodisplay.err" &&
    fail "scripts/play without a display succeeded"
grep -q -- "--headless" "$work/nodisplay.err" ||
    fail "without a display: $(cat "$work/nodisplay.err")"
echo "ok: without a display: $(cat "$work/nodisplay.err")"

# A player that cannot start: scripts/play says where its log is.
printf 'not a program\r\n' >"$work/broken.exe"
QUILLOTROPE_EXE=$work/broken.exe "$play" </dev/null >"$work/broken.out" 2>"$work/broken.err" &&
    fail "scripts/play with a broken player succeeded"
grep -q "build/logs/play.log" "$work/broken.err" || fail "no log named: $(cat "$work/broken.err")"
echo "ok: a player that cannot start: $(tail -1 "$work/broken.err")"

# On this display, the sample.
"$play" </dev/null >"$work/play.out" 2>"$work/play.err" &
wine_pid=$!
# The first run makes its Wine prefix.
poll 300 window_titled "clip320.avi - Quillotrope" || fail "scripts/play showed no sample"
player_pid=$(xdotool getwindowpid "$xwindow" 2>/dev/null)
sound=$(ffprobe -v error -select_streams a -show_entries stream=codec_name -of csv=p=0 \
    "$root/build/play/clip320.avi")
[ -n "$sound" ] || fail "the sample has no sound"
echo "ok: the sample plays; its sound is $sound"
close_frame() {
    player_ended && return 0
    xdotool mousemove --window "$xwindow" 200 150 click 1
    xdotool key --clearmodifiers alt+F4
    poll 1 player_ended
}
poll 20 close_frame || fail "the sample's player did not close"
expect_exit_zero "scripts/play"

# Headless: the frame with its caption, then full screen.
"$play" --headless="$work/window.png" </dev/null >"$work/headless.out" 2>"$work/headless.err" ||
    fail "scripts/play --headless failed"
read -r width height < <(identify -format '%w %h\n' "$work/window.png")
blue=$(convert "$work/window.png" -crop x16+0+0 +repage \
    -format '%[fx:int(100 * (mean.b - mean.r))]' info:)
[ "$width" -ge 360 ] && [ "$height" -ge 300 ] || fail "the screenshot is ${width}x$height"
# openbox's caption is blue; the menu bar below it is grey.
[ "$blue" -ge 10 ] || fail "no caption on the screenshot's top (blue - red: $blue %)"
echo "ok: --headless: ${width}x$height with a caption"

# As the README's second picture is made: Fit to Window, then full screen.
"$play" --headless="$work/full.png" --keys=alt+z,f --full-screen </dev/null \
    >"$work/full.out" 2>"$work/full.err" ||
    fail "scripts/play --headless --full-screen failed"
# The whole of scripts/play's 1280x1024 screen, the movie in its middle.
size=$(identify -format '%wx%h' "$work/full.png")
[ "$size" = 1280x1024 ] || fail "the full-screen shot is $size"
middle=$(convert "$work/full.png" -gravity center -crop 30%x30%+0+0 -colorspace gray \
    -format '%[fx:int(maxima * 255)]' info:)
[ "$middle" -gt 16 ] || fail "the full-screen shot's middle is black"
# Fitted, the 4:3 picture spans the screen's width (its colour band, low in the picture, reaches
# both edges) and leaves black bands above and below (960 of the 1024 rows).
brightness() { # X Y: the brightest of 4 pixels from there to the right
    convert "$work/full.png" -crop "4x1+$1+$2" +repage -colorspace gray \
        -format '%[fx:int(maxima * 255)]' info:
}
[ "$(brightness 0 810)" -gt 16 ] && [ "$(brightness 1276 810)" -gt 16 ] ||
    fail "the fitted picture does not span the screen's width"
[ "$(brightness 640 20)" -le 16 ] && [ "$(brightness 640 1010)" -le 16 ] ||
    fail "no black bands above and below the fitted picture"
echo "ok: --full-screen: $size"
