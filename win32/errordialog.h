#pragma once

#include "controlids.h"
#include "toplevelwindow.h"

namespace tallino::win {

// The "ERRORE" dialog: one instance for the whole run, shown modeless and without an owner.
// Its button is neither the default nor the cancel button: Enter and Space press it, as it
// always has the focus, and Escape does nothing.
class ErrorDialog : public TopLevelWindow {
public:
    static constexpr const wchar_t *className = ids::dialogClass;

    ErrorDialog(TopLevelWindows &windows, const Speech &speech);

private:
    friend class TopLevelWindow;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
};

} // namespace tallino::win
