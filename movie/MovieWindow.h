// The platform movie window (MCIWnd): created per movie, driven with its messages.
#pragma once

#include <windows.h>

#include <cstdint>

class MovieWindow {
  public:
    MovieWindow();
    ~MovieWindow() {}
    bool Create(const char* path);
    bool Destroy();
    HWND GetWindow() const { return window; }

    void Play() const;
    void Pause() const;
    void Stop() const;
    void Seek(int32_t position) const; // MCIWND_START (-1) for the start
    int32_t GetPosition() const;
    int32_t GetStart() const;
    int32_t GetLength() const;
    int32_t GetEnd() const;
    void SetZoom(int32_t percent) const;

  private:
    HWND window;
};

extern MovieWindow movieWindow;
