#include "digitkeyfilter.h"

#include "abacuscore.h"

#include <QKeyEvent>

#include <algorithm>
#include <optional>

namespace tallino {

namespace {

bool isCtrlLetter(const QKeyEvent &event)
{
    // Ctrl+Alt is AltGr on some keyboards: it types characters, not control codes.
    const Qt::KeyboardModifiers mods = event.modifiers();
    return mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier)
        && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z;
}

// The character a key press delivers, worked out the way the platform delivers characters; none
// for keys that only edit or move (Delete, arrows, Tab...).
std::optional<char32_t> deliveredCharacter(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    // X11 puts the control code into text(), QTest leaves text() empty: the key tells both.
    if (isCtrlLetter(event))
        return static_cast<char32_t>(event.key() - Qt::Key_A + 1);
    const QList<uint> text = event.text().toUcs4();
    if (text.isEmpty())
        return std::nullopt;
    return static_cast<char32_t>(text.front());
}

} // namespace

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);
    const std::optional<char32_t> character = deliveredCharacter(key);
    if (!character)
        return false;
    // A compose sequence or a compressed repeat delivers several characters in one press: the
    // box gets them all at once, so each one must pass.
    const QList<uint> text = key.text().toUcs4();
    if (text.size() > 1)
        return !std::all_of(text.cbegin(), text.cend(),
            [](uint c) { return isTypedDigit(static_cast<char32_t>(c)); });
    return !isTypedDigit(*character);
}

} // namespace tallino
