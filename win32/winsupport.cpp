#include "winsupport.h"

#include <algorithm>
#include <cmath>
// The annotation service's identifiers are defined here, in this one file.
#include <initguid.h>
#include <oleacc.h>

namespace tallino::win {

std::wstring wide(std::string_view utf8)
{
    const int size = static_cast<int>(utf8.size());
    std::wstring text(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

std::string utf8(std::wstring_view text)
{
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(
                          CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()),
        nullptr, nullptr);
    return bytes;
}

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT pixels(const TwipsRect &box, UINT dpi)
{
    const int left = px(box.left, dpi);
    const int top = px(box.top, dpi);
    return { left, top, left + px(box.width, dpi), top + px(box.height, dpi) };
}

int scaledPixels(int pixels, UINT dpi)
{
    return std::max(1, MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
}

namespace {

int CALLBACK noteFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool isInstalled(const std::wstring &family)
{
    LOGFONTW wanted {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(ScreenDc(), &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring installedFamily(std::string_view family)
{
    const std::wstring wanted = wide(family);
    if (isInstalled(wanted))
        return wanted;
    for (const FontSubstitute &row : fontSubstitutes) {
        if (row.family != family)
            continue;
        for (const char *substitute : row.substitutes) {
            if (substitute && isInstalled(wide(substitute)))
                return wide(substitute);
        }
    }
    return wanted; // the font mapper's choice
}

LOGFONTW logFont(const FontSpec &described, UINT dpi)
{
    if (!described.family) {
        NONCLIENTMETRICSW metrics {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        return metrics.lfMessageFont;
    }
    LOGFONTW font {};
    font.lfHeight = -std::lround(described.points * dpi / 72);
    font.lfWeight = described.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    installedFamily(described.family).copy(font.lfFaceName, LF_FACESIZE - 1);
    return font;
}

int textWidth(HDC dc, std::wstring_view text)
{
    SIZE size {};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The room the text needs centred: its advance, and on both sides the larger of the inks that
// lean out past its ends.
int centredInkWidth(HDC dc, std::wstring_view text)
{
    ABC first {}, last {};
    if (!text.empty()) {
        GetCharABCWidthsW(dc, text.front(), text.front(), &first);
        GetCharABCWidthsW(dc, text.back(), text.back(), &last);
    }
    return textWidth(dc, text) + 2 * std::max({ 0, -first.abcA, -last.abcC });
}

// The next line's words that fit the width, and where the line after it starts.
std::pair<std::wstring_view, std::size_t> nextLine(HDC dc, std::wstring_view text, int width)
{
    std::size_t end = 0;
    for (std::size_t word = 0; word < text.size();) {
        const std::size_t wordEnd = std::min(text.find(L' ', word), text.size());
        if (end > 0 && textWidth(dc, text.substr(0, wordEnd)) > width)
            return { text.substr(0, end), word };
        end = wordEnd;
        word = std::min(text.find_first_not_of(L' ', wordEnd), text.size());
    }
    return { text.substr(0, end), text.size() };
}

} // namespace

void drawWrapped(HDC dc, const RECT &box, std::wstring_view text)
{
    TEXTMETRICW metrics {};
    GetTextMetricsW(dc, &metrics);
    text.remove_prefix(std::min(text.find_first_not_of(L' '), text.size()));
    for (int top = box.top; !text.empty() && top < box.bottom; top += metrics.tmHeight) {
        const auto [line, next] = nextLine(dc, text, box.right - box.left);
        ExtTextOutW(dc, box.left, top, ETO_CLIPPED, &box, line.data(),
            static_cast<UINT>(line.size()), nullptr);
        text.remove_prefix(next);
    }
}

Font makeFont(const FontSpec &described, UINT dpi)
{
    const LOGFONTW font = logFont(described, dpi);
    return Font(CreateFontIndirectW(&font));
}

Font fittedFont(const FontSpec &described, UINT dpi, std::wstring_view text, int width)
{
    LOGFONTW font = logFont(described, dpi);
    if (isInstalled(wide(described.family)))
        return Font(CreateFontIndirectW(&font));
    const ScreenDc screen;
    for (;;) {
        Font candidate(CreateFontIndirectW(&font));
        const Selected selected(screen, candidate.get());
        const int needed = centredInkWidth(screen, text);
        if (needed <= width || font.lfWidth == 1)
            return candidate;
        // lfWidth is the average character width: scale it, then step down to what fits.
        TEXTMETRICW metrics {};
        GetTextMetricsW(screen, &metrics);
        const LONG average = font.lfWidth ? font.lfWidth : metrics.tmAveCharWidth;
        font.lfWidth =
            std::clamp<LONG>(average * width / needed, 1, std::max<LONG>(1, average - 1));
    }
}

void drawLine(HDC dc, const TwipsLine &line, COLORREF colour, UINT dpi, LineEnds ends)
{
    const LOGBRUSH brush { BS_SOLID, colour, 0 };
    const Pen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | static_cast<DWORD>(ends),
        static_cast<DWORD>(scaledPixels(line.widthPx, dpi)), &brush, 0, nullptr));
    const Selected selected(dc, pen.get());
    MoveToEx(dc, px(line.x1, dpi), px(line.y1, dpi), nullptr);
    LineTo(dc, px(line.x2, dpi), px(line.y2, dpi));
}

void TopLevelWindows::opened(HWND window)
{
    windows_.push_back(window);
}

void TopLevelWindows::closed(HWND window)
{
    std::erase(windows_, window);
    if (windows_.empty())
        PostQuitMessage(0);
}

HWND TopLevelWindows::holding(HWND window) const
{
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return std::find(windows_.begin(), windows_.end(), root) != windows_.end() ? root : nullptr;
}

int TopLevelWindows::runMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const HWND window = holding(message.hwnd);
        if (window && IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The windows still open go with the process, without being hidden one by one; no message
    // reaches their objects any more.
    for (const HWND window : windows_)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return static_cast<int>(message.wParam);
}

Speech::Speech()
{
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
            IID_IAccPropServices, reinterpret_cast<void **>(&services_))))
        services_ = nullptr;
}

Speech::~Speech()
{
    if (services_)
        services_->Release();
}

void Speech::annotate(HWND control, std::string_view name, std::string_view description) const
{
    if (!services_)
        return;
    services_->SetHwndPropStr(
        control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, wide(name).c_str());
    if (!description.empty())
        services_->SetHwndPropStr(
            control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION, wide(description).c_str());
}

void Speech::rename(HWND control, std::string_view name) const
{
    annotate(control, name);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace tallino::win
