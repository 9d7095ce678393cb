#include "abacuswindow.h"

#include "abacuslayout.h"
#include "digitbox.h"
#include "resourceids.h"
#include "strings.h"

namespace tallino::win {

namespace {

HICON programIcon()
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TALLINO_ICON),
        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

} // namespace

AbacusWindow::AbacusWindow(
    MessageLoop &loop, const Speech &speech, Window &errorDialog, Window &about)
    : Window(abacus::window(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, loop,
        speech),
      core_(*this), errorDialog_(errorDialog), about_(about),
      background_(CreateSolidBrush(colour(*abacus::window().background))),
      spokenNumber_(abacus::beadsInWords(core_))
{
}

// Without a background brush: the window paints all of its client area.
bool AbacusWindow::registerClass()
{
    return registerWindowClass(abacus::window(), procedure, nullptr, programIcon());
}

bool AbacusWindow::open()
{
    if (!show())
        return false;
    speech_.annotate(hwnd_, spokenNumber_, abacus::drawingDescription);
    return true;
}

LRESULT CALLBACK AbacusWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (AbacusWindow *window = served<AbacusWindow>(hwnd, message, lParam))
        return answer(window, hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void AbacusWindow::onCommand(int id, int notification)
{
    if (id == IDOK)
        return pressFocusedButton();
    const ControlDescription *control = describedById(id);
    if (!control)
        return;
    if (control->kind == ControlKind::DigitBox && notification == EN_CHANGE)
        return onEdited(*control, reinterpret_cast<HWND>(GetDlgItem(hwnd_, id)));
    if (notification != BN_CLICKED)
        return;
    switch (control->command) {
    case Command::Step:
        core_.step(control->place, control->delta);
        break;
    case Command::OpenAbout:
        about_.show();
        break;
    case Command::Quit: // nothing to save or ask: the number lives only on the screen
        PostQuitMessage(0);
        break;
    default:
        break;
    }
}

void AbacusWindow::onEdited(const ControlDescription &box, HWND edited)
{
    if (writing_)
        return;
    digitbox::keepLengthLimit(edited);
    core_.edit(box.place, utf8(textOf(edited)));
}

// In the layout's order: the base bar, the beads, then the rods over the beads they pass through.
void AbacusWindow::paint(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, background_.get());
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    drawLine(dc, abacus::baseBar, ink, dpi_, LineEnds::Round);
    const Pen outline(CreatePen(PS_INSIDEFRAME, scaledPixels(abacus::beadOutlinePx, dpi_), ink));
    const Selected outlined(dc, outline.get());
    for (const abacus::Rod &rod : abacus::rods) {
        const Brush fill(CreateSolidBrush(colour(rod.beadFill)));
        const Selected filled(dc, fill.get());
        for (int rank : rod.drawingOrder) {
            if (!core_.isBeadVisible(rod.place, rank))
                continue;
            const RECT circle = pixels(abacus::beadCircle(rod, rank), dpi_);
            Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
        }
    }
    for (const abacus::Rod &rod : abacus::rods)
        drawLine(dc, rod.line, ink, dpi_, LineEnds::Round);
}

HWND AbacusWindow::boxOf(Place place) const
{
    for (std::size_t i = 0; i < described_.controls.size(); ++i) {
        const ControlDescription &control = described_.controls[i];
        if (control.kind == ControlKind::DigitBox && control.place == place)
            return this->control(i);
    }
    return nullptr;
}

// The drawing's name for screen readers is the number its beads show.
void AbacusWindow::tellNumber()
{
    std::string number = abacus::beadsInWords(core_);
    if (number != spokenNumber_) {
        spokenNumber_ = std::move(number);
        speech_.rename(hwnd_, spokenNumber_);
    }
}

void AbacusWindow::textWritten(Place place, std::string_view text)
{
    const bool outer = std::exchange(writing_, true);
    digitbox::showText(boxOf(place), wide(text));
    writing_ = outer;
}

void AbacusWindow::beadsSet(Place, int)
{
    InvalidateRect(hwnd_, nullptr, FALSE);
    tellNumber();
}

void AbacusWindow::errorRequested()
{
    errorDialog_.show();
}

} // namespace tallino::win
