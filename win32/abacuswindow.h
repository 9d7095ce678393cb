#pragma once

#include "abacuscore.h"
#include "controlids.h"
#include "toplevelwindow.h"

#include <array>
#include <string>

namespace tallino::abacus {
struct PlaceRow;
struct Single;
} // namespace tallino::abacus

namespace tallino::win {

class AboutWindow;
class ErrorDialog;

// The abacus drawing with its boxes and buttons, built from its layout table: a thin view over
// AbacusCore. Edits and clicks go to the core; texts, beads and error requests come back
// through the listener, and the beads are painted from the core's state.
class AbacusWindow : public TopLevelWindow, private AbacusListener {
public:
    static constexpr const wchar_t *className = ids::abacusClass;

    AbacusWindow(TopLevelWindows &windows, const Speech &speech, ErrorDialog &errorDialog,
        AboutWindow &about);

private:
    friend class TopLevelWindow;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void addStepButton(const abacus::PlaceRow &row, int delta);
    void addDigitBox(const abacus::PlaceRow &row);
    void addRodLetter(const abacus::PlaceRow &row);
    void addCommand(const abacus::Single &single, std::function<void()> click);
    void addTitle();
    void addInstructions();
    void onEdited(HWND box);
    LRESULT onControlColour(HDC dc, HWND control);
    void paint(HDC dc) const override;
    void tellNumber();

    void textWritten(Place place, std::string_view text) override;
    void beadsSet(Place place, int shown) override;
    void errorRequested() override;

    AbacusCore core_;
    ErrorDialog &errorDialog_;
    AboutWindow &about_;
    std::array<HWND, placeCount> boxes_ {};
    bool writing_ = false; // while the core's own write is mirrored: its EN_CHANGE is no edit
    Brush background_;
    Brush titleBackground_;
    Brush instructionsBackground_;
    std::string spokenNumber_;
};

} // namespace tallino::win
