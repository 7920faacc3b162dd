#pragma once
// What a running process holds, read from outside: the figures that show whether it leaks.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace stress {

// Wine 8 answers 0 to GetGuiResources and GetProcessHandleCount for every process; the handle
// table of the whole system (NtQuerySystemInformation's SystemHandleInformation) counts each
// kernel handle, and the window tree counts the USER objects that matter here. Both kinds of
// figures are kept, so that the table means the same on Windows.
struct ResourceFigures {
    DWORD userObjects = 0;          // GetGuiResources(GR_USEROBJECTS)
    DWORD gdiObjects = 0;           // GetGuiResources(GR_GDIOBJECTS)
    DWORD handleCount = 0;          // GetProcessHandleCount
    std::size_t handleEntries = 0;  // the process's entries in the system's handle table
    std::size_t windows = 0;        // its top-level windows and all their descendants
    std::size_t threads = 0;
    std::size_t committedKiB = 0;   // private memory committed (PagefileUsage), in KiB
};

// Reads the figures of the process; throws std::runtime_error when it cannot be opened.
ResourceFigures MeasureResources(DWORD processId);

// One row of the printed table: a scenario and its figures before and after.
struct ResourceRow {
    std::string scenario;
    int rounds = 0;
    ResourceFigures before;
    ResourceFigures after;
};

// The rows as a fixed-width text table, one line per scenario, before -> after for each figure.
std::string FormatResourceTable(const std::vector<ResourceRow>& rows);

// The processes whose parent is the given process (a snapshot of the moment).
std::vector<DWORD> ChildProcesses(DWORD parentId);

}  // namespace stress
