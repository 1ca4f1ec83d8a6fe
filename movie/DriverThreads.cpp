#include <windows.h>
#include <tlhelp32.h>

#include "movie/DriverThreads.h"

#include <cstddef>
#include <vector>

namespace {

// NtQueryInformationThread's class for the address a thread was started at.
const ULONG THREAD_START_ADDRESS_CLASS = 9;
const size_t MAX_WAIT_HANDLES = MAXIMUM_WAIT_OBJECTS - 1;

typedef LONG(NTAPI* QueryThreadFunction)(HANDLE, ULONG, PVOID, ULONG, PULONG);

QueryThreadFunction QueryThread() {
    const FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread");
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<QueryThreadFunction>(reinterpret_cast<void (*)()>(found));
}

bool StartedIn(HANDLE thread, HMODULE module, QueryThreadFunction query) {
    void* start = nullptr;
    if (query(thread, THREAD_START_ADDRESS_CLASS, &start, sizeof start, nullptr) < 0 ||
        start == nullptr) {
        return false;
    }
    HMODULE owner = nullptr;
    return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(start), &owner) &&
           owner == module;
}

// Handles of this process's running threads that started inside the module.
std::vector<HANDLE> ThreadsOf(HMODULE module) {
    std::vector<HANDLE> threads;
    const QueryThreadFunction query = QueryThread();
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (query == nullptr || snapshot == INVALID_HANDLE_VALUE) {
        if (snapshot != INVALID_HANDLE_VALUE) {
            CloseHandle(snapshot);
        }
        return threads;
    }
    const DWORD process = GetCurrentProcessId();
    const DWORD self = GetCurrentThreadId();
    THREADENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more && threads.size() < MAX_WAIT_HANDLES;
         more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process || entry.th32ThreadID == self) {
            continue;
        }
        const HANDLE thread =
            OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr) {
            continue;
        }
        if (StartedIn(thread, module, query)) {
            threads.push_back(thread);
        } else {
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return threads;
}

} // namespace

bool DriverThreadsOutliveStop() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

int CountDriverThreads(const char* driverModule) {
    const HMODULE module = GetModuleHandleA(driverModule);
    if (module == nullptr) {
        return 0;
    }
    const std::vector<HANDLE> threads = ThreadsOf(module);
    for (const HANDLE thread : threads) {
        CloseHandle(thread);
    }
    return static_cast<int>(threads.size());
}

bool WaitForDriverThreads(const char* driverModule, DWORD timeoutMs) {
    const HMODULE module = GetModuleHandleA(driverModule);
    if (module == nullptr) {
        return true;
    }
    std::vector<HANDLE> threads = ThreadsOf(module);
    const DWORD start = GetTickCount();
    bool ended = true;
    while (!threads.empty()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            ended = false;
            break;
        }
        // A driver thread may send to the movie window, which this thread owns: sent messages
        // are handled while waiting, posted ones stay queued for the message loop.
        const DWORD woken =
            MsgWaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), FALSE,
                                      timeoutMs - elapsed, QS_SENDMESSAGE);
        if (woken < WAIT_OBJECT_0 + threads.size()) {
            const size_t index = woken - WAIT_OBJECT_0;
            CloseHandle(threads[index]);
            threads.erase(threads.begin() + static_cast<std::ptrdiff_t>(index));
        } else if (woken == WAIT_OBJECT_0 + threads.size()) {
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else if (woken != WAIT_TIMEOUT) {
            ended = false;
            break;
        }
    }
    for (const HANDLE thread : threads) {
        CloseHandle(thread);
    }
    return ended;
}
