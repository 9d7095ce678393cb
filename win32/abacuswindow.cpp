#include "abacuswindow.h"

#include "abacuslayout.h"
#include "aboutwindow.h"
#include "digitbox.h"
#include "errordialog.h"
#include "resourceids.h"

#include <algorithm>
#include <commctrl.h>
#include <string_view>
#include <utility>

namespace tallino::win {

namespace {

// The controls' IDs by the layout's names.
int idOf(std::string_view name)
{
    using namespace ids::abacus;
    static constexpr std::pair<std::string_view, int> known[] = { { "Command1", Command1 },
        { "Command2", Command2 }, { "Command3", Command3 }, { "Command4", Command4 },
        { "Command5", Command5 }, { "Command6", Command6 }, { "Command7", Command7 },
        { "Command8", Command8 }, { "Command9", Command9 }, { "Command10", Command10 },
        { "Text1", Text1 }, { "Text2", Text2 }, { "Text3", Text3 }, { "Text4", Text4 },
        { "migliaia", migliaia }, { "centinaia", centinaia }, { "decine", decine },
        { "unità", unità }, { "Label1", Label1 }, { "Label2", Label2 } };
    for (const auto &[knownName, id] : known) {
        if (knownName == name)
            return id;
    }
    return 0;
}

ControlSpec button(const Control &control, const FontSpec &font)
{
    return { WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, idOf(control.name), control.box, font };
}

HICON programIcon()
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TALLINO_ICON),
        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

} // namespace

AbacusWindow::AbacusWindow(
    TopLevelWindows &windows, const Speech &speech, ErrorDialog &errorDialog, AboutWindow &about)
    : TopLevelWindow(windows, speech,
        { className, abacus::caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0,
            abacus::client }),
      core_(*this), errorDialog_(errorDialog), about_(about),
      background_(CreateSolidBrush(colour(abacus::background))),
      titleBackground_(CreateSolidBrush(colour(abacus::titleBackground))),
      instructionsBackground_(CreateSolidBrush(colour(abacus::instructionsBackground)))
{
    registerClass<AbacusWindow>(nullptr, programIcon());
}

LRESULT AbacusWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) {
            onEdited(reinterpret_cast<HWND>(lParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        break;
    }
    return onCommonMessage(message, wParam, lParam);
}

void AbacusWindow::onCreate()
{
    std::vector<Adding> controls;
    for (const abacus::PlaceRow &row : abacus::places) {
        controls.emplace_back(row.plus.tabIndex, [this, &row] { addStepButton(row, +1); });
        controls.emplace_back(row.minus.tabIndex, [this, &row] { addStepButton(row, -1); });
        controls.emplace_back(row.digitBox.tabIndex, [this, &row] { addDigitBox(row); });
        controls.emplace_back(row.rodLetter.tabIndex, [this, &row] { addRodLetter(row); });
    }
    controls.emplace_back(abacus::title.control.tabIndex, [this] { addTitle(); });
    controls.emplace_back(abacus::instructions.control.tabIndex, [this] { addInstructions(); });
    controls.emplace_back(abacus::author.control.tabIndex,
        [this] { addCommand(abacus::author, [this] { about_.show(); }); });
    // Nothing to save or ask: the number lives only on the screen.
    controls.emplace_back(abacus::exit.control.tabIndex,
        [this] { addCommand(abacus::exit, [] { PostQuitMessage(0); }); });
    addInTabOrder(std::move(controls));
    spokenNumber_ = abacus::beadsInWords(core_);
    speech_.annotate(hwnd_, spokenNumber_, abacus::drawingDescription);
}

void AbacusWindow::addStepButton(const abacus::PlaceRow &row, int delta)
{
    const bool up = delta > 0;
    const HWND control = addButton(button(up ? row.plus : row.minus, abacus::stepFont),
        up ? abacus::plusCaption : abacus::minusCaption,
        [this, place = row.place, delta] { core_.step(place, delta); });
    const abacus::SpokenText spoken = abacus::stepSpoken(row, delta);
    speech_.annotate(control, spoken.name, spoken.description);
}

void AbacusWindow::addDigitBox(const abacus::PlaceRow &row)
{
    const HWND box = addControl({ WC_EDITW, ES_CENTER | WS_TABSTOP, idOf(row.digitBox.name),
                                    row.digitBox.box, abacus::digitFont, WS_EX_CLIENTEDGE },
        core_.text(row.place));
    digitbox::install(box);
    const abacus::SpokenText spoken = abacus::digitBoxSpoken(row);
    speech_.annotate(box, spoken.name, spoken.description);
    boxes_[indexOf(row.place)] = box;
}

// Disabled, so it shows its letter greyed and the Tab key passes it over.
void AbacusWindow::addRodLetter(const abacus::PlaceRow &row)
{
    const HWND box = addControl({ WC_EDITW, ES_CENTER | WS_DISABLED, idOf(row.rodLetter.name),
                                    row.rodLetter.box, abacus::stepFont, WS_EX_CLIENTEDGE },
        row.letter);
    const abacus::SpokenText spoken = abacus::rodLetterSpoken(row);
    speech_.annotate(box, spoken.name, spoken.description);
}

void AbacusWindow::addCommand(const abacus::Single &single, std::function<void()> click)
{
    const HWND control =
        addButton(button(single.control, single.font), single.caption, std::move(click));
    speech_.annotate(control, single.spoken.name, single.spoken.description);
}

void AbacusWindow::addTitle()
{
    const Control &title = abacus::title.control;
    addControl({ WC_STATICW, SS_CENTER | SS_NOPREFIX | WS_BORDER, idOf(title.name), title.box,
                   abacus::title.font, 0, true },
        abacus::title.caption);
}

void AbacusWindow::addInstructions()
{
    const Control &instructions = abacus::instructions.control;
    addTextLabel(idOf(instructions.name), instructions.box, abacus::instructions.font,
        abacus::instructionText());
}

void AbacusWindow::onEdited(HWND box)
{
    const auto found = std::find(boxes_.begin(), boxes_.end(), box);
    if (writing_ || found == boxes_.end())
        return;
    digitbox::keepLengthLimit(box);
    core_.edit(static_cast<Place>(found - boxes_.begin()), utf8(textOf(box)));
}

LRESULT AbacusWindow::onControlColour(HDC dc, HWND control)
{
    const int id = GetDlgCtrlID(control);
    if (id != ids::abacus::Label1 && id != ids::abacus::Label2)
        return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
            reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(
        (id == ids::abacus::Label1 ? titleBackground_ : instructionsBackground_).get());
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
    for (const abacus::PlaceRow &row : abacus::places) {
        const Brush fill(CreateSolidBrush(colour(row.beadFill)));
        const Selected filled(dc, fill.get());
        for (int rank : row.drawingOrder) {
            if (!core_.isBeadVisible(row.place, rank))
                continue;
            const RECT circle = pixels(abacus::beadCircle(row, rank), dpi_);
            Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
        }
    }
    for (const abacus::PlaceRow &row : abacus::places)
        drawLine(dc, row.rod, ink, dpi_, LineEnds::Round);
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
    digitbox::showText(boxes_[indexOf(place)], wide(text));
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
