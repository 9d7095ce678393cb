#pragma once

#include <QObject>

namespace tallino {

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
