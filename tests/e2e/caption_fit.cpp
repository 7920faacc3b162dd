#include "caption_fit.hpp"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <vector>

#include "driver/owned.hpp"
#include "driver/windows.hpp"

namespace e2e {

namespace {

void DeleteFont(HFONT font) { ::DeleteObject(font); }
using FontOwner = driver::Owned<HFONT, DeleteFont>;

bool IsClass(HWND control, const wchar_t* name) {
    return _wcsicmp(driver::ClassName(control).c_str(), name) == 0;
}

DWORD Style(HWND control) { return static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE)); }

// DrawText's flags for a static label's caption.
UINT LabelFlags(HWND label) { return DT_WORDBREAK | DT_EXPANDTABS | ((Style(label) & SS_NOPREFIX) ? DT_NOPREFIX : 0u); }

bool IsTextLabel(HWND control) {
    const DWORD kind = Style(control) & SS_TYPEMASK;
    return IsClass(control, L"Static") && (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT);
}

bool IsPushButton(HWND control) {
    const DWORD kind = Style(control) & BS_TYPEMASK;
    return IsClass(control, L"Button") && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON);
}

// The pushed-in look of a button takes one edge on each side, and the focus rectangle one more
// pixel inside it; the caption is drawn in what is left.
SIZE ButtonTextRoom(const RECT& client, UINT dpi) {
    const int marginX = ::GetSystemMetricsForDpi(SM_CXEDGE, dpi) + 1;
    const int marginY = ::GetSystemMetricsForDpi(SM_CYEDGE, dpi) + 1;
    return {client.right - 2 * marginX, client.bottom - 2 * marginY};
}

// A 32-bit top-down bitmap selected into a memory device context, with its pixels at hand.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = driver::OwnedBitmap(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<const DWORD*>(bits);
        if (bitmap_) previous_ = ::SelectObject(dc_.get(), bitmap_.get());
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        if (previous_) ::SelectObject(dc_.get(), previous_);
    }
    bool Valid() const { return pixels_ != nullptr; }
    HDC Dc() const { return dc_.get(); }
    DWORD At(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }

    DWORD CommonestColour() const {
        std::map<DWORD, int> counts;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) ++counts[At(x, y)];
        return std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    }

    std::optional<RECT> Ink(DWORD background) const {
        RECT box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != background) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
        if (box.right == 0) return std::nullopt;
        return box;
    }

private:
    int width_, height_;
    driver::OwnedMemoryDc dc_;
    driver::OwnedBitmap bitmap_;
    const DWORD* pixels_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// A 32-bit pixel as a COLORREF: the bitmap stores blue in the low byte.
COLORREF ToColorRef(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// Adds the face to the list at the size and weight of the list's first font.
int CALLBACK AddFace(const LOGFONTW* face, const TEXTMETRICW*, DWORD, LPARAM list) {
    auto& fonts = *reinterpret_cast<std::vector<LOGFONTW>*>(list);
    if (face->lfFaceName[0] == L'@') return 1;  // vertical faces lay text out sideways
    LOGFONTW font = fonts.front();
    std::copy(std::begin(face->lfFaceName), std::end(face->lfFaceName), font.lfFaceName);
    fonts.push_back(font);
    return 1;
}

}  // namespace

std::vector<LOGFONTW> CandidateFonts(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return {};
    std::vector<LOGFONTW> fonts{metrics.lfMessageFont};
    LOGFONTW query{};
    query.lfCharSet = metrics.lfMessageFont.lfCharSet;
    const driver::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
    ::EnumFontFamiliesExW(dc.get(), &query, AddFace, reinterpret_cast<LPARAM>(&fonts), 0);
    return fonts;
}

std::optional<LOGFONTW> FontOfLabel(HWND label, const std::vector<LOGFONTW>& candidates) {
    const std::optional<RECT> shown = InkOnScreen(label);
    if (!shown) return std::nullopt;
    std::optional<LOGFONTW> best;
    LONG bestDistance = 2;
    for (const LOGFONTW& candidate : candidates) {
        const std::optional<RECT> drawn = InkDrawnIn(label, candidate);
        if (!drawn) continue;
        const LONG distance = std::max({std::abs(shown->left - drawn->left), std::abs(shown->top - drawn->top),
                                        std::abs(shown->right - drawn->right),
                                        std::abs(shown->bottom - drawn->bottom)});
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

std::optional<CaptionFit> MeasureCaption(HWND control, const LOGFONTW& logFont, UINT dpi) {
    const bool button = IsPushButton(control);
    if (!button && !IsTextLabel(control)) return std::nullopt;
    const RECT client = driver::ClientRect(control);
    CaptionFit fit;
    fit.room = button ? ButtonTextRoom(client, dpi) : SIZE{client.right, client.bottom};
    const UINT flags = button ? UINT{DT_SINGLELINE} : LabelFlags(control);  // centring moves, not sizes

    const FontOwner font(::CreateFontIndirectW(&logFont));
    const driver::OwnedMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!font || !dc) return std::nullopt;
    const HGDIOBJ previous = ::SelectObject(dc.get(), font.get());
    const std::wstring caption = driver::Text(control);
    RECT bounds{0, 0, fit.room.cx, 0};
    ::DrawTextW(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &bounds, flags | DT_CALCRECT);
    ::SelectObject(dc.get(), previous);
    fit.text = {bounds.right - bounds.left, bounds.bottom - bounds.top};
    return fit;
}

std::optional<RECT> InkOnScreen(HWND label) {
    const RECT client = driver::ClientRect(label);
    Canvas canvas(client.right, client.bottom);
    if (!canvas.Valid()) return std::nullopt;
    POINT origin{0, 0};
    ::ClientToScreen(label, &origin);
    const driver::WindowDc screen(nullptr);
    ::BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    return canvas.Ink(canvas.CommonestColour());
}

std::optional<RECT> InkDrawnIn(HWND label, const LOGFONTW& logFont) {
    const RECT client = driver::ClientRect(label);
    Canvas canvas(client.right, client.bottom);
    const FontOwner font(::CreateFontIndirectW(&logFont));
    if (!canvas.Valid() || !font) return std::nullopt;
    const DWORD background = 0xFFFFFF;
    RECT all = client;
    const driver::OwnedBitmap brush(::CreateSolidBrush(ToColorRef(background)));
    ::FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(brush.get()));
    const HGDIOBJ previous = ::SelectObject(canvas.Dc(), font.get());
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    ::SetTextColor(canvas.Dc(), RGB(0, 0, 0));
    const std::wstring caption = driver::Text(label);
    ::DrawTextW(canvas.Dc(), caption.c_str(), static_cast<int>(caption.size()), &all, LabelFlags(label));
    ::SelectObject(canvas.Dc(), previous);
    ::GdiFlush();
    return canvas.Ink(background);
}

std::string DescribeFont(const LOGFONTW& font) {
    std::string face(LF_FACESIZE * 3, '\0');
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, font.lfFaceName, -1, face.data(),
                                             static_cast<int>(face.size()), nullptr, nullptr);
    face.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return "\"" + face + "\" height " + std::to_string(font.lfHeight);
}

}  // namespace e2e
