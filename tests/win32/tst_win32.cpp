// Drives the real tallino.exe from a process of its own, as a user's keys and clicks reach it:
// WM_CHAR and key messages to the boxes, BM_CLICK, keys through the dialog manager, windows found
// by class and caption, controls by their IDs (100 and their tab index). Reads back texts,
// styles, focus, the foreground window, the clipboard and the screen's pixels, against the
// windows as they were drawn (drawn.h). Usage:
//   tst_win32 <tallino.exe> <case> [dpi]
#include "gdi.h"
#include "program.h"
#include "sight.h"
#include "strings.h"

#include <cstdio>
#include <map>
#include <thread>
#include <utility>
#include <windows.h>

namespace win = tallino::win;
using win::utf8;
using win::wide;

namespace {

int failures = 0;
int dpi = 96;
bool moved = false; // by the suite, off its centred place

// Each check prints what it compared, so that a failure under Wine says what it saw.
bool same(const std::string &what, const std::string &seen, const std::string &wanted)
{
    if (seen != wanted && ++failures)
        std::printf(
            "FAIL %s: saw \"%s\", wanted \"%s\"\n", what.c_str(), seen.c_str(), wanted.c_str());
    return seen == wanted;
}
bool expect(bool holds, const std::string &what)
{
    return same(what, holds ? "so" : "not so", "so");
}

// Other processes answer in their own time: wait a while for what must come.
bool waitFor(const std::function<bool()> &condition, int milliseconds = 5000)
{
    for (int waited = 0; !condition(); waited += 10, Sleep(10))
        if (waited >= milliseconds)
            return false;
    return true;
}

// WM_GETTEXT: GetWindowText does not read a control of another process.
std::string textOf(HWND window)
{
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(SendMessageW(window, WM_GETTEXT, text.size(), LPARAM(text.data())));
    return utf8(text);
}

// The one window of a class and caption on screen, whichever process shows it.
HWND shown(const drawn::Window &window)
{
    HWND one = nullptr;
    const std::wstring name = wide(window.name), caption = wide(window.caption);
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, name.c_str(), caption.c_str()));)
        if (IsWindowVisible(w) && std::exchange(one, w))
            return nullptr; // a second one
    return one;
}

HWND focusOf(HWND window)
{
    GUITHREADINFO info {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

struct Program {
    PROCESS_INFORMATION process {};
    HWND window = nullptr;

    explicit Program(const std::wstring &exe)
    {
        STARTUPINFOW startup {};
        startup.cb = sizeof startup;
        // A Unix path, as CTest hands it to Wine, on Wine's drive for the root.
        if (CreateProcessW((exe.front() == L'/' ? L"Z:" + exe : exe).c_str(), nullptr, nullptr,
                nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            waitFor([this] { return (window = shown(drawn::abacus)); }, 30000);
    }
    ~Program()
    {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    HWND item(std::string_view name) const
    {
        for (const drawn::Control &c : drawn::controls)
            if (c.window == drawn::abacus.name && c.name == name)
                return GetDlgItem(window, 100 + c.tabIndex);
        return nullptr;
    }
    bool hasEnded(int milliseconds) const
    {
        return WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
};

LPARAM keyData(UINT vk, bool up)
{
    return 1 | LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16 | (up ? 0xC0000000 : 0);
}
// Posted, as the keyboard queues them, so that the program's dialog manager sees them.
void postKey(HWND control, UINT vk)
{
    PostMessageW(control, WM_KEYDOWN, vk, keyData(vk, false));
    PostMessageW(control, WM_KEYUP, vk, keyData(vk, true));
}
// Key presses that each deliver one character to a box, over all it holds unless told not to.
void typeText(HWND box, const std::string &characters, bool over = true)
{
    if (over)
        SendMessageW(box, EM_SETSEL, 0, -1);
    for (wchar_t c : wide(characters)) {
        SendMessageW(box, WM_KEYDOWN, 0, keyData(0, false));
        SendMessageW(box, WM_CHAR, c, keyData(0, false));
        SendMessageW(box, WM_KEYUP, 0, keyData(0, true));
    }
}
void typeNumber(const Program &program, const std::string &digits)
{
    for (int i = 0; i < 4; ++i)
        typeText(program.item(drawn::boxNames[i]), digits.substr(i, 1));
}
std::string number(const Program &program)
{
    std::string digits;
    for (const std::string &box : drawn::boxNames)
        digits += textOf(program.item(box));
    return digits;
}
// A box's text with "|" at the caret, or its selection in brackets.
std::string withCaret(HWND box)
{
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    std::wstring text = wide(textOf(box));
    return utf8(start == end ? text.insert(start, 1, L'|')
                             : text.insert(end, 1, L']').insert(start, 1, L'['));
}

// The keys go to the window the user brought to the front.
void bringToFront(HWND window)
{
    SetForegroundWindow(window);
    waitFor([&] { return GetForegroundWindow() == window; });
}

// A window's client area as it reached the screen, once it stopped changing.
drawn::Pixels capture(HWND window)
{
    UpdateWindow(window);
    RECT client; // on screen
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&client), 2);
    const int width = client.right - client.left, height = client.bottom - client.top;
    BITMAPINFO format {};
    format.bmiHeader = { sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    std::vector<DWORD> bits, before; // 0xRRGGBB, from the top down
    for (int i = 0; i < 20 && (i < 2 || bits != before); ++i) {
        Sleep(i ? 50 : 0);
        const win::ScreenDc screen;
        const win::MemoryDc copy(CreateCompatibleDC(screen));
        const win::Bitmap bitmap(CreateCompatibleBitmap(screen, width, height));
        {
            const win::Selected selected(copy.get(), bitmap.get());
            BitBlt(copy.get(), 0, 0, width, height, screen, client.left, client.top, SRCCOPY);
        }
        before = std::exchange(bits, std::vector<DWORD>(std::size_t(width) * std::size_t(height)));
        GetDIBits(copy.get(), bitmap.get(), 0, UINT(height), bits.data(), &format, DIB_RGB_COLORS);
    }
    return [bits, width, height](int x, int y) {
        const DWORD p = x >= 0 && y >= 0 && x < width && y < height ? bits[y * width + x] : 0;
        return drawn::Rgb { int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff) };
    };
}

drawn::Rgb systemColour(int index)
{
    const COLORREF c = GetSysColor(index);
    return { GetRValue(c), GetGValue(c), GetBValue(c) };
}
drawn::Box boxOf(const RECT &r)
{
    return { r.left, r.top, r.right - r.left, r.bottom - r.top };
}

// A window: its caption and client size; fixed, with a close box and neither a minimise nor a
// maximise button; no owner; a task-bar button (and a place in Alt+Tab) for the abacus window
// only; not kept above the others; centred. Seen as the caption and size and whatever is amiss.
void checkWindow(HWND window, const drawn::Window &drawn)
{
    RECT client, area, frame;
    GetClientRect(window, &client);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &frame);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    same(drawn.name,
        textOf(window) + " " + std::to_string(client.right) + "x" + std::to_string(client.bottom)
            + (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX) ? " sizable" : "")
            + ((~style & (WS_CAPTION | WS_SYSMENU)) ? " without a close box" : "")
            + (GetWindow(window, GW_OWNER) ? " owned" : "")
            + (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW ? " off the task bar" : "")
            + (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? " topmost" : "")
            + (moved || drawn::isCentred(boxOf(frame), boxOf(area)) ? "" : " off centre"),
        drawn.caption + " " + std::to_string(MulDiv(drawn.width, dpi, 1440)) + "x"
            + std::to_string(MulDiv(drawn.height, dpi, 1440))
            + (drawn.name == drawn::abacus.name ? "" : " off the task bar"));
    // Each control as a user sees it, and the styles that decide how it looks and what it does:
    // a box sunken, a label's text from the top, only the About window's OK button the default.
    same(drawn.name + " controls",
        drawn::windowMisses(drawn, capture(window), dpi / 1440.0, dpi / 72.0,
            systemColour(COLOR_WINDOWFRAME),
            [window](const drawn::Control &c) -> std::optional<drawn::Seen> {
                const HWND control = GetDlgItem(window, 100 + c.tabIndex);
                if (!control)
                    return std::nullopt;
                const LONG style = GetWindowLongW(control, GWL_STYLE),
                           button = c.name == "cmdOK" ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
                expect(c.kind == "box" ? GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE
                        : c.kind == "label" ? !(style & SS_CENTERIMAGE)
                                            : c.kind != "button" || (style & BS_TYPEMASK) == button,
                    c.name + " styled as a " + c.kind);
                RECT place;
                GetWindowRect(control, &place);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&place), 2);
                return drawn::Seen { boxOf(place), textOf(control), IsWindowEnabled(control) != 0,
                    systemColour(!c.enabled      ? COLOR_GRAYTEXT
                            : c.kind == "button" ? COLOR_BTNTEXT
                                                 : COLOR_WINDOWTEXT) };
            }),
        "");
}

// The abacus window and its controls; the keyboard's round over them, Tab from the first control
// with the focus; Enter and Space on the button that has it. Then the drawing: every colour of
// bead, with the rods over them and the base bar, with 0, 1 and 9 in the boxes. An edge is probed
// half a pixel off where the widths come to whole pixels, else a pixel off.
void abacusWindow(const Program &program)
{
    checkWindow(program.window, drawn::abacus);
    for (const std::string &name : drawn::tabRound) {
        expect(waitFor([&] { return focusOf(program.window) == program.item(name); }),
            "tab round at " + name);
        postKey(program.item(name), VK_TAB);
    }
    const HWND plus = program.item("Command1"); // focused by a click, which presses it too
    PostMessageW(plus, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(plus, WM_LBUTTONUP, 0, 0);
    for (const auto &[key, after] :
        { std::pair { 0, "0001" }, { VK_RETURN, "0002" }, { VK_SPACE, "0003" } }) {
        if (key)
            postKey(plus, key);
        waitFor([&] { return number(program) == after; });
        same("a key on the focused units \"+\"", number(program), after);
    }
    const double pixel = 1440.0 / dpi, edge = dpi == 96 ? pixel / 2 + 1 : pixel + 1;
    for (const char *digits : { "0000", "1111", "9999" }) {
        typeNumber(program, digits);
        same(digits,
            drawn::misses(
                capture(program.window), drawn::drawingProbes(digits[0] - '0', edge), dpi / 1440.0),
            "");
    }
}

// Moved to a screen of 144 dpi, as the system tells the window: the suggested frame lies in the
// program's own memory, where the system would put it.
void rescaled(const Program &program)
{
    RECT frame;
    GetWindowRect(program.window, &frame);
    frame.right += (frame.right - frame.left) / 2, frame.bottom += (frame.bottom - frame.top) / 2;
    void *suggested =
        VirtualAllocEx(program.process.hProcess, nullptr, sizeof frame, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(program.process.hProcess, suggested, &frame, sizeof frame, nullptr);
    SendMessageW(program.window, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(suggested));
    dpi = 144, moved = true;
    abacusWindow(program);
}

// Each row in each box, the clipboard set first; after each paste the clipboard is free again
// for every other program.
void typing(const Program &program)
{
    for (auto [name, before, home, characters, clipboard, after] : drawn::rows<6>("typing")) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        if (clipboard != "-") { // "-": no text at all
            // Two bytes a UTF-16 unit, of which there are no more than UTF-8 has bytes.
            const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clipboard.size() + 1) * 2);
            lstrcpyW(static_cast<wchar_t *>(GlobalLock(memory)), wide(clipboard).c_str());
            GlobalUnlock(memory);
            SetClipboardData(CF_UNICODETEXT, memory);
        }
        CloseClipboard();
        const int caret = int(before.find('|')); // -1: none, the whole selected
        std::erase(before, '|');
        for (const std::string &boxName : drawn::boxNames) {
            const HWND box = program.item(boxName);
            SendMessageW(box, WM_SETTEXT, 0, LPARAM(wide(before).c_str()));
            SendMessageW(box, EM_SETSEL, std::max(caret, 0), caret);
            if (home == "yes")
                SendMessageW(box, WM_KEYDOWN, VK_HOME, keyData(VK_HOME, false));
            typeText(box, characters, false);
            if (characters.empty())
                SendMessageW(box, WM_PASTE, 0, 0);
            same(name + " in " + boxName,
                withCaret(box) + (GetOpenClipboardWindow() ? ", the clipboard held" : ""), after);
        }
    }
}

// Each button steps its own place its own way, and leaves the caret at the end of what it wrote.
// Then FINE ends everything at once, the error dialog and the About window open.
void buttons(const Program &program)
{
    for (const auto &[before, button, after] : drawn::rows<3>("press")) {
        typeNumber(program, before);
        SendMessageW(program.item(button), BM_CLICK, 0, 0);
        same(before + " " + button, number(program), after);
        for (const std::string &box : drawn::boxNames)
            expect(withCaret(program.item(box)).back() == '|', std::string("caret in ") + box);
    }
    typeText(program.item("unità"), "12");
    SendMessageW(program.item("Command9"), BM_CLICK, 0, 0);
    PostMessageW(program.item("Command10"), BM_CLICK, 0, 0);
    expect(program.hasEnded(5000), "ended by FINE");
}

// Asked for twice, the second time while the abacus is in front: one window, in front each time,
// as it was drawn.
HWND askedTwice(
    const Program &program, const drawn::Window &window, const std::function<void()> &ask)
{
    for (int time = 0; time < 2; ++time) {
        bringToFront(program.window);
        ask();
        expect(waitFor([&] { return shown(window) && GetForegroundWindow() == shown(window); }),
            "one " + window.name + " in front");
    }
    if (const HWND one = shown(window))
        return checkWindow(one, window), one;
    return nullptr;
}

// The error dialog and the About window; then the close box ends the program only with its last
// window.
void dialogs(const Program &program)
{
    const HWND units = program.item("unità"), author = program.item("Command9");
    SendMessageW(units, WM_LBUTTONDOWN, MK_LBUTTON, 0); // the focus, to come back to
    SendMessageW(units, WM_LBUTTONUP, 0, 0);
    if (const HWND dialog = askedTwice(program, drawn::dialog, [&] { typeText(units, "12"); })) {
        bringToFront(dialog);
        postKey(focusOf(dialog), VK_ESCAPE);
        SendMessageW(units, EM_SETSEL, 0, -1);
        PostMessageW(units, WM_CHAR, L'1', keyData('1', false)); // done once the box shows it
        waitFor([&] { return textOf(units) == "1"; });
        expect(IsWindowVisible(dialog), "error dialog open after Escape");
        postKey(focusOf(dialog), VK_RETURN);
        expect(waitFor([&] { return !IsWindow(dialog); }), "error dialog closed by Enter");
        expect(waitFor([&] { return focusOf(program.window) == units; }), "focus back to unità");
    }
    if (const HWND about =
            askedTwice(program, drawn::about, [&] { SendMessageW(author, BM_CLICK, 0, 0); })) {
        // The etched line; the picture the right way up, inside the picture box's sunken edge.
        const drawn::Pixels at = capture(about);
        const int left = MulDiv(240, dpi, 1440) + 2;
        std::string picture;
        for (auto [x, y] : { std::pair { 3, 3 }, { 3, 28 }, { 7, 10 }, { 16, 16 }, { 24, 16 } })
            picture += drawn::text(at(left + x * dpi / 96, left + y * dpi / 96)) + " ";
        same("About window, and picIcon at 3,3 3,28 7,10 16,16 24,16",
            drawn::misses(
                at, drawn::aboutProbes(720.0 / dpi + 1, systemColour(COLOR_BTNFACE)), dpi / 1440.0)
                + picture,
            "192,192,192 0,0,0 255,255,0 0,255,255 255,0,0 ");
        bringToFront(about);
        postKey(focusOf(about), VK_ESCAPE);
        expect(waitFor([&] { return !IsWindow(about); }), "About window closed by Escape");
    }
    typeText(units, "12");
    PostMessageW(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    expect(waitFor([&] { return !IsWindow(program.window); }) && !program.hasEnded(500)
            && shown(drawn::dialog),
        "abacus window closed, the program running, the error dialog left open");
    // The error dialog's one button, its OK.
    PostMessageW(FindWindowExW(shown(drawn::dialog), nullptr, L"Button", nullptr), BM_CLICK, 0, 0);
    expect(program.hasEnded(5000), "ended with the last window");
}

// A start that fails says why: with the abacus window's class already taken in this process, the
// program's library shows an Italian message and ends with a non-zero code, not running on unseen.
void failedStart()
{
    const std::wstring className = wide(drawn::abacus.name);
    const WNDCLASSEXW taken { sizeof taken, 0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr),
        nullptr, nullptr, nullptr, nullptr, className.c_str(), nullptr };
    RegisterClassExW(&taken);
    std::string said;
    std::thread reader([&said] {
        HWND box = nullptr; // a message box, and its text
        waitFor([&] { return (box = shown({ "#32770", drawn::abacus.caption, 0, 0 })); });
        said = textOf(GetDlgItem(box, 0xffff));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const int code = tallino::win::run();
    reader.join();
    expect(code != 0 && said.starts_with("Tallino non può partire"),
        "failed start: code " + std::to_string(code) + ", \"" + said + "\"");
}

const std::map<std::wstring_view, void (*)(const Program &)> testCases = {
    { L"window", abacusWindow }, { L"rescaled", rescaled }, { L"typing", typing },
    { L"buttons", buttons }, { L"dialogs", dialogs }
};

} // namespace

int wmain(int argc, wchar_t **argv)
{
    dpi = argc > 3 ? _wtoi(argv[3]) : 96;
    const std::wstring_view chosen = argc > 2 ? argv[2] : L"";
    if (chosen == L"failedstart")
        failedStart();
    else if (!testCases.contains(chosen))
        return 2;
    else if (const Program program(argv[1]); expect(program.window, "the abacus window shown"))
        testCases.at(chosen)(program);
    std::printf("tst_win32: %d failures\n", failures);
    return failures ? 1 : 0;
}
