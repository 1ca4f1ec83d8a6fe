// The time display: "MM:SS" or "HH:MM:SS" for one value, "position/length" for status part 2.
#pragma once

#include <cstdint>

const int32_t FORMAT_TIME_SIZE = 9; // "HH:MM:SS" and the terminator
const int32_t TIME_TEXT_SIZE = 18;  // two halves, "/" and the terminator

// Writes the text of ms (hours modulo 60, shown only when not 0). A negative value gives the
// empty text and false.
bool FormatTime(int32_t ms, char (&out)[FORMAT_TIME_SIZE]);

// FormatTime(position) + "/" + FormatTime(length). False, with the empty text, when either
// value is negative: nothing is to be written then.
bool TimeText(int32_t position, int32_t length, char (&out)[TIME_TEXT_SIZE]);
