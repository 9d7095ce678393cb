#include "program.h"

#include "abacuswindow.h"
#include "aboutwindow.h"
#include "errordialog.h"

#include <commctrl.h>
#include <objbase.h>

namespace tallino::win {

namespace {

// For the screen readers' annotation service.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) { }
    ~ComApartment()
    {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    bool initialised_;
};

} // namespace

int run()
{
    const INITCOMMONCONTROLSEX controls { sizeof controls, ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);
    const ComApartment com;
    const Speech speech;
    TopLevelWindows windows;
    ErrorDialog errorDialog(windows, speech);
    AboutWindow about(windows, speech);
    AbacusWindow abacus(windows, speech, errorDialog, about);
    abacus.show();
    return windows.runMessageLoop();
}

} // namespace tallino::win
