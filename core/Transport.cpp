#include <windows.h>
#include <vfw.h>

#include "core/Transport.h"
#include "core/PlayerState.h"
#include "core/Seeking.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/Application.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/StatusBar.h"

namespace {

// True while the end-of-movie action runs. Stopping, seeking or playing the movie window from
// inside its own mode notification can bring another mode notification before the state has
// changed; that one belongs to the same end of the movie and must not act again.
bool endingMovie = false;

// True while Play/Pause tells a stopped or paused movie window to play; a stop reported then
// (the movie was at its last frame) comes before the state says playing, and is kept for after.
bool startingPlay = false;
bool stoppedWhileStarting = false;

bool HaveMovie() {
    return movieWindow.GetWindow() != nullptr;
}

// Moves the trackbar and the time text to a movie position.
void ShowMoviePosition(int32_t position, int32_t start, int32_t length) {
    positionTrackbar.SetPosition(TrackPositionOf(position, start, length));
    statusBar.ShowTime(position, length);
}

// Called right after the movie window was told to play. At its last frame it stops again at
// once, and its mode has not changed, so no end-of-movie notification would ever follow: the
// end is handled here instead, as if it had been reported.
void EndIfNotPlaying() {
    const bool stopped = stoppedWhileStarting;
    stoppedWhileStarting = false;
    if (HaveMovie() && playerState == MCI_MODE_PLAY &&
        (stopped || movieWindow.GetMode() != MCI_MODE_PLAY)) {
        OnMovieMode(MCI_MODE_STOP);
    }
}

void StepBy(int32_t step) {
    if (!HaveMovie() || !TransportSeekAllowed(playerState)) {
        return;
    }
    const int32_t start = movieWindow.GetStart();
    const int32_t end = movieWindow.GetEnd();
    const int32_t length = movieWindow.GetLength();
    const int32_t position = movieWindow.GetPosition();
    const int32_t target = StepTarget(position, step, start, end);
    movieWindow.Seek(target);
    ShowMoviePosition(target, start, length);
}

void PauseMovie() {
    // A movie that reaches its end just now reports it from inside the pause; the pause is
    // what the user asked for, and the next play finds the end.
    endingMovie = true;
    movieWindow.Pause();
    endingMovie = false;
    application.SetPlayerState(MCI_MODE_PAUSE);
}

} // namespace

void PlayPause() {
    if (!HaveMovie()) {
        return;
    }
    if (playerState == MCI_MODE_PLAY) {
        PauseMovie();
    } else {
        startingPlay = true;
        stoppedWhileStarting = false;
        movieWindow.Play();
        startingPlay = false;
        application.SetPlayerState(MCI_MODE_PLAY);
        EndIfNotPlaying();
    }
}

void Stop() {
    if (!HaveMovie()) {
        return;
    }
    movieWindow.Stop();
    movieWindow.Seek(MCIWND_START);
    application.SetPlayerState(MCI_MODE_STOP);
}

void GoToBeginning() {
    if (!HaveMovie() || !TransportSeekAllowed(playerState)) {
        return;
    }
    const int32_t start = movieWindow.GetStart();
    const int32_t length = movieWindow.GetLength();
    movieWindow.Seek(start);
    positionTrackbar.SetPosition(0);
    statusBar.ShowTime(start, length);
}

void StepBack() {
    StepBy(-STEP_MS);
}

void StepForward() {
    StepBy(STEP_MS);
}

void GoToEnd() {
    if (!HaveMovie() || !TransportSeekAllowed(playerState)) {
        return;
    }
    const int32_t end = movieWindow.GetEnd();
    const int32_t length = movieWindow.GetLength();
    movieWindow.Seek(end);
    positionTrackbar.SetPosition(TRACK_SCALE);
    statusBar.ShowTime(end, length);
}

void StepFrame(int32_t direction) {
    // At the first or the last frame nothing moves, and a playing movie plays on.
    if (!HaveMovie() || !movieWindow.CanStepFrame(direction)) {
        return;
    }
    if (playerState == MCI_MODE_PLAY) {
        // Paused first; the step then stops the paused device, which is no end of the movie.
        PauseMovie();
    }
    movieWindow.StepFrame(direction);
    ShowMoviePosition(movieWindow.GetPosition(), movieWindow.GetStart(), movieWindow.GetLength());
}

void SeekSteps(int32_t steps) {
    if (!HaveMovie() || steps == 0) {
        return;
    }
    const int32_t start = movieWindow.GetStart();
    const int32_t end = movieWindow.GetEnd();
    const int32_t length = movieWindow.GetLength();
    const int32_t target = SeekTarget(movieWindow.GetPosition(), steps, start, end);
    // As a trackbar move: the seek stops a playing movie, which is not its end, and the movie
    // plays on from the target. Inside a trackbar drag the drag's release does that.
    const bool dragging = seeking;
    seeking = true;
    movieWindow.Seek(target);
    ShowMoviePosition(target, start, length);
    seeking = dragging;
    if (!dragging && playerState == MCI_MODE_PLAY) {
        movieWindow.Play();
        EndIfNotPlaying();
    }
}

void OnTrackbarScroll(int32_t code, int32_t thumbPosition) {
    if (!HaveMovie()) {
        return;
    }
    const TrackScrollAction action = TrackScrollActionOf(code);
    // Seeking a playing movie makes it report a stop; that must not count as its end.
    if (action.setSeeking) {
        seeking = true;
    }
    const int32_t length = movieWindow.GetLength();
    const int32_t start = movieWindow.GetStart();
    if (action.seek) {
        const int32_t track = action.fromThumb ? thumbPosition : positionTrackbar.GetPosition();
        const int32_t target = MoviePositionOf(track, start, length);
        movieWindow.Seek(target);
        statusBar.ShowTime(target, length);
    }
    if (action.clearSeeking) {
        seeking = false;
    }
    if (action.resumeIfPlaying && playerState == MCI_MODE_PLAY) {
        movieWindow.Play();
        EndIfNotPlaying();
    }
}

void OnMoviePosition(int32_t position) {
    if (!HaveMovie() || !PositionNotifyApplies(seeking, playerState)) {
        return;
    }
    const int32_t length = movieWindow.GetLength();
    const int32_t start = movieWindow.GetStart();
    ShowMoviePosition(position, start, length);
}

void OnMovieMode(int32_t newMode) {
    // The player's own stops (Stop, Close, Exit, opening another movie) are no end of the movie.
    if (!HaveMovie() || endingMovie || movieWindow.Stopping()) {
        return;
    }
    if (startingPlay && newMode == MCI_MODE_STOP) {
        stoppedWhileStarting = true;
        return;
    }
    switch (EndOfMovieActionOf(newMode, playerState, seeking, repeat)) {
    case END_REPEAT:
        endingMovie = true;
        movieWindow.Seek(MCIWND_START);
        movieWindow.Play();
        endingMovie = false;
        break;
    case END_STOP:
        endingMovie = true;
        SendMessageA(mainFrame.GetWindow(), WM_COMMAND, IDM_STOP, 0);
        endingMovie = false;
        break;
    case END_IGNORE:
        break;
    }
}
