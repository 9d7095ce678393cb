#pragma once

#include <QObject>

#include <optional>

class QKeyEvent;

namespace tallino {

// The character code a key press delivers, worked out the way the platform delivers
// characters; none for keys that only edit or move (Delete, arrows, Tab...).
std::optional<int> deliveredCharacter(const QKeyEvent &event);

// Lets only the digits through to the boxes it watches; every other character is dropped
// silently. Keys that deliver no character keep their usual effect.
class DigitKeyFilter : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tallino
