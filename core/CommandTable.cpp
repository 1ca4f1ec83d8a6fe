#include "core/CommandTable.h"

#include "res/resource.h"

namespace {

struct CommandTexts {
    int32_t commandId;
    const char* help;
    const char* toolTip; // null: the command has no toolbar button
};

const CommandTexts COMMAND_TEXTS[] = {
    {IDM_PLAYPAUSE, "Play/Pause the movie", "Play/Pause"},
    {IDM_OPEN, "Open a movie file", nullptr},
    {IDM_CLOSE, "Close the movie", "Close"},
    {IDM_EXIT, "Quit the application", nullptr},
    {IDM_STOP, "Stop playing the movie", "Stop"},
    {IDM_BEGINNING, "Go to the beginning of the movie", "Beginning"},
    {IDM_REWIND, "Rewind the movie position", "Rewind"},
    {IDM_FORWARD, "Forward the movie position", "Forward"},
    {IDM_END, "Go to the end of the movie", "End"},
    {IDM_FULLSCREEN, "Switch to Full Screen mode", nullptr},
    {IDM_REPEAT, "Play the movie continuously", nullptr},
    {IDM_ABOUT, "Display program infomation", nullptr},
    {IDM_ZOOM50, "", nullptr},
    {IDM_ZOOM100, "", nullptr},
    {IDM_ZOOM200, "", nullptr},
    {IDM_ZOOMFIT, "Fit the picture to the window", nullptr},
    {IDM_NEXTFRAME, "Show the next frame", nullptr},
    {IDM_PREVFRAME, "Show the previous frame", nullptr},
    {IDM_VOLUMEUP, "Raise the volume", nullptr},
    {IDM_VOLUMEDOWN, "Lower the volume", nullptr},
    {IDM_MUTE, "Turn the sound off or on", nullptr},
};

const CommandTexts* Find(int32_t commandId) {
    for (const CommandTexts& entry : COMMAND_TEXTS) {
        if (entry.commandId == commandId) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

const char* HelpText(int32_t commandId) {
    const CommandTexts* entry = Find(commandId);
    return entry != nullptr ? entry->help : "";
}

const char* ToolTipText(int32_t commandId) {
    const CommandTexts* entry = Find(commandId);
    return entry != nullptr && entry->toolTip != nullptr ? entry->toolTip : "Unknown";
}
