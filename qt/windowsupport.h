#pragma once

#include "layout.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QFont;

namespace tallino {

// The one conversion from the layout's twips: 15 twips make a pixel at 96 dpi, and Qt's
// pixels are 96 dpi ones, scaled for high-density screens by the toolkit itself.
inline constexpr double twipsPerPixel = 15.0;
QRect pixels(const TwipsRect &box);
inline QColor colour(const Rgb &rgb)
{
    return { rgb.red, rgb.green, rgb.blue };
}
inline QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

// What the program sets up before its first window: its names, the toolkit's Italian texts,
// the font substitutes.
void setUpApplication();

QFont fontOf(const FontSpec &wanted);

// A window as described, with its name, caption and fixed client size, a title bar with a close
// box only, and its controls. The main window has a task-bar button; the others are tool windows,
// which still keep the program running while they are open. A button calls `pressed` with what it
// stands for. Returns the controls in the description's order.
using Pressed = std::function<void(const ControlDescription &)>;
std::vector<QWidget *> buildWindow(
    QWidget *window, const WindowDescription &described, const Pressed &pressed);

// Centred on the screen's available area, but never with the top-left corner off it.
void centreOnScreen(QWidget *window);

// One instance for the whole run; its window is destroyed on close and built anew, centred,
// at the next showing.
class ReloadableWindow {
public:
    using Builder = std::function<QWidget *()>;
    explicit ReloadableWindow(Builder build) : build_(std::move(build)) { }
    ~ReloadableWindow();
    ReloadableWindow(const ReloadableWindow &) = delete;
    ReloadableWindow &operator=(const ReloadableWindow &) = delete;

    void show();

private:
    Builder build_;
    QPointer<QWidget> window_;
};

} // namespace tallino
