#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QFont;
class QSize;

namespace tallino {

QFont pointFont(const char *family, double points, bool bold);

// What the program sets up before its first window: its names, the toolkit's Italian texts,
// the font substitutes.
void setUpApplication();

// Free desktops rarely have the families the windows name; these substitutes keep every text
// inside its box and the instruction list one item per line.
void substituteMissingFonts();

// A font for text that must fit on one line of the given width: a missing family is replaced
// by a decorative substitute, narrowed until the text fits.
QFont fittedFont(
    const QFont &wanted, const QStringList &substitutes, const QString &text, int width);

// Fixed client size, title bar with a close box only. Tool windows get no task-bar button but
// still keep the program running while they are open.
enum class WindowKind { Main, Tool };
void makeFixedWindow(QWidget *window, WindowKind kind, QSize clientSize);

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
    QWidget *window() const { return window_; }

private:
    Builder build_;
    QPointer<QWidget> window_;
};

} // namespace tallino
