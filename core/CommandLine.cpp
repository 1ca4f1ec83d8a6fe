#include "core/CommandLine.h"

#include <cstring>

bool PathFromCommandLine(const char* text, char (&path)[PATH_BUFFER_SIZE]) {
    path[0] = '\0';
    if (text == nullptr) {
        return false;
    }
    const char* first = text;
    size_t length = std::strlen(text);
    if (length > 0 && first[0] == '"') {
        ++first;
        --length;
    }
    if (length > 0 && first[length - 1] == '"') {
        --length;
    }
    // A path cut short would name another file: refuse it whole.
    if (length > PATH_BUFFER_SIZE - 1) {
        return false;
    }
    std::memcpy(path, first, length);
    path[length] = '\0';
    return true;
}

void TitleText(const char* fileTitle, char (&title)[TITLE_BUFFER_SIZE]) {
    const char suffix[] = " - ";
    const size_t suffixLength = sizeof suffix - 1;
    const size_t appLength = std::strlen(APP_TITLE);
    if (fileTitle == nullptr) {
        std::memcpy(title, APP_TITLE, appLength + 1);
        return;
    }
    // Keep room for " - Quillotrope" and the terminator, whatever the file title's length.
    const size_t room = TITLE_BUFFER_SIZE - 1 - suffixLength - appLength;
    size_t length = std::strlen(fileTitle);
    if (length > room) {
        length = room;
    }
    std::memcpy(title, fileTitle, length);
    std::memcpy(title + length, suffix, suffixLength);
    std::memcpy(title + length + suffixLength, APP_TITLE, appLength + 1);
}
