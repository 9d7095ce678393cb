#pragma once

#include "layout.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <string>

class QFont;
class QLabel;
class QPushButton;

namespace tallino {

// The one conversion from the layout's twips: 15 twips make a pixel at 96 dpi, and Qt's
// pixels are 96 dpi ones, scaled for high-density screens by the toolkit itself.
inline constexpr double twipsPerPixel = 15.0;
QRect pixels(const TwipsRect &box);
inline QColor colour(const Rgb &rgb)
{
    return { rgb.red, rgb.green, rgb.blue };
}
inline QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
inline QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

// What the program sets up before its first window: its names, the toolkit's Italian texts,
// the font substitutes.
void setUpApplication();

QFont fontOf(const FontSpec &wanted);

// For a text that must fit on one line of the given width: when the family is missing, the
// decorative substitute narrowed until the text fits.
QFont fittedFont(const FontSpec &wanted, const QString &text, int width);

// Named and captioned, fixed client size, title bar with a close box only. Tool windows get no
// task-bar button but still keep the program running while they are open.
enum class WindowKind { Main, Tool };
void makeFixedWindow(QWidget *window, const char *name, const char *caption, WindowKind kind,
    const TwipsRect &client);

// Centred on the screen's available area, but never with the top-left corner off it: a window
// larger than the screen keeps its title bar where it can be grabbed.
void centreOnScreen(QWidget *window);

// Word-wrapped, from the top left, as the windows' texts are laid out.
QLabel *addTextLabel(QWidget *window, const Control &control, const QString &caption);
// The dialogs' "OK": it closes its window.
QPushButton *addOkButton(QWidget *window, const Control &control, const Spoken &spoken);
void speak(QWidget *control, const std::string &name, const std::string &description);

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
