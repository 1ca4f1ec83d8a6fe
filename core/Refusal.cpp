#include "core/Refusal.h"
#include "core/CommandLine.h"

#include <cstring>

namespace {

struct Refusal {
    int32_t reason;
    const char* sentence;
};

const Refusal REFUSALS[] = {
    {REFUSAL_PATH_TOO_LONG, "The path of this file is longer than 259 bytes."},
    {REFUSAL_NAME_NOT_CARRIED, "The name of this file has letters this system cannot pass on."},
    {REFUSAL_SOUND_NO_PICTURE, "This file has sound but no picture."},
    {REFUSAL_FAULTED, "The first frame of this file could not be drawn."},
    {REFUSAL_FRAMES_TOO_LARGE, "The frames of this file are too large to show."},
    {REFUSAL_NO_FRAMES, "This file has no frames to show."},
    {REFUSAL_DAMAGED, "This file is damaged and cannot be played."},
};

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0u) == 0x80u;
}

bool IsBlankOrQuote(char c) {
    return c == ' ' || c == '\t' || c == '"';
}

} // namespace

int32_t OpenedMovieRefusal(bool hasDevice, int32_t length, int32_t frameWidth,
                           int32_t frameHeight) {
    if (!hasDevice) {
        return REFUSAL_NONE;
    }
    if (length <= 0) {
        return REFUSAL_NO_FRAMES;
    }
    const int64_t width = frameWidth < 0 ? 0 : frameWidth;
    const int64_t height = frameHeight < 0 ? 0 : frameHeight;
    return width * height <= INT32_MAX / 4 ? REFUSAL_NONE : REFUSAL_FRAMES_TOO_LARGE;
}

const char* RefusalSentence(int32_t reason) {
    for (const Refusal& refusal : REFUSALS) {
        if (refusal.reason == reason) {
            return refusal.sentence;
        }
    }
    return "";
}

void RefusalText(const char* path, int32_t reason, char (&text)[REFUSAL_TEXT_SIZE]) {
    const char* name = FileNamePart(path != nullptr ? path : "");
    size_t length = std::strlen(name);
    while (length > 0 && IsBlankOrQuote(name[length - 1])) {
        --length;
    }
    while (length > 0 && *name == '"') {
        ++name;
        --length;
    }
    const char* more = "";
    if (length > REFUSAL_NAME_BYTES) {
        length = REFUSAL_NAME_BYTES;
        // Step back over continuation bytes to the start of the letter that did not fit.
        for (int step = 0; step < 3 && IsContinuation(name[length]); ++step) {
            --length;
        }
        more = "...";
    }
    const char* sentence = RefusalSentence(reason);
    size_t at = 0;
    const auto append = [&text, &at](const char* from, size_t count) {
        std::memcpy(text + at, from, count);
        at += count;
    };
    append(name, length);
    append(more, std::strlen(more));
    append("\n", 1);
    append(sentence, std::strlen(sentence));
    text[at] = '\0';
}
