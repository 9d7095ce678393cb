// Drives the real tallino.exe from a process of its own, as a user's keys and clicks reach it:
// WM_CHAR and key messages to the focused box, BM_CLICK, Tab through the dialog manager, windows
// found by class and caption; reads back texts, focus and the screen's pixels. Usage:
//   tst_win32 <tallino.exe> <case> [dpi]
#include "controlids.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace ids = tallino::win::ids;
namespace abacus = ids::abacus;

namespace {

int failures = 0;
int dpi = 96;

int px(int twips)
{
    return MulDiv(twips, dpi, 1440);
}

// The C runtime would print wide texts in the console's code page, and stop at an "à".
std::string utf8(const std::wstring &text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(),
        int(bytes.size()), nullptr, nullptr));
    return bytes;
}

void check(bool ok, const std::wstring &what, const std::wstring &seen, const std::wstring &wanted)
{
    if (!ok) {
        std::printf("FAIL %s: saw \"%s\", wanted \"%s\"\n", utf8(what).c_str(), utf8(seen).c_str(),
            utf8(wanted).c_str());
        ++failures;
    }
}
void checkText(const std::wstring &what, const std::wstring &seen, const std::wstring &wanted)
{
    check(seen == wanted, what, seen, wanted);
}
void checkNumber(const std::wstring &what, long seen, long wanted)
{
    check(seen == wanted, what, std::to_wstring(seen), std::to_wstring(wanted));
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

std::wstring textOf(HWND window)
{
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(SendMessageW(window, WM_GETTEXT, text.size(), LPARAM(text.data())));
    return text;
}

// The windows of a class and caption on screen, whichever process shows them.
std::vector<HWND> shown(const wchar_t *className, const wchar_t *caption)
{
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, caption));) {
        if (IsWindowVisible(w))
            found.push_back(w);
    }
    return found;
}

HWND focusOf(DWORD thread)
{
    GUITHREADINFO info {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
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
            waitFor([this] { return (window = FindWindowW(ids::abacusClass, L"TALLINO")); }, 30000);
    }
    ~Program()
    {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    HWND item(int id) const { return GetDlgItem(window, id); }
    HWND focus() const { return focusOf(process.dwThreadId); }
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
void typeCharacter(HWND box, wchar_t code, UINT vk = 0)
{
    SendMessageW(box, WM_KEYDOWN, vk, keyData(vk, false));
    SendMessageW(box, WM_CHAR, code, keyData(vk, false));
    SendMessageW(box, WM_KEYUP, vk, keyData(vk, true));
}

void typeText(HWND box, const wchar_t *digits)
{
    SendMessageW(box, EM_SETSEL, 0, -1);
    for (const wchar_t *c = digits; *c; ++c)
        typeCharacter(box, *c, *c);
}

// The focus moved on by a posted Tab, once it has moved.
void pressTab(const Program &program)
{
    const HWND before = program.focus();
    postKey(before, VK_TAB);
    waitFor([&] { return program.focus() != before; });
}

COLORREF pixel(HWND window, int x, int y)
{
    POINT at { x, y };
    ClientToScreen(window, &at);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::wstring rgb(COLORREF c)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%d,%d,%d", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

void checkPixel(const std::wstring &what, HWND window, int x, int y, COLORREF wanted)
{
    UpdateWindow(window);
    waitFor([&] { return pixel(window, x, y) == wanted; }, 2000);
    check(pixel(window, x, y) == wanted, what, rgb(pixel(window, x, y)), rgb(wanted));
}

std::wstring rectText(const RECT &r)
{
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" "
        + std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
}

RECT clientPlace(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

void checkPlace(const std::wstring &what, HWND control, int left, int top, int width, int height)
{
    const RECT wanted { px(left), px(top), px(left) + px(width), px(top) + px(height) };
    checkText(what, rectText(clientPlace(control)), rectText(wanted));
}

// Centred on the work area, give or take a pixel; when larger, its top-left corner at the area's.
void checkCentred(const std::wstring &what, HWND window)
{
    RECT area, frame;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &frame);
    const auto placed = [](long start, long end, long areaStart, long areaEnd) {
        const long size = end - start, room = areaEnd - areaStart;
        return size > room ? start == areaStart
                           : std::abs(2 * (start - areaStart) + size - room) <= 2;
    };
    check(placed(frame.left, frame.right, area.left, area.right)
            && placed(frame.top, frame.bottom, area.top, area.bottom),
        what, rectText(frame), L"centred in " + rectText(area));
}

const wchar_t *const abacusNames[] = { L"Command1", L"Command2", L"Command3", L"Command4",
    L"Command5", L"Command6", L"Command7", L"Command8", L"Command9", L"Command10", L"Text1",
    L"Text2", L"Text3", L"Text4", L"migliaia", L"centinaia", L"decine", L"unità", L"Label1",
    L"Label2" };
const int boxes[] = { abacus::migliaia, abacus::centinaia, abacus::decine, abacus::unità };

std::wstring nameOf(HWND control)
{
    const int id = GetDlgCtrlID(control);
    const bool known = id >= abacus::Command1 && id <= abacus::Label2;
    return known ? abacusNames[id - abacus::Command1] : L"?";
}

std::wstring number(const Program &program)
{
    std::wstring digits;
    for (int box : boxes)
        digits += textOf(program.item(box)) + L"|";
    return digits;
}

void typeNumber(const Program &program, const wchar_t *digits)
{
    for (int i = 0; i < 4; ++i)
        typeText(program.item(boxes[i]), std::wstring(1, digits[i]).c_str());
}

void windowItself(const Program &program)
{
    RECT client;
    GetClientRect(program.window, &client);
    checkText(L"client area", rectText(client), rectText({ 0, 0, px(7770), px(8220) }));
    const LONG style = GetWindowLongW(program.window, GWL_STYLE);
    checkNumber(L"no sizing, minimise or maximise",
        style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    checkNumber(L"system menu with its close box", (style & WS_SYSMENU) != 0, 1);
    checkCentred(L"abacus window", program.window);
    struct Row {
        int id;
        int left, top, width, height;
        const wchar_t *text;
        const wchar_t *kind;
    };
    const Row rows[] = {
        { abacus::Command8, 473, 120, 495, 495, L"+", L"Button" },
        { abacus::Command6, 1553, 120, 495, 495, L"+", L"Button" },
        { abacus::Command4, 2633, 120, 495, 495, L"+", L"Button" },
        { abacus::Command1, 3713, 120, 495, 495, L"+", L"Button" },
        { abacus::Command7, 480, 600, 495, 495, L"-", L"Button" },
        { abacus::Command5, 1560, 600, 495, 495, L"-", L"Button" },
        { abacus::Command3, 2640, 600, 495, 495, L"-", L"Button" },
        { abacus::Command2, 3720, 600, 495, 495, L"-", L"Button" },
        { abacus::Text1, 480, 6120, 495, 495, L"m", L"Edit" },
        { abacus::Text2, 1560, 6120, 495, 495, L"c", L"Edit" },
        { abacus::Text3, 2640, 6120, 495, 495, L"da", L"Edit" },
        { abacus::Text4, 3720, 6120, 495, 495, L"u", L"Edit" },
        { abacus::migliaia, 750, 6960, 795, 675, L"0", L"Edit" },
        { abacus::centinaia, 1560, 6960, 795, 675, L"0", L"Edit" },
        { abacus::decine, 2340, 6960, 795, 675, L"0", L"Edit" },
        { abacus::unità, 3135, 6960, 795, 675, L"0", L"Edit" },
        { abacus::Label1, 4500, 120, 3255, 1455, L"TALLINO", L"Static" },
        { abacus::Label2, 4560, 1680, 3135, 3255, nullptr, L"Static" },
        { abacus::Command9, 4560, 6960, 3135, 735, L"QUIRDO'S", L"Button" },
        { abacus::Command10, 120, 7800, 7575, 375, L"FINE", L"Button" },
    };
    for (const Row &row : rows) {
        const HWND control = program.item(row.id);
        const std::wstring what = nameOf(control);
        checkPlace(what, control, row.left, row.top, row.width, row.height);
        if (row.text)
            checkText(what, textOf(control), row.text);
        wchar_t kind[32] {};
        GetClassNameW(control, kind, 32);
        check(_wcsicmp(kind, row.kind) == 0, what, kind, row.kind);
        if (_wcsicmp(kind, L"Edit") == 0)
            checkNumber(
                what + L" centred", GetWindowLongW(control, GWL_STYLE) & ES_CENTER, ES_CENTER);
        const bool rodLetter = row.id >= abacus::Text1 && row.id <= abacus::Text4;
        checkNumber(what, IsWindowEnabled(control) != 0, !rodLetter);
    }
    // The digits' font of 24 points: a line of it is at least that tall, at every dpi.
    RECT line {};
    SendMessageW(program.item(abacus::unità), EM_GETRECT, 0, LPARAM(&line));
    check(line.bottom - line.top >= MulDiv(24, dpi, 72), L"digit font", rectText(line), L"24 pt");
    // The disabled rod letters are passed over.
    std::wstring order = nameOf(program.focus());
    for (int i = 0; i < 14; ++i) {
        pressTab(program);
        order += L" " + nameOf(program.focus());
    }
    checkText(L"tab order", order,
        L"Command2 Command3 Command5 Command7 unità decine centinaia migliaia Command8 Command6 "
        L"Command4 Command1 Command9 Command10 Command2");
}

// One bead of each colour, the one above it hidden, and the rod over it.
void drawing(const Program &program)
{
    typeNumber(program, L"1111");
    const COLORREF background = RGB(163, 224, 215);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    struct Rod {
        const wchar_t *name;
        int beadLeft, rodX;
        COLORREF fill;
    };
    const Rod rods[] = { { L"thousands", 120, 720, RGB(128, 128, 128) },
        { L"hundreds", 1200, 1800, RGB(0, 0, 255) }, { L"tens", 2280, 2880, RGB(255, 0, 0) },
        { L"units", 3375, 3960, RGB(255, 255, 255) } };
    const int middle = 5280 + 495 / 2; // of the bead of rank 1
    for (const Rod &rod : rods) {
        const int centre = rod.beadLeft + 1215 / 2;
        checkPixel(rod.name, program.window, px(centre + 150), px(middle), rod.fill);
        checkPixel(rod.name, program.window, px(centre + 150), px(middle - 480), background);
        checkPixel(rod.name, program.window, px(centre + 300), px(middle), background);
        checkPixel(rod.name, program.window, px(rod.rodX), px(middle), ink);
    }
    // The labels' backgrounds, in a corner their texts leave free.
    checkPixel(L"Label1", program.window, px(4560), px(1515), RGB(128, 255, 255));
    checkPixel(L"Label2", program.window, px(7635), px(4875), RGB(94, 183, 152));
}

void typing(const Program &program)
{
    OpenClipboard(nullptr);
    EmptyClipboard();
    const wchar_t clip[] = L"12";
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof clip);
    std::memcpy(GlobalLock(memory), clip, sizeof clip);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    struct Row {
        const wchar_t *name;
        const wchar_t *before;
        int caret;
        UINT caretKey; // pressed before the character
        wchar_t code; // 0: the clipboard's "12" pasted
        const wchar_t *after;
    };
    const Row rows[] = {
        { L"digit", L"1", 0, 0, L'0', L"01" }, { L"nine", L"0", 1, 0, L'9', L"09" },
        { L"third character", L"10", 2, 0, L'5', L"10" },
        { L"third character in front", L"10", 0, 0, L'5', L"10" },
        { L"above 10, reset at once", L"1", 1, 0, L'2', L"0" },
        { L"Backspace", L"10", 2, 0, 8, L"10" }, { L"Enter", L"1", 1, 0, 13, L"1" },
        { L"Escape", L"1", 1, 0, 27, L"1" }, { L"Ctrl+V", L"", 0, 0, 22, L"" },
        { L"slash, below 0", L"1", 0, 0, L'/', L"1" },
        { L"colon, above 9", L"1", 1, 0, L':', L"1" }, { L"AltGr @", L"1", 1, 0, L'@', L"1" },
        { L"letter", L"1", 1, 0, L'a', L"1" }, { L"Arabic-Indic three", L"1", 1, 0, 0x0663, L"1" },
        { L"full-width three", L"1", 1, 0, 0xFF13, L"1" },
        { L"Home, then a digit", L"1", 1, VK_HOME, L'0', L"01" },
        { L"Left, then a digit", L"1", 1, VK_LEFT, L'0', L"01" },
        { L"paste too long, refused", L"1", 1, 0, 0, L"1" },
        { L"paste", L"", 0, 0, 0, L"0" }, // "12": the dialog, then "0"
    };
    for (const Row &row : rows) {
        for (int box : boxes) {
            const HWND control = program.item(box);
            SendMessageW(control, EM_SETSEL, 0, -1);
            SendMessageW(control, WM_CLEAR, 0, 0);
            typeText(control, row.before);
            SendMessageW(control, EM_SETSEL, row.caret, row.caret);
            if (row.caretKey)
                SendMessageW(control, WM_KEYDOWN, row.caretKey, keyData(row.caretKey, false));
            row.code ? typeCharacter(control, row.code)
                     : void(SendMessageW(control, WM_PASTE, 0, 0));
            checkText(row.name, textOf(control), row.after);
        }
    }
}

void steps(const Program &program)
{
    typeNumber(program, L"0999");
    const std::pair<int, const wchar_t *> presses[] = { { abacus::Command1, L"1|0|0|0|" },
        { abacus::Command3, L"0|9|9|0|" }, { abacus::Command2, L"0|9|8|9|" },
        { abacus::Command4, L"0|9|9|9|" }, { abacus::Command6, L"1|0|9|9|" },
        { abacus::Command5, L"0|9|9|9|" }, { abacus::Command8, L"1|9|9|9|" },
        { abacus::Command7, L"0|9|9|9|" } };
    for (const auto &[button, after] : presses) {
        SendMessageW(program.item(button), BM_CLICK, 0, 0);
        checkText(L"after a press", number(program), after);
    }
}

// A character posted after other keys, once the box shows it: they are done too.
void settle(const Program &program)
{
    const HWND units = program.item(abacus::unità);
    SendMessageW(units, EM_SETSEL, 0, -1);
    SendMessageW(units, WM_CLEAR, 0, 0);
    PostMessageW(units, WM_CHAR, L'1', keyData('1', false));
    waitFor([&] { return textOf(units) == L"1"; });
}

// The keys go to the window the user brought to the front.
void postKeyTo(HWND window, UINT vk)
{
    SetForegroundWindow(window);
    waitFor([&] { return GetForegroundWindow() == window; });
    postKey(focusOf(GetWindowThreadProcessId(window, nullptr)), vk);
}

void checkSecondary(const std::wstring &what, HWND window, int width, int height)
{
    RECT client;
    GetClientRect(window, &client);
    checkText(what, rectText(client), rectText({ 0, 0, px(width), px(height) }));
    checkNumber(L"no owner", GetWindow(window, GW_OWNER) != nullptr, 0);
    checkNumber(
        L"no task-bar button", (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0, 1);
    checkCentred(what, window);
}

void dialogs(const Program &program)
{
    const HWND units = program.item(abacus::unità);
    SendMessageW(units, WM_LBUTTONDOWN, MK_LBUTTON, 0); // the focus, to come back to
    SendMessageW(units, WM_LBUTTONUP, 0, 0);
    typeText(units, L"12");
    typeText(units, L"12");
    checkText(L"box after a rejected value", textOf(units), L"0");
    std::vector<HWND> errors = shown(ids::dialogClass, L"ERRORE");
    checkNumber(L"error dialogs", long(errors.size()), 1);
    if (errors.size() == 1) {
        const HWND dialog = errors[0];
        checkSecondary(L"error dialog", dialog, 6030, 1890);
        checkPlace(L"OKButton", GetDlgItem(dialog, ids::dialog::OKButton), 600, 1440, 5055, 375);
        checkText(L"Label1", textOf(GetDlgItem(dialog, ids::dialog::Label1)),
            L"PUOI INSERIRE SOLO NUMERI         COMPRESI TRA 0 E 9");
        postKeyTo(dialog, VK_ESCAPE);
        settle(program);
        checkNumber(L"error dialog after Escape", IsWindowVisible(dialog), 1);
        postKeyTo(dialog, VK_RETURN);
        checkNumber(L"closed by Enter", waitFor([&] { return !IsWindow(dialog); }), 1);
        waitFor([&] { return program.focus() == units; });
        checkText(L"focus back", nameOf(program.focus()), L"unità");
    }
    for (int press = 0; press < 2; ++press)
        SendMessageW(program.item(abacus::Command9), BM_CLICK, 0, 0);
    std::vector<HWND> abouts = shown(ids::aboutClass, L"About tallino3.0");
    checkNumber(L"About windows", long(abouts.size()), 1);
    if (abouts.size() == 1) {
        const HWND about = abouts[0];
        checkSecondary(L"About window", about, 5730, 3555);
        checkText(L"lblTitle", textOf(GetDlgItem(about, ids::frmAbout::lblTitle)), L"tallino3.0");
        checkText(L"lblDescription", textOf(GetDlgItem(about, ids::frmAbout::lblDescription)),
            L"Questo programmino permette dii rappresentare su di un tallino unità, decine, "
            L"centinaia e migliaia."
                + std::wstring(189, L' ') + L"Dedicato a mio papà");
        checkPlace(L"cmdOK", GetDlgItem(about, ids::frmAbout::cmdOK), 4245, 2625, 1260, 825);
        // The etched line's white over its grey; the middle bead of the picture.
        checkPixel(L"separator", about, px(2880), px(2400), RGB(255, 255, 255));
        checkPixel(L"picIcon", about, px(510), px(510), RGB(0, 255, 255));
        postKeyTo(about, VK_ESCAPE);
        checkNumber(L"closed by Escape", waitFor([&] { return !IsWindow(about); }), 1);
    }
}

// FINE ends everything at once; the close box ends the program only with its last window.
void endByFine(const Program &program)
{
    typeText(program.item(abacus::unità), L"12");
    SendMessageW(program.item(abacus::Command9), BM_CLICK, 0, 0);
    PostMessageW(program.item(abacus::Command10), BM_CLICK, 0, 0);
    checkNumber(L"ended by FINE", program.hasEnded(5000), 1);
}

void endByLastWindow(const Program &program)
{
    typeText(program.item(abacus::unità), L"12");
    PostMessageW(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    waitFor([&] { return !IsWindow(program.window); });
    checkNumber(L"running with the dialog open", program.hasEnded(500), 0);
    const std::vector<HWND> errors = shown(ids::dialogClass, L"ERRORE");
    checkNumber(L"error dialog left open", long(errors.size()), 1);
    if (!errors.empty())
        PostMessageW(GetDlgItem(errors[0], ids::dialog::OKButton), BM_CLICK, 0, 0);
    checkNumber(L"ended with the last window", program.hasEnded(5000), 1);
}

struct TestCase {
    const wchar_t *name;
    void (*run)(const Program &);
};
const TestCase testCases[] = { { L"window", windowItself }, { L"drawing", drawing },
    { L"typing", typing }, { L"steps", steps }, { L"dialogs", dialogs }, { L"fine", endByFine },
    { L"lastwindow", endByLastWindow } };

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3)
        return 2;
    if (argc > 3)
        dpi = _wtoi(argv[3]);
    const Program program(argv[1]);
    if (!program.window) {
        std::printf("FAIL no window \"TALLINO\" from %s (error %lu)\n", utf8(argv[1]).c_str(),
            GetLastError());
        return 1;
    }
    for (const TestCase &test : testCases) {
        if (std::wcscmp(test.name, argv[2]) == 0) {
            test.run(program);
            std::printf("%s: %d failures\n", "tst_win32", failures);
            return failures ? 1 : 0;
        }
    }
    return 2;
}
