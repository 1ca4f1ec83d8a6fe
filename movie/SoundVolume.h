// The program's own sound volume and mute, through the platform's mixer.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// The speakers line of mixer 0. Since Windows Vista its controls set the calling program's own
// audio session, which the movie window's sound plays in: they change this program's sound
// only. The values are read from the mixer each time, never kept: the user can change them in
// the system's own mixer at any time.
class SoundVolume {
  public:
    SoundVolume();
    ~SoundVolume() {}
    // The volume now, in percent, and whether the sound is muted; false when there is no sound
    // device (or its line has no volume control).
    bool Read(int32_t* percent, bool* muted);
    // Sets the volume and turns the mute off.
    bool SetPercent(int32_t percent);
    bool SetMuted(bool muted);

  private:
    // Opens the mixer on first use, and again after a failure: a sound device may come later.
    bool Open();
    void Close();
    // Reads or sets one control's value, for all channels alike.
    bool Detail(DWORD control, DWORD size, void* value, bool set);
    HMIXER mixer;
    DWORD volumeControl;
    DWORD volumeMinimum;
    DWORD volumeMaximum;
    DWORD muteControl;
    bool hasMute;
};

extern SoundVolume soundVolume;
