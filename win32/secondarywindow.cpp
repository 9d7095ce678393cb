#include "secondarywindow.h"

namespace tallino::win {

SecondaryWindow::SecondaryWindow(
    const WindowDescription &described, MessageLoop &loop, const Speech &speech)
    : Window(described, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
        WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, loop, speech)
{
}

// Without a background brush: the window paints all of its client area.
bool SecondaryWindow::registerClass(const WindowDescription &described)
{
    return registerWindowClass(described, procedure, nullptr, nullptr);
}

LRESULT CALLBACK SecondaryWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (SecondaryWindow *window = served<SecondaryWindow>(hwnd, message, lParam))
        return answer(window, hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Escape comes from the dialog manager as IDCANCEL.
void SecondaryWindow::onCommand(int id, int)
{
    if (id == IDOK)
        return pressFocusedButton();
    const ControlDescription *control = describedById(id);
    if ((id == IDCANCEL && described_.escapeCloses)
        || (control && control->command == Command::CloseWindow))
        close();
}

void SecondaryWindow::paint(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const auto &[line, rgb] : described_.lines)
        drawLine(dc, line, colour(rgb), dpi_, LineEnds::Flat);
}

} // namespace tallino::win
