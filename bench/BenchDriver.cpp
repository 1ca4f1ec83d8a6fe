// Measures the player against the bare movie host, side by side in one run, and prints a
// Markdown table: start-up to the first frame, a second open while a movie plays, playback
// CPU, the cost of a thumb-drag notification and of a volume change, memory and handle
// counts. The soak mode keeps the player repeating and re-opening movies and prints its
// resources once a minute.
//
//   bench_driver run PLAYER.exe BARE.exe PLAY.avi SECOND.avi RUNS [CONTROLS.exe]
//   bench_driver profile PLAYER.exe CONTROLS.exe BARE.exe PLAY.avi SECOND.avi RUNS
//   bench_driver soak PLAYER.exe FIRST.avi SECOND.avi MINUTES CYCLE_SECONDS
//   bench_driver child open|thumb player|bare FIRST.avi [SECOND.avi]   (used by run)
//   bench_driver child notify|volume player FIRST.avi                   (used by run)
//
// Out of process (start-up, CPU, memory, handles): the real executables, started with
// CreateProcessA and watched from here. In process (second open, thumb drag): a child copy of
// this program that links the player's own code, so that a single operation can be timed
// without the noise of another process's scheduling. The profile takes a profiling build
// (shell/Profile.h): the steps of start-up, under this program as a debugger, and those of a
// second open, with the repaints of a position notification.
#include <windows.h>
#include <commctrl.h>
#include <vfw.h>
#include <psapi.h>

#include "bench/BareMovie.h"
#include "bench/ProcessFigures.h"
#include "bench/StartUpTrace.h"
#include "core/PlayerState.h"
#include "core/Seeking.h"
#include "movie/MovieWindow.h"
#include "res/resource.h"
#include "shell/MainFrame.h"
#include "shell/PositionTrackbar.h"
#include "shell/Profile.h"
#include "shell/StartUp.h"
#include "shell/VideoHost.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const char MOVIE_CLASS[] = "MCIWndClass";
const DWORD CPU_WINDOW_MS = 5000;
const int THUMB_MOVES = 1000;
const int VOLUME_CHANGES = 20;
const DWORD LAUNCH_TIMEOUT_MS = 30000;

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    if (values.size() % 2 == 1) {
        return values[middle];
    }
    return (values[middle - 1] + values[middle]) / 2.0;
}

double Last(const std::vector<double>& values) {
    return values.empty() ? 0.0 : values.back();
}

// --- This thread's messages --------------------------------------------------------------

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    for (;;) {
        PumpPending();
        if (done()) {
            return true;
        }
        if (NowMs() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// The first frame is on screen when the movie window is visible (with all its ancestors) and
// has nothing left to paint.
bool FrameOnScreen(HWND movie) {
    return movie != nullptr && IsWindow(movie) && IsWindowVisible(movie) &&
           !GetUpdateRect(movie, nullptr, FALSE);
}

// --- Windows of another process ----------------------------------------------------------

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

bool ClassIs(HWND window, const char* className) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, className) == 0;
}

BOOL CALLBACK SearchChild(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    if (search->className != nullptr && ClassIs(window, search->className)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK SearchTop(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) {
        return TRUE;
    }
    // EnumChildWindows visits every descendant, not only the direct children.
    EnumChildWindows(window, SearchChild, data);
    return search->found == nullptr ? TRUE : FALSE;
}

BOOL CALLBACK SearchTopOnly(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        ClassIs(window, search->className)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDescendant(DWORD processId, const char* className) {
    WindowSearch search = {processId, className, nullptr};
    EnumWindows(SearchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK SearchThreadTop(HWND window, LPARAM data) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(data);
    EnumChildWindows(window, SearchChild, data);
    return search->found == nullptr ? TRUE : FALSE;
}

// The same search among the windows of one thread: far fewer calls into the server than going
// through every top-level window on the desktop (which the other programs of the same Wine
// server share), so polling with it disturbs the program watched much less.
HWND FindDescendantOfThread(DWORD threadId, const char* className) {
    WindowSearch search = {0, className, nullptr};
    EnumThreadWindows(threadId, SearchThreadTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleTop(DWORD processId, const char* className) {
    WindowSearch search = {processId, className, nullptr};
    EnumWindows(SearchTopOnly, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildOfClass(HWND parent, const char* className) {
    WindowSearch search = {0, className, nullptr};
    EnumChildWindows(parent, SearchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// --- Resources of another process --------------------------------------------------------

// Where a figure came from: the documented call, or the substitute used where the platform
// does not implement it (Wine 8: GetGuiResources, GetProcessHandleCount and PrivateUsage).
struct Sources : FigureSources {
    bool cpuFromSystem = false;
    bool cpuFromScheduler = false;
    bool peakSampled = false;
};
Sources sources;

double CpuMs(HANDLE process, DWORD processId) {
    FILETIME creation, exit, kernel, user;
    double ms = 0.0;
    if (GetProcessTimes(process, &creation, &exit, &kernel, &user)) {
        const auto ticks = [](const FILETIME& time) {
            return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                                       time.dwLowDateTime);
        };
        ms = (ticks(kernel) + ticks(user)) / 10000.0;
    }
    // Both report the same times on Windows; Wine 8 answers GetProcessTimes fully only for the
    // calling process and fills the system's process list from the Linux process.
    const SystemProcessFigures figures = QuerySystemProcess(processId);
    if (figures.found && figures.cpuMs > ms) {
        sources.cpuFromSystem = true;
        ms = figures.cpuMs;
    }
    return ms;
}

// --- The Linux side, under Wine ---------------------------------------------------------

// Under Wine drive Z: is the Linux root, so /proc can be read. The CPU figures of the Win32
// calls count whole 10 ms ticks, too coarse for a 5 s window in which the platform decodes
// and draws a few hundred frames; the scheduler's own figure per thread is in nanoseconds.
bool ReadWholeFile(const std::string& path, std::string* text) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    text->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text->append(buffer, got);
    }
    CloseHandle(file);
    return true;
}

// The Linux process whose command line (which Wine sets to the Windows one) contains the
// text; the most recently started one if there are several.
long FindLinuxProcess(const std::string& commandLineText) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    long best = 0;
    unsigned long long bestStart = 0;
    do {
        const char* name = entry.cFileName;
        if (name[0] < '1' || name[0] > '9') {
            continue;
        }
        std::string text;
        const std::string dir = std::string("Z:\\proc\\") + name;
        if (!ReadWholeFile(dir + "\\cmdline", &text)) {
            continue;
        }
        std::replace(text.begin(), text.end(), '\0', ' ');
        if (text.find(commandLineText) == std::string::npos ||
            !ReadWholeFile(dir + "\\stat", &text)) {
            continue;
        }
        // Field 22, the start time, follows the parenthesised name.
        const size_t close = text.rfind(')');
        unsigned long long start = 0;
        if (close != std::string::npos) {
            const char* at = text.c_str() + close + 2;
            for (int field = 3; field < 22 && at != nullptr; ++field) {
                at = std::strchr(at, ' ');
                at = at != nullptr ? at + 1 : nullptr;
            }
            start = at != nullptr ? std::strtoull(at, nullptr, 10) : 0;
        }
        if (best == 0 || start >= bestStart) {
            best = std::atol(name);
            bestStart = start;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return best;
}

// The time the process's live threads have run, from their schedstat (first field, ns).
double LinuxCpuMs(long linuxPid) {
    if (linuxPid <= 0) {
        return -1.0;
    }
    const std::string tasks = "Z:\\proc\\" + std::to_string(linuxPid) + "\\task\\";
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((tasks + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return -1.0;
    }
    double ns = 0.0;
    do {
        std::string text;
        if (entry.cFileName[0] >= '0' && entry.cFileName[0] <= '9' &&
            ReadWholeFile(tasks + entry.cFileName + "\\schedstat", &text)) {
            ns += std::strtod(text.c_str(), nullptr);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return ns / 1e6;
}

// --- Processes ---------------------------------------------------------------------------

bool Launch(const std::string& commandLine, PROCESS_INFORMATION* process, HANDLE output) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, output != nullptr ? TRUE : FALSE,
                          0, nullptr, nullptr, &startup, process) != 0;
}

BOOL CALLBACK CloseTop(HWND window, LPARAM data) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(data) && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

// Closes the program's windows as a user would, and ends it only if that does not work.
bool End(PROCESS_INFORMATION* process) {
    EnumWindows(CloseTop, static_cast<LPARAM>(process->dwProcessId));
    bool clean = WaitForSingleObject(process->hProcess, 10000) == WAIT_OBJECT_0;
    if (!clean) {
        TerminateProcess(process->hProcess, 1);
        WaitForSingleObject(process->hProcess, 5000);
    }
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
    return clean;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// --- Out of process: start-up, CPU, memory, handles --------------------------------------

struct ProcessRun {
    bool ok;
    double startUpMs;
    double cpuMs;      // the scheduler's figure under Wine, else the Win32 one
    double win32CpuMs; // GetProcessTimes (or the system's process list)
    double xServerCpuMs;
    bool played;
    Memory memory;
    double peakPrivateBytes;
    Handles handles;
};

// Whether a movie window draws its picture at the screen's full width or height.
bool FillsTheScreen(HWND movie) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(movie, &client);
    return client.right == GetSystemMetrics(SM_CXSCREEN) ||
           client.bottom == GetSystemMetrics(SM_CYSCREEN);
}

// fit: the picture fitted to the whole screen (the player: Fit to Window and full screen after
// its first frame; the bare host: "/fit", from the start).
ProcessRun MeasureProcess(const std::string& exe, const std::string& movie, bool fit = false,
                          bool isPlayer = false) {
    ProcessRun run = {};
    PROCESS_INFORMATION process = {};
    const double started = NowMs();
    const std::string option = fit && !isPlayer ? " /fit" : "";
    if (!Launch(Quoted(exe) + option + " " + Quoted(movie), &process, nullptr)) {
        std::fprintf(stderr, "cannot start %s (%lu)\n", exe.c_str(), GetLastError());
        return run;
    }
    HWND movieWindow = nullptr;
    for (;;) {
        if (movieWindow == nullptr || !IsWindow(movieWindow)) {
            // Both programs make their windows on their first thread.
            movieWindow = FindDescendantOfThread(process.dwThreadId, MOVIE_CLASS);
        }
        if (FrameOnScreen(movieWindow)) {
            break;
        }
        if (NowMs() - started > LAUNCH_TIMEOUT_MS ||
            WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s showed no movie\n", exe.c_str());
            End(&process);
            return run;
        }
        Sleep(1);
    }
    run.startUpMs = NowMs() - started;
    if (fit) {
        if (isPlayer) {
            const HWND frame = FindVisibleTop(process.dwProcessId, "MainWnd");
            SendWithin(frame, WM_COMMAND, IDM_ZOOMFIT, 0);
            SendWithin(frame, WM_COMMAND, IDM_FULLSCREEN, 0);
        }
        const double deadline = NowMs() + 5000;
        while (!FillsTheScreen(movieWindow) && NowMs() < deadline) {
            Sleep(10);
        }
        if (!FillsTheScreen(movieWindow)) {
            std::fprintf(stderr, "%s did not fit the picture to the screen\n", exe.c_str());
            End(&process);
            return run;
        }
    }
    run.memory = ReadMemory(process.hProcess, &sources);
    run.peakPrivateBytes = run.memory.privateBytes;

    const long linuxPid = FindLinuxProcess(exe);
    const char* xServer = std::getenv("BENCH_XSERVER_PID");
    const long xServerPid = xServer != nullptr ? std::atol(xServer) : 0;

    const LRESULT firstPosition = SendWithin(movieWindow, MCIWNDM_GETPOSITIONA, 0, 0);
    const double cpuBefore = CpuMs(process.hProcess, process.dwProcessId);
    const double linuxBefore = LinuxCpuMs(linuxPid);
    const double xServerBefore = LinuxCpuMs(xServerPid);
    const double windowStart = NowMs();
    while (NowMs() - windowStart < CPU_WINDOW_MS) {
        Sleep(250);
        const Memory now = ReadMemory(process.hProcess, &sources);
        run.peakPrivateBytes = std::max(run.peakPrivateBytes, now.privateBytes);
    }
    const double cpuAfter = CpuMs(process.hProcess, process.dwProcessId);
    const double linuxAfter = LinuxCpuMs(linuxPid);
    const double xServerAfter = LinuxCpuMs(xServerPid);
    const double windowLength = NowMs() - windowStart;
    const double scale = CPU_WINDOW_MS / windowLength;
    run.win32CpuMs = (cpuAfter - cpuBefore) * scale;
    run.cpuMs = run.win32CpuMs;
    if (linuxBefore >= 0.0 && linuxAfter >= 0.0) {
        run.cpuMs = (linuxAfter - linuxBefore) * scale;
        sources.cpuFromScheduler = true;
    }
    run.xServerCpuMs =
        xServerBefore >= 0.0 && xServerAfter >= 0.0 ? (xServerAfter - xServerBefore) * scale : -1.0;
    const LRESULT lastPosition = SendWithin(movieWindow, MCIWNDM_GETPOSITIONA, 0, 0);
    run.played = lastPosition - firstPosition >= static_cast<LRESULT>(CPU_WINDOW_MS / 2);

    const Memory last = ReadMemory(process.hProcess, &sources);
    run.memory.peakWorkingSet = last.peakWorkingSet;
    if (last.peakPrivateBytes > run.peakPrivateBytes) {
        run.peakPrivateBytes = last.peakPrivateBytes;
    } else {
        // The platform's own peak did not exceed what was sampled: the sampled figure stands.
        sources.peakSampled = true;
    }
    run.handles = ReadHandles(process.hProcess, process.dwProcessId, &sources);
    if (!End(&process)) {
        std::fprintf(stderr, "%s did not close and was ended\n", exe.c_str());
    }
    run.ok = true;
    return run;
}

// --- In process: the child side ----------------------------------------------------------

// The marks a profiling build made since the first'th, as "step_NAME ms since started"
// lines (a name's spaces as underscores); nothing in any other build.
LONG ProfileMarkCount() {
#ifdef QUILLOTROPE_PROFILE
    return profileMarkCount;
#else
    return 0;
#endif
}

void PrintMarks(LONG first, double startedMs) {
#ifdef QUILLOTROPE_PROFILE
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const LONG count = std::min(profileMarkCount, PROFILE_MARKS);
    for (LONG i = first; i < count; ++i) {
        std::string name = profileMarks[i].step;
        std::replace(name.begin(), name.end(), ' ', '_');
        name.erase(std::remove(name.begin(), name.end(), ':'), name.end());
        const double at = static_cast<double>(profileMarks[i].at) * 1000.0 /
                          static_cast<double>(frequency.QuadPart);
        std::printf("step%02ld_%s %.3f\n", static_cast<long>(i - first), name.c_str(),
                    at - startedMs);
    }
#else
    (void)first;
    (void)startedMs;
#endif
}

// The pixels a window has left to repaint.
long UpdatePixels(HWND window) {
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    long pixels = 0;
    if (GetUpdateRgn(window, region, FALSE) > NULLREGION) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<char> buffer(size);
        RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (size > 0 && GetRegionData(region, size, data) == size) {
            const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i) {
                pixels += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
            }
        }
    }
    DeleteObject(region);
    return pixels;
}

// What a notification left to repaint, by window class: how often, and how many pixels.
struct Repaints {
    std::map<std::string, std::pair<int, double>> byClass;
};

BOOL CALLBACK NoteRepaint(HWND window, LPARAM data) {
    const long pixels = UpdatePixels(window);
    if (pixels > 0) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        auto& entry = reinterpret_cast<Repaints*>(data)->byClass[name];
        ++entry.first;
        entry.second += static_cast<double>(pixels);
    }
    return TRUE;
}

char firstPath[MAX_PATH + 2];
char secondPath[MAX_PATH + 2];

// Started as from its command line: the first movie opens and plays. 0 when it plays, else the
// child's exit code.
int StartPlaying() {
    HACCEL accelerators = nullptr;
    if (!StartUp(GetModuleHandleA(nullptr), firstPath, &accelerators)) {
        return 2;
    }
    PumpFor(1000);
    if (movieWindow.GetWindow() == nullptr || playerState != MCI_MODE_PLAY) {
        return 3;
    }
    return 0;
}

int ChildOpenPlayer() {
    if (const int failed = StartPlaying()) {
        return failed;
    }
    pendingPath = secondPath;
    const HWND previous = movieWindow.GetWindow();
    const LONG firstMark = ProfileMarkCount();
    const double started = NowMs();
    SendMessageA(mainFrame.GetWindow(), WM_COMMAND, IDM_OPEN, 0);
    const double returned = NowMs();
    const bool shown = PumpUntil(
        [previous] {
            const HWND movie = movieWindow.GetWindow();
            return movie != previous && FrameOnScreen(movie);
        },
        10000);
    const double drawn = NowMs();
    std::printf("open_call_ms %.3f\nopen_ms %.3f\n", returned - started, drawn - started);
    PrintMarks(firstMark, started);
    DestroyWindow(mainFrame.GetWindow());
    PumpPending();
    return shown ? 0 : 4;
}

int ChildOpenBare() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND frame = CreateBareFrame(instance);
    HWND movie = CreateBareMovie(frame, instance, firstPath);
    if (movie == nullptr) {
        return 3;
    }
    SendMessageA(movie, MCI_PLAY, 0, 0);
    PumpFor(1000);
    const double started = NowMs();
    SendMessageA(movie, WM_CLOSE, 0, 0); // MCIWndDestroy
    movie = CreateBareMovie(frame, instance, secondPath);
    const double returned = NowMs();
    const bool shown = PumpUntil([movie] { return FrameOnScreen(movie); }, 10000);
    const double drawn = NowMs();
    std::printf("open_call_ms %.3f\nopen_ms %.3f\n", returned - started, drawn - started);
    DestroyWindow(frame);
    PumpPending();
    return shown ? 0 : 4;
}

// A drag over the whole track and back, again and again.
int32_t ThumbPosition(int i) {
    const int32_t k = static_cast<int32_t>(i % (2 * TRACK_SCALE));
    return k <= TRACK_SCALE ? k : 2 * TRACK_SCALE - k;
}

void PrintThumb(const std::vector<double>& sent, const std::vector<double>& drawn) {
    double total = 0.0;
    for (double value : sent) {
        total += value;
    }
    std::printf("thumb_us %.3f\nthumb_mean_us %.3f\nthumb_drawn_us %.3f\n", Median(sent) * 1000.0,
                total * 1000.0 / static_cast<double>(sent.size()), Median(drawn) * 1000.0);
}

int ChildThumbPlayer() {
    HACCEL accelerators = nullptr;
    if (!StartUp(GetModuleHandleA(nullptr), "", &accelerators)) {
        return 2;
    }
    pendingPath = firstPath;
    SendMessageA(mainFrame.GetWindow(), WM_COMMAND, IDM_OPEN, 0);
    if (!PumpUntil([] { return FrameOnScreen(movieWindow.GetWindow()); }, 10000)) {
        return 3;
    }
    PumpFor(300);
    const HWND host = videoHost.GetWindow();
    const LPARAM trackbar = reinterpret_cast<LPARAM>(positionTrackbar.GetWindow());
    std::vector<double> sent, drawn;
    for (int i = 0; i < THUMB_MOVES; ++i) {
        const WPARAM code = MAKEWPARAM(TB_THUMBTRACK, ThumbPosition(i));
        const double started = NowMs();
        SendMessageA(host, WM_HSCROLL, code, trackbar);
        const double returned = NowMs();
        PumpPending();
        sent.push_back(returned - started);
        drawn.push_back(NowMs() - started);
    }
    SendMessageA(host, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), trackbar);
    PrintThumb(sent, drawn);
    DestroyWindow(mainFrame.GetWindow());
    PumpPending();
    return 0;
}

int ChildThumbBare() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND frame = CreateBareFrame(instance);
    const HWND movie = CreateBareMovie(frame, instance, firstPath);
    if (movie == nullptr || !PumpUntil([movie] { return FrameOnScreen(movie); }, 10000)) {
        return 3;
    }
    PumpFor(300);
    const int32_t start = static_cast<int32_t>(SendMessageA(movie, MCIWNDM_GETSTART, 0, 0));
    const int32_t length = static_cast<int32_t>(SendMessageA(movie, MCIWNDM_GETLENGTH, 0, 0));
    std::vector<double> sent, drawn;
    for (int i = 0; i < THUMB_MOVES; ++i) {
        const LPARAM target = MoviePositionOf(ThumbPosition(i), start, length);
        const double started = NowMs();
        SendMessageA(movie, MCI_SEEK, 0, target); // MCIWndSeek
        const double returned = NowMs();
        PumpPending();
        sent.push_back(returned - started);
        drawn.push_back(NowMs() - started);
    }
    PrintThumb(sent, drawn);
    DestroyWindow(frame);
    PumpPending();
    return 0;
}

// The position notification's own work, as it comes twice a second while playing: the state
// says playing while the movie window stands still, so that nothing else runs meanwhile. The
// positions step by 500 ms through the movie, as the notifications do; each is timed with the
// repaints it causes.
int ChildNotifyPlayer() {
    HACCEL accelerators = nullptr;
    if (!StartUp(GetModuleHandleA(nullptr), "", &accelerators)) {
        return 2;
    }
    pendingPath = firstPath;
    SendMessageA(mainFrame.GetWindow(), WM_COMMAND, IDM_OPEN, 0);
    if (!PumpUntil([] { return FrameOnScreen(movieWindow.GetWindow()); }, 10000)) {
        return 3;
    }
    PumpFor(300);
    playerState = MCI_MODE_PLAY;
    const HWND host = videoHost.GetWindow();
    const int32_t length = movieWindow.GetLength();
    std::vector<double> sent, drawn;
    Repaints repaints;
    for (int i = 0; i < THUMB_MOVES; ++i) {
        const LPARAM position = length > 0 ? (i * 500) % length : 0;
        const double started = NowMs();
        SendMessageA(host, MCIWNDM_NOTIFYPOS, reinterpret_cast<WPARAM>(movieWindow.GetWindow()),
                     position);
        const double returned = NowMs();
        NoteRepaint(mainFrame.GetWindow(), reinterpret_cast<LPARAM>(&repaints));
        EnumChildWindows(mainFrame.GetWindow(), NoteRepaint, reinterpret_cast<LPARAM>(&repaints));
        PumpPending();
        sent.push_back(returned - started);
        drawn.push_back(NowMs() - started);
    }
    playerState = MCI_MODE_STOP;
    double sentTotal = 0.0, drawnTotal = 0.0;
    for (size_t i = 0; i < sent.size(); ++i) {
        sentTotal += sent[i];
        drawnTotal += drawn[i];
    }
    // Every other notification changes the time text: the means show what the medians hide.
    std::printf("notify_us %.3f\nnotify_drawn_us %.3f\nnotify_mean_us %.3f\n"
                "notify_drawn_mean_us %.3f\n",
                Median(sent) * 1000.0, Median(drawn) * 1000.0,
                sentTotal * 1000.0 / static_cast<double>(sent.size()),
                drawnTotal * 1000.0 / static_cast<double>(drawn.size()));
    // Per class: the share of notifications that leave it to repaint, and the pixels each time.
    for (const auto& entry : repaints.byClass) {
        std::printf("repaint_share_%s %.3f\nrepaint_pixels_%s %.1f\n", entry.first.c_str(),
                    entry.second.first / static_cast<double>(THUMB_MOVES), entry.first.c_str(),
                    entry.second.second / entry.second.first);
    }
    DestroyWindow(mainFrame.GetWindow());
    PumpPending();
    return 0;
}

// A volume change while a movie with sound plays: Volume Down sent to the frame, timed until
// SendMessageA returns. The first command opens the mixer (it is opened on first use, never at
// start-up) and is given apart; then Down and Up alternate, so that every Down changes the
// volume, and the Downs are timed.
int ChildVolumePlayer() {
    if (const int failed = StartPlaying()) {
        return failed;
    }
    const HWND frame = mainFrame.GetWindow();
    const auto timed = [frame](int id) {
        const double started = NowMs();
        SendMessageA(frame, WM_COMMAND, static_cast<WPARAM>(id), 0);
        return NowMs() - started;
    };
    const double first = timed(IDM_VOLUMEDOWN);
    PumpPending();
    std::vector<double> downs;
    for (int i = 0; i < VOLUME_CHANGES; ++i) {
        timed(IDM_VOLUMEUP);
        PumpPending();
        downs.push_back(timed(IDM_VOLUMEDOWN));
        PumpPending();
    }
    const bool played = playerState == MCI_MODE_PLAY;
    std::printf("volume_first_ms %.3f\nvolume_ms %.3f\n", first, Median(downs));
    DestroyWindow(frame);
    PumpPending();
    return played ? 0 : 4;
}

int RunChild(int argc, char** argv) {
    if (argc < 5) {
        return 1;
    }
    const std::string what = argv[2];
    const bool player = std::strcmp(argv[3], "player") == 0;
    std::snprintf(firstPath, sizeof firstPath, "%s", argv[4]);
    std::snprintf(secondPath, sizeof secondPath, "%s", argc > 5 ? argv[5] : argv[4]);
    int result = 1;
    if (what == "open") {
        result = player ? ChildOpenPlayer() : ChildOpenBare();
    } else if (what == "thumb") {
        result = player ? ChildThumbPlayer() : ChildThumbBare();
    } else if (what == "notify" && player) {
        result = ChildNotifyPlayer();
    } else if (what == "volume" && player) {
        result = ChildVolumePlayer();
    }
    std::fflush(stdout);
    return result;
}

// --- In process: the parent side ---------------------------------------------------------

std::string SelfPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// Runs a child measurement and returns its "name value" lines' values, or nothing on failure.
bool RunChildMeasure(const std::string& arguments,
                     std::vector<std::pair<std::string, double>>* out) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        return false;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process = {};
    const bool launched = Launch(Quoted(SelfPath()) + " child " + arguments, &process, writeEnd);
    CloseHandle(writeEnd);
    if (!launched) {
        CloseHandle(readEnd);
        return false;
    }
    std::string text;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code != 0) {
        std::fprintf(stderr, "child %s failed (%lu): %s\n", arguments.c_str(), code, text.c_str());
        return false;
    }
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) {
            end = text.size();
        }
        char name[64] = {};
        double value = 0.0;
        if (std::sscanf(text.substr(at, end - at).c_str(), "%63s %lf", name, &value) == 2) {
            out->push_back({name, value});
        }
        at = end + 1;
    }
    return true;
}

double ValueOf(const std::vector<std::pair<std::string, double>>& values, const char* name) {
    for (const auto& value : values) {
        if (value.first == name) {
            return value.second;
        }
    }
    return 0.0;
}

// --- The table ---------------------------------------------------------------------------

struct Row {
    const char* measure;
    std::vector<double> player;
    std::vector<double> bare;
    double goal; // the largest acceptable ratio, 0 for none
    const char* format;
};

void PrintRow(const Row& row) {
    if (row.player.empty() && row.bare.empty()) {
        return;
    }
    const double player = Median(row.player);
    const double bare = Median(row.bare);
    const bool both = !row.player.empty() && !row.bare.empty() && bare > 0.0;
    char playerText[32] = "n/a", bareText[32] = "n/a", ratioText[32] = "-", goalText[32] = "-",
         metText[8] = "";
    if (!row.player.empty()) {
        std::snprintf(playerText, sizeof playerText, row.format, player);
    }
    if (!row.bare.empty()) {
        std::snprintf(bareText, sizeof bareText, row.format, bare);
    }
    if (both) {
        std::snprintf(ratioText, sizeof ratioText, "%.3f", player / bare);
    }
    if (row.goal > 0.0) {
        std::snprintf(goalText, sizeof goalText, "<= %.2f", row.goal);
        std::snprintf(metText, sizeof metText, "%s",
                      both && player / bare <= row.goal ? "yes" : "NO");
    }
    std::printf("| %s | %s | %s | %s | %s | %s |\n", row.measure, playerText, bareText, ratioText,
                goalText, metText);
}

double Smallest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

// What any process costs here before it does anything: this program started to do nothing.
double TimeEmptyProcess() {
    PROCESS_INFORMATION process = {};
    const double started = NowMs();
    if (!Launch(Quoted(SelfPath()) + " idle", &process, nullptr)) {
        return -1.0;
    }
    WaitForSingleObject(process.hProcess, 30000);
    const double ended = NowMs();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended - started;
}

int RunBenchmark(int argc, char** argv) {
    if (argc < 7) {
        return 1;
    }
    const std::string player = argv[2], bare = argv[3], playMovie = argv[4], secondMovie = argv[5];
    const int runs = std::max(1, std::atoi(argv[6]));
    // "processes" as a last argument: only the out-of-process rows (for trying variants); else
    // the fair floor, the bare host with the player's controls, when it is named.
    const bool inProcess = !(argc > 7 && std::strcmp(argv[7], "processes") == 0);
    const std::string controls = argc > 7 && inProcess ? argv[7] : "";
    Row floorStartUp = {"Start-up to first frame (ms)", {}, {}, 1.05, "%.1f"};
    Row floorCpu = {"CPU over 5 s of playback (ms)", {}, {}, 1.05, "%.1f"};
    Row floorCpuSound = {"CPU over 5 s of playback with sound (ms)", {}, {}, 1.05, "%.1f"};
    Row floorXServerCpu = {"X server CPU over the same 5 s (ms)", {}, {}, 1.05, "%.1f"};

    Row startUp = {"Start-up to first frame (ms)", {}, {}, 1.05, "%.1f"};
    std::vector<double> emptyProcess;
    Row open = {"Second open while playing, to its first frame (ms)", {}, {}, 0.0, "%.1f"};
    Row openCall = {"Second open, the command alone (ms)", {}, {}, 0.0, "%.1f"};
    Row cpu = {"CPU over 5 s of playback (ms)", {}, {}, 1.05, "%.1f"};
    // A movie with sound (BENCH_SOUND_MOVIE, set by scripts/bench with its sound server): the
    // sound must add no work of the player's own.
    Row cpuSound = {"CPU over 5 s of playback with sound (ms)", {}, {}, 1.05, "%.1f"};
    const char* soundMovie = std::getenv("BENCH_SOUND_MOVIE");
    Row xServerCpu = {"X server CPU over the same 5 s (ms)", {}, {}, 0.0, "%.1f"};
    Row fitCpu = {
        "CPU over 5 s of playback at Fit to Window, full screen (ms)", {}, {}, 1.05, "%.1f"};
    Row fitXServerCpu = {
        "X server CPU over the same 5 s at Fit to Window (ms)", {}, {}, 0.0, "%.1f"};
    Row thumb = {"Thumb-drag notification vs bare seek (us)", {}, {}, 1.20, "%.1f"};
    Row thumbMean = {"Thumb-drag notification vs bare seek, mean (us)", {}, {}, 0.0, "%.1f"};
    Row thumbDrawn = {"Thumb drag with its repaint (us)", {}, {}, 0.0, "%.1f"};
    Row notify = {"Position notification, in process (us)", {}, {}, 0.0, "%.1f"};
    Row notifyDrawn = {"Position notification with its repaints (us)", {}, {}, 0.0, "%.1f"};
    Row notifyMean = {"Position notification, in process, mean (us)", {}, {}, 0.0, "%.1f"};
    Row notifyDrawnMean = {
        "Position notification with its repaints, mean (us)", {}, {}, 0.0, "%.1f"};
    Row volumeFirst = {
        "Volume Down while playing, the first: opens the mixer (ms)", {}, {}, 0.0, "%.2f"};
    Row volume = {"Volume Down while playing, the command alone (ms)", {}, {}, 0.0, "%.3f"};
    Row privateBytes = {"Private bytes after opening (KB)", {}, {}, 1.05, "%.0f"};
    Row peakPrivate = {"Peak private bytes (KB)", {}, {}, 1.05, "%.0f"};
    Row peakWorkingSet = {"Peak working set (KB)", {}, {}, 0.0, "%.0f"};
    Row user = {"USER objects", {}, {}, 0.0, "%.0f"};
    Row gdi = {"GDI objects", {}, {}, 0.0, "%.0f"};
    Row kernel = {"Kernel handles", {}, {}, 0.0, "%.0f"};
    int played = 0, measured = 0;

    for (int r = 0; r < runs; ++r) {
        emptyProcess.push_back(TimeEmptyProcess());
        if (!controls.empty()) {
            const ProcessRun floorRun = MeasureProcess(controls, playMovie);
            if (floorRun.ok) {
                floorStartUp.bare.push_back(floorRun.startUpMs);
                floorCpu.bare.push_back(floorRun.cpuMs);
                if (floorRun.xServerCpuMs >= 0.0) {
                    floorXServerCpu.bare.push_back(floorRun.xServerCpuMs);
                }
            }
            if (soundMovie != nullptr && soundMovie[0] != '\0') {
                const ProcessRun withSound = MeasureProcess(controls, soundMovie);
                if (withSound.ok && withSound.played) {
                    floorCpuSound.bare.push_back(withSound.cpuMs);
                }
            }
        }
        // Alternate which goes first, so that drift in the machine's load falls on both.
        for (int k = 0; k < 2; ++k) {
            const bool isPlayer = (k == 0) == (r % 2 == 0);
            const ProcessRun run = MeasureProcess(isPlayer ? player : bare, playMovie);
            if (!run.ok) {
                continue;
            }
            ++measured;
            played += run.played ? 1 : 0;
            // A negative figure is one the platform could not give (the GDI count of a 32-bit
            // process under Wine, say).
            auto add = [isPlayer](Row& row, double value) {
                if (value >= 0.0) {
                    (isPlayer ? row.player : row.bare).push_back(value);
                }
            };
            add(startUp, run.startUpMs);
            add(cpu, run.cpuMs);
            if (soundMovie != nullptr && soundMovie[0] != '\0') {
                const ProcessRun withSound = MeasureProcess(isPlayer ? player : bare, soundMovie);
                if (withSound.ok && withSound.played) {
                    add(cpuSound, withSound.cpuMs);
                }
            }
            if (run.xServerCpuMs >= 0.0) {
                add(xServerCpu, run.xServerCpuMs);
            }
            add(privateBytes, run.memory.privateBytes / 1024.0);
            add(peakPrivate, run.peakPrivateBytes / 1024.0);
            add(peakWorkingSet, run.memory.peakWorkingSet / 1024.0);
            add(user, run.handles.user);
            add(gdi, run.handles.gdi);
            add(kernel, run.handles.kernel);

            const char* kind = isPlayer ? "player" : "bare";
            std::vector<std::pair<std::string, double>> values;
            if (inProcess && RunChildMeasure(std::string("open ") + kind + " " + Quoted(playMovie) +
                                                 " " + Quoted(secondMovie),
                                             &values)) {
                add(open, ValueOf(values, "open_ms"));
                add(openCall, ValueOf(values, "open_call_ms"));
            }
            values.clear();
            if (inProcess &&
                RunChildMeasure(std::string("thumb ") + kind + " " + Quoted(secondMovie),
                                &values)) {
                add(thumb, ValueOf(values, "thumb_us"));
                add(thumbMean, ValueOf(values, "thumb_mean_us"));
                add(thumbDrawn, ValueOf(values, "thumb_drawn_us"));
            }
            const ProcessRun fitRun =
                MeasureProcess(isPlayer ? player : bare, playMovie, true, isPlayer);
            if (fitRun.ok && fitRun.played) {
                add(fitCpu, fitRun.cpuMs);
                if (fitRun.xServerCpuMs >= 0.0) {
                    add(fitXServerCpu, fitRun.xServerCpuMs);
                }
            }
            values.clear();
            if (inProcess && isPlayer &&
                RunChildMeasure(std::string("notify player ") + Quoted(playMovie), &values)) {
                add(notify, ValueOf(values, "notify_us"));
                add(notifyDrawn, ValueOf(values, "notify_drawn_us"));
                add(notifyMean, ValueOf(values, "notify_mean_us"));
                add(notifyDrawnMean, ValueOf(values, "notify_drawn_mean_us"));
            }
            values.clear();
            if (inProcess && isPlayer && soundMovie != nullptr && soundMovie[0] != '\0' &&
                RunChildMeasure(std::string("volume player ") + Quoted(soundMovie), &values)) {
                add(volumeFirst, ValueOf(values, "volume_first_ms"));
                add(volume, ValueOf(values, "volume_ms"));
            }
            std::fprintf(stderr,
                         "run %d %s: start-up %.1f ms, cpu %.1f ms%s, fit cpu %.1f ms, open %.1f "
                         "ms, thumb %.1f us\n",
                         r + 1, kind, run.startUpMs, run.cpuMs, run.played ? "" : " (did not play)",
                         fitRun.ok ? fitRun.cpuMs : -1.0, Last(isPlayer ? open.player : open.bare),
                         Last(isPlayer ? thumb.player : thumb.bare));
        }
    }

    std::printf("Medians of %d runs of each program (%d of %d process runs played through the "
                "CPU window).\n\n",
                runs, played, measured);
    std::printf("For scale: a Win32 console program that returns at once takes %.1f ms from "
                "CreateProcessA to its end (median); the fastest start-ups were %.1f ms (player) "
                "and %.1f ms (bare host).\n\n",
                Median(emptyProcess), Smallest(startUp.player), Smallest(startUp.bare));
    std::printf("| Measure | Player | Bare host | Player / bare | Goal | Met |\n");
    std::printf("|---|---:|---:|---:|---|---|\n");
    for (const Row* row : {&startUp,     &open,   &openCall,      &cpu,         &cpuSound,
                           &xServerCpu,  &fitCpu, &fitXServerCpu, &thumb,       &thumbMean,
                           &thumbDrawn,  &notify, &notifyDrawn,   &notifyMean,  &notifyDrawnMean,
                           &volumeFirst, &volume, &privateBytes,  &peakPrivate, &peakWorkingSet,
                           &user,        &gdi,    &kernel}) {
        PrintRow(*row);
    }
    std::printf("\n");
    if (!controls.empty()) {
        floorStartUp.player = startUp.player;
        floorCpu.player = cpu.player;
        floorCpuSound.player = cpuSound.player;
        floorXServerCpu.player = xServerCpu.player;
        std::printf("Against the fair floor, the bare host with the player's toolbar (and its "
                    "bitmap), status bar and trackbar, made with the player's calls:\n\n");
        std::printf("| Measure | Player | Fair floor | Player / floor | Goal | Met |\n");
        std::printf("|---|---:|---:|---:|---|---|\n");
        for (const Row* row : {&floorStartUp, &floorCpu, &floorCpuSound, &floorXServerCpu}) {
            PrintRow(*row);
        }
        std::printf("\n");
    }
    if (sources.privateFromPagefile) {
        std::printf("- Private bytes: PROCESS_MEMORY_COUNTERS_EX.PrivateUsage is 0 here, so "
                    "PagefileUsage is shown (under Wine: the Linux process's RssAnon + VmSwap).\n");
    }
    if (sources.peakSampled) {
        std::printf("- Peak private bytes: PeakPagefileUsage never exceeded the current value "
                    "here, so the peak is the largest of samples taken every 250 ms.\n");
    }
    if (sources.userFromWindows) {
        std::printf("- USER objects: GetGuiResources returns 0 here, so the process's windows "
                    "are counted (top-level and all descendants).\n");
    }
    if (sources.gdiFromTable) {
        std::printf("- GDI objects: GetGuiResources returns 0 here, so the used entries of the "
                    "process's GDI handle table (PEB GdiSharedHandleTable) are counted.\n");
    }
    if (sources.handlesFromSystem) {
        std::printf("- Kernel handles: GetProcessHandleCount gives 0 here, so the process's "
                    "entries in NtQuerySystemInformation(SystemHandleInformation) are counted.\n");
    }
    if (sources.cpuFromScheduler) {
        std::printf("- CPU: the Linux scheduler's run time of the process's threads "
                    "(/proc/PID/task/*/schedstat, in ns), found through drive Z:; the Win32 "
                    "figures count 10 ms ticks and, for another process under Wine 8, stay "
                    "at 0 or lag behind.\n");
    }
    if (sources.cpuFromSystem && !sources.cpuFromScheduler) {
        std::printf("- CPU: GetProcessTimes under-reports another process here, so the user and "
                    "kernel times of NtQuerySystemInformation(SystemProcessInformation) are "
                    "used (10 ms resolution).\n");
    }
    std::fflush(stdout);
    return measured > 0 ? 0 : 1;
}

// --- Soak --------------------------------------------------------------------------------

// Opens a movie through the player's own open-file dialog, as a user would.
bool OpenThroughDialog(HWND frame, DWORD processId, const std::string& path) {
    PostMessageA(frame, WM_COMMAND, IDM_OPEN, 0);
    HWND dialog = nullptr, edit = nullptr;
    const double deadline = NowMs() + 15000;
    while ((dialog = FindVisibleTop(processId, "#32770")) == nullptr ||
           (edit = FindChildOfClass(dialog, "Edit")) == nullptr) {
        if (NowMs() > deadline) {
            return false;
        }
        Sleep(10);
    }
    SendWithin(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    while (IsWindow(dialog)) {
        if (NowMs() > deadline) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return false;
        }
        Sleep(10);
    }
    HWND movie = nullptr;
    while (!FrameOnScreen(movie = FindDescendant(processId, MOVIE_CLASS))) {
        if (NowMs() > deadline) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

void PrintSoakLine(int minute, int cycles, HANDLE process, DWORD processId) {
    const Handles handles = ReadHandles(process, processId, &sources);
    const Memory memory = ReadMemory(process, &sources);
    std::printf("| %d | %d | %ld | %ld | %ld | %.0f | %.0f |\n", minute, cycles, handles.user,
                handles.gdi, handles.kernel, memory.privateBytes / 1024.0,
                memory.peakWorkingSet / 1024.0);
    std::fflush(stdout);
}

int RunSoak(int argc, char** argv) {
    if (argc < 7) {
        return 1;
    }
    const std::string player = argv[2];
    const std::string movies[2] = {argv[3], argv[4]};
    const int minutes = std::max(1, std::atoi(argv[5]));
    const double cycleMs = std::max(2, std::atoi(argv[6])) * 1000.0;

    PROCESS_INFORMATION process = {};
    if (!Launch(Quoted(player) + " " + Quoted(movies[0]), &process, nullptr)) {
        std::fprintf(stderr, "cannot start %s\n", player.c_str());
        return 1;
    }
    const double started = NowMs();
    HWND frame = nullptr;
    while (!FrameOnScreen(FindDescendant(process.dwProcessId, MOVIE_CLASS)) ||
           (frame = FindVisibleTop(process.dwProcessId, "MainWnd")) == nullptr) {
        if (NowMs() - started > LAUNCH_TIMEOUT_MS) {
            std::fprintf(stderr, "the player showed no movie\n");
            End(&process);
            return 1;
        }
        Sleep(10);
    }
    SendWithin(frame, WM_COMMAND, IDM_REPEAT, 0);
    std::printf("Repeat on; every %.0f s: Close, Open (through the open-file dialog) and "
                "Play/Pause, alternating %s and %s.\n\n",
                cycleMs / 1000.0, movies[0].c_str(), movies[1].c_str());
    std::printf(
        "| Minute | Cycles | USER | GDI | Kernel handles | Private KB | Peak working set KB "
        "|\n|---:|---:|---:|---:|---:|---:|---:|\n");
    PrintSoakLine(0, 0, process.hProcess, process.dwProcessId);

    int cycles = 0, failures = 0;
    const double soakStart = NowMs();
    double nextCycle = soakStart + cycleMs;
    for (int minute = 1; minute <= minutes; ++minute) {
        const double minuteEnd = soakStart + minute * 60000.0;
        while (NowMs() < minuteEnd) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
                std::fprintf(stderr, "the player ended during the soak\n");
                return 1;
            }
            if (NowMs() >= nextCycle) {
                nextCycle += cycleMs;
                SendWithin(frame, WM_COMMAND, IDM_CLOSE, 0);
                if (OpenThroughDialog(frame, process.dwProcessId, movies[(cycles + 1) % 2])) {
                    SendWithin(frame, WM_COMMAND, IDM_PLAYPAUSE, 0);
                } else {
                    ++failures;
                }
                ++cycles;
            }
            Sleep(100);
        }
        PrintSoakLine(minute, cycles, process.hProcess, process.dwProcessId);
    }
    if (sources.privateFromPagefile || sources.userFromWindows || sources.gdiFromTable ||
        sources.handlesFromSystem) {
        std::printf("\nUnder Wine: USER = the process's windows, GDI = used entries of its GDI "
                    "handle table, kernel handles from SystemHandleInformation, private = "
                    "PagefileUsage.\n");
    }
    if (failures > 0) {
        std::printf("\n%d of %d open cycles failed.\n", failures, cycles);
    }
    std::fflush(stdout);
    End(&process);
    return failures == 0 ? 0 : 1;
}

// --- The profile ---------------------------------------------------------------------------

// Steps by name, in the order first seen, each with its times over the runs.
struct Steps {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> times;
    void Add(const std::string& step, double ms) {
        if (times.find(step) == times.end()) {
            order.push_back(step);
        }
        times[step].push_back(ms);
    }
};

// One traced start-up: the DLLs loaded before the program's first mark are its static imports,
// one step with their number beside it; the DLLs loaded later are named one by one.
void AddStartUp(const std::vector<TraceStep>& trace, Steps* steps) {
    int imports = 0;
    double lastImport = 0.0;
    bool marked = false;
    for (const TraceStep& step : trace) {
        const bool load = step.step.compare(0, 5, "load ") == 0;
        if (!marked && !load && step.step != "process created") {
            marked = true;
            steps->Add("the imported DLLs loaded", lastImport);
            steps->Add("(how many DLLs that is)", imports);
        }
        if (!marked && load) {
            ++imports;
            lastImport = step.ms;
        } else {
            steps->Add(step.step, step.ms);
        }
    }
}

std::string Cell(const Steps& steps, const std::string& step) {
    const auto found = steps.times.find(step);
    if (found == steps.times.end()) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", Median(found->second));
    return text;
}

int RunProfile(int argc, char** argv) {
    if (argc < 8) {
        return 1;
    }
    const char* names[3] = {"Player", "Fair floor", "Bare host"};
    const std::string programs[3] = {argv[2], argv[3], argv[4]};
    const std::string playMovie = argv[5], secondMovie = argv[6];
    const int runs = std::max(1, std::atoi(argv[7]));
    Steps startUp[3];
    Steps open;
    std::vector<double> bareOpen;
    std::map<std::string, std::vector<double>> repaints;
    for (int r = 0; r < runs; ++r) {
        for (int k = 0; k < 3; ++k) {
            // Each run starts with another program, so that drift falls on all three.
            const int program = (k + r) % 3;
            std::vector<TraceStep> trace;
            const bool shown = TraceStartUp(
                Quoted(programs[program]) + " " + Quoted(playMovie),
                [](DWORD thread) {
                    return FrameOnScreen(FindDescendantOfThread(thread, MOVIE_CLASS));
                },
                LAUNCH_TIMEOUT_MS, &trace);
            if (shown) {
                AddStartUp(trace, &startUp[program]);
            } else {
                std::fprintf(stderr, "%s showed no movie under the debugger\n",
                             programs[program].c_str());
            }
        }
        std::vector<std::pair<std::string, double>> values;
        if (RunChildMeasure("open player " + Quoted(playMovie) + " " + Quoted(secondMovie),
                            &values)) {
            for (const auto& value : values) {
                open.Add(value.first, value.second);
            }
        }
        values.clear();
        if (RunChildMeasure("open bare " + Quoted(playMovie) + " " + Quoted(secondMovie),
                            &values)) {
            bareOpen.push_back(ValueOf(values, "open_ms"));
        }
        values.clear();
        if (RunChildMeasure("notify player " + Quoted(playMovie), &values)) {
            for (const auto& value : values) {
                if (value.first.compare(0, 8, "repaint_") == 0) {
                    repaints[value.first].push_back(value.second);
                }
            }
        }
        std::fprintf(stderr, "profile run %d of %d\n", r + 1, runs);
    }

    std::printf("Medians of %d runs, in ms from CreateProcessA, each program started under this "
                "driver as its debugger (every DLL load and mark stops it for a moment: the "
                "times are a little longer than without).\n\n",
                runs);
    std::printf("| Step | %s | %s | %s |\n|---|---:|---:|---:|\n", names[0], names[1], names[2]);
    std::vector<std::string> order = startUp[0].order;
    for (int k = 1; k < 3; ++k) {
        for (const std::string& step : startUp[k].order) {
            if (std::find(order.begin(), order.end(), step) == order.end()) {
                order.push_back(step);
            }
        }
    }
    for (const std::string& step : order) {
        std::printf("| %s | %s | %s | %s |\n", step.c_str(), Cell(startUp[0], step).c_str(),
                    Cell(startUp[1], step).c_str(), Cell(startUp[2], step).c_str());
    }
    std::printf("\nA second open while playing, in process, in ms from the command (the bare "
                "host's, destroying its movie window and making another: %.1f ms to the "
                "first frame):\n\n| Step | Player |\n|---|---:|\n",
                Median(bareOpen));
    for (const std::string& step : open.order) {
        std::printf("| %s | %s |\n", step.c_str(), Cell(open, step).c_str());
    }
    std::printf("\nWhat one position notification leaves to repaint, by window class (the share "
                "of %d notifications stepping by 500 ms, and the pixels each time):\n\n"
                "| Measure | Value |\n|---|---:|\n",
                THUMB_MOVES);
    for (const auto& entry : repaints) {
        std::printf("| %s | %.3f |\n", entry.first.c_str(), Median(entry.second));
    }
    std::fflush(stdout);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "run") == 0) {
        return RunBenchmark(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "soak") == 0) {
        return RunSoak(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "profile") == 0) {
        return RunProfile(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "child") == 0) {
        return RunChild(argc, argv);
    }
    if (argc >= 2 && std::strcmp(argv[1], "idle") == 0) {
        return 0;
    }
    std::fprintf(stderr, "usage: bench_driver run PLAYER BARE PLAY.avi SECOND.avi RUNS [CONTROLS]\n"
                         "       bench_driver profile PLAYER CONTROLS BARE PLAY.avi SECOND.avi "
                         "RUNS\n"
                         "       bench_driver soak PLAYER FIRST.avi SECOND.avi MINUTES CYCLE_S\n");
    return 1;
}
