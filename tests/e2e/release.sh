#!/usr/bin/env bash
# scripts/release: its two archives hold exactly quillotrope.exe, README.txt and LICENSE.txt
# (texts with CRLF line ends), deflated or stored, with fixed dates; SHA256SUMS matches them;
# each executable is linked without a time stamp, is built for its archive's machine and imports
# only Windows DLLs. The one built for this preset's machine is unpacked into a folder whose path
# has spaces and an e-acute, and started there with a movie: its frame comes up titled after the
# movie, and Alt+F4 ends it with exit code 0.
# Usage: release.sh PLAYER_EXE (this preset's test build: only its machine is read).
. "$(dirname "$0")/lib/alone.sh"
. "$(dirname "$0")/lib/common.sh"
need_fixture clip320.avi

fail_details() {
    for f in "$work"/*.log "$work"/*.out "$work"/*.err; do
        [ -s "$f" ] && { echo "--- $f"; tail -20 "$f"; }
    done
    # Seen once: no frame titled after the movie within the minute. What was on the display?
    echo "--- X windows with a name:"
    for w in $(xdotool search --name . 2>/dev/null); do
        xdotool getwindowname "$w" 2>/dev/null
    done | sort | uniq -c | head -20
    if [ -n "$wine_pid" ] && kill -0 "$wine_pid" 2>/dev/null; then
        echo "(the player's process still runs)"
    fi
}

"$root/scripts/release" >"$work/release.log" 2>&1 || fail "scripts/release failed"
out=$root/build/release
(cd "$out" && sha256sum --quiet -c SHA256SUMS) >"$work/sums.log" 2>&1 ||
    fail "SHA256SUMS does not match the archives"
mapfile -t archives < <(awk '{ print $2 }' "$out/SHA256SUMS")
[ ${#archives[@]} -eq 2 ] && [[ ${archives[0]} == quillotrope-*-win64.zip ]] &&
    [ "${archives[1]}" = "${archives[0]%-win64.zip}-win32.zip" ] ||
    fail "SHA256SUMS lists ${archives[*]}"
echo "ok: ${archives[*]}"

# The PE machine of an executable: 8664 (x86-64) or 14c (i386).
machine() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
# The PE header's time stamp.
pe_time() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tu4 -j$((pe + 8)) -N4 "$1" | tr -d ' '
}

own_machine=$(machine "$exe")
# Spaces and a letter outside ASCII (0xE9 in code page 1252) in the folder's path.
place="$work/Program Files é"
player=
for archive in "${archives[@]}"; do
    name=${archive%.zip}
    python3 - "$out/$archive" >"$work/$name.log" 2>&1 <<'EOF' || fail "$archive: contents"
import re, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
names = [i.filename for i in z.infolist()]
assert names == ["quillotrope.exe", "README.txt", "LICENSE.txt"], names
assert len({i.date_time for i in z.infolist()}) == 1, "dates differ"
for i in z.infolist():
    assert i.compress_type in (zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED), i.filename
    assert not i.flag_bits & 1 and not i.extra, (i.filename, "encrypted or extra fields")
for name, must in (("README.txt", b"| Space"), ("LICENSE.txt", b"The Quillotrope authors")):
    text = z.read(name)
    assert text.count(b"\n") > 10 and text.count(b"\n") == text.count(b"\r\n"), name + ": not CRLF"
    assert b"MIT" in text, name + ": no MIT"
assert re.search(rb"^  Space +Play/Pause\r$", z.read("README.txt"), re.M), "README.txt: keys"
EOF
    dir="$place/$name"
    mkdir -p "$dir"
    (cd "$dir" && python3 -m zipfile -e "$out/$archive" .) || fail "$archive: unpacking"
    case $archive in
    *-win64.zip) want=8664 objdump=x86_64-w64-mingw32-objdump ;;
    *) want=014c objdump=i686-w64-mingw32-objdump ;;
    esac
    got=$(machine "$dir/quillotrope.exe")
    [ "$got" = "$want" ] || fail "$archive: machine $got, not $want"
    [ "$(pe_time "$dir/quillotrope.exe")" = 0 ] || fail "$archive: the executable has a time stamp"
    "$root/scripts/check-imports" "$objdump" "$dir/quillotrope.exe" \
        >"$work/$name-imports.log" 2>&1 || fail "$archive: imports"
    echo "ok: $archive: contents, machine, $(cat "$work/$name-imports.log")"
    [ "$got" = "$own_machine" ] && player=$dir
done
[ -n "$player" ] || fail "no archive for machine $own_machine"

# The unpacked player, started from its folder with a movie beside it.
exe=$player/quillotrope.exe
cp "$fixtures/clip320.avi" "$player/"
launch_player unpacked "$(windows_path "$player/clip320.avi")"
poll 60 window_titled "clip320.avi - Quillotrope" ||
    fail "no window titled \"clip320.avi - Quillotrope\" from $player"
player_pid=$(xdotool getwindowpid "$xwindow" 2>/dev/null)
echo "ok: $(basename "$player") runs from \"$player\""

# Without a window manager a click activates a Wine window; the keys are sent again until the
# process ends.
close_frame() {
    player_ended && return 0
    xdotool mousemove --window "$xwindow" 200 150 click 1
    xdotool key --clearmodifiers alt+F4
    poll 1 player_ended
}
poll 20 close_frame || fail "the unpacked player did not close"
expect_exit_zero unpacked
