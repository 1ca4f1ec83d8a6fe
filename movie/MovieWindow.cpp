#include <windows.h>
#include <vfw.h>
#include <digitalv.h>
#include <mmreg.h>
#include <msacm.h>

#include "movie/MovieWindow.h"
#include "movie/DriverThreads.h"
#include "core/PlayerState.h"
#include "core/Refusal.h"
#include "core/AviCheck.h"
#include "shell/Application.h"
#include "shell/Profile.h"
#include "shell/VideoHost.h"

namespace {

// WS_CHILD | WS_VISIBLE with MCIWNDF_NOPLAYBAR, NOMENU, NOTIFYMODE, NOTIFYPOS, NOTIFYSIZE and
// NOOPEN. The window sizes itself to the movie and shows its own error boxes.
const DWORD MOVIE_STYLE = 0x5000870A;
const UINT NOTIFY_PERIOD_MS = 500;
const char AVI_DRIVER[] = "mciavi32.dll";
// Longer than a player thread takes to notice a stop: one frame of the slowest movie.
const DWORD DRIVER_THREADS_MS = 3000;

bool ReadAt(void* context, uint64_t offset, uint8_t* out, size_t count) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    DWORD read = 0;
    return SetFilePointerEx(static_cast<HANDLE>(context), to, nullptr, FILE_BEGIN) != 0 &&
           ReadFile(static_cast<HANDLE>(context), out, static_cast<DWORD>(count), &read, nullptr) !=
               0 &&
           read == count;
}

// Whether count blocks of so many bytes each can be had at once from the process heap, which
// the platform's sound buffers come from; the probe neither touches nor keeps the memory.
bool HeapHolds(SIZE_T bytes, uint32_t count) {
    const HANDLE heap = GetProcessHeap();
    void* block = count > 0 ? HeapAlloc(heap, 0, bytes) : nullptr;
    if (block == nullptr) {
        return count == 0;
    }
    const bool all = HeapHolds(bytes, count - 1);
    HeapFree(heap, 0, block);
    return all;
}

bool HeapAllocates(uint64_t bytes) {
    return static_cast<SIZE_T>(bytes) == bytes && HeapHolds(static_cast<SIZE_T>(bytes), 1);
}

// Whether the sound device prepares so many headers of so many bytes of this sound format, which
// it converts: it gets, with each header, a buffer of the size the converter asks for those
// bytes; when one cannot be had, the headers are not all prepared, nothing is read into them,
// and the movie plays without sound. Where the converter cannot be asked, the answer is yes.
bool SoundPrepares(const uint8_t* format, size_t size, uint32_t bytes, uint32_t headers) {
    // (The structure is byte-packed: it may lie at any address.)
    WAVEFORMATEX* wave = reinterpret_cast<WAVEFORMATEX*>(const_cast<uint8_t*>(format));
    // (A format shorter than its extra bytes would be read past its end.)
    if (size < sizeof *wave + wave->cbSize) {
        return true;
    }
    // The device plays 16-bit PCM of the sound's channels and rate.
    const WORD block = static_cast<WORD>(wave->nChannels * 2);
    WAVEFORMATEX pcm = {WAVE_FORMAT_PCM,
                        wave->nChannels,
                        wave->nSamplesPerSec,
                        wave->nSamplesPerSec * block,
                        block,
                        16,
                        0};
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream, nullptr, wave, &pcm, nullptr, 0, 0, 0) != MMSYSERR_NOERROR) {
        return true;
    }
    DWORD converted = 0;
    const bool prepares =
        acmStreamSize(stream, bytes, &converted, ACM_STREAMSIZEF_SOURCE) == MMSYSERR_NOERROR &&
        HeapHolds(static_cast<SIZE_T>(sizeof(ACMSTREAMHEADER) + converted), headers);
    acmStreamClose(stream, 0);
    return prepares;
}

// What the player refuses in a file before the movie window sees it: sound without video (Wine
// 8's AVI driver faults while opening one, reading the missing video format), and the structures
// the platform's AVI driver and sound codecs crash or hang on. Only a file on disk is read: a
// device such as CON could wait for input.
int32_t RefusalOfFile(const char* path) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return REFUSAL_NONE;
    }
    // On the stack: a zeroed global of this size would be stored in the executable's data.
    uint8_t start[AVI_CHECK_BYTES];
    DWORD read = 0;
    LARGE_INTEGER size = {};
    const bool ok = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) != 0 &&
                    ReadFile(file, start, AVI_CHECK_BYTES, &read, nullptr) != 0;
    const AviReader more = {ReadAt, file};
    const int32_t refusal = ok ? CheckAvi(start, read, static_cast<uint64_t>(size.QuadPart), &more,
                                          8 * sizeof(void*), {HeapAllocates, SoundPrepares})
                                     .refusal
                               : REFUSAL_NONE;
    CloseHandle(file);
    return refusal;
}

// Set when an access violation is raised on the opening thread while the movie window opens its
// file and paints it first. Wine's AVI driver decodes the frame to paint holding its device
// lock; a first video chunk that claims more bytes than the file holds makes that decode fault,
// Wine swallows the fault, and the lock stays held: the first play's thread then waits on it for
// ever, and so does the close that waits for that thread. Such a device is not to be played.
DWORD openingThread = 0;
volatile LONG openFaulted = 0;

LONG CALLBACK NoteOpenFault(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION &&
        GetCurrentThreadId() == openingThread) {
        InterlockedExchange(&openFaulted, 1);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// The driver's threads that ran once the movie had opened: the device's own, if any, which end
// with its close. Only the threads that plays start are waited for.
StandingThreads standing = {{0}, 0};

void LetPlayerThreadsEnd() {
    WaitForDriverThreads(AVI_DRIVER, standing, DRIVER_THREADS_MS);
}

} // namespace

MovieWindow::MovieWindow() : window(nullptr), stopping(false), refusal(REFUSAL_NONE) {}

bool MovieWindow::Create(const char* path) {
    refusal = REFUSAL_NONE;
    if (application.GetInstance() == nullptr || videoHost.GetWindow() == nullptr ||
        window != nullptr) {
        return false;
    }
    refusal = RefusalOfFile(path);
    ProfileStep("file checked");
    if (refusal != REFUSAL_NONE) {
        return false;
    }
    // Watched from the open to the first paint; the handler only notes, every exception goes
    // on to its usual handling.
    openingThread = GetCurrentThreadId();
    InterlockedExchange(&openFaulted, 0);
    void* const watch = AddVectoredExceptionHandler(1, NoteOpenFault);
    const bool shown = Open(path);
    if (watch != nullptr) {
        RemoveVectoredExceptionHandler(watch);
    }
    if (shown && InterlockedCompareExchange(&openFaulted, 0, 0) != 0) {
        // Closed before any play, the device's lock is wanted only by this thread, which holds
        // it already: the close does not wait.
        SendMessageA(window, WM_CLOSE, 0, 0);
        window = nullptr;
        refusal = REFUSAL_FAULTED;
        return false;
    }
    return shown;
}

bool MovieWindow::Open(const char* path) {
    HWND created =
        MCIWndCreateA(videoHost.GetWindow(), application.GetInstance(), MOVIE_STYLE, path);
    ProfileStep("movie window made, its file open");
    if (created == nullptr) {
        return false;
    }
    // A file the window cannot open still gives a window (after its own error box), but one
    // without a device: it would play nothing and report a length of 0. That is no movie, nor
    // is one without frames (Wine's sound layer aborts when its window goes with the frame while
    // playing), nor one whose frames are too large for the AVI driver to decode safely.
    bool hasDevice = false;
    refusal = RefusalOf(created, &hasDevice);
    if (!hasDevice || refusal != REFUSAL_NONE) {
        SendMessageA(created, WM_CLOSE, 0, 0);
        return false;
    }
    window = created;
    SendMessageA(window, MCIWNDM_SETTIMERS, NOTIFY_PERIOD_MS, NOTIFY_PERIOD_MS);
    SendMessageA(window, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<LPARAM>("ms"));
    SetZoom(zoomPercent);
    ProfileStep("movie window set up");
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    ProfileStep("first frame painted");
    // After the first frame (the list walks every thread of the system), before any play.
    ListStandingThreads(AVI_DRIVER, &standing);
    return true;
}

int32_t MovieWindow::RefusalOf(HWND movie, bool* hasDevice) {
    *hasDevice = SendMessageA(movie, MCIWNDM_GETDEVICEID, 0, 0) != 0;
    if (!*hasDevice) {
        return REFUSAL_NONE;
    }
    RECT source = {0, 0, 0, 0};
    SendMessageA(movie, MCIWNDM_GET_SOURCE, 0, reinterpret_cast<LPARAM>(&source));
    const int32_t length = static_cast<int32_t>(SendMessageA(movie, MCIWNDM_GETLENGTH, 0, 0));
    return OpenedMovieRefusal(true, length, source.right - source.left, source.bottom - source.top);
}

bool MovieWindow::Destroy() {
    if (window == nullptr) {
        return false;
    }
    // The driver's player threads still use the device that the close frees, and the driver's
    // code that closing its last device unloads: stop, and let them end first.
    Stop();
    ProfileStep("close: stopped");
    LetPlayerThreadsEnd();
    ProfileStep("close: driver threads ended");
    // Closing shrinks the window to no height and reports that size: a frame fitted to it
    // could move to the screen's edge just before the player gives it its size without a movie.
    SendMessageA(window, MCIWNDM_CHANGESTYLES, MCIWNDF_NOTIFYSIZE, 0);
    // MCIWndDestroy: the close message, handled before this returns.
    SendMessageA(window, WM_CLOSE, 0, 0);
    ProfileStep("close: device closed");
    window = nullptr;
    return true;
}

void MovieWindow::Play() const {
    // A paused movie is stopped where it is before it plays on. Wine's AVI driver plays each
    // play on a thread of its own: a paused play's thread waits for its paused sound to drain,
    // which never happens, so it never ends by itself (waiting for it froze the player), and a
    // play beside it would advance the movie twice as fast. The stop resets the sound, which
    // lets that thread end. Sent to the device itself: the movie window would report the stop,
    // which is no end of the movie. A stopped device plays from the same frame everywhere.
    StopPausedDevice();
    SendMessageA(window, MCI_PLAY, 0, 0);
}

void MovieWindow::StopPausedDevice() const {
    if (GetMode() == MCI_MODE_PAUSE) {
        const MCIDEVICEID device =
            static_cast<MCIDEVICEID>(SendMessageA(window, MCIWNDM_GETDEVICEID, 0, 0));
        MCI_GENERIC_PARMS parameters = {0};
        mciSendCommandA(device, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
        LetPlayerThreadsEnd();
    }
}

namespace {

// One frame, sent to the device itself, in frames: Wine's movie window steps one frame forward
// whatever it is asked. With MCI_TEST the device only says whether the frame exists.
MCIERROR SendFrameStep(HWND movie, int32_t direction, DWORD extraFlags) {
    const MCIDEVICEID device =
        static_cast<MCIDEVICEID>(SendMessageA(movie, MCIWNDM_GETDEVICEID, 0, 0));
    if (device == 0) {
        return MCIERR_INVALID_DEVICE_ID;
    }
    MCI_DGV_STEP_PARMS step = {0, 1};
    const DWORD flags = MCI_DGV_STEP_FRAMES | (direction < 0 ? MCI_DGV_STEP_REVERSE : 0);
    return mciSendCommandA(device, MCI_STEP, flags | extraFlags,
                           reinterpret_cast<DWORD_PTR>(&step));
}

} // namespace

bool MovieWindow::CanStepFrame(int32_t direction) const {
    return SendFrameStep(window, direction, MCI_TEST) == 0;
}

bool MovieWindow::StepFrame(int32_t direction) const {
    if (!CanStepFrame(direction)) {
        return false;
    }
    // A paused play's thread is ended as before a play; the step stops the device, and the
    // next play starts from the new frame with no thread of an earlier one left.
    StopPausedDevice();
    const bool stepped = SendFrameStep(window, direction, MCI_WAIT) == 0;
    LetPlayerThreadsEnd();
    // The device moves without drawing: the window paints the new frame.
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    return stepped;
}

void MovieWindow::Pause() const {
    SendMessageA(window, MCI_PAUSE, 0, 0);
}

void MovieWindow::Stop() {
    // Wine's movie window reports the stopped mode from inside the stop, while the player still
    // says playing; taken for the movie's end, with Repeat on it would play the movie again (a
    // new driver thread, with its sound, that Destroy would then wait for).
    stopping = true;
    SendMessageA(window, MCI_STOP, 0, 0);
    stopping = false;
}

void MovieWindow::Seek(int32_t position) const {
    const LRESULT error = SendMessageA(window, MCI_SEEK, 0, static_cast<LPARAM>(position));
    // Wine reports the end as a position but refuses to seek there (out of range); the
    // window's own end target reaches the last frame, which is as far as the movie goes.
    if (error == MCIERR_OUTOFRANGE && position >= GetEnd()) {
        SendMessageA(window, MCI_SEEK, 0, MCIWND_END);
    }
}

int32_t MovieWindow::GetPosition() const {
    return static_cast<int32_t>(SendMessageA(window, MCIWNDM_GETPOSITIONA, 0, 0));
}

int32_t MovieWindow::GetStart() const {
    return static_cast<int32_t>(SendMessageA(window, MCIWNDM_GETSTART, 0, 0));
}

int32_t MovieWindow::GetLength() const {
    return static_cast<int32_t>(SendMessageA(window, MCIWNDM_GETLENGTH, 0, 0));
}

int32_t MovieWindow::GetEnd() const {
    return static_cast<int32_t>(SendMessageA(window, MCIWNDM_GETEND, 0, 0));
}

int32_t MovieWindow::GetMode() const {
    return static_cast<int32_t>(SendMessageA(window, MCIWNDM_GETMODEA, 0, 0));
}

void MovieWindow::SetZoom(int32_t percent) const {
    SendMessageA(window, MCIWNDM_SETZOOM, 0, static_cast<LPARAM>(percent));
}

bool MovieWindow::GetSourceSize(int32_t* width, int32_t* height) const {
    RECT source = {0, 0, 0, 0};
    const bool known =
        SendMessageA(window, MCIWNDM_GET_SOURCE, 0, reinterpret_cast<LPARAM>(&source)) == 0;
    *width = known ? source.right - source.left : 0;
    *height = known ? source.bottom - source.top : 0;
    return known;
}

void MovieWindow::ShowPictureAt(int32_t x, int32_t y, int32_t width, int32_t height) const {
    // The platform gives the window a border: it goes around the picture, not over it.
    RECT outer = {0, 0, 0, 0};
    RECT client = {0, 0, 0, 0};
    POINT origin = {0, 0};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    const int32_t left = origin.x - outer.left;
    const int32_t top = origin.y - outer.top;
    const int32_t extraWidth = (outer.right - outer.left) - client.right;
    const int32_t extraHeight = (outer.bottom - outer.top) - client.bottom;
    POINT was = {outer.left, outer.top};
    ScreenToClient(GetParent(window), &was);
    SetWindowPos(window, HWND_TOP, x - left, y - top, width + extraWidth, height + extraHeight,
                 SWP_NOACTIVATE);
    if (was.x != x - left || was.y != y - top) {
        // Moved: the platform carries its old pixels along, and a still movie draws only when
        // asked to (a new size repaints it all by itself).
        InvalidateRect(window, nullptr, FALSE);
    }
    // Wine's window scales the picture to its new client area by itself; the platform's
    // documentation does not promise that, so the destination is set here too, when it differs.
    RECT dest = {0, 0, 0, 0};
    if (width > 0 && height > 0 &&
        (SendMessageA(window, MCIWNDM_GET_DEST, 0, reinterpret_cast<LPARAM>(&dest)) != 0 ||
         dest.left != 0 || dest.top != 0 || dest.right != width || dest.bottom != height)) {
        RECT wanted = {0, 0, width, height};
        SendMessageA(window, MCIWNDM_PUT_DEST, 0, reinterpret_cast<LPARAM>(&wanted));
    }
}
