#pragma once

// Control IDs, named after the controls they stand for: 100 and the control's tab index. The
// window classes are named after their windows ("tallino", "dialog", "frmAbout").
namespace tallino::win::ids {

namespace abacus {
enum : int {
    Text1 = 100,
    Text2,
    Text3,
    Text4,
    Command2,
    Command3,
    Command5,
    Command7,
    unità,
    decine,
    centinaia,
    migliaia,
    Command8,
    Command6,
    Command4,
    Command1,
    Label1,
    Label2,
    Command9,
    Command10,
};
} // namespace abacus

namespace dialog {
enum : int { OKButton = 100, Label1 };
} // namespace dialog

namespace frmAbout {
enum : int { cmdOK = 100, picIcon, lblDescription, lblDisclaimer, lblTitle };
} // namespace frmAbout

inline constexpr const wchar_t *abacusClass = L"tallino";
inline constexpr const wchar_t *dialogClass = L"dialog";
inline constexpr const wchar_t *aboutClass = L"frmAbout";

} // namespace tallino::win::ids
