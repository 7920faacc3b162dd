#include "shell/win32/input_box.hpp"

#include <algorithm>
#include <array>

#include "resources/resource_ids.h"
#include "shell/app.hpp"
#include "shell/win32/layout.hpp"
#include "shell/win32/ui_font.hpp"
#include "shell/win32/unique_handle.hpp"

namespace {

// The box in twips: the prompt at the top left, OK and Cancel stacked at the right, the text
// field across the whole width below whichever of them reaches lower.
constexpr int kMargin = 180;
constexpr int kGap = 240;
constexpr int kClientWidth = 6000;
constexpr TwipsRect kPromptArea{kMargin, kMargin, 4200, 720};  // height: the least it takes
constexpr TwipsRect kOkButton{4560, kMargin, 1260, 375};
constexpr TwipsRect kCancelButton{4560, 660, 1260, 375};
constexpr int kEditHeight = 330;

// Tab order: the text field, OK, Cancel. Positions come from LayoutInputBox.
constexpr std::array<ControlSpec, 4> kControls{{
    {IDC_INPUT_PROMPT, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, kPromptArea},
    {IDC_INPUT_EDIT, WC_EDITW, L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
     {kMargin, 0, kClientWidth - 2 * kMargin, kEditHeight}},
    {IDOK, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kOkButton},
    {IDCANCEL, WC_BUTTONW, L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 0, kCancelButton},
}};

struct InputBoxState {
    std::wstring prompt;
    std::wstring title;
    std::wstring defaultText;
    std::wstring result;
    unique_hfont font;
};

// Height of the prompt's text wrapped to the prompt's width, in the font.
int MeasurePrompt(HWND dialog, const std::wstring& prompt, HFONT font, UINT dpi) {
    RECT bounds{0, 0, InputBoxPromptWidth(dpi), 0};
    const HDC dc = GetDC(dialog);
    const HGDIOBJ previous = SelectObject(dc, font);
    DrawTextW(dc, prompt.c_str(), static_cast<int>(prompt.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return bounds.bottom - bounds.top;
}

void Move(HWND dialog, int id, const RECT& r) {
    SetWindowPos(GetDlgItem(dialog, id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lays the box out for the DPI: font, control rectangles and the window's size. Returns the size.
SIZE ApplyLayout(HWND dialog, InputBoxState& state, UINT dpi) {
    state.font = CreateUiFont(dpi);
    const InputBoxLayout layout = LayoutInputBox(MeasurePrompt(dialog, state.prompt, state.font.get(), dpi), dpi);
    Move(dialog, IDC_INPUT_PROMPT, layout.prompt);
    Move(dialog, IDC_INPUT_EDIT, layout.edit);
    Move(dialog, IDOK, layout.ok);
    Move(dialog, IDCANCEL, layout.cancel);
    for (const ControlSpec& control : kControls) {
        SendDlgItemMessageW(dialog, control.id, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), TRUE);
    }
    RECT frame{0, 0, layout.client.cx, layout.client.cy};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// Centres the box on its owner (or on the screen's work area), kept inside that work area.
void Centre(HWND dialog, HWND owner, SIZE size) {
    const HMONITOR monitor = MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    RECT around = info.rcWork;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
    LONG x = around.left + ((around.right - around.left) - size.cx) / 2;
    LONG y = around.top + ((around.bottom - around.top) - size.cy) / 2;
    x = std::clamp(x, info.rcWork.left, std::max(info.rcWork.left, info.rcWork.right - size.cx));
    y = std::clamp(y, info.rcWork.top, std::max(info.rcWork.top, info.rcWork.bottom - size.cy));
    SetWindowPos(dialog, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring FieldText(HWND dialog) {
    const HWND edit = GetDlgItem(dialog, IDC_INPUT_EDIT);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    const int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

INT_PTR OnInitDialog(HWND dialog, InputBoxState& state) {
    SetWindowTextW(dialog, state.title.c_str());
    if (!CreateControls(dialog, kControls)) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    SetDlgItemTextW(dialog, IDC_INPUT_PROMPT, state.prompt.c_str());
    SetDlgItemTextW(dialog, IDC_INPUT_EDIT, state.defaultText.c_str());
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    Centre(dialog, GetWindow(dialog, GW_OWNER), ApplyLayout(dialog, state, WindowDpi(dialog)));
    const HWND edit = GetDlgItem(dialog, IDC_INPUT_EDIT);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return FALSE;  // the focus is set
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return OnInitDialog(dialog, *reinterpret_cast<InputBoxState*>(lParam));
    }
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (state == nullptr) return FALSE;
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            state->result = FieldText(dialog);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:  // Cancel, Esc and the close button
            state->result.clear();
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_DPICHANGED: {
        // Our own layout for the new DPI, at the place the system suggests.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        const SIZE size = ApplyLayout(dialog, *state, HIWORD(wParam));
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
#if defined(__cpp_exceptions)
    try {
        return HandleMessage(dialog, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dialog code: give up the box as cancelled.
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
#else
    return HandleMessage(dialog, message, wParam, lParam);
#endif
}

}  // namespace

int InputBoxPromptWidth(UINT dpi) noexcept { return TwipsToPixels(kPromptArea.width, dpi); }

InputBoxLayout LayoutInputBox(int promptTextHeight, UINT dpi) noexcept {
    InputBoxLayout layout{};
    layout.prompt = PixelRect(kPromptArea, dpi);
    layout.prompt.bottom = layout.prompt.top + std::max<LONG>(promptTextHeight, layout.prompt.bottom - layout.prompt.top);
    layout.ok = PixelRect(kOkButton, dpi);
    layout.cancel = PixelRect(kCancelButton, dpi);
    const int editTop = std::max(layout.prompt.bottom, layout.cancel.bottom) + TwipsToPixels(kGap, dpi);
    const TwipsRect& edit = kControls[1].rect;
    layout.edit = RECT{TwipsToPixels(edit.left, dpi), editTop, TwipsToPixels(edit.left, dpi) + TwipsToPixels(edit.width, dpi),
                       editTop + TwipsToPixels(edit.height, dpi)};
    layout.client = SIZE{TwipsToPixels(kClientWidth, dpi), layout.edit.bottom + TwipsToPixels(kGap, dpi)};
    return layout;
}

std::wstring RunInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title,
                         std::wstring_view defaultText) {
    InputBoxState state{std::wstring(prompt), std::wstring(title.empty() ? App.Title : title),
                        std::wstring(defaultText), {}, {}};
    // An empty frame: the controls come from the table above, laid out for the DPI.
    struct alignas(DWORD) EmptyDialog {
        DLGTEMPLATE frame;
        WORD menu;
        WORD windowClass;
        WORD title;
    };
    const EmptyDialog dialog{{DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
    const INT_PTR closedWith = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.frame, owner,
                                                       &InputBoxProc, reinterpret_cast<LPARAM>(&state));
    return closedWith == IDOK ? state.result : std::wstring{};
}
