#pragma once
// File tests and process start on the real system, for the system-information launcher.
#include "about/sys_info_launcher.hpp"

namespace tenmoru {

// True for exactly the named file: no pattern matching, and a folder does not count.
class SystemFileSystem final : public FileSystem {
public:
    bool FileExists(std::wstring_view path) const override;
};

// Starts the program named by applicationName (never searched for on the command line), normal
// window with focus; the process and thread handles are closed at once, nothing waits for it.
class SystemProcessStarter final : public ProcessStarter {
public:
    bool Start(std::wstring_view applicationName, std::wstring_view commandLine,
               std::wstring_view currentFolder) override;
};

// Whether the program runs under WOW64, and the system folder as it names it.
[[nodiscard]] ProcessView SystemProcessView();

}  // namespace tenmoru
