#pragma once

#include <string_view>
#include <windows.h>

struct IAccPropServices;

namespace tallino::win {

// Names and descriptions for screen readers, through Dynamic Annotation. Without the service,
// nothing is said and nothing fails.
class Speech {
public:
    Speech();
    ~Speech();
    Speech(const Speech &) = delete;
    Speech &operator=(const Speech &) = delete;

    void annotate(HWND control, std::string_view name, std::string_view description = {}) const;
    // A new name, announced to screen readers that are listening.
    void rename(HWND control, std::string_view name) const;

private:
    IAccPropServices *services_ = nullptr;
};

} // namespace tallino::win
