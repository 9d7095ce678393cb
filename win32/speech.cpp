#include "speech.h"

#include "strings.h"

// The annotation service's identifiers are defined here, in this one file.
#include <initguid.h>
#include <oleacc.h>

namespace tallino::win {

Speech::Speech()
{
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
            IID_IAccPropServices, reinterpret_cast<void **>(&services_))))
        services_ = nullptr;
}

Speech::~Speech()
{
    if (services_)
        services_->Release();
}

void Speech::annotate(HWND control, std::string_view name, std::string_view description) const
{
    if (!services_ || name.empty())
        return;
    services_->SetHwndPropStr(
        control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, wide(name).c_str());
    if (!description.empty())
        services_->SetHwndPropStr(
            control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION, wide(description).c_str());
}

void Speech::rename(HWND control, std::string_view name) const
{
    annotate(control, name);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace tallino::win
