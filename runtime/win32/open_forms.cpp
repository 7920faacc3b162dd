#include "runtime/win32/open_forms.hpp"

#include <algorithm>

namespace tenmoru {

OpenForms& OpenForms::Instance() {
    static OpenForms forms;
    return forms;
}

void OpenForms::Add(HWND form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void OpenForms::Remove(HWND form) {
    const auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it == forms_.end()) return;
    forms_.erase(it);
    if (forms_.empty()) PostQuitMessage(0);
}

void OpenForms::End() {
    // Each DestroyWindow ends in Remove, which shrinks the list; work from a copy.
    const std::vector<HWND> open(forms_.rbegin(), forms_.rend());
    for (HWND form : open) {
        if (IsWindow(form)) DestroyWindow(form);
        Remove(form);
    }
    // Also when no form was registered: End always ends.
    PostQuitMessage(0);
}

}  // namespace tenmoru
