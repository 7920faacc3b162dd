#include "about/win32/about_form.hpp"

#include <algorithm>
#include <array>

#include "about/about_texts.hpp"
#include "about/registry_reader.hpp"
#include "about/sys_info_launcher.hpp"
#include "about/win32/picture_box.hpp"
#include "about/win32/system_code_page.hpp"
#include "about/win32/system_files.hpp"
#include "about/win32/system_registry.hpp"
#include "resources/resource_ids.h"
#include "runtime/win32/win32_ui.hpp"

namespace tenmoru {

namespace {

using Id = AboutForm::ControlId;

// In tab order (cmdOK, picIcon, cmdSysInfo), then the labels, which take no focus. Buttons notify
// their focus so that the default button's look follows it, as in any dialog. The caption, the
// title, the version and the picture's name are filled in by Form_Load before the window is first
// shown. "ｼｽﾃﾑ" is half-width katakana; parentheses, colon and dots are ASCII.
constexpr std::array<ControlSpec, 7> kControls{{
    {Id::cmdOK, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0, {4245, 2625, 1380, 345}},
    {Id::picIcon, kPictureBoxClass, L"", WS_TABSTOP, WS_EX_CLIENTEDGE, {240, 240, 540, 540}},
    {Id::cmdSysInfo,
     WC_BUTTONW,
     L"ｼｽﾃﾑ情報(&S)...",
     BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP,
     0,
     {4260, 3075, 1380, 345}},
    {Id::lblDescription, WC_STATICW, L"開発: Tenmoru 開発チーム", SS_LEFT | SS_NOPREFIX, 0, {1050, 1125, 3885, 1170}},
    {Id::lblDisclaimer, WC_STATICW, L"警告: ...", SS_LEFT | SS_NOPREFIX, 0, {255, 2625, 3870, 825}},
    {Id::lblTitle, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, {1050, 240, 3885, 480}},
    {Id::lblVersion, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, {1050, 780, 3885, 225}},
}};

// Fixed dialog frame: a title bar with the close button, no minimise or maximise, not resizable.
constexpr FormDesign kDesign{.className = kAboutFormClass,
                             .caption = L"",
                             .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                             .exStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW,
                             .client = {5730, 3555},
                             .controls = kControls,
                             .iconId = IDI_ABOUT,
                             .defaultButton = Id::cmdOK,
                             .placement = Placement::Beside};

// One stroke of the etched separator Line1: a horizontal band from (left, top) to x = right, as
// thick as thickness twips (at least one pixel), in one of the system's colours.
struct SeparatorStroke {
    int left;
    int top;
    int right;
    int thickness;
    int colour;
};

// The shadow line, and one pixel lower the highlight line twice as thick (grey and white in the
// standard colours).
constexpr std::array<SeparatorStroke, 2> kSeparator{{
    {90, 2445, 5654, 15, COLOR_3DSHADOW},
    {105, 2460, 5654, 30, COLOR_3DHILIGHT},
}};

}  // namespace

AboutForm::AboutForm() noexcept : Form(kDesign) {}

AboutForm& frmAbout2() {
    static AboutForm form;
    return form;
}

bool AboutForm::Open(HWND beside) {
    if (Window() == nullptr && (!RegisterPictureBoxClass() || !Load(beside))) return false;
    // Opened now, or already open: shown in front unchanged.
    Show();
    return true;
}

void AboutForm::StartSysInfo() {
    SystemRegistry registry;
    const SystemAnsiCodePage codePage;
    RegistryReader reader(registry, codePage);
    const SystemFileSystem files;
    SystemProcessStarter processes;
    Win32Ui ui{Window()};
    SysInfoLauncher(reader, files, processes, ui, SystemProcessView()).StartSysInfo();
}

void AboutForm::Form_Load() {
    const LoadedAboutTexts texts = BuildAboutTexts(App);
    SetWindowTextW(Window(), texts.Caption.c_str());
    SetWindowTextW(Control(lblVersion), texts.Version.c_str());
    SetWindowTextW(Control(lblTitle), texts.Title.c_str());
    SetWindowTextW(Control(picIcon), texts.IconName.c_str());  // what a screen reader calls the picture
}

// Unload: the window goes; the instance stays for the next opening.
void AboutForm::cmdOK_Click() { Unload(); }

void AboutForm::cmdSysInfo_Click() { StartSysInfo(); }

void AboutForm::OnLoad() { Form_Load(); }

void AboutForm::OnClick(int id) {
    if (id == cmdOK || id == IDCANCEL)
        cmdOK_Click();  // Esc: OK is the cancel button as well
    else if (id == cmdSysInfo)
        cmdSysInfo_Click();
}

std::optional<LRESULT> AboutForm::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message != WM_PAINT) return std::nullopt;
    PaintSeparator();
    return 0;
}

void AboutForm::PaintSeparator() const {
    const unique_paint paint(Window());
    const UINT dpi = LayoutDpi();
    for (const SeparatorStroke& stroke : kSeparator) {
        const int top = TwipsToPixels(stroke.top, dpi);
        const RECT band{TwipsToPixels(stroke.left, dpi), top, TwipsToPixels(stroke.right, dpi),
                        top + std::max(1, TwipsToPixels(stroke.thickness, dpi))};
        FillRect(paint.get(), &band, GetSysColorBrush(stroke.colour));
    }
}

// The title, the credit and the warning are designed in black; the version in the system's colour.
std::optional<COLORREF> AboutForm::DesignedTextColour(int id) const {
    if (id == lblTitle || id == lblDescription || id == lblDisclaimer) return RGB(0, 0, 0);
    return std::nullopt;
}

void AboutForm::OnDpiApplied(UINT layoutDpi) {
    unique_hicon icon = LoadProgramIcon(IDI_PICICON, PictureIconSize(layoutDpi));
    SendMessageW(Control(picIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    pictureIcon_ = std::move(icon);
}

}  // namespace tenmoru
