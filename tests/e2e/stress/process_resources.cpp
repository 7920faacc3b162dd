#include "stress/process_resources.hpp"

#include <psapi.h>
#include <tlhelp32.h>

#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "driver/owned.hpp"
#include "driver/windows.hpp"

namespace stress {

namespace {

BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

std::size_t CountWindows(DWORD processId) {
    std::size_t count = 0;
    for (HWND top : driver::TopLevelWindows(processId)) {
        ++count;
        ::EnumChildWindows(top, CountOne, reinterpret_cast<LPARAM>(&count));  // every descendant
    }
    return count;
}

// The layout of one entry of SystemHandleInformation (class 16), as the system fills it.
struct SystemHandleEntry {
    ULONG processId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
constexpr ULONG kSystemProcessInformation = 5;
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// The answer of NtQuerySystemInformation for the class, in a buffer grown until it fits; empty on failure.
std::vector<BYTE> SystemInformation(ULONG informationClass) {
    static const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<BYTE> buffer(64 * 1024);
    while (query != nullptr) {
        ULONG needed = 0;
        const NTSTATUS status = query(informationClass, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch && buffer.size() < (64u << 20)) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
            continue;
        }
        if (status >= 0) return buffer;
        break;
    }
    return {};
}

std::size_t CountHandleEntries(DWORD processId) {
    const std::vector<BYTE> table = SystemInformation(kSystemHandleInformation);
    if (table.size() < sizeof(ULONG)) return 0;
    ULONG entries = 0;
    std::memcpy(&entries, table.data(), sizeof entries);
    const std::size_t fit = (table.size() - sizeof(ULONG_PTR)) / sizeof(SystemHandleEntry);
    const auto* entry = reinterpret_cast<const SystemHandleEntry*>(table.data() + sizeof(ULONG_PTR));
    std::size_t count = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(entries, fit); ++i)
        if (entry[i].processId == processId) ++count;
    return count;
}

std::size_t CountThreads(DWORD processId) {
    const std::vector<BYTE> list = SystemInformation(kSystemProcessInformation);
    for (std::size_t at = 0; at + sizeof(SYSTEM_PROCESS_INFORMATION) <= list.size();) {
        const auto* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(list.data() + at);
        if (reinterpret_cast<ULONG_PTR>(process->UniqueProcessId) == processId) return process->NumberOfThreads;
        if (process->NextEntryOffset == 0) break;
        at += process->NextEntryOffset;
    }
    return 0;
}

std::string Cell(std::size_t before, std::size_t after) {
    char text[48];
    std::snprintf(text, sizeof text, "%zu -> %zu", before, after);
    return text;
}

}  // namespace

ResourceFigures MeasureResources(DWORD processId) {
    const driver::OwnedHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) throw std::runtime_error("OpenProcess failed for the process under test");
    ResourceFigures figures;
    figures.userObjects = ::GetGuiResources(process.get(), GR_USEROBJECTS);
    figures.gdiObjects = ::GetGuiResources(process.get(), GR_GDIOBJECTS);
    ::GetProcessHandleCount(process.get(), &figures.handleCount);
    figures.handleEntries = CountHandleEntries(processId);
    figures.windows = CountWindows(processId);
    figures.threads = CountThreads(processId);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) figures.committedKiB = memory.PagefileUsage / 1024;
    return figures;
}

std::string FormatResourceTable(const std::vector<ResourceRow>& rows) {
    std::string table;
    char line[256];
    constexpr const char* kRow = "| %-20s | %6s | %-10s | %-10s | %-10s | %-12s | %-10s | %-10s | %-16s |\n";
    std::snprintf(line, sizeof line, kRow, "scenario", "rounds", "USER obj.", "GDI obj.", "handles", "handle table",
                  "windows", "threads", "committed KiB");
    table += line;
    table += "|----------------------|--------|------------|------------|------------|--------------|------------|"
             "------------|------------------|\n";
    for (const ResourceRow& row : rows) {
        std::snprintf(line, sizeof line, kRow, row.scenario.c_str(), std::to_string(row.rounds).c_str(),
                      Cell(row.before.userObjects, row.after.userObjects).c_str(),
                      Cell(row.before.gdiObjects, row.after.gdiObjects).c_str(),
                      Cell(row.before.handleCount, row.after.handleCount).c_str(),
                      Cell(row.before.handleEntries, row.after.handleEntries).c_str(),
                      Cell(row.before.windows, row.after.windows).c_str(),
                      Cell(row.before.threads, row.after.threads).c_str(),
                      Cell(row.before.committedKiB, row.after.committedKiB).c_str());
        table += line;
    }
    return table;
}

std::vector<DWORD> ChildProcesses(DWORD parentId) {
    std::vector<DWORD> children;
    const HANDLE taken = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return children;
    const driver::OwnedHandle snapshot(taken);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId)
            children.push_back(entry.th32ProcessID);
    return children;
}

}  // namespace stress
