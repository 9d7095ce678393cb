#pragma once

#include "layout.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QFont;
class QLabel;
class QPushButton;

namespace tallino {

// What the program sets up before its first window: its names, the toolkit's Italian texts,
// the font substitutes.
void setUpApplication();

QFont fontOf(const FontSpec &wanted);

// For a text that must fit on one line of the given width: when the family is missing, the
// decorative substitute narrowed until the text fits.
QFont fittedFont(const FontSpec &wanted, const char *substitute, const QString &text, int width);

// Named and captioned, fixed client size, title bar with a close box only. Tool windows get no
// task-bar button but still keep the program running while they are open.
enum class WindowKind { Main, Tool };
void makeFixedWindow(QWidget *window, const char *name, const QString &caption, WindowKind kind,
    const TwipsRect &client);

// Centred on the screen's available area, but never with the top-left corner off it: a window
// larger than the screen keeps its title bar where it can be grabbed.
void centreOnScreen(QWidget *window);

// Word-wrapped, from the top left, as the windows' texts are laid out.
QLabel *addTextLabel(QWidget *window, const Control &control, const QString &text);
// The dialogs' "OK": it closes its window.
QPushButton *addOkButton(QWidget *window, const Control &control, const QString &description);

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
