// Drives the real tallino.exe from a process of its own, as a user's keys and clicks reach it:
// WM_CHAR and key messages to the boxes, BM_CLICK, keys through the dialog manager, windows found
// by class and caption, controls by their IDs (100 and their tab index). Reads back texts,
// styles, focus, the foreground window, the clipboard and the screen's pixels, against the
// windows as they were drawn (drawn.h). Usage:
//   tst_win32 <tallino.exe> <case> [dpi]
#include "sight.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <windows.h>

namespace {

int failures = 0;
int dpi = 96;

int px(int twips)
{
    return MulDiv(twips, dpi, 1440);
}

std::wstring wide(std::string_view text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(
        CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size())));
    return wide;
}
std::string utf8(std::wstring_view text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(),
        int(bytes.size()), nullptr, nullptr));
    return bytes;
}

// Each check prints what it compared, so that a failure under Wine says what it saw.
template<typename T> void same(const std::string &what, const T &seen, const T &wanted)
{
    const auto said = [](const T &value) {
        if constexpr (std::is_same_v<T, std::string>)
            return value;
        else
            return std::to_string(value);
    };
    if (!(seen == wanted)) {
        std::printf("FAIL %s: saw \"%s\", wanted \"%s\"\n", what.c_str(), said(seen).c_str(),
            said(wanted).c_str());
        ++failures;
    }
}
void same(const std::string &what, const std::string &seen, const char *wanted)
{
    same(what, seen, std::string(wanted));
}

// Other processes answer in their own time: wait a while for what must come.
bool waitFor(const std::function<bool()> &condition, int milliseconds = 5000)
{
    for (int waited = 0; !condition(); waited += 10) {
        if (waited >= milliseconds)
            return false;
        Sleep(10);
    }
    return true;
}

std::wstring wideText(HWND window)
{
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(SendMessageW(window, WM_GETTEXT, text.size(), LPARAM(text.data())));
    return text;
}
std::string textOf(HWND window)
{
    return utf8(wideText(window));
}

// The windows of a class and caption on screen, whichever process shows them.
std::vector<HWND> shown(const drawn::Window &window)
{
    std::vector<HWND> found;
    const std::wstring className = wide(window.name), caption = wide(window.caption);
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className.c_str(), caption.c_str()));) {
        if (IsWindowVisible(w))
            found.push_back(w);
    }
    return found;
}

const std::vector<drawn::Control> controls = drawn::controls();
HWND item(HWND window, const drawn::Window &drawn, std::string_view name)
{
    for (const drawn::Control &c : controls) {
        if (c.window == &drawn && c.name == name)
            return GetDlgItem(window, 100 + c.tabIndex);
    }
    return nullptr;
}
std::string nameOf(HWND control)
{
    for (const drawn::Control &c : controls) {
        if (c.window == &drawn::abacus && GetDlgCtrlID(control) == 100 + c.tabIndex)
            return c.name;
    }
    return "?";
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

    explicit Program(std::wstring exe)
    {
        if (exe.front() == L'/') // a Unix path, as CTest hands it to Wine
            exe = L"Z:" + exe;
        STARTUPINFOW startup {};
        startup.cb = sizeof startup;
        if (CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                &startup, &process))
            waitFor([this] { return !shown(drawn::abacus).empty(); }, 30000);
        window = shown(drawn::abacus).empty() ? nullptr : shown(drawn::abacus)[0];
    }
    ~Program()
    {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    HWND item(std::string_view name) const { return ::item(window, drawn::abacus, name); }
    HWND focus() const { return focusOf(window); }
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
// One key press that delivers one character to a box.
void typeCharacter(HWND box, wchar_t code)
{
    SendMessageW(box, WM_KEYDOWN, 0, keyData(0, false));
    SendMessageW(box, WM_CHAR, code, keyData(0, false));
    SendMessageW(box, WM_KEYUP, 0, keyData(0, true));
}
void typeText(HWND box, std::wstring_view characters)
{
    SendMessageW(box, EM_SETSEL, 0, -1);
    for (wchar_t c : characters)
        typeCharacter(box, c);
}
void typeNumber(const Program &program, const wchar_t *digits)
{
    for (int i = 0; i < 4; ++i)
        typeText(program.item(drawn::boxNames[i]), { digits + i, 1 });
}
std::string number(const Program &program)
{
    std::string digits;
    for (const char *box : drawn::boxNames)
        digits += textOf(program.item(box)) + "|";
    return digits;
}
// A box's text with "|" at the caret, or its selection in brackets.
std::string withCaret(HWND box)
{
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    std::wstring text = wideText(box);
    if (start == end)
        return utf8(text.insert(start, 1, L'|'));
    return utf8(text.insert(end, 1, L']').insert(start, 1, L'['));
}

// The keys go to the window the user brought to the front.
void bringToFront(HWND window)
{
    SetForegroundWindow(window);
    waitFor([&] { return GetForegroundWindow() == window; });
}

// Pixels drawn into a bitmap of their own.
struct Image {
    int width = 0, height = 0;
    std::vector<DWORD> bits; // 0xRRGGBB, from the top down
    drawn::Rgb at(int x, int y) const
    {
        const DWORD p = x >= 0 && y >= 0 && x < width && y < height ? bits[y * width + x] : 0;
        return { int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff) };
    }
    drawn::Pixels pixels() const
    {
        return [this](int x, int y) {
            return at(x, y);
        };
    }
};
Image draw(int width, int height, const std::function<void(HDC)> &painting)
{
    BITMAPINFO format {};
    format.bmiHeader = { sizeof format.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void *bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    painting(dc);
    GdiFlush();
    Image image { width, height, std::vector<DWORD>(std::size_t(width) * height) };
    std::memcpy(image.bits.data(), bits, image.bits.size() * sizeof(DWORD));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return image;
}
// The client area as it reached the screen, once it stopped changing.
Image capture(HWND window)
{
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    POINT origin {};
    ClientToScreen(window, &origin);
    const auto grab = [&] {
        return draw(client.right, client.bottom, [&](HDC dc) {
            const HDC screen = GetDC(nullptr);
            BitBlt(dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
            ReleaseDC(nullptr, screen);
        });
    };
    Image image = grab();
    for (int i = 0; i < 20; ++i) {
        Sleep(50);
        Image again = grab();
        if (again.bits == image.bits)
            break;
        image = std::move(again);
    }
    return image;
}

// The mean stroke width of a text as the system draws it in the control's font, plain or bold.
double strokes(const drawn::Control &drawn, bool bold)
{
    const std::wstring text = wide(drawn.text);
    const int size = int(drawn.font.points * dpi / 72);
    const Image image = draw(40 + int(text.size()) * size, 3 * size, [&](HDC dc) {
        const HFONT font = CreateFontW(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
            DEFAULT_CHARSET, 0, 0, 0, 0, wide(drawn.font.family).c_str());
        const HGDIOBJ old = SelectObject(dc, font);
        PatBlt(dc, 0, 0, 40 + int(text.size()) * size, 3 * size, WHITENESS);
        TextOutW(dc, 20, size / 2, text.data(), int(text.size()));
        DeleteObject(SelectObject(dc, old));
    });
    return drawn::strokeWidth(image.pixels(), 0, 0, image.width, image.height);
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
std::string boxText(const drawn::Box &b)
{
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.width)
        + "x" + std::to_string(b.height);
}

// Its caption, client size and place; fixed, with a close box and neither a minimise nor a
// maximise button; no owner; a task-bar button (and a place in Alt+Tab) for the abacus only.
void checkFrame(HWND window, const drawn::Window &drawn, bool centred)
{
    const std::string what = drawn.name;
    RECT client, area, frame;
    GetClientRect(window, &client);
    same(what + " caption", textOf(window), drawn.caption);
    same(what + " client area", boxText(boxOf(client)),
        boxText({ 0, 0, px(drawn.width), px(drawn.height) }));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    same(what + ": sizing, minimise or maximise",
        style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0L);
    same(what + ": caption with a close box", style & (WS_CAPTION | WS_SYSMENU),
        LONG(WS_CAPTION | WS_SYSMENU));
    same(what + ": owner", GetWindow(window, GW_OWNER) != nullptr, false);
    same(what + ": task-bar button", !(exStyle & WS_EX_TOOLWINDOW), &drawn == &drawn::abacus);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &frame);
    if (centred)
        same(what + " centred in " + boxText(boxOf(area)), boxText(boxOf(frame)),
            drawn::isCentred(boxOf(frame), boxOf(area)) ? boxText(boxOf(frame)) : "");
}

// Each control of a window in its place, of its kind and state, with its text and look.
void checkControls(HWND window, const drawn::Window &drawnWindow)
{
    const Image image = capture(window);
    for (const drawn::Control &drawn : controls) {
        if (drawn.window != &drawnWindow)
            continue;
        const std::string what = drawn.name;
        const HWND control = GetDlgItem(window, 100 + drawn.tabIndex);
        same(what + " there", control != nullptr, true);
        if (!control)
            continue;
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&place), 2);
        same(what, boxText(boxOf(place)),
            boxText({ px(drawn.box.left), px(drawn.box.top), px(drawn.box.width),
                px(drawn.box.height) }));
        if (drawn.kind != drawn::Kind::Picture)
            same(what, textOf(control), drawn.text);
        wchar_t kind[32] {};
        GetClassNameW(control, kind, 32);
        const wchar_t *kinds[] = { L"Button", L"Edit", L"Static", L"Static" };
        same(what + " kind", _wcsicmp(kind, kinds[int(drawn.kind)]), 0);
        same(what + " enabled", IsWindowEnabled(control) != 0, drawn.enabled);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const bool sunken = GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
        if (drawn.kind == drawn::Kind::TextBox)
            same(what + " sunken", sunken, true);
        if (drawn.kind == drawn::Kind::Label)
            same(what + " from the top", style & SS_CENTERIMAGE, 0L);
        if (drawn.kind == drawn::Kind::Button)
            same(what + " default button", style & BS_TYPEMASK,
                LONG(what == "cmdOK" ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
        const int ink = !drawn.enabled          ? COLOR_GRAYTEXT
            : drawn.kind == drawn::Kind::Button ? COLOR_BTNTEXT
                                                : COLOR_WINDOWTEXT;
        if (!drawn.text.empty())
            same(what + " look",
                drawn::lookMisses(image.pixels(), drawn, boxOf(place), systemColour(ink),
                    systemColour(COLOR_WINDOWFRAME), drawn.font.family ? strokes(drawn, false) : 0,
                    drawn.font.family ? strokes(drawn, true) : 0),
                "");
    }
}

// The abacus window and its controls; the keyboard's round over them, Tab from the first control
// with the focus; then Enter and Space on the button that has it.
void abacusWindow(const Program &program, bool centred)
{
    checkFrame(program.window, drawn::abacus, centred);
    checkControls(program.window, drawn::abacus);
    // The digits' font of 24 points: a line of it is at least that tall, at every dpi.
    RECT line {};
    SendMessageW(program.item("unità"), EM_GETRECT, 0, LPARAM(&line));
    same("digit font of 24 pt", line.bottom - line.top >= MulDiv(24, dpi, 72), true);
    std::string order = nameOf(program.focus()), wanted = drawn::tabRound[0];
    for (std::size_t i = 1; i < std::size(drawn::tabRound); ++i) {
        const HWND before = program.focus();
        postKey(before, VK_TAB);
        waitFor([&] { return program.focus() != before; });
        order.append(" ").append(nameOf(program.focus()));
        wanted.append(" ").append(drawn::tabRound[i]);
    }
    same("tab order", order, wanted);
    for (const auto &[key, after] :
        { std::pair { VK_RETURN, "0|9|9|9|" }, { VK_SPACE, "0|9|9|8|" } }) {
        postKey(program.focus(), key);
        waitFor([&] { return number(program) == after; });
        same("a key on the focused units \"-\"", number(program), after);
    }
}

void windowItself(const Program &program)
{
    abacusWindow(program, true);
}

// Every colour of bead, with the rods over them and the base bar, with 0, 1 and 9 in the boxes.
// An edge is probed half a pixel off where the widths come to whole pixels, else a pixel off.
void drawing(const Program &program)
{
    const double pixel = 1440.0 / dpi, edge = dpi == 96 ? pixel / 2 + 1 : pixel + 1;
    for (const wchar_t *digits : { L"0000", L"1111", L"9999" }) {
        typeNumber(program, digits);
        same(utf8(digits),
            drawn::misses(capture(program.window).pixels(),
                drawn::drawingProbes(digits[0] - L'0', edge), dpi / 1440.0),
            "");
    }
}

// Moved to a screen of 144 dpi, as the system tells the window: the suggested frame lies in the
// program's own memory, where the system would put it.
void rescaled(const Program &program)
{
    RECT frame;
    GetWindowRect(program.window, &frame);
    frame.right = frame.left + (frame.right - frame.left) * 3 / 2;
    frame.bottom = frame.top + (frame.bottom - frame.top) * 3 / 2;
    void *suggested =
        VirtualAllocEx(program.process.hProcess, nullptr, sizeof frame, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(program.process.hProcess, suggested, &frame, sizeof frame, nullptr);
    SendMessageW(program.window, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(suggested));
    dpi = 144;
    abacusWindow(program, false);
    drawing(program);
}

void setClipboard(const wchar_t *text)
{
    OpenClipboard(nullptr);
    EmptyClipboard();
    if (text) {
        const std::size_t size = (std::wcslen(text) + 1) * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

void typing(const Program &program)
{
    struct Row {
        const char *name;
        std::wstring_view before; // typed, then "|" the caret; without one, all selected
        UINT key; // pressed first
        const wchar_t *typed; // nullptr: the clipboard pasted
        const wchar_t *clipboard; // nullptr: no text on it
        const char *after; // "|" the caret, a selection in brackets
    };
    const Row rows[] = {
        { "digit", L"|1", 0, L"0", nullptr, "0|1" },
        { "third character", L"10|", 0, L"5", nullptr, "10|" },
        { "third character in front", L"|10", 0, L"5", nullptr, "|10" },
        { "above 10, reset, then a digit after the 0", L"1|", 0, L"25", nullptr, "05|" },
        { "Backspace", L"10|", 0, L"\b", nullptr, "10|" },
        { "Enter", L"1|", 0, L"\r", nullptr, "1|" },
        { "Ctrl+V", L"1", 0, L"\x16", L"7", "[1]" },
        { "slash, below 0", L"|1", 0, L"/", nullptr, "|1" },
        { "colon, above 9", L"1|", 0, L":", nullptr, "1|" },
        { "letter", L"1|", 0, L"a", nullptr, "1|" },
        { "Arabic-Indic three", L"1|", 0, L"\x0663", nullptr, "1|" },
        { "Home, then a digit", L"1|", VK_HOME, L"0", nullptr, "0|1" },
        { "paste", L"|", 0, nullptr, L"7", "7|" },
        { "paste over the selection", L"10", 0, nullptr, L"5", "5|" },
        { "paste too long, refused", L"1|", 0, nullptr, L"12", "1|" },
        { "paste above 10, reset", L"|", 0, nullptr, L"12", "0|" },
        { "paste without text", L"1|", 0, nullptr, nullptr, "1|" },
    };
    for (const Row &row : rows) {
        setClipboard(row.clipboard);
        const std::size_t caret = row.before.find(L'|');
        std::wstring before(row.before);
        if (caret != before.npos)
            before.erase(caret, 1);
        for (const char *name : drawn::boxNames) {
            const HWND box = program.item(name);
            typeText(box, L"");
            SendMessageW(box, WM_CLEAR, 0, 0);
            typeText(box, before);
            caret == before.npos ? SendMessageW(box, EM_SETSEL, 0, -1)
                                 : SendMessageW(box, EM_SETSEL, caret, caret);
            if (row.key)
                SendMessageW(box, WM_KEYDOWN, row.key, keyData(row.key, false));
            for (const wchar_t *c = row.typed; c && *c; ++c)
                typeCharacter(box, *c);
            if (!row.typed)
                SendMessageW(box, WM_PASTE, 0, 0);
            same(std::string(row.name) + ": clipboard let go", GetOpenClipboardWindow() == nullptr,
                true);
            same(std::string(row.name) + " in " + name, withCaret(box), row.after);
        }
    }
}

// Each button steps its own place its own way, and leaves the caret at the end of what it wrote.
void steps(const Program &program)
{
    typeNumber(program, L"0999");
    const std::pair<const char *, const char *> presses[] = { { "Command1", "1|0|0|0|" },
        { "Command3", "0|9|9|0|" }, { "Command2", "0|9|8|9|" }, { "Command4", "0|9|9|9|" },
        { "Command6", "1|0|9|9|" }, { "Command5", "0|9|9|9|" }, { "Command8", "1|9|9|9|" },
        { "Command7", "0|9|9|9|" } };
    for (const auto &[button, after] : presses) {
        SendMessageW(program.item(button), BM_CLICK, 0, 0);
        same(std::string("after ") + button, number(program), after);
        for (const char *box : drawn::boxNames)
            same(std::string("caret after ") + button, withCaret(program.item(box)).back(), '|');
    }
}

// Asked for twice, the second time while the abacus is in front: one window, in front each time,
// as it was drawn.
HWND askedTwice(
    const Program &program, const drawn::Window &window, const std::function<void()> &ask)
{
    for (int time = 0; time < 2; ++time) {
        bringToFront(program.window);
        ask();
        waitFor(
            [&] { return shown(window).size() == 1 && GetForegroundWindow() == shown(window)[0]; });
        same(std::string(window.name) + " windows", shown(window).size(), std::size_t(1));
        same(std::string(window.name) + " in front", GetForegroundWindow() == shown(window)[0],
            true);
    }
    if (shown(window).size() != 1)
        return nullptr;
    checkFrame(shown(window)[0], window, true);
    checkControls(shown(window)[0], window);
    return shown(window)[0];
}

void dialogs(const Program &program)
{
    const HWND units = program.item("unità");
    SendMessageW(units, WM_LBUTTONDOWN, MK_LBUTTON, 0); // the focus, to come back to
    SendMessageW(units, WM_LBUTTONUP, 0, 0);
    if (const HWND dialog = askedTwice(program, drawn::dialog, [&] { typeText(units, L"12"); })) {
        same("box after a rejected value", textOf(units), "0");
        bringToFront(dialog);
        postKey(focusOf(dialog), VK_ESCAPE);
        SendMessageW(units, EM_SETSEL, 0, -1);
        PostMessageW(units, WM_CHAR, L'1', keyData('1', false)); // done once the box shows it
        waitFor([&] { return textOf(units) == "1"; });
        same("error dialog after Escape", IsWindowVisible(dialog) != 0, true);
        postKey(focusOf(dialog), VK_RETURN);
        same("closed by Enter", waitFor([&] { return !IsWindow(dialog); }), true);
        waitFor([&] { return program.focus() == units; });
        same("focus back", nameOf(program.focus()), "unità");
    }
    const HWND author = program.item("Command9");
    if (const HWND about =
            askedTwice(program, drawn::about, [&] { SendMessageW(author, BM_CLICK, 0, 0); })) {
        // The etched line; the picture the right way up, inside the picture box's sunken edge.
        const Image image = capture(about);
        same("About window",
            drawn::misses(image.pixels(),
                drawn::aboutProbes(720.0 / dpi + 1, systemColour(COLOR_BTNFACE)), dpi / 1440.0),
            "");
        const std::pair<POINT, drawn::Rgb> picture[] = { { { 3, 3 }, { 192, 192, 192 } },
            { { 3, 28 }, { 0, 0, 0 } }, { { 7, 10 }, { 255, 255, 0 } },
            { { 16, 16 }, { 0, 255, 255 } }, { { 24, 16 }, { 255, 0, 0 } } };
        for (const auto &[at, colour] : picture)
            same("picIcon at " + std::to_string(at.x) + "," + std::to_string(at.y),
                drawn::text(image.at(px(240) + 2 + at.x, px(240) + 2 + at.y)), drawn::text(colour));
        bringToFront(about);
        postKey(focusOf(about), VK_ESCAPE);
        same("closed by Escape", waitFor([&] { return !IsWindow(about); }), true);
    }
}

// FINE ends everything at once; the close box ends the program only with its last window.
void endByFine(const Program &program)
{
    typeText(program.item("unità"), L"12");
    SendMessageW(program.item("Command9"), BM_CLICK, 0, 0);
    PostMessageW(program.item("Command10"), BM_CLICK, 0, 0);
    same("ended by FINE", program.hasEnded(5000), true);
}

void endByLastWindow(const Program &program)
{
    typeText(program.item("unità"), L"12");
    PostMessageW(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    waitFor([&] { return !IsWindow(program.window); });
    same("running with the dialog open", program.hasEnded(500), false);
    const std::vector<HWND> errors = shown(drawn::dialog);
    same("error dialog left open", errors.size(), std::size_t(1));
    if (!errors.empty())
        PostMessageW(item(errors[0], drawn::dialog, "OKButton"), BM_CLICK, 0, 0);
    same("ended with the last window", program.hasEnded(5000), true);
}

const std::pair<std::wstring_view, void (*)(const Program &)> testCases[] = { { L"window",
                                                                                  windowItself },
    { L"drawing", drawing }, { L"rescaled", rescaled }, { L"typing", typing }, { L"steps", steps },
    { L"dialogs", dialogs }, { L"fine", endByFine }, { L"lastwindow", endByLastWindow } };

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3)
        return 2;
    if (argc > 3)
        dpi = _wtoi(argv[3]);
    const Program program(argv[1]);
    if (!program.window) {
        std::printf("FAIL no window \"TALLINO\" from %s\n", utf8(argv[1]).c_str());
        return 1;
    }
    for (const auto &[name, run] : testCases) {
        if (name == argv[2]) {
            run(program);
            std::printf("tst_win32: %d failures\n", failures);
            return failures ? 1 : 0;
        }
    }
    return 2;
}
