#include "process_figures.h"

#include <winternl.h>
#include <psapi.h>

#include <vector>

namespace {

// The process's GDI handle table, mapped where its process block says: each
// entry in use has a type. Read when GetGuiResources has no answer.
struct GdiHandleEntry {
    unsigned long long object;
    unsigned int owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;
constexpr size_t kGdiTableOffsetInProcessBlock = 0xF8;

struct SystemHandleEntry {
    USHORT processId;
    USHORT creatorBackTrace;
    UCHAR type;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandles {
    ULONG count;
    SystemHandleEntry handles[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000004L);

template <typename Function>
Function* NtFunction(const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

size_t CountGdiTable(HANDLE process) {
    using Query = NTSTATUS NTAPI(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto* query = NtFunction<Query>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0) return 0;
    void* table = nullptr;
    SIZE_T read = 0;
    const auto* tableField = reinterpret_cast<const char*>(basic.PebBaseAddress) + kGdiTableOffsetInProcessBlock;
    if (!ReadProcessMemory(process, tableField, &table, sizeof(table), &read) || !table) return 0;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry), &read)) return 0;
    size_t used = 0;
    for (const GdiHandleEntry& entry : entries) used += entry.type != 0 ? 1 : 0;
    return used;
}

size_t CountHandles(HANDLE process, DWORD processId) {
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0) return count;
    using Query = NTSTATUS NTAPI(ULONG, PVOID, ULONG, PULONG);
    auto* query = NtFunction<Query>("NtQuerySystemInformation");
    if (!query) return 0;
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    NTSTATUS status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
               kBufferTooSmall &&
           buffer.size() < (256u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return 0;
    const auto* handles = reinterpret_cast<const SystemHandles*>(buffer.data());
    size_t owned = 0;
    for (ULONG i = 0; i < handles->count; ++i) owned += handles->handles[i].processId == processId ? 1 : 0;
    return owned;
}

size_t CountPrivateBytes(HANDLE process) {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    return total;
}

struct WindowCount {
    DWORD processId;
    size_t count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    auto* windows = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != windows->processId) return TRUE;
    ++windows->count;
    EnumChildWindows(window, CountChild, data);
    return TRUE;
}

size_t CountWindows(DWORD processId) {
    WindowCount windows{processId};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

}  // namespace

ProcessFigures ReadProcessFigures(HANDLE process, DWORD processId) {
    ProcessFigures figures;
    figures.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    if (figures.gdiObjects == 0) figures.gdiObjects = CountGdiTable(process);
    figures.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    if (figures.userObjects == 0) {
        figures.userObjects = CountWindows(processId);
        figures.userObjectsAreWindows = true;
    }
    figures.handles = CountHandles(process, processId);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        figures.privateBytes = counters.PrivateUsage;
        figures.workingSetBytes = counters.WorkingSetSize;
    }
    if (figures.privateBytes == 0) figures.privateBytes = CountPrivateBytes(process);
    return figures;
}
