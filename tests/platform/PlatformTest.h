// Helpers for tests that run on the platform: message pumping with deadlines, answering modal
// dialogs from inside their own loop, and the generated test movies.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Pumps this thread's messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, uint32_t timeoutMs);

// Pumps whatever is queued now (and what that brings) without waiting.
void PumpPending();

// Windows path of a generated movie or file in the fixtures folder.
std::string FixturePath(const char* name);

// Whether the program runs under Wine (only to mark a known deviation in a test).
bool RunningUnderWine();

// Answers the next modal dialog that appears on this thread while the caller is blocked in
// it: a timer (running inside the dialog's own modal loop) finds a visible top-level window
// of class "#32770" owned by this thread and calls answer(dialog). A fallback sends IDCANCEL
// after timeoutMs so that a test never waits for a person. Call Cancel() (or let it go out of
// scope) when done.
class DialogAnswerer {
  public:
    DialogAnswerer(std::function<void(HWND)> answer, uint32_t timeoutMs = 10000);
    ~DialogAnswerer();
    int AnsweredCount() const;
    // The caption of the last dialog answered.
    std::string LastCaption() const;
};

// Posts a command to a dialog the way its button would.
void PressDialogButton(HWND dialog, int id);
