#include "errordialog.h"

#include "dialoglayouts.h"

#include <commctrl.h>

namespace tallino::win {

// A tool window: without an owner it still gets no task-bar button.
ErrorDialog::ErrorDialog(TopLevelWindows &windows, const Speech &speech)
    : TopLevelWindow(windows, speech,
        { className, errordialog::caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
            WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, errordialog::client })
{
    registerClass<ErrorDialog>(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
}

LRESULT ErrorDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        onCreate();
        return 0;
    }
    return onCommonMessage(message, wParam, lParam);
}

void ErrorDialog::onCreate()
{
    using namespace errordialog;
    addInTabOrder({
        { okButton.tabIndex,
            [this] {
                const HWND ok = addButton(
                    { WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, ids::dialog::OKButton, okButton.box },
                    okCaption, [this] { close(); });
                speech_.annotate(ok, okSpoken.name, okSpoken.description);
            } },
        { message.tabIndex,
            [this] {
                addTextLabel(ids::dialog::Label1, message.box, messageFont, messageText());
            } },
    });
    // With no default button, the dialog manager answers Enter with IDOK: it presses the button
    // that has the focus, which is always OKButton.
    onClick(IDOK, [this] { close(); });
}

} // namespace tallino::win
