// What the menu, the toolbar buttons and the status bar show, as functions of the state.
#pragma once

#include "core/PlayerState.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Values as the platform's menu functions take them.
const uint32_t RULE_MF_ENABLED = 0;
const uint32_t RULE_MF_GRAYED = 1;
const uint32_t RULE_MF_UNCHECKED = 0;
const uint32_t RULE_MF_CHECKED = 8;

struct MenuItemRule {
    int32_t commandId;
    bool isCheck;   // true: CheckMenuItem with value; false: EnableMenuItem with value
    uint32_t value; // RULE_MF_GRAYED / RULE_MF_ENABLED or RULE_MF_CHECKED / RULE_MF_UNCHECKED
};

const int32_t MENU_RULE_COUNT = 13;

// The thirteen items in the order they are applied: Close, Play/Pause, Stop, Beginning,
// Rewind, Forward, End, Full Screen, Repeat, 50%, 100%, 200%, Fit to Window. The four zoom
// items are one group: with Fit to Window on, it alone is checked.
std::array<MenuItemRule, MENU_RULE_COUNT> MenuRules(PlayerState state, ScreenMode mode,
                                                    bool repeatOn, int32_t zoom, bool fit = false);

struct ButtonRule {
    int32_t commandId;
    bool enabled;
};

const int32_t BUTTON_RULE_COUNT = 7;

// The seven buttons in the order they are sent: Play/Pause, Stop, Close, Beginning, Rewind,
// Forward, End.
std::array<ButtonRule, BUTTON_RULE_COUNT> ButtonRules(PlayerState state);

// Image index of the Play/Pause button: 0 (play glyph) when stopped or paused, else 1.
int32_t PlayPauseImage(PlayerState state);

// Text for status part 1: "" when no movie, "Stopped", "Playing", "Paused"; null for any
// other value (nothing is written then).
const char* StateText(PlayerState state);

// Whether the status refresh writes the time text first (a movie window must exist too).
bool StatusShowsTime(PlayerState state);

// Whether a movie window that the platform created is a movie the player can show: it has a
// device open for its file, at least one frame of length, and frames whose 32-bit pixels fit
// in a signed 32-bit byte count (the platform's AVI driver sizes its frame buffer so).
bool IsPlayableMovie(bool hasDevice, int32_t length, int32_t frameWidth, int32_t frameHeight);

// Whether the start of a file is an AVI header that declares streams but none of video (sound
// alone): RIFF "AVI ", and stream headers ("strh") before the movie data ("movi"), none of type
// "vids". The platform's AVI driver faults while opening such a file. Anything else, this says
// nothing about: false.
bool IsAviWithoutVideo(const uint8_t* bytes, size_t size);
