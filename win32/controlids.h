#pragma once

// Control IDs, named after the controls they stand for; the window classes are named after
// their windows ("tallino", "dialog", "frmAbout"). Tests find the controls by them too.
namespace tallino::win::ids {

namespace abacus {
enum : int {
    Command1 = 101,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
    Command10,
    Text1,
    Text2,
    Text3,
    Text4,
    migliaia,
    centinaia,
    decine,
    unità,
    Label1,
    Label2,
};
} // namespace abacus

namespace dialog {
enum : int { OKButton = 201, Label1 };
} // namespace dialog

namespace frmAbout {
enum : int { picIcon = 301, cmdOK, lblDescription, lblTitle, lblDisclaimer };
} // namespace frmAbout

inline constexpr const wchar_t *abacusClass = L"tallino";
inline constexpr const wchar_t *dialogClass = L"dialog";
inline constexpr const wchar_t *aboutClass = L"frmAbout";

} // namespace tallino::win::ids
