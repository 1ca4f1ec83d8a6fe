// Why the player itself refuses a movie, and what its box says: the file's name, a line break,
// and one plain sentence.
#pragma once

#include <cstddef>
#include <cstdint>

enum RefusalReason {
    REFUSAL_NONE = -1,        // no refusal of the player's own
    REFUSAL_PATH_TOO_LONG,    // over 259 bytes: cutting it would name another file
    REFUSAL_NAME_NOT_CARRIED, // a dropped name the code page cannot carry
    REFUSAL_SOUND_NO_PICTURE, // an AVI with sound and no video stream
    REFUSAL_FAULTED,          // the platform faulted while drawing the first frame
    REFUSAL_FRAMES_TOO_LARGE, // frames too large for the platform to decode safely
    REFUSAL_NO_FRAMES,        // a movie without a single frame
    REFUSAL_DAMAGED,          // a structure the platform is known to crash or hang on
    REFUSAL_REASON_COUNT
};

// The caption of every refusal's box.
const char* const REFUSAL_CAPTION = "Quillotrope";

// Most bytes of the file name the box shows; a longer one is cut (never inside a UTF-8 letter)
// and ends in "...".
const size_t REFUSAL_NAME_BYTES = 100;
// Room for any refusal's text, terminator included.
const size_t REFUSAL_TEXT_SIZE = 256;

// Why a movie window that the platform opened is refused: REFUSAL_NONE when it has no device
// (the platform could not open the file and has said so itself) or it can be played; else no
// frames, or frames whose 32-bit pixels do not fit a signed 32-bit byte count (the platform's AVI
// driver sizes its frame buffer so).
int32_t OpenedMovieRefusal(bool hasDevice, int32_t length, int32_t frameWidth, int32_t frameHeight);

// The sentence of a reason; "" for a value that is none. Never null.
const char* RefusalSentence(int32_t reason);

// The box's text for a path (however long, or null) and a reason: the path's file-name part
// (after its last '\' or '/', without quotes or trailing blanks), a line break, the sentence.
void RefusalText(const char* path, int32_t reason, char (&text)[REFUSAL_TEXT_SIZE]);
