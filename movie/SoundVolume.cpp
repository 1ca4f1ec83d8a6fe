#include <windows.h>
#include <mmsystem.h>

#include "movie/SoundVolume.h"
#include "core/Volume.h"

namespace {

// The control of one type on a line; false when the line has none.
bool FindControl(HMIXER mixer, DWORD line, DWORD type, MIXERCONTROLA* control) {
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof *control;
    controls.pamxctrl = control;
    control->cbStruct = sizeof *control;
    return mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &controls,
                                 MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}

} // namespace

SoundVolume::SoundVolume()
    : mixer(nullptr), volumeControl(0), volumeMinimum(0), volumeMaximum(0), muteControl(0),
      hasMute(false) {}

bool SoundVolume::Open() {
    if (mixer != nullptr) {
        return true;
    }
    if (mixerGetNumDevs() == 0) {
        return false;
    }
    HMIXER opened = nullptr;
    if (mixerOpen(&opened, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        return false;
    }
    MIXERLINEA line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    MIXERCONTROLA volume = {};
    if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(opened), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
            MMSYSERR_NOERROR ||
        !FindControl(opened, line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, &volume)) {
        mixerClose(opened);
        return false;
    }
    MIXERCONTROLA mute = {};
    hasMute = FindControl(opened, line.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE, &mute);
    muteControl = hasMute ? mute.dwControlID : 0;
    volumeControl = volume.dwControlID;
    volumeMinimum = volume.Bounds.dwMinimum;
    volumeMaximum = volume.Bounds.dwMaximum;
    mixer = opened;
    return true;
}

void SoundVolume::Close() {
    if (mixer != nullptr) {
        mixerClose(mixer);
        mixer = nullptr;
    }
}

bool SoundVolume::Detail(DWORD control, DWORD size, void* value, bool set) {
    // One channel: the control read and set as uniform, all channels alike.
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = control;
    details.cChannels = 1;
    details.cbDetails = size;
    details.paDetails = value;
    const HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
    const MMRESULT result =
        set ? mixerSetControlDetails(object, &details,
                                     MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
            : mixerGetControlDetailsA(object, &details,
                                      MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    if (result == MMSYSERR_NOERROR) {
        return true;
    }
    // The device went away: open anew next time.
    Close();
    return false;
}

bool SoundVolume::Read(int32_t* percent, bool* muted) {
    MIXERCONTROLDETAILS_UNSIGNED volume = {0};
    MIXERCONTROLDETAILS_BOOLEAN mute = {0};
    if (!Open() || !Detail(volumeControl, sizeof volume, &volume, false) ||
        (hasMute && !Detail(muteControl, sizeof mute, &mute, false))) {
        return false;
    }
    *percent = VolumePercentOf(volume.dwValue, volumeMinimum, volumeMaximum);
    *muted = mute.fValue != 0;
    return true;
}

bool SoundVolume::SetPercent(int32_t percent) {
    if (!Open()) {
        return false;
    }
    MIXERCONTROLDETAILS_UNSIGNED volume = {VolumeValueOf(percent, volumeMinimum, volumeMaximum)};
    if (!Detail(volumeControl, sizeof volume, &volume, true)) {
        return false;
    }
    return SetMuted(false);
}

bool SoundVolume::SetMuted(bool muted) {
    if (!Open()) {
        return false;
    }
    if (!hasMute) {
        // A line without a mute control cannot be muted, and is never muted.
        return !muted;
    }
    MIXERCONTROLDETAILS_BOOLEAN mute = {muted ? 1 : 0};
    return Detail(muteControl, sizeof mute, &mute, true);
}
