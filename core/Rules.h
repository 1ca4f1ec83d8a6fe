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

const int32_t FRAME_STEP_RULE_COUNT = 2;

// Next Frame and Previous Frame, in that order: enabled whenever a movie is open.
std::array<MenuItemRule, FRAME_STEP_RULE_COUNT> FrameStepRules(PlayerState state);

// What the player asks of the system's power management in a state (SetThreadExecutionState's
// flags): the display and the system stay on while a movie plays, and the request is withdrawn
// in every other state.
const uint32_t RULE_ES_SYSTEM_REQUIRED = 0x00000001;
const uint32_t RULE_ES_DISPLAY_REQUIRED = 0x00000002;
const uint32_t RULE_ES_CONTINUOUS = 0x80000000;
uint32_t ExecutionStateOf(PlayerState state);

// The platform's app commands that the keyboard's media keys send.
const int32_t RULE_APPCOMMAND_MEDIA_STOP = 13;
const int32_t RULE_APPCOMMAND_MEDIA_PLAY_PAUSE = 14;
const int32_t RULE_APPCOMMAND_MEDIA_PLAY = 46;
const int32_t RULE_APPCOMMAND_MEDIA_PAUSE = 47;

// What an app command does: handled ones are answered TRUE and run commandId (0: nothing in
// this state); the others go on to the platform, such as the volume keys, which set the
// system's volume.
struct MediaKeyAction {
    bool handled;
    int32_t commandId;
};
MediaKeyAction MediaKeyActionOf(int32_t appCommand, PlayerState state);

// The pointer hides over the full-screen picture after this long without the mouse moving.
const uint32_t POINTER_IDLE_MS = 2000;

// Whether the pointer is to be hidden now: in full screen only, over the frame, with the frame
// active and no menu open, once the mouse has been still for POINTER_IDLE_MS.
bool PointerHides(ScreenMode mode, uint32_t stillMs, bool overFrame, bool frameActive,
                  bool menuOpen);
