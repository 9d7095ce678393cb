#include "aboutwindow.h"

#include "dialoglayouts.h"
#include "resourceids.h"

#include <commctrl.h>

namespace tallino::win {

namespace {

// The picture as drawn, 32 pixels wide at 96 dpi, repeated or dropped pixels at other ones.
Bitmap pictureFor(UINT dpi)
{
    const Bitmap drawn(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
        MAKEINTRESOURCEW(TALLINO_ABACUS_PICTURE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP size {};
    GetObjectW(drawn.get(), sizeof size, &size);
    return Bitmap(static_cast<HBITMAP>(CopyImage(drawn.get(), IMAGE_BITMAP,
        scaledPixels(size.bmWidth, dpi), scaledPixels(size.bmHeight, dpi), 0)));
}

} // namespace

// A tool window: without an owner it still gets no task-bar button.
AboutWindow::AboutWindow(TopLevelWindows &windows, const Speech &speech)
    : TopLevelWindow(windows, speech,
        { className, about::storedCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
            WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, about::client })
{
    registerClass<AboutWindow>(nullptr);
}

LRESULT AboutWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), colour(about::ink));
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_NCDESTROY:
        picture_ = title_ = nullptr;
        shownPicture_.reset();
        break;
    default:
        break;
    }
    return onCommonMessage(message, wParam, lParam);
}

void AboutWindow::onCreate()
{
    using namespace about;
    namespace frm = ids::frmAbout;
    addInTabOrder({
        { picture.tabIndex,
            [this] {
                picture_ = addControl({ WC_STATICW, SS_BITMAP | SS_CENTERIMAGE, frm::picIcon,
                                          picture.box, {}, WS_EX_CLIENTEDGE },
                    {});
                speech_.annotate(picture_, pictureName);
            } },
        { okButton.tabIndex,
            [this] {
                const HWND ok = addButton(
                    { WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP, frm::cmdOK, okButton.box },
                    okCaption, [this] { close(); });
                speech_.annotate(ok, okSpoken.name, okSpoken.description);
            } },
        { description.tabIndex,
            [this] {
                addTextLabel(frm::lblDescription, description.box, {}, descriptionText());
            } },
        { title.tabIndex,
            [this] {
                title_ = addTextLabel(frm::lblTitle, title.box, titleFont, storedTitle);
            } },
        { disclaimer.tabIndex,
            [this] {
                addTextLabel(frm::lblDisclaimer, disclaimer.box, {}, disclaimerText);
            } },
    });
    // Enter and Escape, from the dialog manager.
    onClick(IDOK, [this] { close(); });
    onClick(IDCANCEL, [this] { close(); });
}

// The opening steps: the caption and the title from the title fixed at build time.
void AboutWindow::onOpening()
{
    SetWindowTextW(hwnd_, wide(about::captionText()).c_str());
    SetWindowTextW(title_, wide(about::titleText()).c_str());
}

void AboutWindow::laidOut()
{
    Bitmap picture = pictureFor(dpi_);
    SendMessageW(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    shownPicture_ = std::move(picture); // the old one only now, when the control lets it go
}

// The etched separator: the white line over the grey one.
void AboutWindow::paint(HDC dc) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    drawLine(dc, about::greyLine, colour(about::grey), dpi_, LineEnds::Flat);
    drawLine(dc, about::whiteLine, colour(about::white), dpi_, LineEnds::Flat);
}

} // namespace tallino::win
