// What a running Velmora.exe holds, for the soak run: one line
//   "probe PID GDI USER WINDOWS HANDLES WORKING_SET_KB PRIVATE_KB"
// GDI and USER are GetGuiResources' counts where the system keeps them;
// where it answers 0 (Wine), GDI is counted in the process's GDI handle
// table (the PEB's GdiSharedHandleTable) instead, and USER is -1. WINDOWS counts the
// windows (top-level, child and message-only) owned by the process's
// threads, which is what USER objects mostly are. HANDLES is the kernel
// handle count, from the system's handle list when GetProcessHandleCount
// answers 0. "probe none" when no Velmora.exe runs. Built by
// scripts/soak.sh with mingw-w64, run in the soak's Wine session.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <winternl.h>

#include <cstdio>
#include <vector>

namespace {

DWORD FindProgram() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD pid = 0;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (::lstrcmpiW(entry.szExeFile, L"Velmora.exe") == 0) {
            pid = entry.th32ProcessID;
            break;
        }
    }
    ::CloseHandle(snapshot);
    return pid;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == c->pid) ++c->count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != c->pid) return TRUE;
    ++c->count;
    ::EnumChildWindows(window, CountChild, param);  // every descendant, once
    return TRUE;
}

long CountMessageOnly(DWORD pid) {
    long count = 0;
    HWND window = nullptr;
    while ((window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == pid) ++count;
    }
    return count;
}

// Entries of the GDI handle table in use: 24 bytes each (the object, its
// owner, its uniqueness, type and flags, the user pointer), the type byte
// at offset 14 and 0 for a free entry.
constexpr size_t kGdiEntryBytes = 24;
constexpr size_t kGdiEntries = 0x10000;

long CountGdiTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    ULONGLONG table = 0;
    SIZE_T read = 0;
    const auto* field = reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + 0xF8;  // GdiSharedHandleTable
    if (!::ReadProcessMemory(process, field, &table, sizeof table, &read) || !table) return -1;
    std::vector<BYTE> entries(kGdiEntryBytes * kGdiEntries);
    if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &read)) {
        return -1;
    }
    long count = 0;
    for (size_t at = 0; at + kGdiEntryBytes <= read; at += kGdiEntryBytes) count += entries[at + 14] != 0;
    return count;
}

struct HandleEntry {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};

long CountKernelHandles(DWORD pid) {
    std::vector<BYTE> buffer(1 << 20);
    for (int tries = 0; tries < 6; ++tries) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                                         static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
            const auto* entry = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
            long mine = 0;
            for (ULONG i = 0; i < count; ++i) mine += entry[i].ownerPid == pid;
            return mine;
        }
        buffer.resize(buffer.size() * 2);
    }
    return -1;
}

}  // namespace

int wmain() {
    const DWORD pid = FindProgram();
    HANDLE process = pid ? ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
    if (!process) {
        std::printf("probe none\n");
        return 1;
    }
    long gdi = static_cast<long>(::GetGuiResources(process, GR_GDIOBJECTS));
    if (gdi == 0) gdi = CountGdiTable(process);
    WindowCount windows{pid, 0};
    ::EnumWindows(CountTop, reinterpret_cast<LPARAM>(&windows));
    windows.count += CountMessageOnly(pid);
    // A process with windows holds USER objects: 0 means the system does
    // not count them (Wine), printed as -1.
    long user = static_cast<long>(::GetGuiResources(process, GR_USEROBJECTS));
    if (user == 0 && windows.count > 0) user = -1;
    DWORD count = 0;
    ::GetProcessHandleCount(process, &count);
    const long handles = count ? static_cast<long>(count) : CountKernelHandles(pid);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // PrivateUsage is not kept everywhere either (-1 when 0).
    const long long privateKb = memory.PrivateUsage ? static_cast<long long>(memory.PrivateUsage / 1024) : -1;
    std::printf("probe %lu %ld %ld %ld %ld %llu %lld\n", pid, gdi, user, windows.count, handles,
                static_cast<unsigned long long>(memory.WorkingSetSize / 1024), privateKb);
    ::CloseHandle(process);
    return 0;
}
