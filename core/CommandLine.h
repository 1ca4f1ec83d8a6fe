// The command line as a movie path, and the main frame's title.
#pragma once

#include <cstddef>
#include <cstdint>

const size_t PATH_BUFFER_SIZE = 260;         // MAX_PATH, terminator included
const char* const APP_TITLE = "Quillotrope"; // the frame's title without a movie
const size_t TITLE_BUFFER_SIZE = PATH_BUFFER_SIZE + 14;

// Copies text into path without its trailing blanks (spaces and tabs) and then with a leading and
// a trailing double quote removed, each on its own.
// Returns false and leaves path empty when text is null or what remains does not fit in
// PATH_BUFFER_SIZE - 1 bytes: such a path is refused, never cut short (nor inside a letter: the
// manifest makes the 8-bit functions carry UTF-8, where a letter takes one to four bytes).
bool PathFromCommandLine(const char* text, char (&path)[PATH_BUFFER_SIZE]);

// Copies the open-file dialog's answer into path. False, with path empty, when it is null or
// longer than PATH_BUFFER_SIZE - 1 bytes: refused like a command line that does not fit.
bool PathFromDialog(const char* answer, char (&path)[PATH_BUFFER_SIZE]);

// The file-name part of a path: what follows its last backslash, slash or drive colon (a UTF-8
// letter never holds one of these bytes).
const char* FileNamePart(const char* path);

// fileTitle + " - " + "Quillotrope". A file title too long for the buffer is cut so that the
// suffix always shows, and never inside a UTF-8 letter. A null file title gives "Quillotrope".
void TitleText(const char* fileTitle, char (&title)[TITLE_BUFFER_SIZE]);
