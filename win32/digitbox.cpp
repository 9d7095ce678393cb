#include "digitbox.h"

#include "abacuscore.h"

#include <commctrl.h>
#include <imm.h>
#include <optional>
#include <string_view>

namespace tallino::win::digitbox {

namespace {

constexpr UINT_PTR subclassId = 1;

void limitLength(HWND box, std::size_t length)
{
    SendMessageW(box, EM_LIMITTEXT, typedLengthLimit(length), 0);
}

// Opened for one scope, and let go on every path: while it is open, no other program can paste.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : isOpen_(OpenClipboard(owner)) { }
    ~OpenedClipboard()
    {
        if (isOpen_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard &) = delete;
    OpenedClipboard &operator=(const OpenedClipboard &) = delete;
    explicit operator bool() const { return isOpen_; }

private:
    bool isOpen_;
};

// The clipboard's text up to its first line end, as a one-line box takes it.
std::optional<std::wstring> clipboardLine(HWND box)
{
    const OpenedClipboard clipboard(box);
    const HANDLE data = clipboard ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto *text = data ? static_cast<const wchar_t *>(GlobalLock(data)) : nullptr;
    if (!text)
        return std::nullopt;
    const std::wstring_view all(text);
    std::wstring line(all.substr(0, all.find_first_of(L"\r\n")));
    GlobalUnlock(data);
    return line;
}

// The box itself would cut a long text to its limit: it is refused whole instead, as the
// typing of a character too many is.
void paste(HWND box)
{
    const std::optional<std::wstring> line = clipboardLine(box);
    if (!line)
        return;
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::size_t length =
        static_cast<std::size_t>(GetWindowTextLengthW(box)) - (end - start) + line->size();
    if (length <= static_cast<std::size_t>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0)))
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line->c_str()));
}

bool isShiftInsert(WPARAM key)
{
    return key == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0;
}

// A character as the box receives it: WM_UNICHAR brings whole code points, WM_CHAR and
// WM_IME_CHAR UTF-16 units, of which a surrogate is never a digit.
bool isTyped(UINT message, WPARAM code)
{
    return (message == WM_UNICHAR && code == UNICODE_NOCHAR)
        || isTypedDigit(static_cast<char32_t>(code));
}

// Ctrl+letters arrive as the codes 1 to 26 and Backspace as 8: none of them is a digit, so
// Ctrl+V pastes nothing and Backspace erases nothing, while Delete and the context menu's
// Paste, which deliver no character, still work.
LRESULT CALLBACK filter(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_UNICHAR:
        if (!isTyped(message, wParam))
            return 0;
        break;
    case WM_KEYDOWN:
        // Some edit controls paste Shift+Insert without asking WM_PASTE; this one always does.
        if (isShiftInsert(wParam)) {
            SendMessageW(box, WM_PASTE, 0, 0);
            return 0;
        }
        break;
    case WM_PASTE:
        paste(box);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, filter, subclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void install(HWND box)
{
    SetWindowSubclass(box, filter, subclassId, 0);
    ImmAssociateContextEx(box, nullptr, 0);
    keepLengthLimit(box);
}

// The caret goes to the end, as a child expects: a digit typed next follows the text.
void showText(HWND box, const std::wstring &text)
{
    limitLength(box, text.size());
    SetWindowTextW(box, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void keepLengthLimit(HWND box)
{
    limitLength(box, static_cast<std::size_t>(GetWindowTextLengthW(box)));
}

} // namespace tallino::win::digitbox
