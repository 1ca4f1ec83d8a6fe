#include "bench/StartUpTrace.h"

double NowMs() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

namespace {

// The DLL's file name: the debuggee holds a pointer to it where the event says, if anywhere;
// else the name of the file the event hands over.
std::string DllName(HANDLE process, const LOAD_DLL_DEBUG_INFO& load) {
    std::string path;
    void* name = nullptr;
    SIZE_T got = 0;
    if (load.lpImageName != nullptr &&
        ReadProcessMemory(process, load.lpImageName, &name, sizeof name, &got) &&
        got == sizeof name && name != nullptr) {
        if (load.fUnicode) {
            WCHAR wide[MAX_PATH] = {};
            ReadProcessMemory(process, name, wide, sizeof wide - sizeof(WCHAR), &got);
            char narrow[MAX_PATH] = {};
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
            path = narrow;
        } else {
            char narrow[MAX_PATH] = {};
            ReadProcessMemory(process, name, narrow, sizeof narrow - 1, &got);
            path = narrow;
        }
    }
    if (path.empty() && load.hFile != nullptr) {
        char narrow[MAX_PATH] = {};
        if (GetFinalPathNameByHandleA(load.hFile, narrow, sizeof narrow, 0) < sizeof narrow) {
            path = narrow;
        }
    }
    const size_t slash = path.find_last_of("\\/");
    path = slash == std::string::npos ? path : path.substr(slash + 1);
    for (char& c : path) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return path.empty() ? "(a DLL)" : path;
}

std::string DebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& output) {
    std::string text(output.nDebugStringLength, '\0');
    SIZE_T got = 0;
    if (output.fUnicode != 0 || text.empty() ||
        !ReadProcessMemory(process, output.lpDebugStringData, &text[0], text.size(), &got)) {
        return "(a mark)";
    }
    text.resize(got);
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

} // namespace

bool TraceStartUp(const std::string& commandLine, const std::function<bool(DWORD)>& done,
                  DWORD timeoutMs, std::vector<TraceStep>* steps) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const double started = NowMs();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    bool reached = false;
    bool ending = false;
    for (bool exited = false; !exited;) {
        DEBUG_EVENT event = {};
        if (WaitForDebugEvent(&event, 1)) {
            const double at = NowMs() - started;
            DWORD status = DBG_CONTINUE;
            switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                if (event.u.CreateProcessInfo.hFile != nullptr) {
                    CloseHandle(event.u.CreateProcessInfo.hFile);
                }
                steps->push_back({"process created", at});
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (!ending) {
                    steps->push_back({"load " + DllName(process.hProcess, event.u.LoadDll), at});
                }
                if (event.u.LoadDll.hFile != nullptr) {
                    CloseHandle(event.u.LoadDll.hFile);
                }
                break;
            case OUTPUT_DEBUG_STRING_EVENT:
                if (!ending) {
                    steps->push_back({DebugString(process.hProcess, event.u.DebugString), at});
                }
                break;
            case EXCEPTION_DEBUG_EVENT:
                // The loader's breakpoint is the debugger's; any other is the program's own.
                if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                    status = DBG_EXCEPTION_NOT_HANDLED;
                }
                break;
            case EXIT_PROCESS_DEBUG_EVENT:
                exited = true;
                break;
            default:
                break;
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
        if (!ending && (done(process.dwThreadId) || NowMs() - started > timeoutMs)) {
            reached = NowMs() - started <= timeoutMs;
            if (reached) {
                steps->push_back({"first frame on screen", NowMs() - started});
            }
            ending = true;
            TerminateProcess(process.hProcess, 0);
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return reached;
}
