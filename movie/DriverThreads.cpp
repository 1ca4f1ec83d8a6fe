#include <windows.h>
#include <tlhelp32.h>

#include "movie/DriverThreads.h"

namespace {

// NtQueryInformationThread's class for the address a thread was started at.
const ULONG THREAD_START_ADDRESS_CLASS = 9;
// One wait handle stays for the message queue.
const DWORD MAX_WAIT_HANDLES = MAXIMUM_WAIT_OBJECTS - 1;

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

// Handles of running threads, closed with the set. A fixed array: the program links no
// container code.
class ThreadSet {
  public:
    ThreadSet() : count(0) {}
    ~ThreadSet() {
        for (DWORD i = 0; i < count; ++i) {
            CloseHandle(handles[i]);
        }
    }
    ThreadSet(const ThreadSet&) = delete;
    ThreadSet& operator=(const ThreadSet&) = delete;

    bool Full() const { return count == MAX_WAIT_HANDLES; }
    void Add(HANDLE thread) { handles[count++] = thread; }
    void Remove(DWORD index) {
        CloseHandle(handles[index]);
        handles[index] = handles[--count];
    }
    DWORD Count() const { return count; }
    const HANDLE* Handles() const { return handles; }

  private:
    HANDLE handles[MAX_WAIT_HANDLES];
    DWORD count;
};

bool IsStanding(DWORD id, const StandingThreads* standing) {
    for (DWORD i = 0; standing != nullptr && i < standing->count; ++i) {
        if (standing->ids[i] == id) {
            return true;
        }
    }
    return false;
}

// Collects this process's running threads that started inside the module, but for the
// standing ones; with ids, also lists their ids there.
void FindThreadsOf(HMODULE module, const StandingThreads* standing, ThreadSet& threads,
                   StandingThreads* ids) {
    const QueryThreadFunction query = QueryThread();
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (query == nullptr || snapshot == INVALID_HANDLE_VALUE) {
        if (snapshot != INVALID_HANDLE_VALUE) {
            CloseHandle(snapshot);
        }
        return;
    }
    const DWORD process = GetCurrentProcessId();
    const DWORD self = GetCurrentThreadId();
    THREADENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more && !threads.Full();
         more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != process || entry.th32ThreadID == self ||
            IsStanding(entry.th32ThreadID, standing)) {
            continue;
        }
        const HANDLE thread =
            OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr) {
            continue;
        }
        if (StartedIn(thread, module, query)) {
            threads.Add(thread);
            if (ids != nullptr && ids->count < StandingThreads::MAX_COUNT) {
                ids->ids[ids->count++] = entry.th32ThreadID;
            }
        } else {
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
}

} // namespace

void ListStandingThreads(const char* driverModule, StandingThreads* standing) {
    standing->count = 0;
    const HMODULE module = GetModuleHandleA(driverModule);
    if (module != nullptr) {
        ThreadSet threads;
        FindThreadsOf(module, nullptr, threads, standing);
    }
}

int CountDriverThreads(const char* driverModule) {
    const HMODULE module = GetModuleHandleA(driverModule);
    if (module == nullptr) {
        return 0;
    }
    ThreadSet threads;
    FindThreadsOf(module, nullptr, threads, nullptr);
    return static_cast<int>(threads.Count());
}

bool WaitForDriverThreads(const char* driverModule, const StandingThreads& standing,
                          DWORD timeoutMs) {
    const HMODULE module = GetModuleHandleA(driverModule);
    if (module == nullptr) {
        return true;
    }
    ThreadSet threads;
    FindThreadsOf(module, &standing, threads, nullptr);
    const DWORD start = GetTickCount();
    while (threads.Count() > 0) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return false;
        }
        // A driver thread may send to the movie window, which this thread owns: sent messages
        // are handled while waiting, posted ones stay queued for the message loop.
        const DWORD woken = MsgWaitForMultipleObjects(threads.Count(), threads.Handles(), FALSE,
                                                      timeoutMs - elapsed, QS_SENDMESSAGE);
        if (woken < WAIT_OBJECT_0 + threads.Count()) {
            threads.Remove(woken - WAIT_OBJECT_0);
        } else if (woken == WAIT_OBJECT_0 + threads.Count()) {
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else if (woken != WAIT_TIMEOUT) {
            return false;
        }
    }
    return true;
}
