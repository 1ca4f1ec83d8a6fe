#include "core/Rules.h"

#include "core/Refusal.h"

#include "res/resource.h"

#include <cstdint>

namespace {

bool HasMovie(PlayerState state) {
    return state != MCI_MODE_NOT_READY;
}

bool IsRunning(PlayerState state) {
    return state == MCI_MODE_PLAY || state == MCI_MODE_PAUSE;
}

// Seeking commands are offered only while the picture stands still.
bool IsStill(PlayerState state) {
    return state == MCI_MODE_STOP || state == MCI_MODE_PAUSE;
}

MenuItemRule Enable(int32_t commandId, bool enabled) {
    return MenuItemRule{commandId, false, enabled ? RULE_MF_ENABLED : RULE_MF_GRAYED};
}

MenuItemRule Check(int32_t commandId, bool checked) {
    return MenuItemRule{commandId, true, checked ? RULE_MF_CHECKED : RULE_MF_UNCHECKED};
}

} // namespace

std::array<MenuItemRule, MENU_RULE_COUNT> MenuRules(PlayerState state, ScreenMode mode,
                                                    bool repeatOn, int32_t zoom, bool fit) {
    return {{
        Enable(IDM_CLOSE, HasMovie(state)),
        Enable(IDM_PLAYPAUSE, HasMovie(state)),
        Enable(IDM_STOP, IsRunning(state)),
        Enable(IDM_BEGINNING, IsStill(state)),
        Enable(IDM_REWIND, IsStill(state)),
        Enable(IDM_FORWARD, IsStill(state)),
        Enable(IDM_END, IsStill(state)),
        Check(IDM_FULLSCREEN, mode == FullScreen),
        Check(IDM_REPEAT, repeatOn),
        Check(IDM_ZOOM50, !fit && zoom == 50),
        Check(IDM_ZOOM100, !fit && zoom == 100),
        Check(IDM_ZOOM200, !fit && zoom == 200),
        Check(IDM_ZOOMFIT, fit),
    }};
}

std::array<ButtonRule, BUTTON_RULE_COUNT> ButtonRules(PlayerState state) {
    return {{
        {IDM_PLAYPAUSE, HasMovie(state)},
        {IDM_STOP, IsRunning(state)},
        {IDM_CLOSE, HasMovie(state)},
        {IDM_BEGINNING, IsStill(state)},
        {IDM_REWIND, IsStill(state)},
        {IDM_FORWARD, IsStill(state)},
        {IDM_END, IsStill(state)},
    }};
}

int32_t PlayPauseImage(PlayerState state) {
    return IsStill(state) ? 0 : 1;
}

const char* StateText(PlayerState state) {
    switch (state) {
    case MCI_MODE_NOT_READY:
        return "";
    case MCI_MODE_STOP:
        return "Stopped";
    case MCI_MODE_PLAY:
        return "Playing";
    case MCI_MODE_PAUSE:
        return "Paused";
    default:
        return nullptr;
    }
}

bool StatusShowsTime(PlayerState state) {
    return HasMovie(state);
}

bool IsPlayableMovie(bool hasDevice, int32_t length, int32_t frameWidth, int32_t frameHeight) {
    return hasDevice &&
           OpenedMovieRefusal(hasDevice, length, frameWidth, frameHeight) == REFUSAL_NONE;
}

bool IsAviWithoutVideo(const uint8_t* bytes, size_t size) {
    const auto is = [bytes](size_t at, const char* id) {
        return bytes[at] == id[0] && bytes[at + 1] == id[1] && bytes[at + 2] == id[2] &&
               bytes[at + 3] == id[3];
    };
    if (bytes == nullptr || size < 12 || !is(0, "RIFF") || !is(8, "AVI ")) {
        return false;
    }
    bool streams = false;
    // A stream header's type follows its id and its 4-byte size.
    for (size_t at = 12; at + 12 <= size && !is(at, "movi"); ++at) {
        if (is(at, "strh")) {
            if (is(at + 8, "vids")) {
                return false;
            }
            streams = true;
        }
    }
    return streams;
}

std::array<MenuItemRule, FRAME_STEP_RULE_COUNT> FrameStepRules(PlayerState state) {
    return {{Enable(IDM_NEXTFRAME, HasMovie(state)), Enable(IDM_PREVFRAME, HasMovie(state))}};
}

uint32_t ExecutionStateOf(PlayerState state) {
    return state == MCI_MODE_PLAY
               ? RULE_ES_CONTINUOUS | RULE_ES_DISPLAY_REQUIRED | RULE_ES_SYSTEM_REQUIRED
               : RULE_ES_CONTINUOUS;
}

MediaKeyAction MediaKeyActionOf(int32_t appCommand, PlayerState state) {
    switch (appCommand) {
    case RULE_APPCOMMAND_MEDIA_PLAY_PAUSE:
        return {true, IDM_PLAYPAUSE};
    case RULE_APPCOMMAND_MEDIA_PLAY:
        return {true, state == MCI_MODE_PLAY ? 0 : IDM_PLAYPAUSE};
    case RULE_APPCOMMAND_MEDIA_PAUSE:
        return {true, state == MCI_MODE_PLAY ? IDM_PLAYPAUSE : 0};
    case RULE_APPCOMMAND_MEDIA_STOP:
        // As the Stop item: a stopped movie stays where it is.
        return {true, IsRunning(state) ? IDM_STOP : 0};
    default:
        return {false, 0};
    }
}

bool PointerHides(ScreenMode mode, uint32_t stillMs, bool overFrame, bool frameActive,
                  bool menuOpen) {
    return mode == FullScreen && stillMs >= POINTER_IDLE_MS && overFrame && frameActive &&
           !menuOpen;
}
