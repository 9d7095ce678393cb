#pragma once

#include "controlids.h"
#include "toplevelwindow.h"

namespace tallino::win {

// The About window: one instance for the whole run, shown modeless and without an owner, built
// anew with its opening steps at every showing after it was closed. OK is both its default and
// its cancel button.
class AboutWindow : public TopLevelWindow {
public:
    static constexpr const wchar_t *className = ids::aboutClass;

    AboutWindow(TopLevelWindows &windows, const Speech &speech);

private:
    friend class TopLevelWindow;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void laidOut() override;
    void onOpening() override;
    void paint(HDC dc) const override;

    HWND picture_ = nullptr;
    HWND title_ = nullptr;
    Bitmap shownPicture_;
};

} // namespace tallino::win
