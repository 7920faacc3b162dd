#pragma once
// The program's open forms. The program runs while at least one of its forms is open and ends
// (its message loop quits) when the last one is gone; End closes them all at once.
#include <windows.h>

#include <vector>

namespace tenmoru {

class OpenForms {
public:
    // The one list of the program.
    static OpenForms& Instance();

    // A form registers its window when the window is created ...
    void Add(HWND form);
    // ... and removes it when the window is destroyed; the last removal quits the message loop.
    void Remove(HWND form);

    // Ends the program at once: destroys every open form, newest first, and quits the message loop.
    void End();

private:
    std::vector<HWND> forms_;
};

// The runtime's End: closes every window of the program and ends it.
inline void End() { OpenForms::Instance().End(); }

}  // namespace tenmoru
