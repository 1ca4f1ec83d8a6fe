#include "core/TimeText.h"

namespace {

char* PutTwoDigits(char* out, int32_t value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

} // namespace

bool FormatTime(int32_t ms, char (&out)[FORMAT_TIME_SIZE]) {
    out[0] = '\0';
    if (ms < 0) {
        return false;
    }
    const int32_t s = ms / 1000;
    const int32_t hours = (s / 3600) % 60;
    const int32_t minutes = (s / 60) % 60;
    const int32_t seconds = s % 60;
    char* p = out;
    if (hours > 0) {
        p = PutTwoDigits(p, hours);
        *p++ = ':';
    }
    p = PutTwoDigits(p, minutes);
    *p++ = ':';
    p = PutTwoDigits(p, seconds);
    *p = '\0';
    return true;
}

bool TimeText(int32_t position, int32_t length, char (&out)[TIME_TEXT_SIZE]) {
    out[0] = '\0';
    char positionText[FORMAT_TIME_SIZE];
    char lengthText[FORMAT_TIME_SIZE];
    if (!FormatTime(position, positionText) || !FormatTime(length, lengthText)) {
        return false;
    }
    char* p = out;
    for (const char* q = positionText; *q != '\0'; ++q) {
        *p++ = *q;
    }
    *p++ = '/';
    for (const char* q = lengthText; *q != '\0'; ++q) {
        *p++ = *q;
    }
    *p = '\0';
    return true;
}
