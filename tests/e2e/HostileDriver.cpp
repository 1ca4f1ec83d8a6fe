// Starts the real player with hostile command lines and checks that each run ends in a defined
// state: the frame shows, the platform's error boxes (if any) are answered with OK, the title,
// the movie window and the frame's size are what the input deserves, and closing the frame
// ends the process with exit code 0.
//
//     hostile_driver <player.exe> [case-name]
//     hostile_driver <program.exe> --file <movie> [--bare] [--play-ms N] [--repaint]
//
// The second form (for scripts/fuzz) runs one movie, lets it play for 3 s (or N ms) and prints
// one verdict line: played, no movie, refused (the player's own box and no movie), crash or
// hang. --bare drives the bare host (bench/BareHost.cpp) instead of the player.
//
// CreateProcessW gives exact control over the command-line text, quotes and blanks included.
// The cases are written in UTF-8, which is what the player's 8-bit functions carry (its
// manifest's code page): the text goes over as UTF-16 and the title is read back with
// GetWindowTextW, so no code page of this driver's own stands between. The fixtures folder
// comes from QUILLOTROPE_FIXTURES. A Unix path (as Wine passes it on) is
// mapped onto drive Z:, which is where Wine puts the root.
#include <windows.h>
#include <vfw.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char APP_TITLE[] = "Quillotrope";
const char PLAYER_FRAME_CLASS[] = "MainWnd";
const char BARE_FRAME_CLASS[] = "BareHost";
std::string frameClass = PLAYER_FRAME_CLASS;
const char DIALOG_CLASS[] = "#32770";
const char MOVIE_CLASS[] = "MCIWndClass";
const int MESSAGE_TEXT_ID = 0xFFFF; // a message box's text control
const LRESULT MODE_STOP = 525;
const LRESULT MODE_PLAY = 526;

// The frame's place when no movie has sized it: (120, 50), 400 x 320.
const RECT START_RECT = {120, 50, 520, 370};

const DWORD POLL_MS = 20;
const DWORD SETTLE_DEADLINE_MS = 20000; // a cold Wine start is slow
const DWORD PLAY_DEADLINE_MS = 3000;
const DWORD EXIT_DEADLINE_MS = 10000;
// The whole run stays inside the test's timeout: cases left when this is spent fail unrun.
const DWORD BUDGET_MS = 100000;
const UINT ROUND_TRIP_MS = 2000;
// For a single movie (--file): how long it plays before the frame is closed.
DWORD playOnMs = 0;
// Whether the movie window is made to repaint at each poll while it plays on, as a window is
// when uncovered: what it paints is whatever frame the movie is at.
bool repaintWhilePlaying = false;

enum class Expect {
    Plays,   // the movie opens and plays, title "<file> - Quillotrope", no error box
    NoMovie, // no movie, "Quillotrope", frame as started; the platform may show its box
    Refused, // no movie, "Quillotrope", frame as started, and only the player's own box
};

const char* ExpectName(Expect expect) {
    switch (expect) {
    case Expect::Plays:
        return "plays";
    case Expect::NoMovie:
        return "no movie";
    case Expect::Refused:
        return "refused";
    }
    return "?";
}

struct Case {
    std::string name;
    std::string text; // the command line after the program name, exactly, in UTF-8
    Expect expect;
    // For Plays: the title's first part; for Refused: the text of the player's box. In UTF-8.
    std::string fileTitle;
};

struct Outcome {
    bool started = false;
    bool settled = false;
    bool exitedEarly = false; // before the window was closed: a crash or an exit of its own
    DWORD earlyExitCode = 0;
    std::wstring title;
    bool movieWindow = false;
    RECT movieRect = {0, 0, 0, 0};
    bool playing = false;
    bool playedOut = false; // stopped, but the run has lasted longer than the movie
    DWORD_PTR length = 0;   // the movie window's length (ms)
    RECT frameRect = {0, 0, 0, 0};
    std::vector<std::string> boxes; // "caption: text" of each error box answered
    bool boxWhileClosing = false;
    bool exited = false;
    DWORD exitCode = 0;
    DWORD settleMs = 0;
    DWORD frameMs = 0; // when the frame first showed
    DWORD boxMs = 0;   // when the first error box showed
};

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::wstring Wide(const std::string& utf8) {
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], count);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    const int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], count,
                        nullptr, nullptr);
    return utf8;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The top-level windows of one process: its frame and its dialogs (visible or not yet: a
// message box exists, hidden, from its creation until its modal loop first goes idle).
struct TopLevel {
    DWORD processId;
    HWND frame = nullptr;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    TopLevel* found = reinterpret_cast<TopLevel*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->processId) {
        return TRUE;
    }
    const std::string name = ClassOf(window);
    if (name == frameClass) {
        found->frame = window;
    } else if (name == DIALOG_CLASS) {
        found->dialogs.push_back(window);
    }
    return TRUE;
}

TopLevel FindTopLevel(DWORD processId) {
    TopLevel found;
    found.processId = processId;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK FindMovie(HWND window, LPARAM data) {
    if (ClassOf(window) == MOVIE_CLASS) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

HWND MovieChild(HWND frame) {
    HWND movie = nullptr;
    EnumChildWindows(frame, FindMovie, reinterpret_cast<LPARAM>(&movie));
    return movie;
}

// The text of a window in the other process; a timeout keeps a hung player from hanging us.
// In UTF-8, whatever this driver's code page: the player's boxes name files in any script.
std::string TextOf(HWND window) {
    wchar_t text[512] = L"";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        ROUND_TRIP_MS, &result);
    text[511] = L'\0';
    return Utf8(text);
}

// A box's text on one line.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::string Describe(HWND dialog) {
    char caption[256] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    return std::string(caption) + ": " + OneLine(TextOf(GetDlgItem(dialog, MESSAGE_TEXT_ID)));
}

// Answers every dialog of the process with OK (recorded once per window).
void AnswerDialogs(const TopLevel& found, std::vector<HWND>& answered, Outcome& outcome,
                   bool closing) {
    for (HWND dialog : found.dialogs) {
        // As a user would: once it shows (its caption and text are complete then). A box
        // answered hides at once but lives on for about 2 s under a display without a window
        // manager; one still showing is answered again.
        if (!IsWindowVisible(dialog)) {
            continue;
        }
        bool known = false;
        for (HWND seen : answered) {
            known = known || seen == dialog;
        }
        if (!known) {
            answered.push_back(dialog);
            outcome.boxes.push_back(Describe(dialog));
            outcome.boxWhileClosing = outcome.boxWhileClosing || closing;
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

// Whether the player's thread answers a message: in its main loop or in a modal one.
bool RoundTrip(HWND frame) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ROUND_TRIP_MS, &result) != 0;
}

bool Exited(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

HANDLE PlayerJob() {
    static HANDLE job = nullptr;
    if (job == nullptr) {
        job = CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
        std::memset(&limits, 0, sizeof limits);
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return job;
}

Outcome Run(const std::string& exe, const Case& run) {
    Outcome outcome;
    const std::wstring commandLine = Wide("\"" + exe + "\" " + run.text);
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    if (!CreateProcessW(Wide(exe).c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process)) {
        return outcome;
    }
    // Should this driver be killed (the test's timeout), the job takes the player with it.
    AssignProcessToJobObject(PlayerJob(), process.hProcess);
    ResumeThread(process.hThread);
    outcome.started = true;
    std::vector<HWND> answered;
    HWND frame = nullptr;

    // Settled: the frame exists, no dialog exists, and the player's thread answered a message
    // without one appearing meanwhile, twice in a row, so a round trip answered between two
    // boxes does not count. Only the main loop is left then: Open and Play/Pause have run.
    const DWORD start = GetTickCount();
    int quiet = 0;
    while (GetTickCount() - start < SETTLE_DEADLINE_MS) {
        if (Exited(process.hProcess)) {
            outcome.exitedEarly = true;
            GetExitCodeProcess(process.hProcess, &outcome.earlyExitCode);
            break;
        }
        TopLevel found = FindTopLevel(process.dwProcessId);
        if (frame == nullptr && found.frame != nullptr) {
            outcome.frameMs = GetTickCount() - start;
        }
        const size_t boxes = outcome.boxes.size();
        AnswerDialogs(found, answered, outcome, false);
        if (boxes == 0 && !outcome.boxes.empty()) {
            outcome.boxMs = GetTickCount() - start;
        }
        frame = found.frame;
        if (frame != nullptr && found.dialogs.empty() && RoundTrip(frame) &&
            FindTopLevel(process.dwProcessId).dialogs.empty()) {
            if (++quiet == 2) {
                outcome.settled = true;
                outcome.settleMs = GetTickCount() - start;
                break;
            }
        } else {
            quiet = 0;
        }
        // The poll's pause, cut short if the player ends.
        WaitForSingleObject(process.hProcess, POLL_MS);
    }

    if (outcome.settled) {
        wchar_t title[600] = L"";
        GetWindowTextW(frame, title, 600);
        outcome.title = title;
        GetWindowRect(frame, &outcome.frameRect);
        HWND movie = MovieChild(frame);
        outcome.movieWindow = movie != nullptr;
        if (movie != nullptr) {
            GetWindowRect(movie, &outcome.movieRect);
            // The movie window's own mode and length (ms), asked across processes: no
            // pointers involved. A short clip on a slow machine may have played to its end
            // (and stopped) by now; only a run longer than the movie excuses a stopped mode.
            DWORD_PTR& length = outcome.length;
            SendMessageTimeoutA(movie, MCIWNDM_GETLENGTH, 0, 0, SMTO_ABORTIFHUNG, ROUND_TRIP_MS,
                                &length);
            const DWORD asked = GetTickCount();
            while (!outcome.playing && !outcome.playedOut &&
                   GetTickCount() - asked < PLAY_DEADLINE_MS) {
                DWORD_PTR mode = 0;
                SendMessageTimeoutA(movie, MCIWNDM_GETMODEA, 0, 0, SMTO_ABORTIFHUNG, ROUND_TRIP_MS,
                                    &mode);
                outcome.playing = static_cast<LRESULT>(mode) == MODE_PLAY;
                outcome.playedOut = static_cast<LRESULT>(mode) == MODE_STOP && length > 0 &&
                                    GetTickCount() - start > length;
                if (!outcome.playing && !outcome.playedOut) {
                    WaitForSingleObject(process.hProcess, POLL_MS);
                }
            }
        }
    }

    // Played on (a corrupt movie may fault late), answering any box meanwhile.
    const DWORD playing = GetTickCount();
    while (outcome.settled && GetTickCount() - playing < playOnMs && !Exited(process.hProcess)) {
        AnswerDialogs(FindTopLevel(process.dwProcessId), answered, outcome, false);
        const HWND movie = repaintWhilePlaying && frame != nullptr ? MovieChild(frame) : nullptr;
        if (movie != nullptr) {
            RedrawWindow(movie, nullptr, nullptr, RDW_INVALIDATE);
        }
        WaitForSingleObject(process.hProcess, POLL_MS);
    }
    if (Exited(process.hProcess)) {
        outcome.exitedEarly = true;
        GetExitCodeProcess(process.hProcess, &outcome.earlyExitCode);
    }

    if (!outcome.exitedEarly && frame != nullptr) {
        PostMessageA(frame, WM_CLOSE, 0, 0);
        const DWORD closed = GetTickCount();
        while (GetTickCount() - closed < EXIT_DEADLINE_MS) {
            if (Exited(process.hProcess)) {
                outcome.exited = true;
                break;
            }
            AnswerDialogs(FindTopLevel(process.dwProcessId), answered, outcome, true);
            WaitForSingleObject(process.hProcess, POLL_MS);
        }
        if (outcome.exited) {
            GetExitCodeProcess(process.hProcess, &outcome.exitCode);
        }
    }
    if (!Exited(process.hProcess)) {
        // Our own child, by its handle: a hung player must not outlive the test.
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        joined += (joined.empty() ? "\"" : ", \"") + text + "\"";
    }
    return joined;
}

// The player's box for a file it refuses: the file's name, cut before the letter that would
// pass 100 bytes, then "...", a line break and the reason.
std::string RefusalBox(const std::string& path, const char* reason) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    if (name.size() > 100) {
        size_t cut = 100;
        while ((static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        name = name.substr(0, cut) + "...";
    }
    return name + "\n" + reason;
}

// What is wrong with an outcome, or empty when it is what the input deserves.
std::string Faults(const Case& run, const Outcome& outcome) {
    std::string faults;
    auto fault = [&faults](const std::string& text) {
        faults += (faults.empty() ? "" : "; ") + text;
    };
    if (!outcome.started) {
        fault("could not start the player");
        return faults;
    }
    if (outcome.exitedEarly) {
        char code[32];
        std::snprintf(code, sizeof code, "0x%08lX",
                      static_cast<unsigned long>(outcome.earlyExitCode));
        fault(std::string("ended by itself before the window was closed, exit code ") + code);
        return faults;
    }
    if (!outcome.settled) {
        fault("did not settle within the deadline (no frame, a dialog that stays, or a hang)");
    }
    if (!outcome.exited) {
        fault("did not end after WM_CLOSE");
    } else if (outcome.exitCode != 0) {
        fault("exit code " + std::to_string(outcome.exitCode));
    }
    if (outcome.boxWhileClosing) {
        fault("a dialog appeared while closing");
    }
    if (!outcome.settled) {
        return faults;
    }
    const std::string wanted =
        run.expect == Expect::Plays ? run.fileTitle + " - " + APP_TITLE : APP_TITLE;
    if (outcome.title != Wide(wanted)) {
        fault("title \"" + Utf8(outcome.title) + "\", expected \"" + wanted + "\"");
    }
    if (run.expect == Expect::Plays) {
        if (!outcome.movieWindow) {
            fault("no movie window");
        } else if (!outcome.playing && !outcome.playedOut) {
            fault("the movie is not playing");
        }
        if (!outcome.boxes.empty()) {
            fault("an error box: " + outcome.boxes.front());
        }
    } else {
        if (outcome.movieWindow) {
            fault("a movie window exists");
        }
        if (!SameRect(outcome.frameRect, START_RECT)) {
            fault("the frame moved or changed size");
        }
        const std::string box = std::string(APP_TITLE) + ": " + OneLine(run.fileTitle);
        if (run.expect == Expect::Refused &&
            (outcome.boxes.size() != 1 || outcome.boxes.front() != box)) {
            fault(outcome.boxes.empty()
                      ? "no box for a refused file"
                      : "the boxes for a refused file were " + Joined(outcome.boxes));
        }
    }
    return faults;
}

std::string Rect(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "%ldx%ld at (%ld,%ld)", rect.right - rect.left,
                  rect.bottom - rect.top, rect.left, rect.top);
    return text;
}

// A piece of UTF-8 text for the log that ends and starts on whole letters.
std::string Excerpt(const std::string& text, size_t from, size_t count) {
    auto continuation = [&text](size_t at) {
        return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0u) == 0x80u;
    };
    while (continuation(from)) {
        ++from;
    }
    size_t end = from + count < text.size() ? from + count : text.size();
    while (end > from && continuation(end)) {
        --end;
    }
    return text.substr(from, end - from);
}

void Report(const Case& run, const Outcome& outcome, const std::string& faults) {
    std::printf("%-14s %s  expected: %s\n", run.name.c_str(), faults.empty() ? "ok  " : "FAIL",
                ExpectName(run.expect));
    std::printf("    command line (%u bytes): ", static_cast<unsigned>(run.text.size()));
    if (run.text.size() > 90) {
        std::printf("%s...%s\n", Excerpt(run.text, 0, 40).c_str(),
                    Excerpt(run.text, run.text.size() - 40, 40).c_str());
    } else {
        std::printf("[%s]\n", run.text.c_str());
    }
    if (outcome.settled) {
        std::string title = Utf8(outcome.title);
        if (title.size() > 90) {
            title = Excerpt(title, 0, 30) + "..." + Excerpt(title, title.size() - 30, 30);
        }
        std::printf("    frame after %lu ms, settled after %lu ms; title \"%s\"; frame %s\n",
                    static_cast<unsigned long>(outcome.frameMs),
                    static_cast<unsigned long>(outcome.settleMs), title.c_str(),
                    Rect(outcome.frameRect).c_str());
        if (outcome.movieWindow) {
            std::printf("    movie window %s, %s\n", Rect(outcome.movieRect).c_str(),
                        outcome.playing     ? "playing"
                        : outcome.playedOut ? "stopped after playing to its end"
                                            : "not playing");
        } else {
            std::printf("    no movie window\n");
        }
    }
    for (const std::string& box : outcome.boxes) {
        std::printf("    error box (after %lu ms) answered: %s\n",
                    static_cast<unsigned long>(outcome.boxMs), box.c_str());
    }
    if (outcome.exited) {
        std::printf("    exit code %lu after WM_CLOSE\n",
                    static_cast<unsigned long>(outcome.exitCode));
    }
    if (!faults.empty()) {
        std::printf("    FAULT: %s\n", faults.c_str());
    }
    std::fflush(stdout);
}

// One word for a run of a single movie: what a campaign of mutated files counts.
const char* Verdict(const Outcome& outcome) {
    if (!outcome.started) {
        return "not started";
    }
    if (outcome.exitedEarly || (outcome.exited && outcome.exitCode != 0)) {
        return "crash";
    }
    if (!outcome.settled || !outcome.exited) {
        return "hang";
    }
    if (outcome.movieWindow && outcome.length > 0 && outcome.boxes.empty()) {
        return "played";
    }
    // The player turned the file away itself: its one box, before the platform saw the file.
    const std::string ownBox = std::string(APP_TITLE) + ": ";
    if (!outcome.movieWindow && outcome.boxes.size() == 1 &&
        outcome.boxes.front().compare(0, ownBox.size(), ownBox) == 0) {
        return "refused";
    }
    return "no movie";
}

int RunOneMovie(const std::string& exe, const std::string& movie, bool bare, DWORD playMs) {
    frameClass = bare ? BARE_FRAME_CLASS : PLAYER_FRAME_CLASS;
    playOnMs = playMs;
    const Case run = {"file", "\"" + WindowsPath(movie) + "\"", Expect::Plays, ""};
    const Outcome outcome = Run(exe, run);
    Report(run, outcome, "");
    std::printf("%s\n", Verdict(outcome));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* const usage = "usage: hostile_driver <player.exe> [case-name]\n"
                              "       hostile_driver <program.exe> --file <movie> [--bare] "
                              "[--play-ms N] [--repaint]\n";
    if (argc < 2) {
        std::printf("%s", usage);
        return 2;
    }
    const std::string exe = WindowsPath(argv[1]);
    if (argc > 3 && std::string(argv[2]) == "--file") {
        bool bare = false;
        DWORD playMs = 3000;
        for (int i = 4; i < argc; ++i) {
            const std::string option = argv[i];
            if (option == "--bare") {
                bare = true;
            } else if (option == "--repaint") {
                repaintWhilePlaying = true;
            } else if (option == "--play-ms" && i + 1 < argc) {
                playMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
            } else {
                std::printf("%s", usage);
                return 2;
            }
        }
        return RunOneMovie(exe, argv[3], bare, playMs);
    }
    const char* fixturesVariable = std::getenv("QUILLOTROPE_FIXTURES");
    if (fixturesVariable == nullptr || !Exists(exe)) {
        std::printf("FAIL: needs the player (%s) and QUILLOTROPE_FIXTURES\n", exe.c_str());
        return 1;
    }
    std::string fixtures = WindowsPath(fixturesVariable);
    if (!fixtures.empty() && fixtures.back() == '\\') {
        fixtures.pop_back();
    }
    const std::string clip = fixtures + "\\clip320.avi";

    // A path of exactly `total` characters naming clip320 (linked under long\ by
    // scripts/make-fixtures), or, beyond the file system's limits, a name of x's.
    auto longPath = [&fixtures](size_t total) {
        const std::string head = fixtures + "\\long\\";
        const size_t count = total > head.size() + 4 ? total - head.size() - 4 : 0;
        return head + std::string(count, 'x') + ".avi";
    };
    // The same in UTF-8 bytes, of two-byte letters (an "x" first when the count left is odd).
    auto lambdaPath = [&fixtures](size_t total) {
        const std::string head = fixtures + "\\long\\";
        const size_t count = total > head.size() + 4 ? total - head.size() - 4 : 0;
        std::string name = count % 2 == 1 ? "x" : "";
        for (size_t i = 0; i < count / 2; ++i) {
            name += u8"\u03BB";
        }
        return head + name + ".avi";
    };
    std::string forward = clip;
    for (char& c : forward) {
        if (c == '\\') {
            c = '/';
        }
    }

    const char* const TOO_LONG = "The path of this file is longer than 259 bytes.";
    std::vector<Case> cases = {
        {"quoted-clip", "\"" + clip + "\"", Expect::Plays, "clip320.avi"},
        // Both leave an empty path, which is handed to the movie window like any other.
        {"quote", "\"", Expect::NoMovie, ""},
        {"two-quotes", "\"\"", Expect::NoMovie, ""},
        {"quoted-blanks", "\"   \"", Expect::NoMovie, ""},
        {"leading-quote", "\"" + clip, Expect::Plays, "clip320.avi"},
        {"trailing-quote", clip + "\"", Expect::Plays, "clip320.avi"},
        // Some launchers add a blank after the closing quote: it goes before the quotes do.
        {"blank-after", "\"" + clip + "\" ", Expect::Plays, "clip320.avi"},
        {"tab-after", "\"" + clip + "\"\t", Expect::Plays, "clip320.avi"},
        // A quote is no letter of a Windows file name: the movie window cannot find the file.
        {"inner-quote", "\"" + fixtures + "\\clip\"320.avi\"", Expect::NoMovie, ""},
        {"path-258", longPath(258), Expect::Plays, longPath(258).substr(fixtures.size() + 6)},
        {"path-259", longPath(259), Expect::Plays, longPath(259).substr(fixtures.size() + 6)},
        {"path-260", longPath(260), Expect::Refused, RefusalBox(longPath(260), TOO_LONG)},
        {"path-4000", longPath(4000), Expect::Refused, RefusalBox(longPath(4000), TOO_LONG)},
        {"directory", fixtures, Expect::NoMovie, ""},
        {"missing", fixtures + "\\missing.avi", Expect::NoMovie, ""},
        {"device-nul", "NUL", Expect::NoMovie, ""},
        {"device-con", "CON", Expect::NoMovie, ""},
        {"text-file", fixtures + "\\notmovie.avi", Expect::NoMovie, ""},
        {"cut-4k", fixtures + "\\cut4k.avi", Expect::NoMovie, ""},
        {"cut-half", fixtures + "\\cuthalf.avi", Expect::Plays, "cuthalf.avi"},
        // Nothing to show: a movie without frames is no movie.
        {"no-frames", fixtures + "\\noframes.avi", Expect::Refused,
         "noframes.avi\nThis file has no frames to show."},
        // A frame no 32-bit frame size can hold (30000 x 30000 x 4 bytes > 2^31) is no movie.
        {"huge-frame", fixtures + "\\huge30000.avi", Expect::Refused,
         "huge30000.avi\nThe frames of this file are too large to show."},
        // The first video chunk claims 0xFFFFFFFF bytes: its end passes 4 GB, where Wine's AVI
        // driver faults (x64) or cannot allocate its read buffer (x86).
        {"bad-chunk", fixtures + "\\badchunk.avi", Expect::Refused,
         "badchunk.avi\nThis file is damaged and cannot be played."},
        {"sound-only", fixtures + "\\soundonly.avi", Expect::Refused,
         "soundonly.avi\nThis file has sound but no picture."},
        // Names in any script open and title the frame; "é" arrives as two bytes.
        {"e-acute", "\"" + fixtures + u8"\\my clip \u00E9.avi\"", Expect::Plays,
         u8"my clip \u00E9.avi"},
        {"greek", fixtures + u8"\\\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC.avi",
         Expect::Plays, u8"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC.avi"},
        {"cyrillic", fixtures + u8"\\\u0420\u0443\u0441\u0441\u043A\u0438\u0439.avi", Expect::Plays,
         u8"\u0420\u0443\u0441\u0441\u043A\u0438\u0439.avi"},
        {"cjk", fixtures + u8"\\\u65E5\u672C\u8A9E\u306E\u6620\u753B.avi", Expect::Plays,
         u8"\u65E5\u672C\u8A9E\u306E\u6620\u753B.avi"},
        {"emoji", "\"" + fixtures + u8"\\\U0001F3AC clip.avi\"", Expect::Plays,
         u8"\U0001F3AC clip.avi"},
        {"combining", fixtures + u8"\\e\u0301te\u0301.avi", Expect::Plays, u8"e\u0301te\u0301.avi"},
        {"utf8-259", lambdaPath(259), Expect::Plays, lambdaPath(259).substr(fixtures.size() + 6)},
        {"utf8-260", lambdaPath(260), Expect::Refused, RefusalBox(lambdaPath(260), TOO_LONG)},
        {"forward-slash", forward, Expect::Plays, "clip320.avi"},
    };
    // A sound chunk of 0xFFFFFFFF bytes wraps a 32-bit process's sound buffers to a few bytes:
    // PCM would be read into them; Microsoft ADPCM plays silent, as the device cannot have its
    // conversion buffers. (In 64 bits, whether such buffers can be had depends on the machine.)
    if (sizeof(void*) == 4) {
        cases.push_back({"sound-size-pcm", fixtures + "\\soundsize-pcm.avi", Expect::Refused,
                         "soundsize-pcm.avi\nThis file is damaged and cannot be played."});
        cases.push_back({"sound-size-msadpcm", fixtures + "\\soundsize-msadpcm.avi", Expect::Plays,
                         "soundsize-msadpcm.avi"});
    }

    // The fixtures these cases stand on must be there, at the lengths they claim.
    for (const std::string& path :
         {longPath(258), longPath(259), longPath(260), lambdaPath(259), lambdaPath(260)}) {
        if (!Exists(path)) {
            std::printf("FAIL: no fixture %s (%u bytes): run scripts/make-fixtures\n", path.c_str(),
                        static_cast<unsigned>(path.size()));
            return 1;
        }
    }
    for (const Case& run : cases) {
        if (run.expect == Expect::Plays && run.fileTitle.find('\\') == std::string::npos &&
            !Exists(fixtures + "\\" + run.fileTitle) &&
            !Exists(fixtures + "\\long\\" + run.fileTitle)) {
            std::printf("FAIL: fixture %s is missing: run scripts/make-fixtures\n",
                        run.fileTitle.c_str());
            return 1;
        }
    }
    for (const char* name : {"clip320.avi", "notmovie.avi", "cut4k.avi", "cuthalf.avi",
                             "noframes.avi", "huge30000.avi", "badchunk.avi", "soundonly.avi",
                             "soundsize-pcm.avi", "soundsize-msadpcm.avi"}) {
        if (!Exists(fixtures + "\\" + name)) {
            std::printf("FAIL: fixture %s is missing: run scripts/make-fixtures\n", name);
            return 1;
        }
    }

    int failed = 0;
    int ran = 0;
    const DWORD begun = GetTickCount();
    for (const Case& run : cases) {
        if (argc > 2 && run.name != argv[2]) {
            continue;
        }
        ++ran;
        if (GetTickCount() - begun > BUDGET_MS) {
            std::printf("%-14s FAIL  not run: the time budget is spent\n", run.name.c_str());
            ++failed;
            continue;
        }
        const Outcome outcome = Run(exe, run);
        const std::string faults = Faults(run, outcome);
        Report(run, outcome, faults);
        failed += faults.empty() ? 0 : 1;
    }
    if (ran == 0) {
        std::printf("FAIL: no case named %s\n", argv[2]);
        return 1;
    }
    std::printf("%d of %d cases as expected\n", ran - failed, ran);
    return failed == 0 ? 0 : 1;
}
