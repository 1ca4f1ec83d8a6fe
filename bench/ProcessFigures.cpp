#include <windows.h>
#include <psapi.h>

#include "bench/ProcessFigures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

typedef LONG(NTAPI* QueryProcessFunction)(HANDLE, ULONG, PVOID, ULONG, PULONG);
typedef LONG(NTAPI* QuerySystemFunction)(ULONG, PVOID, ULONG, PULONG);

// Looked up at run time: the programs import only the documented DLLs.
template <typename Function> Function NtFunction(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), name);
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

struct WindowCount {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountDescendant(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

BOOL CALLBACK CountTopAndDescendants(HWND window, LPARAM data) {
    WindowCount* windows = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->processId) {
        ++windows->count;
        // EnumChildWindows visits every descendant, not only the direct children.
        EnumChildWindows(window, CountDescendant, data);
    }
    return TRUE;
}

// Wine keeps each process's GDI handles in a table that its PEB points to (GdiSharedHandleTable),
// in the layout Windows used: 24-byte entries whose type byte is 0 while the entry is free.
long CountGdiFromTable(HANDLE process) {
    struct BasicInformation {
        LONG exitStatus;
        void* pebBaseAddress;
        ULONG_PTR affinityMask;
        LONG basePriority;
        ULONG_PTR uniqueProcessId;
        ULONG_PTR parentProcessId;
    } basic = {};
    const QueryProcessFunction query =
        NtFunction<QueryProcessFunction>("NtQueryInformationProcess");
    ULONG length = 0;
    if (query == nullptr || query(process, 0, &basic, sizeof basic, &length) != 0) {
        return -1;
    }
    const size_t tableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.pebBaseAddress) + tableOffset, &table,
                           sizeof table, &read) ||
        table == nullptr) {
        return -1;
    }
    struct Entry {
        uint64_t object;
        uint32_t owner;
        uint16_t unique;
        uint8_t type;
        uint8_t flags;
        uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "a GDI handle entry is 24 bytes");
    static Entry entries[0x10000];
    if (!ReadProcessMemory(process, table, entries, sizeof entries, &read)) {
        return -1;
    }
    long used = 0;
    for (const Entry& entry : entries) {
        used += entry.type != 0 ? 1 : 0;
    }
    return used;
}

// SystemHandleInformation (16) lists every open handle with its process id. (The HandleCount
// of the process list is, under Wine 8, the size of the process's handle table, which grows
// in steps of 64, not the number of handles in it.)
long CountHandlesFromSystem(DWORD processId) {
    const QuerySystemFunction query = NtFunction<QuerySystemFunction>("NtQuerySystemInformation");
    if (query == nullptr) {
        return -1;
    }
    struct Entry {
        ULONG processId;
        UCHAR type;
        UCHAR flags;
        USHORT value;
        void* object;
        ULONG access;
    };
    struct Information {
        ULONG count;
        Entry entries[1];
    };
    static std::vector<char> buffer(1 << 20);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<LONG>(0xC0000004L)) { // STATUS_INFO_LENGTH_MISMATCH
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) {
            return -1;
        }
        const Information* information = reinterpret_cast<const Information*>(buffer.data());
        long owned = 0;
        for (ULONG i = 0; i < information->count; ++i) {
            // Windows keeps a 16-bit process id there, Wine a 32-bit one.
            owned += (information->entries[i].processId & 0xFFFF) == (processId & 0xFFFF) ? 1 : 0;
        }
        return owned;
    }
    return -1;
}

} // namespace

long CountWindows(DWORD processId) {
    WindowCount windows = {processId, 0};
    EnumWindows(CountTopAndDescendants, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

Handles ReadHandles(HANDLE process, DWORD processId, FigureSources* sources) {
    Handles handles = {};
    SetLastError(0);
    handles.user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    if (handles.user == 0) {
        handles.user = CountWindows(processId);
        sources->userFromWindows = true;
    }
    handles.gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    if (handles.gdi == 0) {
        handles.gdi = CountGdiFromTable(process);
        sources->gdiFromTable = true;
    }
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count != 0) {
        handles.kernel = static_cast<long>(count);
    } else {
        handles.kernel = CountHandlesFromSystem(processId);
        sources->handlesFromSystem = true;
    }
    return handles;
}
Memory ReadMemory(HANDLE process, FigureSources* sources) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    Memory memory = {};
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return memory;
    }
    memory.privateBytes = static_cast<double>(counters.PrivateUsage);
    if (counters.PrivateUsage == 0) {
        // Wine 8 leaves PrivateUsage 0; its PagefileUsage is the process's anonymous memory.
        memory.privateBytes = static_cast<double>(counters.PagefileUsage);
        sources->privateFromPagefile = true;
    }
    memory.peakPrivateBytes = static_cast<double>(counters.PeakPagefileUsage);
    memory.peakWorkingSet = static_cast<double>(counters.PeakWorkingSetSize);
    return memory;
}

// SystemProcessInformation (5): one entry per process, in the layout Windows documents, with
// the process's CPU times and handle count (which Wine fills in from the Linux process).
SystemProcessFigures QuerySystemProcess(DWORD processId) {
    SystemProcessFigures figures = {};
    const QuerySystemFunction query = NtFunction<QuerySystemFunction>("NtQuerySystemInformation");
    if (query == nullptr) {
        return figures;
    }
    struct Entry {
        ULONG nextEntryOffset;
        ULONG numberOfThreads;
        LARGE_INTEGER workingSetPrivateSize;
        ULONG hardFaultCount;
        ULONG numberOfThreadsHighWatermark;
        ULONGLONG cycleTime;
        LARGE_INTEGER createTime;
        LARGE_INTEGER userTime;
        LARGE_INTEGER kernelTime;
        USHORT imageNameLength;
        USHORT imageNameMaximumLength;
        PWSTR imageNameBuffer;
        LONG basePriority;
        HANDLE uniqueProcessId;
        HANDLE inheritedFromUniqueProcessId;
        ULONG handleCount;
    };
    static std::vector<char> buffer(1 << 20);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(5, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<LONG>(0xC0000004L)) { // STATUS_INFO_LENGTH_MISMATCH
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) {
            return figures;
        }
        for (size_t at = 0;;) {
            const Entry* entry = reinterpret_cast<const Entry*>(buffer.data() + at);
            if (reinterpret_cast<ULONG_PTR>(entry->uniqueProcessId) == processId) {
                figures.found = true;
                figures.cpuMs =
                    static_cast<double>(entry->userTime.QuadPart + entry->kernelTime.QuadPart) /
                    10000.0;
                figures.handleCount = static_cast<long>(entry->handleCount);
                return figures;
            }
            if (entry->nextEntryOffset == 0) {
                return figures;
            }
            at += entry->nextEntryOffset;
        }
    }
    return figures;
}
