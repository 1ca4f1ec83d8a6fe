#include "core/CommandLine.h"

#include <cstring>

namespace {

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0u) == 0x80u;
}

} // namespace

bool PathFromCommandLine(const char* text, char (&path)[PATH_BUFFER_SIZE]) {
    path[0] = '\0';
    if (text == nullptr) {
        return false;
    }
    const char* first = text;
    size_t length = std::strlen(text);
    // Some launchers add a blank after the closing quote; no file name ends in one.
    while (length > 0 && (first[length - 1] == ' ' || first[length - 1] == '\t')) {
        --length;
    }
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

bool PathFromDialog(const char* answer, char (&path)[PATH_BUFFER_SIZE]) {
    path[0] = '\0';
    if (answer == nullptr) {
        return false;
    }
    const size_t length = std::strlen(answer);
    if (length > PATH_BUFFER_SIZE - 1) {
        return false;
    }
    std::memcpy(path, answer, length + 1);
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
        // Names arrive in UTF-8: a cut never splits a letter, so step back over at most three
        // continuation bytes (10xxxxxx) to the start of the letter that did not fit.
        for (int step = 0; step < 3 && IsContinuation(fileTitle[length]); ++step) {
            --length;
        }
    }
    std::memcpy(title, fileTitle, length);
    std::memcpy(title + length, suffix, suffixLength);
    std::memcpy(title + length + suffixLength, APP_TITLE, appLength + 1);
}

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (*at == '\\' || *at == '/' || *at == ':') {
            name = at + 1;
        }
    }
    return name;
}
