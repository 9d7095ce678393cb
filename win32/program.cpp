#include "program.h"

#include "abacuslayout.h"
#include "abacuswindow.h"
#include "dialoglayouts.h"
#include "secondarywindow.h"
#include "strings.h"

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

// Without its window the program would go on running unseen: it says why, and ends.
int failedStart()
{
    const std::wstring text = L"Tallino non può partire: il sistema non ha creato la sua finestra "
                              L"(errore "
        + std::to_wstring(GetLastError()) + L").";
    MessageBoxW(
        nullptr, text.c_str(), wide(abacus::window().caption).c_str(), MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace

int run()
{
    const INITCOMMONCONTROLSEX controls { sizeof controls, ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);
    const ComApartment com;
    const Speech speech;
    MessageLoop loop;
    SecondaryWindow errorDialog(errordialog::window(), loop, speech);
    SecondaryWindow about(about::window(), loop, speech);
    AbacusWindow abacus(loop, speech, errorDialog, about);
    if (!AbacusWindow::registerClass() || !SecondaryWindow::registerClass(errordialog::window())
        || !SecondaryWindow::registerClass(about::window()) || !abacus.open())
        return failedStart();
    return loop.run();
}

} // namespace tallino::win
