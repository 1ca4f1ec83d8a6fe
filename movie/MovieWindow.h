// The platform movie window (MCIWnd): created per movie, driven with its messages.
#pragma once

#include <windows.h>

#include <cstdint>

class MovieWindow {
  public:
    MovieWindow();
    ~MovieWindow() {}
    // False when no movie window opened; Refusal() then says whether the player refused it.
    bool Create(const char* path);
    // Why the last Create refused its file (a RefusalReason); REFUSAL_NONE after an open, and
    // after a file the platform itself could not open (it has shown its own box).
    int32_t Refusal() const { return refusal; }
    bool Destroy();
    HWND GetWindow() const { return window; }

    void Play() const;
    void Pause() const;
    void Stop();
    // True while Stop runs: a stopped mode the movie window reports then is that stop, not the
    // movie's end.
    bool Stopping() const { return stopping; }
    // MCIWND_START (-1) for the start; a position at or past the end goes to the last frame.
    void Seek(int32_t position) const;
    int32_t GetPosition() const;
    int32_t GetStart() const;
    int32_t GetLength() const;
    int32_t GetEnd() const;
    int32_t GetMode() const; // the movie window's own MCI mode
    // Whether there is a frame to step to: forward (direction > 0) or back.
    bool CanStepFrame(int32_t direction) const;
    // Steps one frame and shows it; false, and nothing moves, where CanStepFrame is false.
    bool StepFrame(int32_t direction) const;
    void SetZoom(int32_t percent) const;
    // The movie's own frame size; false (and 0 x 0) when the window cannot tell it.
    bool GetSourceSize(int32_t* width, int32_t* height) const;
    // Places the window so that its client area, where it draws the picture scaled to fill
    // it, is the rectangle given in the parent's client coordinates.
    void ShowPictureAt(int32_t x, int32_t y, int32_t width, int32_t height) const;

  private:
    // Stops a paused device where it is, so that its paused play's thread ends.
    void StopPausedDevice() const;
    // Creates, checks, sets up, shows and paints the movie window: Create without the watch.
    bool Open(const char* path);
    // Why a movie window that MCIWndCreateA returned is refused; REFUSAL_NONE when it shows a
    // movie that can be played, or has no device (the platform's own failure).
    static int32_t RefusalOf(HWND movie, bool* hasDevice);
    HWND window;
    bool stopping;
    int32_t refusal;
};

extern MovieWindow movieWindow;
