#include "core/Volume.h"

const char NO_SOUND_DEVICE_TEXT[] = "No sound device";

namespace {

int32_t HeldPercent(int64_t percent) {
    return percent < 0 ? 0 : percent > 100 ? 100 : static_cast<int32_t>(percent);
}

} // namespace

int32_t VolumePercentOf(uint32_t value, uint32_t minimum, uint32_t maximum) {
    if (maximum <= minimum) {
        return value >= maximum ? 100 : 0;
    }
    if (value <= minimum) {
        return 0;
    }
    const uint64_t span = static_cast<uint64_t>(maximum) - minimum;
    const uint64_t above = static_cast<uint64_t>(value) - minimum;
    return HeldPercent(static_cast<int64_t>((above * 100 + span / 2) / span));
}

uint32_t VolumeValueOf(int32_t percent, uint32_t minimum, uint32_t maximum) {
    if (maximum <= minimum) {
        return maximum;
    }
    const uint64_t span = static_cast<uint64_t>(maximum) - minimum;
    const uint64_t held = static_cast<uint64_t>(HeldPercent(percent));
    return minimum + static_cast<uint32_t>((span * held + 50) / 100);
}

int32_t SteppedVolume(int32_t percent, int32_t direction) {
    const int32_t held = HeldPercent(percent);
    if (direction > 0) {
        return HeldPercent((held / VOLUME_STEP + 1) * VOLUME_STEP);
    }
    if (direction < 0) {
        return HeldPercent(((held + VOLUME_STEP - 1) / VOLUME_STEP - 1) * VOLUME_STEP);
    }
    return held;
}

bool VolumeText(int32_t percent, bool muted, char* buffer, int32_t size) {
    if (buffer == nullptr || size <= 0) {
        return false;
    }
    char text[VOLUME_TEXT_SIZE] = "Muted";
    if (!muted) {
        // "Volume " and up to three digits, then "%".
        const int32_t held = HeldPercent(percent);
        int32_t at = 0;
        for (const char c : "Volume ") {
            if (c != '\0') {
                text[at++] = c;
            }
        }
        if (held >= 100) {
            text[at++] = static_cast<char>('0' + held / 100);
        }
        if (held >= 10) {
            text[at++] = static_cast<char>('0' + held / 10 % 10);
        }
        text[at++] = static_cast<char>('0' + held % 10);
        text[at++] = '%';
        text[at] = '\0';
    }
    int32_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    if (length >= size) {
        buffer[0] = '\0';
        return false;
    }
    for (int32_t i = 0; i <= length; ++i) {
        buffer[i] = text[i];
    }
    return true;
}
