#pragma once

#include "abacuscore.h"
#include "window.h"

#include <array>
#include <string>
#include <utility>

namespace tallino::win {

// The abacus drawing with its boxes and buttons, built from its description: a thin view over
// AbacusCore. Edits and clicks go to the core; texts, beads and error requests come back
// through the listener, and the beads are painted from the core's state.
class AbacusWindow : public Window, private AbacusListener {
public:
    AbacusWindow(MessageLoop &loop, const Speech &speech, Window &errorDialog, Window &about);
    static bool registerClass();
    // Shown, with the drawing named for screen readers; false when the system made no window.
    bool open();
    // For the procedure's answers.
    void onCommand(int id, int notification);
    void paint(HDC dc) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void onEdited(const ControlDescription &box, HWND edited);
    HWND boxOf(Place place) const;
    void tellNumber();

    void textWritten(Place place, std::string_view text) override;
    void beadsSet(Place place, int shown) override;
    void errorRequested() override;

    AbacusCore core_;
    Window &errorDialog_;
    Window &about_;
    bool writing_ = false; // while the core's own write is mirrored: its EN_CHANGE is no edit
    Brush background_;
    std::string spokenNumber_;
};

} // namespace tallino::win
